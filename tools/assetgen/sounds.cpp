#include "sounds.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "effects.h"
#include "songs.h"

namespace {

using Generator = Stereo (*)(int rate, size_t frames);

Generator GeneratorOf(int id) {
  switch (id) {
    case kWaveSpareJingle: return SpareJingle;
    case kWaveMiss: return EndingBwoop;
    case kWaveTitleJingle: return TitleJingle;
    case kWaveDiamond: return DiamondChime;
    case kWaveCursor: return CursorBlip;
    case kWaveDecide: return DecidePon;
    case kWaveSpareFanfare: return SpareFanfare;
    case kWavePlayMusic: return PlayMusic;
    case kWaveMonsterPop: return MonsterPop;
    case kWaveGameOverJingle: return GameOverJingle;
    case kWaveMusicRoomTrack: return MusicRoomTrack;
    case kWaveStartJingle: return StartJingle;
  }
  throw std::invalid_argument("no sound " + std::to_string(id));
}

// Loudness of the loudest 50 ms: the effects sit well above the music, and jingles (which
// follow the effect volume) between the two, so nothing jumps out at equal settings. The
// music keeps its peaks low enough that an effect over it rarely reaches full scale in the
// mixer.
double TargetLoudnessDb(const WaveSpec& spec) {
  if (spec.music) return -18.0;
  if (spec.id == kWaveSpareJingle || spec.id == kWaveTitleJingle || spec.id == kWaveSpareFanfare ||
      spec.id == kWaveGameOverJingle)
    return -13.5;
  return -11.0;
}

}  // namespace

std::span<const WaveSpec> WaveSpecs() { return kWaveResources; }

const WaveSpec* FindWaveSpec(int id) {
  for (const WaveSpec& spec : kWaveResources)
    if (spec.id == id) return &spec;
  return nullptr;
}

size_t FrameCount(const WaveSpec& spec) {
  return static_cast<size_t>(std::llround(spec.rate * spec.seconds));
}

Stereo RenderSound(int id) {
  const WaveSpec* spec = FindWaveSpec(id);
  if (!spec) throw std::invalid_argument("no sound " + std::to_string(id));
  Stereo sound = GeneratorOf(id)(spec->rate, FrameCount(*spec));
  // A little below the limit, so that rounding to 16 bits cannot push a peak over it.
  ScaleToLoudness(sound, TargetLoudnessDb(*spec), kMaxPeakDb - 0.3);
  return sound;
}

std::vector<uint8_t> GenerateWave(int id) { return EncodeWave(RenderSound(id)); }

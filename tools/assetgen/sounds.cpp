#include "sounds.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "effects.h"
#include "songs.h"

namespace {

constexpr WaveSpec kWaves[] = {
    {201, 44100, 1.23, false, false}, {202, 32000, 0.49, false, false},
    {203, 32000, 2.41, false, false}, {204, 44100, 0.47, false, false},
    {205, 44100, 0.75, false, false}, {206, 44100, 0.89, false, false},
    {207, 44100, 2.10, false, false}, {208, 44100, 21.18, true, true},
    {209, 44100, 0.35, false, false}, {210, 32000, 1.78, false, false},
    {211, 32000, 30.73, true, true},  {212, 44100, 1.81, true, false},
};

using Generator = Stereo (*)(int rate, size_t frames);

Generator GeneratorOf(int id) {
  switch (id) {
    case 201: return SpareJingle;
    case 202: return EndingBwoop;
    case 203: return TitleJingle;
    case 204: return DiamondChime;
    case 205: return CursorBlip;
    case 206: return DecidePon;
    case 207: return SpareFanfare;
    case 208: return PlayMusic;
    case 209: return MonsterPop;
    case 210: return GameOverJingle;
    case 211: return MusicRoomTrack;
    case 212: return StartJingle;
  }
  throw std::invalid_argument("no sound " + std::to_string(id));
}

// Loudness of the loudest 50 ms: the effects sit well above the music, and jingles (which
// follow the effect volume) between the two, so nothing jumps out at equal settings. The
// music keeps its peaks low enough that an effect over it rarely reaches full scale in the
// mixer.
double TargetLoudnessDb(const WaveSpec& spec) {
  if (spec.music) return -18.0;
  if (spec.id == 201 || spec.id == 203 || spec.id == 207 || spec.id == 210) return -13.5;
  return -11.0;
}

}  // namespace

std::span<const WaveSpec> WaveSpecs() { return kWaves; }

const WaveSpec* FindWaveSpec(int id) {
  for (const WaveSpec& spec : kWaves)
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

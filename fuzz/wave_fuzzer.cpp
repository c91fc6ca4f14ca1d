// RIFF WAVE sounds, the way the game loads them: a parse either fails or finds PCM in whole
// frames inside the input, which a canonical file of the same format and samples gives back.
// The conversion to the output's 16-bit stereo at 44100 Hz gives the length the rates call for,
// and the output's own format passes unchanged; one voice of it plays back sample for sample.
#include <algorithm>
#include <vector>

#include "fuzz_check.h"
#include "system/mixer.h"
#include "system/riff.h"
#include "system/sdl/sdl_audio.h"

namespace {

constexpr uint32_t kOutputRate = 44100;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

// RIFF, WAVE, a 16-byte "fmt " chunk and the "data" chunk, nothing else.
std::vector<uint8_t> CanonicalWave(const WaveData& wave) {
  std::vector<uint8_t> out;
  const WaveFormat& f = wave.format;
  PutTag(out, "RIFF");
  Put32(out, uint32_t(4 + 8 + 16 + 8 + wave.pcm.size() + (wave.pcm.size() & 1)));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, f.formatTag);
  Put16(out, f.channels);
  Put32(out, f.samplesPerSec);
  Put32(out, f.avgBytesPerSec);
  Put16(out, f.blockAlign);
  Put16(out, f.bitsPerSample);
  PutTag(out, "data");
  Put32(out, uint32_t(wave.pcm.size()));
  out.insert(out.end(), wave.pcm.begin(), wave.pcm.end());
  if (wave.pcm.size() & 1) out.push_back(0);
  return out;
}

bool SameFormat(const WaveFormat& a, const WaveFormat& b) {
  return a.formatTag == b.formatTag && a.channels == b.channels &&
         a.samplesPerSec == b.samplesPerSec && a.avgBytesPerSec == b.avgBytesPerSec &&
         a.blockAlign == b.blockAlign && a.bitsPerSample == b.bitsPerSample;
}

// A single voice at full volume adds nothing and clamps nothing: the output is the samples,
// repeated while it loops.
void CheckPlayback(const std::vector<int16_t>& samples) {
  const size_t frames = samples.size() / 2;
  MixerVoice voice(samples);
  Mixer mixer;
  mixer.Attach(&voice);
  voice.Play(true);
  const size_t mixed = std::min<size_t>(frames * 2 + 7, 5000);
  std::vector<int16_t> out(mixed * 2);
  mixer.Mix(out.data(), mixed);
  for (size_t i = 0; i < out.size(); ++i) FUZZ_CHECK(out[i] == samples[i % samples.size()]);
  FUZZ_CHECK(voice.IsPlaying() && voice.Position() == mixed % frames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto bytes = FuzzBytes(data, size);
  WaveData wave;
  if (!ParseWave(bytes, wave)) return 0;

  const WaveFormat& f = wave.format;
  FUZZ_CHECK(f.formatTag == 1 && f.channels > 0 && f.samplesPerSec > 0);
  FUZZ_CHECK(f.blockAlign > 0 && f.bitsPerSample > 0);
  FUZZ_CHECK(!wave.pcm.empty() && wave.pcm.size() % f.blockAlign == 0);
  FUZZ_CHECK(wave.pcm.data() >= data && wave.pcm.data() + wave.pcm.size() <= data + size);

  const std::vector<uint8_t> canonical = CanonicalWave(wave);
  WaveData again;
  FUZZ_CHECK(ParseWave(canonical, again));
  FUZZ_CHECK(SameFormat(again.format, f));
  FUZZ_CHECK(std::equal(again.pcm.begin(), again.pcm.end(), wave.pcm.begin(), wave.pcm.end()));

  const std::vector<int16_t> stereo = ConvertToStereo16(f, wave.pcm, kOutputRate);
  if (stereo.empty()) return 0;
  const bool supported =
      (f.channels == 1 || f.channels == 2) && (f.bitsPerSample == 8 || f.bitsPerSample == 16);
  FUZZ_CHECK(supported && stereo.size() % 2 == 0);
  const size_t frameBytes = size_t{f.channels} * f.bitsPerSample / 8;
  const uint64_t frames = wave.pcm.size() / frameBytes;
  FUZZ_CHECK(stereo.size() / 2 <= frames * kOutputRate / f.samplesPerSec);
  if (f.samplesPerSec == kOutputRate && f.bitsPerSample == 16) {
    FUZZ_CHECK(stereo.size() / 2 == frames);
    for (size_t i = 0; i < stereo.size(); ++i) {
      const size_t sample = f.channels == 2 ? i : i / 2;  // mono goes to both sides
      FUZZ_CHECK(stereo[i] == int16_t(wave.pcm[sample * 2] | wave.pcm[sample * 2 + 1] << 8));
    }
  }
  CheckPlayback(stereo);
  return 0;
}

#include "wave.h"

#include <algorithm>
#include <cmath>

#include "system/little_endian.h"

namespace {

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

double ToDb(double amplitude) { return 20.0 * std::log10(std::max(amplitude, 1e-9)); }

double Peak(const Stereo& sound) {
  double peak = 0;
  for (size_t i = 0; i < sound.Frames(); ++i)
    peak = std::max({peak, std::fabs(double{sound.left[i]}), std::fabs(double{sound.right[i]})});
  return peak;
}

double LoudestWindowRms(const Stereo& sound) {
  const size_t window = std::max<size_t>(1, std::min(sound.Frames(), size_t(sound.rate / 20)));
  double sum = 0, best = 0;
  for (size_t i = 0; i < sound.Frames(); ++i) {
    sum += double{sound.left[i]} * sound.left[i] + double{sound.right[i]} * sound.right[i];
    if (i >= window) {
      const size_t j = i - window;
      sum -= double{sound.left[j]} * sound.left[j] + double{sound.right[j]} * sound.right[j];
    }
    best = std::max(best, sum);
  }
  return std::sqrt(std::max(0.0, best) / (2.0 * window));
}

void Scale(Stereo& sound, double gain) {
  for (float& s : sound.left) s = static_cast<float>(s * gain);
  for (float& s : sound.right) s = static_cast<float>(s * gain);
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

int16_t ToSample(float v) {
  return static_cast<int16_t>(std::clamp(std::lround(double{v} * 32767.0), -32767L, 32767L));
}

}  // namespace

Levels Measure(const Stereo& sound) {
  double sum = 0;
  for (size_t i = 0; i < sound.Frames(); ++i)
    sum += double{sound.left[i]} * sound.left[i] + double{sound.right[i]} * sound.right[i];
  const double rms = sound.Frames() ? std::sqrt(sum / (2.0 * sound.Frames())) : 0;
  return {ToDb(Peak(sound)), ToDb(rms), ToDb(LoudestWindowRms(sound))};
}

double LoopSeamJump(const Stereo& sound) {
  if (sound.Frames() == 0) return 0;
  const size_t last = sound.Frames() - 1;
  return std::max(std::fabs(double{sound.left[last]} - sound.left[0]),
                  std::fabs(double{sound.right[last]} - sound.right[0]));
}

double StepQuantile(const Stereo& sound, double quantile) {
  std::vector<float> steps;
  steps.reserve(sound.Frames() * 2);
  for (size_t i = 1; i < sound.Frames(); ++i) {
    steps.push_back(std::fabs(sound.left[i] - sound.left[i - 1]));
    steps.push_back(std::fabs(sound.right[i] - sound.right[i - 1]));
  }
  if (steps.empty()) return 0;
  const size_t k = std::min(steps.size() - 1, static_cast<size_t>(quantile * steps.size()));
  std::nth_element(steps.begin(), steps.begin() + k, steps.end());
  return steps[k];
}

void ScaleToLoudness(Stereo& sound, double loudDb, double maxPeakDb) {
  const double loud = LoudestWindowRms(sound);
  const double peak = Peak(sound);
  if (loud <= 0 || peak <= 0) return;
  Scale(sound, std::min(DbToGain(loudDb) / loud, DbToGain(maxPeakDb) / peak));
}

std::vector<uint8_t> EncodeWave(const Stereo& sound) {
  const uint32_t dataBytes = static_cast<uint32_t>(sound.Frames() * 4);
  std::vector<uint8_t> out;
  out.reserve(kWaveHeaderSize + dataBytes);
  PutTag(out, "RIFF");
  PutLe32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe32(out, 16);
  PutLe16(out, 1);  // PCM
  PutLe16(out, 2);  // stereo
  PutLe32(out, sound.rate);
  PutLe32(out, sound.rate * 4);
  PutLe16(out, 4);   // block align
  PutLe16(out, 16);  // bits per sample
  PutTag(out, "data");
  PutLe32(out, dataBytes);
  for (size_t i = 0; i < sound.Frames(); ++i) {
    PutLe16(out, static_cast<uint16_t>(ToSample(sound.left[i])));
    PutLe16(out, static_cast<uint16_t>(ToSample(sound.right[i])));
  }
  return out;
}

#include "synth.h"

#include <algorithm>
#include <cmath>

float Noise::Next() {
  state_ = state_ * 1664525u + 1013904223u;
  return static_cast<float>((state_ >> 8) * (2.0 / 16777216.0) - 1.0);
}

double Oscillator::Advance(double frequency, int rate) {
  const double current = phase_;
  phase_ += frequency / rate;
  phase_ -= std::floor(phase_);
  return current;
}

double Oscillator::Sine(double frequency, int rate) {
  return std::sin(kTau * Advance(frequency, rate));
}

double Oscillator::Soft(double frequency, int rate) {
  const double p = kTau * Advance(frequency, rate);
  return std::sin(p) + std::sin(3 * p) / 6.0 + std::sin(5 * p) / 20.0;
}

float LowPass::Process(float input, double cutoff, int rate) {
  const double k = 1.0 - std::exp(-kTau * cutoff / rate);
  state_ += static_cast<float>(k * (input - state_));
  return state_;
}

double AttackDecay(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

namespace {

void PanGains(double pan, double& left, double& right) {
  const double angle = (std::clamp(pan, -1.0, 1.0) + 1) * kTau / 8;  // equal power
  left = std::cos(angle) * std::sqrt(2.0);
  right = std::sin(angle) * std::sqrt(2.0);
}

}  // namespace

void AddSignal(Stereo& out, double start, double length, double pan,
               const std::function<double(double)>& signal) {
  double left = 0, right = 0;
  PanGains(pan, left, right);
  const size_t first = static_cast<size_t>(std::max(0.0, start) * out.rate);
  const size_t last = std::min(out.Frames(), static_cast<size_t>((start + length) * out.rate));
  for (size_t i = first; i < last; ++i) {
    const double v = signal(static_cast<double>(i) / out.rate - start);
    out.left[i] += static_cast<float>(v * left);
    out.right[i] += static_cast<float>(v * right);
  }
}

void AddPartials(Stereo& out, const Note& note, std::span<const Partial> partials) {
  double longest = 0;
  for (const Partial& p : partials) longest = std::max(longest, p.decay);
  const double length = note.attack + longest * 9;  // down by about 80 dB
  AddSignal(out, note.start, length, note.pan, [&](double t) {
    double v = 0;
    for (const Partial& p : partials)
      v += p.gain * AttackDecay(t, note.attack, p.decay) *
           std::sin(kTau * note.frequency * p.ratio * t);
    return v * note.gain;
  });
}

void FadeOutEnd(Stereo& out, double seconds) {
  const size_t n = std::min(out.Frames(), static_cast<size_t>(seconds * out.rate));
  for (size_t k = 0; k < n; ++k) {
    const size_t i = out.Frames() - n + k;
    const float g = static_cast<float>(0.5 + 0.5 * std::cos(kTau / 2 * (k + 1) / n));
    out.left[i] *= g;
    out.right[i] *= g;
  }
}

double NoteFrequency(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

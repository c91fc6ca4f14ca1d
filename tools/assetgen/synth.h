// A small synthesiser for the sound effects: oscillators, envelopes, noise, and notes built
// from sine partials. Everything is computed from fixed seeds, so every run gives the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "wave.h"

constexpr double kTau = 6.283185307179586;

// White noise in -1..1 from our own generator, seeded per sound.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  float Next();

 private:
  uint32_t state_;
};

// Integrates its frequency sample by sample, so pitch glides stay continuous.
class Oscillator {
 public:
  double Sine(double frequency, int rate);
  // A triangle's odd harmonics, rounded off: softer than a square, brighter than a sine.
  double Soft(double frequency, int rate);

 private:
  double Advance(double frequency, int rate);
  double phase_ = 0;
};

// A one-pole low-pass filter.
class LowPass {
 public:
  float Process(float input, double cutoff, int rate);

 private:
  float state_ = 0;
};

// Rises linearly for `attack` seconds, then decays exponentially with time constant `decay`.
double AttackDecay(double t, double attack, double decay);

// A sine partial of a note: frequency ratio to the fundamental, level, decay time constant.
struct Partial {
  double ratio;
  double gain;
  double decay;
};

struct Note {
  double start;      // seconds
  double frequency;  // Hz
  double gain;
  double pan;     // -1 left .. 1 right
  double attack;  // seconds
};

// Adds a note made of decaying sine partials (bells, glass, plucks).
void AddPartials(Stereo& out, const Note& note, std::span<const Partial> partials);

// Adds `signal(t)` (t in seconds from `start`) for `length` seconds at `pan`.
void AddSignal(Stereo& out, double start, double length, double pan,
               const std::function<double(double)>& signal);

// Fades the last `seconds` of the sound to exact silence.
void FadeOutEnd(Stereo& out, double seconds);

double NoteFrequency(int midiNote);

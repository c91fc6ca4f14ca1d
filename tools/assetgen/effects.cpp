#include "effects.h"

#include <cmath>

#include "synth.h"

namespace {

// F major, the key of the play music, so effects never clash with it.
constexpr int kF6 = 89, kA6 = 93, kC6 = 84, kC7 = 96, kF7 = 101, kA7 = 105;

}  // namespace

Stereo CursorBlip(int rate, size_t frames) {
  Stereo out(rate, frames);
  Oscillator osc, overtone;
  const double pitch = NoteFrequency(kA6);
  AddSignal(out, 0, 0.4, 0, [&](double t) {
    // A slight drop into the note gives the blip its tick without a harsh click.
    const double glide = 1.0 + 0.08 * std::exp(-t / 0.006);
    const double env = AttackDecay(t, 0.002, 0.035);
    const double tick = 0.18 * std::exp(-t / 0.01) * overtone.Sine(2 * pitch * glide, rate);
    return env * (osc.Sine(pitch * glide, rate) + tick);
  });
  FadeOutEnd(out, 0.05);
  return out;
}

Stereo DecidePon(int rate, size_t frames) {
  Stereo out(rate, frames);
  // A round mallet tone: a strong fundamental, a soft octave, a brief knock of the fourth
  // partial. The first note is the whole "pon" when the sound is cut after 20 ms.
  static constexpr Partial kMallet[] = {{1, 1.0, 0.09}, {2, 0.28, 0.035}, {4, 0.12, 0.008}};
  AddPartials(out, {0.0, NoteFrequency(kC6), 0.9, -0.1, 0.0015}, kMallet);
  AddPartials(out, {0.075, NoteFrequency(kF6), 0.8, 0.1, 0.0015}, kMallet);
  FadeOutEnd(out, 0.08);
  return out;
}

Stereo DiamondChime(int rate, size_t frames) {
  Stereo out(rate, frames);
  // Glass: a clear fundamental and slightly stretched upper partials that die quickly.
  static constexpr Partial kGlass[] = {
      {1, 1.0, 0.075}, {2.01, 0.35, 0.04}, {3.02, 0.18, 0.025}, {4.2, 0.1, 0.015}};
  constexpr int kArpeggio[] = {kF6, kA6, kC7, kF7};
  for (int i = 0; i < 4; ++i) {
    const double start = 0.045 * i;
    AddPartials(out, {start, NoteFrequency(kArpeggio[i]), 0.55 + 0.1 * i, -0.3 + 0.2 * i, 0.002},
                kGlass);
  }
  FadeOutEnd(out, 0.06);
  return out;
}

Stereo MonsterPop(int rate, size_t frames) {
  Stereo out(rate, frames);
  Oscillator sweep;
  AddSignal(out, 0, 0.12, 0, [&](double t) {
    const double frequency = 260 * std::pow(5.5, std::min(t / 0.04, 1.0));
    return 0.9 * AttackDecay(t, 0.001, 0.028) * sweep.Sine(frequency, rate);
  });
  Noise noise(209);
  LowPass filter;
  AddSignal(out, 0, 0.06, 0, [&](double t) {
    return 0.5 * AttackDecay(t, 0.0005, 0.008) * filter.Process(noise.Next(), 2500, rate);
  });
  // The shimmer: a few high bell partials scattered over the first 80 ms, left and right.
  static constexpr Partial kTwinkle[] = {{1, 1.0, 0.045}, {2.76, 0.2, 0.02}};
  constexpr int kSparkle[] = {kC7, kF7, kA7, kF7 + 12, kA6 + 12, kC7 + 12};
  for (int i = 0; i < 6; ++i) {
    const double start = 0.02 + 0.012 * i + 0.004 * (noise.Next() + 1);
    const double pan = (i % 2 == 0 ? -0.6 : 0.6) * (0.5 + 0.25 * (noise.Next() + 1));
    AddPartials(out, {start, NoteFrequency(kSparkle[i]), 0.22, pan, 0.002}, kTwinkle);
  }
  FadeOutEnd(out, 0.05);
  return out;
}

Stereo EndingBwoop(int rate, size_t frames) {
  Stereo out(rate, frames);
  Oscillator voice;
  LowPass soften;
  AddSignal(out, 0, 0.46, 0, [&](double t) {
    // An exponential slide from about E5 down two and a half octaves, with a comic wobble.
    const double slide = 660 * std::pow(110.0 / 660.0, std::min(t / 0.38, 1.0));
    const double wobble = 1 + 0.035 * std::sin(kTau * 11 * t);
    const double env = AttackDecay(t, 0.008, 0.5) * (t < 0.33 ? 1.0 : std::exp(-(t - 0.33) / 0.04));
    return env * soften.Process(static_cast<float>(voice.Soft(slide * wobble, rate)), 1800, rate);
  });
  Oscillator thump;
  AddSignal(out, 0, 0.15, 0, [&](double t) {
    return 0.6 * AttackDecay(t, 0.002, 0.03) * thump.Sine(90 - 40 * t, rate);
  });
  FadeOutEnd(out, 0.04);
  return out;
}

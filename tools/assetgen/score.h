// Music as note data, and its offline performance with FluidSynth and a General MIDI
// sound font (fixed settings, no audio driver, no chorus: the same notes give the same bytes).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "wave.h"

constexpr int kDrumChannel = 9;

struct Instrument {
  int channel;
  int program;  // General MIDI, counted from 0
  int volume;   // controller 7
  int pan;      // controller 10: 0 left, 64 centre, 127 right
  int reverb;   // controller 91
};

struct NoteEvent {
  double beat;
  double length;  // beats
  int channel;
  int key;  // MIDI note
  int velocity;
};

struct Score {
  double secondsPerBeat = 0.5;
  std::vector<Instrument> instruments;
  std::vector<NoteEvent> notes;

  // Adds a line written as "key:beats" tokens, for example "C5:0.5 F5+A5:1 r:2".
  // Keys are letter, optional # or b, octave (C4 = 60); "+" stacks a chord; "r" rests.
  // `gate` shortens each note to that share of its written length (staccato below 1).
  // Returns the beat after the line.
  double AddLine(int channel, double beat, std::string_view text, int velocity, double gate = 0.92);
  void AddNote(int channel, double beat, double length, int key, int velocity);
};

// Parses one key name such as "Bb4" or "F#5" into a MIDI note; throws on nonsense.
int ParseKey(std::string_view name);

// Plays the score into `frames` frames at `rate`. A looping score is played on past its end
// for `tailSeconds`, and that ringing tail is mixed into its start, as it sounds when the
// buffer repeats. A one-shot score should have died away by its end; its last `fadeSeconds`
// are faded to silence all the same, so that a ringing reverb never ends in a click.
Stereo PerformLoop(const Score& score, int rate, size_t frames, double tailSeconds = 4.0);
Stereo PerformOnce(const Score& score, int rate, size_t frames, double fadeSeconds = 0.05);

#include "songs.h"

#include <string_view>

#include "score.h"

namespace {

// General MIDI programs (counted from 0) and drum keys.
// clang-format off
enum Program {
  kBrightPiano = 1, kElectricPiano = 4, kGlockenspiel = 9, kMusicBox = 10,
  kVibraphone = 11, kMarimba = 12, kNylonGuitar = 24, kFingerBass = 33, kFretlessBass = 35,
  kPizzicato = 45, kStrings = 48, kSlowStrings = 49, kTrumpet = 56, kBrass = 61, kFlute = 73,
};
enum Drum { kKick = 36, kSideStick = 37, kSnare = 38, kClosedHat = 42, kPedalHat = 44,
            kOpenHat = 46, kCrash = 49, kRide = 51, kTambourine = 54, kTriangle = 81 };
// clang-format on

// Channels: melody, chords, bass, sparkle, pad; drums are on channel 9.
constexpr int kLead = 0, kChords = 1, kBass = 2, kSparkle = 3, kPad = 4;

double SecondsPerBeat(size_t frames, int rate, double beats) {
  return static_cast<double>(frames) / rate / beats;
}

// A chord symbol for a stretch of beats: root key, and the chord tones above it.
struct Chord {
  int root;          // bass key (octave 2)
  int third, fifth;  // semitones above the root
  double beats;
};

// The bass walks root, octave and fifth in a driving eighth-note figure.
void LivelyBass(Score& s, double beat, const Chord& c) {
  static constexpr struct {
    double at, len;
    int step;
  } kFigure[] = {{0, 0.75, 0}, {0.75, 0.25, 0}, {1, 0.5, 12}, {1.5, 0.5, 7},
                 {2, 0.75, 0}, {2.75, 0.25, 0}, {3, 0.5, 12}, {3.5, 0.5, 7}};
  for (const auto& f : kFigure) {
    if (f.at >= c.beats) break;
    s.AddNote(kBass, beat + f.at, f.len * 0.85, c.root + f.step, f.at == 0 ? 100 : 86);
  }
}

// Off-beat chord stabs, in the octave above middle C.
void OffbeatStabs(Score& s, double beat, const Chord& c) {
  const int base = c.root + 24;
  for (double at = 0.5; at < c.beats; at += 1.0)
    for (int tone : {0, c.third, c.fifth}) s.AddNote(kChords, beat + at, 0.3, base + tone, 74);
}

void LivelyDrums(Score& s, double beat, int bar) {
  for (int b = 0; b < 4; ++b) {
    s.AddNote(kDrumChannel, beat + b, 0.2, b % 2 == 0 ? kKick : kSnare, b % 2 == 0 ? 100 : 84);
    s.AddNote(kDrumChannel, beat + b, 0.2, kClosedHat, 62);
    s.AddNote(kDrumChannel, beat + b + 0.5, 0.2, kClosedHat, 46);
  }
  s.AddNote(kDrumChannel, beat + 2.5, 0.2, kKick, 80);
  if (bar % 4 == 3) s.AddNote(kDrumChannel, beat + 3.5, 0.4, kOpenHat, 60);
  if (bar == 0) s.AddNote(kDrumChannel, beat, 1.0, kCrash, 70);
}

}  // namespace

// Twelve bars in F major that end on the dominant, so the last bar leads back into the first.
Stereo PlayMusic(int rate, size_t frames) {
  constexpr double kBars = 12;
  Score s;
  s.secondsPerBeat = SecondsPerBeat(frames, rate, kBars * 4);  // about 136 BPM
  s.instruments = {{kLead, kMarimba, 112, 70, 40},    {kChords, kPizzicato, 86, 44, 50},
                   {kBass, kFingerBass, 104, 64, 20}, {kSparkle, kGlockenspiel, 64, 84, 70},
                   {kPad, kStrings, 58, 58, 70},      {kDrumChannel, 0, 92, 64, 30}};
  constexpr int F2 = 41, G2 = 43, Bb2 = 46, C2 = 36, D2 = 38;
  const Chord chords[] = {{F2, 4, 7, 4}, {C2, 4, 7, 4},  {D2, 3, 7, 4},  {Bb2, 4, 7, 4},
                          {F2, 4, 7, 4}, {C2, 4, 7, 4},  {Bb2, 4, 7, 4}, {C2, 4, 7, 4},
                          {D2, 3, 7, 4}, {Bb2, 4, 7, 4}, {G2, 3, 7, 2},  {C2, 4, 7, 2},
                          {C2, 4, 10, 4}};
  double beat = 0;
  int bar = 0;
  for (const Chord& c : chords) {
    LivelyBass(s, beat, c);
    OffbeatStabs(s, beat, c);
    if (static_cast<int>(beat) % 4 == 0) LivelyDrums(s, beat, bar++);
    beat += c.beats;
  }
  constexpr std::string_view kMelody =
      "C5:0.5 F5:0.5 A5:0.5 G5:0.5 F5:1 C5:1 "
      "E5:0.5 G5:0.5 C6:0.5 Bb5:0.5 A5:1 G5:1 "
      "F5:0.5 A5:0.5 D6:0.5 C6:0.5 A5:1 F5:0.5 G5:0.5 "
      "F5:1.5 D5:0.5 Bb4:1 C5:1 "
      "A4:0.5 C5:0.5 F5:0.5 A5:0.5 C6:1 A5:1 "
      "G5:0.5 A5:0.5 G5:0.5 E5:0.5 C5:1 E5:1 "
      "D5:0.5 F5:0.5 Bb5:0.5 A5:0.5 G5:1 F5:1 "
      "E5:1 G5:1 C6:2 "
      "D6:0.5 C6:0.5 A5:0.5 F5:0.5 D5:1 F5:1 "
      "Bb5:0.5 A5:0.5 F5:0.5 D5:0.5 Bb4:1 D5:1 "
      "G5:1 Bb5:1 C6:1 Bb5:0.5 A5:0.5 "
      "G5:1 E5:0.5 F5:0.5 G5:1.5 r:0.5";
  s.AddLine(kLead, 0, kMelody, 104, 0.85);
  // Soft strings add a slow counter-line of chord tones in the second half, for lift.
  s.AddLine(kPad, 24, "D4:2 F4:2 E4:2 G4:2 F4:2 A4:2 F4:2 D4:2 D4:2 E4:2 E4:2 r:2", 70, 0.95);
  s.AddLine(kSparkle, 14, "D6:0.5 F6:0.5", 70);
  s.AddLine(kSparkle, 30, "E6:0.5 G6:0.5", 70);
  s.AddLine(kSparkle, 46, "E6:0.5 G6:0.5 C7:0.5 r:0.5", 64);
  return PerformLoop(s, rate, frames);
}

// Sixteen calm bars: electric piano, a flute tune, a round bass and brushed time.
Stereo MusicRoomTrack(int rate, size_t frames) {
  constexpr double kBars = 16;
  Score s;
  s.secondsPerBeat = SecondsPerBeat(frames, rate, kBars * 4);  // about 125 BPM
  s.instruments = {{kLead, kFlute, 96, 72, 70},        {kChords, kElectricPiano, 84, 54, 60},
                   {kBass, kFretlessBass, 98, 64, 30}, {kSparkle, kVibraphone, 62, 88, 80},
                   {kPad, kSlowStrings, 52, 64, 80},   {kDrumChannel, 0, 70, 64, 40}};
  constexpr int F2 = 41, A2 = 45, Bb2 = 46, C2 = 36, D2 = 38, G2 = 43;
  const Chord chords[] = {{F2, 4, 7, 4},  {A2, 3, 7, 4}, {Bb2, 4, 7, 4}, {C2, 4, 7, 4},
                          {D2, 3, 7, 4},  {A2, 3, 7, 4}, {Bb2, 4, 7, 4}, {C2, 4, 7, 4},
                          {Bb2, 4, 7, 4}, {C2, 4, 7, 4}, {A2, 3, 7, 4},  {D2, 3, 7, 4},
                          {G2, 3, 7, 4},  {C2, 4, 7, 4}, {F2, 4, 7, 4},  {C2, 4, 10, 4}};
  double beat = 0;
  for (const Chord& c : chords) {
    const int base = c.root + 24;
    // Piano: a chord on one, then gently broken tones.
    for (int tone : {0, c.third, c.fifth}) s.AddNote(kChords, beat, 1.8, base + tone, 66);
    s.AddNote(kChords, beat + 2, 0.9, base + c.fifth, 56);
    s.AddNote(kChords, beat + 2.5, 0.9, base + 12, 52);
    s.AddNote(kChords, beat + 3, 0.9, base + c.third + 12, 50);
    s.AddNote(kPad, beat, 3.9, base + c.third, 48);
    s.AddNote(kBass, beat, 1.8, c.root + 12, 92);
    s.AddNote(kBass, beat + 2, 0.9, c.root + 19, 80);
    s.AddNote(kBass, beat + 3, 0.9, c.root + 24, 76);
    for (int b = 0; b < 4; ++b) {
      s.AddNote(kDrumChannel, beat + b, 0.2, b % 2 == 0 ? kKick : kSideStick, b % 2 == 0 ? 64 : 56);
      s.AddNote(kDrumChannel, beat + b, 0.2, kRide, 40);
      s.AddNote(kDrumChannel, beat + b + 0.67, 0.2, kPedalHat, 30);
    }
    beat += c.beats;
  }
  constexpr std::string_view kTune =
      "A5:1.5 G5:0.5 F5:1 C5:1 E5:2 C5:2 D5:1.5 F5:0.5 Bb5:1 A5:1 G5:4 "
      "F5:1.5 E5:0.5 D5:1 A4:1 C5:2 E5:2 F5:1 G5:1 A5:1 Bb5:1 C6:3 r:1 "
      "D6:1.5 C6:0.5 Bb5:1 F5:1 C6:1.5 Bb5:0.5 A5:1 E5:1 A5:1.5 G5:0.5 E5:1 C5:1 F5:2 A5:2 "
      "Bb5:1 A5:1 G5:1 D5:1 E5:2 G5:2 F5:3 r:1 E5:1 F5:1 G5:1 C5:1";
  s.AddLine(kLead, 0, kTune, 88, 0.95);
  s.AddLine(kSparkle, 28, "C6:1 E6:1 G6:1 C7:1", 56);
  s.AddLine(kSparkle, 56, "A6:1 F6:1 C6:2", 56);
  return PerformLoop(s, rate, frames);
}

// "Ready, go!": two short calls, a run up, and the tonic with a crash, in the tempo of the
// play music so the loop that follows sounds like its answer.
Stereo StartJingle(int rate, size_t frames) {
  Score s;
  s.secondsPerBeat = 60.0 / 136;
  s.instruments = {{kLead, kBrass, 104, 64, 40},
                   {kSparkle, kGlockenspiel, 80, 80, 60},
                   {kBass, kFingerBass, 104, 64, 20},
                   {kDrumChannel, 0, 96, 64, 30}};
  s.AddLine(kLead, 0, "C4+E4+G4+C5:0.5 r:0.5 C4+E4+G4+C5:0.5 r:0.25 C5:0.25 D5:0.25 E5:0.25", 100,
            0.6);
  s.AddLine(kLead, 2, "F4+A4+C5+F5:1.4", 112, 1.0);
  s.AddLine(kSparkle, 2, "F6:0.25 A6:0.25 C7:0.25 F7:0.5", 84);
  s.AddLine(kBass, 0, "C2:0.5 r:0.5 C2:0.5 r:0.5 F2:1.4", 104, 0.8);
  // On the drum channel C2 is the kick and D2 the snare.
  s.AddLine(kDrumChannel, 0, "C2+D2:0.5 r:0.5 C2+D2:0.5 r:0.25 D2:0.25 D2:0.25 D2:0.25", 100, 0.5);
  s.AddNote(kDrumChannel, 2, 1.0, kCrash, 96);
  s.AddNote(kDrumChannel, 2, 0.3, kKick, 110);
  return PerformOnce(s, rate, frames);
}

// A bright upward flourish that settles on a ringing F major chord.
Stereo TitleJingle(int rate, size_t frames) {
  Score s;
  s.secondsPerBeat = 60.0 / 150;
  s.instruments = {{kLead, kMarimba, 110, 60, 50},
                   {kSparkle, kGlockenspiel, 88, 84, 70},
                   {kChords, kBrightPiano, 88, 44, 60},
                   {kBass, kPizzicato, 96, 64, 40},
                   {kDrumChannel, 0, 80, 64, 40}};
  s.AddLine(kLead, 0, "F4:0.25 A4:0.25 C5:0.25 F5:0.25 A5:0.25 C6:0.25 A5:0.25 C6:0.25 F6:2", 104);
  s.AddLine(kSparkle, 2, "C7:0.5 F7:1.5", 80);
  s.AddLine(kChords, 2, "F4+A4+C5+F5:2", 92, 1.0);
  s.AddLine(kBass, 2, "F2+F3:2", 100, 1.0);
  s.AddNote(kDrumChannel, 2, 1.0, kTriangle, 80);
  s.AddNote(kDrumChannel, 0, 0.5, kTambourine, 60);
  s.AddNote(kDrumChannel, 1, 0.5, kTambourine, 60);
  return PerformOnce(s, rate, frames);
}

// A gentle, wistful cadence: Bb, its minor shadow, home to F, on a music box over strings.
Stereo GameOverJingle(int rate, size_t frames) {
  Score s;
  s.secondsPerBeat = 60.0 / 132;
  s.instruments = {{kLead, kMusicBox, 104, 64, 80},
                   {kPad, kStrings, 70, 64, 70},
                   {kBass, kNylonGuitar, 80, 54, 60}};
  s.AddLine(kLead, 0, "D6:0.5 F6:0.5 Db6:0.5 F6:0.5 C6:1.2", 96, 1.0);
  s.AddLine(kPad, 0, "Bb3+D4+F4:1 Bb3+Db4+F4:1 A3+C4+F4:1", 72, 1.0);
  s.AddLine(kBass, 0, "Bb2:1 Bb2:1 F2:1", 84, 1.0);
  return PerformOnce(s, rate, frames, 0.35);  // the last chord is let go gently
}

// A short cheerful call, kept with the game's sounds as a spare.
Stereo SpareJingle(int rate, size_t frames) {
  Score s;
  s.secondsPerBeat = 60.0 / 136;
  s.instruments = {{kLead, kMarimba, 110, 64, 50},
                   {kSparkle, kGlockenspiel, 80, 84, 70},
                   {kBass, kPizzicato, 90, 50, 40}};
  s.AddLine(kLead, 0, "C5:0.25 D5:0.25 E5:0.25 G5:0.25 F5+A5:1", 104);
  s.AddLine(kSparkle, 1, "F6:1", 76);
  s.AddLine(kBass, 1, "F3+C4:1", 90);
  return PerformOnce(s, rate, frames);
}

// A spare fanfare (a new best score, should the game ever want one): triplet calls, then
// a held chord that rises a step.
Stereo SpareFanfare(int rate, size_t frames) {
  Score s;
  s.secondsPerBeat = 60.0 / 136;
  s.instruments = {{kLead, kTrumpet, 104, 64, 50},
                   {kChords, kBrass, 86, 50, 50},
                   {kBass, kFingerBass, 96, 64, 20},
                   {kDrumChannel, 0, 88, 64, 40}};
  s.AddLine(kLead, 0, "C5:0.333 C5:0.333 C5:0.334 F5:1 A5:0.5 G5:0.5 F5:0.8", 104, 0.85);
  s.AddLine(kChords, 1, "F3+A3+C4:1 Bb3+D4+F4:1 A3+C4+F4:0.8", 84, 0.95);
  s.AddLine(kBass, 1, "F2:1 Bb2:1 F2:0.8", 96, 0.9);
  s.AddNote(kDrumChannel, 1, 0.3, kKick, 100);
  s.AddNote(kDrumChannel, 3, 1.0, kCrash, 84);
  s.AddLine(kDrumChannel, 0, "D2:0.333 D2:0.333 D2:0.334", 84, 0.5);
  return PerformOnce(s, rate, frames, 0.2);
}

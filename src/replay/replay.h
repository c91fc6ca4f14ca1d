// One game as a file: where its random numbers began, the buttons held in every frame from the
// play's creation to its end, its pauses, its result and hashes of its state along the way.
//
// Frames count from 0, the frame in which the play was created (its first update). In every
// later frame the play takes that frame's buttons and then updates, except that
//   - in the frame a pause begins it takes the buttons but does not update;
//   - while paused it does neither (the buttons drive the pause menu);
//   - in the frame it resumes it updates without taking the buttons.
// The hold counters are those of the buttons as frame 0 began, so that a button held since the
// title repeats in the play as it did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// How a game ended: pushed out at the left edge, touched by a monster, or left unfinished when
// the program closed (during the play or under the pause menu).
enum class GameEnd : uint8_t { CutOff = 1, Caught = 2, Quit = 3 };

struct ReplayResult {
  int32_t score = 0;
  int32_t distance = 0;
  int32_t longestChain = 0;  // the longest run of diamonds picked up
  uint32_t playFrames = 0;   // frames in which the play updated: pauses do not count
  GameEnd end = GameEnd::Quit;

  bool operator==(const ReplayResult&) const = default;
};

// The buttons held (bit b for Button b) in each of `frames` frames in a row.
struct InputRun {
  uint16_t buttons = 0;
  uint32_t frames = 0;

  bool operator==(const InputRun&) const = default;
};

// The play was suspended in frame `begin` and updated again in frame `resume` (equal to the
// replay's frame count when the game ended while paused).
struct Pause {
  uint32_t begin = 0;
  uint32_t resume = 0;

  bool operator==(const Pause&) const = default;
};

// The pointer (mouse or first finger) in a frame whose record is not "no pointer input": where
// it was on the 800 x 600 game screen and whether it was down or had tapped. Frames without
// one repeat the last position with nothing down.
struct PointerSample {
  static constexpr uint8_t kDown = 1;
  static constexpr uint8_t kTapped = 2;  // down and up again within the frame

  uint32_t frame = 0;
  uint16_t x = 0;
  uint16_t y = 0;
  uint8_t flags = 0;

  bool operator==(const PointerSample&) const = default;
};

struct Replay {
  // One checkpoint hash after every this many play frames.
  static constexpr uint32_t kCheckpointFrames = 250;
  // Limits on what a file may hold, so that a hostile one costs bounded memory and time:
  // about 5.5 hours of play, two days in all, and 1 MiB.
  static constexpr uint32_t kMaxPlayFrames = 1'000'000;
  static constexpr uint32_t kMaxFrames = 10'000'000;
  static constexpr size_t kMaxFileBytes = 1 << 20;
  static constexpr size_t kMaxVersionBytes = 32;
  static constexpr int kButtons = 9;
  static constexpr int32_t kMaxHoldFrames = 10;
  // The game screen, which pointer positions lie on.
  static constexpr uint16_t kScreenWidth = 800, kScreenHeight = 600;

  std::string gameVersion;  // of the program that played the game, e.g. "1.0.0"
  uint32_t seed = 0;        // the random generator's state as the play was created
  uint8_t holdFrames[kButtons] = {};
  std::vector<InputRun> input;         // covers every frame, in order
  std::vector<Pause> pauses;           // in order
  std::vector<PointerSample> pointer;  // in frame order
  ReplayResult result;
  std::vector<uint64_t> checkpoints;  // after play frames 250, 500, ...

  uint32_t Frames() const;
  // The play frames the input and the pauses give: every frame but the paused ones.
  uint32_t PlayFramesOf() const;
  bool operator==(const Replay&) const = default;
};

// The file's bytes. The replay must be well formed (ReplayProblem names what is not).
std::vector<uint8_t> EncodeReplay(const Replay& replay);

// Reads a file's bytes. False, with a one-line reason, for anything but a whole, undamaged
// replay file of a format this program knows, within the limits above.
bool DecodeReplay(std::span<const uint8_t> bytes, Replay& replay, std::string& error);

// What makes a replay impossible (runs that do not cover its frames, pauses out of order, a
// result that disagrees with them...); empty when it is well formed.
std::string ReplayProblem(const Replay& replay);

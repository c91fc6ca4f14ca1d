// Plays a replay again with the game's own rules, without a screen, a sound or a clock, and
// says whether it reaches what it claims. This is what a ranking server links: it takes bytes
// from anywhere, and its memory and time are bounded by the replay's limits (Replay::kMax...).
//
// It drives the game's global state (the character tables, the random generator, the save
// record the rules write to): one verification at a time in a process.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "replay/replay.h"

// The version of this program, written into the replays it records.
const char* GameVersion();

struct Verification {
  bool ok = false;
  ReplayResult reached;            // what the game reached when played again
  uint32_t frames = 0;             // frames played again, pauses included
  int32_t firstBadCheckpoint = 0;  // 1 for the first checkpoint (play frame 250); 0 when none
  std::string reason;              // one line on why it failed; empty when ok
};

// Plays a well-formed replay (DecodeReplay's) again and compares every checkpoint and the
// result.
Verification VerifyReplay(const Replay& replay);

// Reads the bytes of a replay file and plays it again. A file that does not read is not ok,
// with the reader's reason.
Verification VerifyReplayFile(std::span<const uint8_t> bytes);

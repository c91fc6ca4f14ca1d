// What the server asks of a replay: what it claims, read without playing it, and the verdict of
// playing it again with the game's own play code.
#pragma once

#include <cstdint>
#include <span>
#include <string>

struct RunClaims {
  uint32_t seed = 0;
  std::string gameVersion;
  int64_t playFrames = 0;
};

struct Verdict {
  bool ok = false;
  std::string error;          // why the replay is not accepted, in one line
  bool workerFailed = false;  // the verifier itself failed (crashed, out of time): no verdict
  // What the replay reached when played again: the result that ranks.
  int64_t score = 0;
  int64_t distance = 0;
  int64_t longestChain = 0;
  int64_t playFrames = 0;
};

// Reads the file's header and record, bounded by the replay file's own limits; false with the
// reason for anything that is not a whole, undamaged replay.
bool ReadRunClaims(std::span<const uint8_t> bytes, RunClaims& claims, std::string& error);

// Plays the replay from its seed with its input, and accepts it only when every checkpoint and
// the result match what it records. Its cost grows with the replay's frames: the worker process
// that calls it runs under CPU and memory limits.
Verdict VerifyRun(std::span<const uint8_t> bytes);

// The game version whose runs this server plays, and so ranks.
std::string VerifiedGameVersion();

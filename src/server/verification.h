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

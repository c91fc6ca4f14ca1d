// The one place the server meets the game's code: the replay file's reader, and the replay
// library that plays a game again without a screen.
#include "server/verification.h"

#include "replay/replay.h"
#include "replay/verify.h"

bool ReadRunClaims(std::span<const uint8_t> bytes, RunClaims& claims, std::string& error) {
  Replay replay;
  if (!DecodeReplay(bytes, replay, error)) return false;
  claims.seed = replay.seed;
  claims.gameVersion = replay.gameVersion;
  claims.playFrames = replay.result.playFrames;
  return true;
}

Verdict VerifyRun(std::span<const uint8_t> bytes) {
  const Verification verification = VerifyReplayFile(bytes);
  Verdict verdict;
  verdict.ok = verification.ok;
  verdict.error = verification.reason;
  verdict.score = verification.reached.score;
  verdict.distance = verification.reached.distance;
  verdict.longestChain = verification.reached.longestChain;
  verdict.playFrames = verification.reached.playFrames;
  return verdict;
}

std::string VerifiedGameVersion() { return GameVersion(); }

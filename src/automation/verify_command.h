// moravin --verify FILE...: plays each replay file again without a window, a sound or a clock
// and prints one JSON line per file.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Prints {"file","ok","score","distance","playFrames","checkpoint","reason"} for each file to
// `out`: what the game reaches when the replay is played again, the first checkpoint that
// differs (null when none) and why it failed (only when it did). Returns the exit code: 0 when
// every file matched its recorded result, 1 otherwise.
int VerifyReplayFiles(const std::vector<std::string>& paths, std::FILE* out);

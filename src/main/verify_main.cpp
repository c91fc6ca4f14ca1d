// The replay verifier alone, for a system that runs the game's code without its window: node,
// which runs the browser build's WebAssembly. moravin-verify FILE... prints what moravin
// --verify FILE... prints.
#include <cstdio>
#include <string>
#include <vector>

#include "automation/verify_command.h"

int main(int argc, char** argv) {
  return VerifyReplayFiles(std::vector<std::string>(argv + 1, argv + argc), stdout);
}

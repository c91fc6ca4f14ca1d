// assetgen: writes every bitmap, sound and the icon of the game, or review contact sheets.
//   assetgen OUTPUT_DIR                 all resources and the source file that embeds them
//   assetgen --contact-sheets DIR       one PNG per bitmap with its cuts outlined
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "contact_sheet.h"
#include "resource_set.h"

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
  try {
    if (argc == 3 && std::string(argv[1]) == "--contact-sheets") {
      WriteContactSheets(argv[2]);
    } else if (argc == 2 && argv[1][0] != '-') {
      WriteResources(argv[1]);
    } else {
      std::fprintf(stderr, "usage: assetgen OUTPUT_DIR | assetgen --contact-sheets DIR\n");
      return 2;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  std::printf("assetgen: done in %.2f s\n", elapsed.count());
  return 0;
}

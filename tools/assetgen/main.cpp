// assetgen: writes every bitmap, sound and the icon of the game, or review contact sheets.
//   assetgen OUTPUT_DIR [--font FILE] [--proportional-font FILE] [--pack-waves] [--fetch-later]
//                                       all resources and the sources that embed them, with
//                                       the fonts to carry and the sounds packed if asked; all
//                                       but the first scene's in files fetched later
//   assetgen --contact-sheets DIR       one PNG per bitmap with its cuts outlined
//   assetgen --sound-report             levels of every sound and the loop seams of the music
//   assetgen --desktop-icons DIR NAME   the application icons of a Linux desktop (hicolor theme)
//   assetgen --windows-icon FILE        the icon of the Windows executable (.ico)
//   assetgen --web-icons DIR RRGGBB     the icons of the web page's manifest, the maskable one
//                                       on that background colour
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "contact_sheet.h"
#include "desktop_icons.h"
#include "resource_set.h"
#include "sounds.h"
#include "windows_icon.h"

namespace {

// The listening proxy: how loud each sound is, and how its loop point compares with the
// ordinary sample-to-sample movement of the music.
void PrintSoundReport() {
  for (const WaveSpec& spec : WaveSpecs()) {
    const Stereo sound = RenderSound(spec.id);
    const Levels levels = Measure(sound);
    std::printf("%d  %5d Hz %6.2f s  peak %6.2f dBFS  rms %6.2f dBFS  loudest 50 ms %6.2f dBFS",
                spec.id, spec.rate, spec.seconds, levels.peakDb, levels.rmsDb, levels.loudDb);
    if (spec.loops)
      std::printf("  seam jump %.5f, median step %.5f, 99%% step %.5f", LoopSeamJump(sound),
                  StepQuantile(sound, 0.5), StepQuantile(sound, 0.99));
    std::printf("\n");
  }
}

bool ReadEmbedOptions(int count, char** args, EmbedOptions& options) {
  for (int i = 0; i < count; ++i) {
    const std::string arg = args[i];
    if (arg == "--pack-waves") {
      options.packWaves = true;
    } else if (arg == "--fetch-later") {
      options.fetchLater = true;
    } else if (arg == "--font" && i + 1 < count) {
      options.font = args[++i];
    } else if (arg == "--proportional-font" && i + 1 < count) {
      options.proportionalFont = args[++i];
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
  try {
    if (argc == 3 && std::string(argv[1]) == "--contact-sheets") {
      WriteContactSheets(argv[2]);
    } else if (argc == 4 && std::string(argv[1]) == "--desktop-icons") {
      WriteDesktopIcons(argv[2], argv[3]);
    } else if (argc == 3 && std::string(argv[1]) == "--windows-icon") {
      WriteWindowsIcon(argv[2]);
    } else if (argc == 4 && std::string(argv[1]) == "--web-icons") {
      WriteWebIcons(argv[2], static_cast<uint32_t>(std::stoul(argv[3], nullptr, 16)));
    } else if (argc == 2 && std::string(argv[1]) == "--sound-report") {
      PrintSoundReport();
    } else if (EmbedOptions options;
               argc >= 2 && argv[1][0] != '-' && ReadEmbedOptions(argc - 2, argv + 2, options)) {
      WriteResources(argv[1], options);
    } else {
      std::fprintf(
          stderr,
          "usage: assetgen OUTPUT_DIR [--font FILE] [--proportional-font FILE] "
          "[--pack-waves] [--fetch-later] | --contact-sheets DIR | --desktop-icons DIR NAME | "
          "--windows-icon FILE | --web-icons DIR RRGGBB | --sound-report\n");
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

// The command line of the moravin executable. Apart from the language, every option is an
// addition for automation and testing: with none given the game runs exactly as it always does.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_settings.h"
#include "system/language.h"

// Write the picture on screen after frame `frame` to the PNG file `path`.
struct ScreenshotRequest {
  uint32_t frame = 0;
  std::string path;
};

struct Options {
  bool help = false;
  bool version = false;
  bool headless = false;
  std::optional<Language> language;  // --lang; without it the user's preferred language
  uint32_t frameLimit = 0;  // close the window after this many frames; 0 = run until closed
  bool autoplay = false;    // the game plays itself
  uint32_t games = 0;       // with autoplay: close after this many games; 0 = no limit
  uint32_t menuTours = 0;   // with autoplay: frames between visits to the menus; 0 = none
  RunSettings run;
  std::string inputPath;   // scripted keyboard, empty = the real keyboard
  std::string recordPath;  // where to record the keys held, empty = no recording
  std::string tracePath;   // per-frame JSON Lines trace, empty = none
  std::string statsPath;   // frame statistics written at exit, empty = none
  std::vector<ScreenshotRequest> screenshots;
  std::string replayPath;                // a replay to watch, empty = none
  std::vector<std::string> verifyPaths;  // replays to verify instead of running the game
};

// Parses the arguments after the program name. False with a one-line message in `error` when an
// option is unknown, lacks its value or has a malformed one.
bool ParseOptions(std::span<const std::string_view> args, Options& options, std::string& error);

// The text `moravin --help` prints.
std::string HelpText();

#include "automation/options.h"

#include <charconv>
#include <set>

namespace {

// Highest accepted --fps: beyond it a frame would be shorter than the pacing's millisecond clock
// can hold to.
constexpr uint32_t kMaxFps = 1000;

// Parses a whole decimal number in [min, max]; no sign, no spaces, no trailing characters.
bool ParseNumber(std::string_view text, uint32_t min, uint32_t max, uint32_t& value) {
  if (text.empty() || text.front() == '+' || text.front() == '-') return false;
  uint32_t parsed = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  if (parsed < min || parsed > max) return false;
  value = parsed;
  return true;
}

bool ParseScreenshot(std::string_view text, ScreenshotRequest& request) {
  size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon + 1 == text.size()) return false;
  if (!ParseNumber(text.substr(0, colon), 1, UINT32_MAX, request.frame)) return false;
  request.path = std::string(text.substr(colon + 1));
  return true;
}

class Parser {
 public:
  Parser(Options& options, std::string& error) : options_(options), error_(error) {}

  bool Flag(std::string_view name) {
    if (name == "--help" || name == "-h") return options_.help = true;
    if (name == "--version") return options_.version = true;
    if (name == "--headless") return options_.headless = true;
    if (name == "--autoplay") return options_.autoplay = true;
    return Fail("unknown option '" + std::string(name) + "' (see --help)");
  }

  bool Valued(std::string_view name, std::string_view value) {
    if (name != "--screenshot" && !seen_.insert(std::string(name)).second)
      return Fail("option " + std::string(name) + " given twice");
    if (name == "--frames")
      return ParseNumber(value, 1, UINT32_MAX, options_.frameLimit) ||
             Fail("--frames needs a whole number of frames from 1, not '" + std::string(value) +
                  "'");
    if (name == "--seed") {
      options_.run.seedGiven = true;
      return ParseNumber(value, 0, UINT32_MAX, options_.run.seed) ||
             Fail("--seed needs a whole number from 0 to 4294967295, not '" + std::string(value) +
                  "'");
    }
    if (name == "--fps") {
      uint32_t fps = 0;
      if (!ParseNumber(value, 0, kMaxFps, fps))
        return Fail("--fps needs a whole number from 0 to 1000, not '" + std::string(value) + "'");
      options_.run.fps = static_cast<int32_t>(fps);
      return true;
    }
    if (name == "--games")
      return ParseNumber(value, 1, UINT32_MAX, options_.games) ||
             Fail("--games needs a whole number of games from 1, not '" + std::string(value) + "'");
    if (name == "--menu-tours")
      return ParseNumber(value, 1, UINT32_MAX, options_.menuTours) ||
             Fail("--menu-tours needs a whole number of frames from 1, not '" + std::string(value) +
                  "'");
    if (name == "--input") return Path(name, value, options_.inputPath);
    if (name == "--record") return Path(name, value, options_.recordPath);
    if (name == "--trace") return Path(name, value, options_.tracePath);
    if (name == "--replay") return Path(name, value, options_.replayPath);
    if (name == "--save-dir") return Path(name, value, options_.run.saveDir);
    if (name == "--lang") {
      options_.language = LanguageNamed(value);
      return options_.language.has_value() ||
             Fail("--lang needs ja or en, not '" + std::string(value) + "'");
    }
    if (name == "--stats") {
      options_.run.timeFrames = true;
      return Path(name, value, options_.statsPath);
    }
    ScreenshotRequest request;
    if (!ParseScreenshot(value, request))
      return Fail("--screenshot needs FRAME:FILE with FRAME from 1, not '" + std::string(value) +
                  "'");
    options_.screenshots.push_back(std::move(request));
    return true;
  }

  static bool TakesValue(std::string_view name) {
    for (std::string_view valued :
         {"--frames", "--seed", "--fps", "--games", "--menu-tours", "--input", "--record",
          "--trace", "--screenshot", "--save-dir", "--lang", "--stats", "--replay"})
      if (name == valued) return true;
    return false;
  }

  bool Fail(std::string message) {
    error_ = std::move(message);
    return false;
  }

 private:
  bool Path(std::string_view name, std::string_view value, std::string& path) {
    if (value.empty()) return Fail(std::string(name) + " needs a file name");
    path = std::string(value);
    return true;
  }

  Options& options_;
  std::string& error_;
  std::set<std::string> seen_;
};

}  // namespace

bool ParseOptions(std::span<const std::string_view> args, Options& options, std::string& error) {
  Parser parser(options, error);
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg == "--verify") {
      // Every argument after it is a replay file.
      options.verifyPaths.assign(args.begin() + static_cast<ptrdiff_t>(i) + 1, args.end());
      return !options.verifyPaths.empty() || parser.Fail("--verify needs one or more replay files");
    }
    size_t equals = arg.find('=');
    std::string_view name = arg.substr(0, equals);
    if (!Parser::TakesValue(name)) {
      if (equals != std::string_view::npos && name.starts_with("--"))
        return parser.Fail("option " + std::string(name) + " takes no value");
      if (!parser.Flag(arg)) return false;
      continue;
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return parser.Fail("option " + std::string(name) + " needs a value");
    }
    if (!parser.Valued(name, value)) return false;
  }
  if (options.autoplay && !options.replayPath.empty())
    return parser.Fail("--replay and --autoplay cannot be used together");
  if (!options.autoplay && (options.games != 0 || options.menuTours != 0))
    return parser.Fail(std::string(options.games != 0 ? "--games" : "--menu-tours") +
                       " needs --autoplay");
  return true;
}

// Where the save lives and what chooses the language differ between systems.
#ifdef _WIN32
constexpr const char* kSaveFolderHelp =
    "Settings and best score live in %APPDATA%\\moravin\\SaveData.dat. A save that is\n";
constexpr const char* kLanguageHelp =
    "                         language of Windows decides: English for any language\n"
    "                         but Japanese\n";
#else
constexpr const char* kSaveFolderHelp =
    "Settings and best score live in $XDG_DATA_HOME/moravin/SaveData.dat, or in\n"
    "~/.local/share/moravin/SaveData.dat when XDG_DATA_HOME is unset. A save that is\n";
constexpr const char* kLanguageHelp =
    "                         locale decides (LC_ALL, LC_MESSAGES, then LANG): English\n"
    "                         for any language but Japanese and the C/POSIX locale\n";
#endif

std::string HelpText() {
  return std::string(
             "Usage: moravin [OPTION]...\n"
             "Moravin, a small action-puzzle game: shift the lines of stones to build Pipiru's\n"
             "road, turn monsters into diamonds and see how far she gets. With no option the\n"
             "game runs as usual: 50 frames per second, a random game each time. How to Play,\n"
             "on the title menu, explains the rules and the keys.\n"
             "\n") +
         kSaveFolderHelp +
         "damaged is kept as SaveData.dat.bad beside it, and a fresh one begins.\n"
         "\n"
         "  --save-dir DIR         keep the save in DIR/SaveData.dat instead\n"
         "  --replay FILE          watch the replay FILE (hold Z for 4x, Esc leaves it);\n"
         "                         every game that ends is kept as a replay in the\n"
         "                         replays folder beside the save\n"
         "  --verify FILE...       play each replay FILE again without a window or sound\n"
         "                         and print one JSON line per file; exit 0 only when\n"
         "                         every file reaches its recorded result\n"
         "  --lang ja|en           play in Japanese (ja) or English (en); without it the\n" +
         kLanguageHelp +
         "\n"
         "Options for automation and testing:\n"
         "  --help                 print this text and exit\n"
         "  --version              print the version and exit\n"
         "  --headless             run with no display and no sound card (SDL's offscreen\n"
         "                         video and dummy audio drivers unless SDL_VIDEODRIVER or\n"
         "                         SDL_AUDIODRIVER choose others; messages go to stderr;\n"
         "                         sounds are silent and timed by the frames, 1/50 s each,\n"
         "                         so that a run gives the same trace at any speed)\n"
         "  --frames N             close the window after N frames, as the user would\n"
         "                         (the settings are saved, the exit code is 0)\n"
         "  --seed N               seed the game's random generator with N (0..4294967295)\n"
         "                         instead of the clock: the same seed and input give the\n"
         "                         same game, frame for frame\n"
         "  --fps N                frame rate of the pacing (default 50; 0 = no waiting)\n"
         "  --autoplay             the game plays itself: from the title it starts a game,\n"
         "                         plays it and goes on to the next one; Esc still pauses\n"
         "                         (the pause menu is left to the keyboard); each game that\n"
         "                         ends writes a line to stderr:\n"
         "                         autoplay: game N distance D score S chain C frames F\n"
         "                         end cut-off|caught\n"
         "  --games N              with --autoplay: close after N games have ended\n"
         "  --menu-tours N         with --autoplay: about every N frames pause a game, look\n"
         "                         through the pause menu and the help, and at the next\n"
         "                         title visit the options\n"
         "  --input FILE           play the keys of FILE instead of reading the keyboard\n"
         "                         (no game controller is read either)\n"
         "  --record FILE          write the keys held in every frame to FILE, in the\n"
         "                         format --input reads (the keyboard only, not a game\n"
         "                         controller)\n"
         "  --trace FILE           write one JSON object per frame to FILE (JSON Lines)\n"
         "  --screenshot FRAME:FILE\n"
         "                         after frame FRAME is shown, save the screen to the PNG\n"
         "                         file FILE (may be given several times)\n"
         "  --stats FILE           time every frame and, at exit, write frame statistics\n"
         "                         to FILE as JSON and print them as a table on stderr\n"
         "\n"
         "Values may also be joined with '=' (--seed=7). Frames count from 1, the first\n"
         "frame of the game loop.\n"
         "\n"
         "Input files hold one entry a line, 'FRAME KEYS' or 'FIRST-LAST KEYS': the keys are\n"
         "held during those frames and every other key is up. KEYS is a key name or several\n"
         "joined with '+': Up Down Left Right Return Escape Z X Alt Numpad0 .. Numpad9.\n"
         "'#' starts a comment. Example:\n"
         "  # skip the logo, open the options, hold Down for half a second\n"
         "  30 Return\n"
         "  60-84 Down\n"
         "  120 Alt+Return\n";
}

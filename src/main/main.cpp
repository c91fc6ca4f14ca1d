// Entry point: the SDL platform, the embedded resources and the game.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/moravin.h"
#include "automation/automation.h"
#include "automation/autoplay_demo.h"
#include "automation/options.h"
#include "automation/read_file.h"
#include "automation/verify_command.h"
#include "media/picture_cache.h"
#include "replay/verify.h"
#include "scenes/texts.h"
#include "system/embedded_resources.h"
#include "system/game_host.h"
#include "system/main_loop.h"
#include "system/printable.h"
#include "system/program_start.h"
#include "system/sdl/library_leaks.h"
#include "system/sdl/sdl_platform.h"
#ifdef MORAVIN_HTTP_CLIENT
#include "system/net/background_http.h"
#endif

#ifdef __EMSCRIPTEN__
#include "system/web/page_host.h"
#endif

#ifdef MORAVIN_ADDRESS_SANITIZER
// D-Bus, which SDL's X11 video opens for the screen saver and input methods, keeps a block of
// its own that it never frees: not the game's leak, and no call of ours to wrap.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
#endif

namespace {

constexpr int kExitNoDisplay = 1;
constexpr int kExitBadCommandLine = 2;

// Messages quote arguments and the contents of files, which may hold anything.
void ReportError(const std::string& error) {
  std::fprintf(stderr, "moravin: %s\n", Printable(error).c_str());
}

// Reads the command line. Returns -1 when the game should run, else the exit code (after the
// help, the version or a message on stderr).
int ReadCommandLine(const std::vector<std::string>& commandLine, Options& options) {
  const std::vector<std::string_view> args(commandLine.begin() + 1, commandLine.end());
  std::string error;
  if (!ParseOptions(args, options, error)) {
    ReportError(error);
    return kExitBadCommandLine;
  }
  if (options.help) std::fputs(HelpText().c_str(), stdout);
  if (options.version) std::puts("moravin " MORAVIN_VERSION);
  return options.help || options.version ? 0 : -1;
}

// The replay to watch, read and played through once first: a file that does not read or no
// longer plays the game it recorded is refused before anything is shown.
bool LoadWatchedReplay(const std::string& path, RunSettings& run) {
  std::string bytes, error;
  if (!ReadWholeFile(path, Replay::kMaxFileBytes, "a replay", bytes, error)) {
    ReportError(error);
    return false;
  }
  Replay replay;
  const std::span<const uint8_t> data{reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
  if (!DecodeReplay(data, replay, error)) {
    ReportError(path + ": " + error);
    return false;
  }
  if (const Verification v = VerifyReplay(replay); !v.ok) {
    ReportError(path + ": " + v.reason);
    return false;
  }
  run.watch = std::move(replay);
  return true;
}

// Decoded pictures kept between scenes: the title's (9 MB) and those of the menu left for, about
// two thirds of one language's pictures. A scene entered again then starts in under 3 ms instead
// of 6 to 8, and the game's peak memory in an X window stays under 80 MB (75 measured).
constexpr size_t kKeptPictureBytes = 20 << 20;

// Everything a run holds. It outlives main where the system drives the loop (a browser calls
// it back after main has returned), so it lives on the heap until the loop has ended.
struct Program {
  std::unique_ptr<LanguageResources> resources;
  PictureCache pictures{kKeptPictureBytes};
  std::unique_ptr<IMessageBox> messageBox;
  Automation automation;
  AutoplayDemo demo;
  std::unique_ptr<IPlatform> sdl;
  std::unique_ptr<IPlatform> platform;
  std::unique_ptr<IHttpClient> http;  // the world ranking's, where the system has one
  std::unique_ptr<CMoravin> game;
#ifdef __EMSCRIPTEN__
  PageHost page;  // the page fetches the resources not carried in the module
#endif

  // After the loop: the game goes before the platform it ran on.
  int Finish(int exitCode) {
    game.reset();
    http.reset();
    automation.Finish();
    g_gameHost = nullptr;
    g_platform = nullptr;
    g_messageBox = nullptr;
    g_pictures = nullptr;
    g_resources = nullptr;
    return exitCode;
  }
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int done = ReadCommandLine(StartProgram(argc, argv), options); done >= 0) return done;
  // Verification needs no window, sound or resources: nothing else is started for it.
  if (!options.verifyPaths.empty()) return VerifyReplayFiles(options.verifyPaths, stdout);
  if (!options.replayPath.empty() && !LoadWatchedReplay(options.replayPath, options.run))
    return kExitBadCommandLine;

  // The words and the pictures with words follow the language; nothing else does.
  const Language language = options.language.value_or(PreferredLanguage());
  UseLanguage(language);
  auto program = std::make_unique<Program>();
  program->resources = std::make_unique<LanguageResources>(EmbeddedResources(), language);
  program->messageBox = CreateSdlMessageBox(options.headless);
  g_messageBox = program->messageBox.get();
  if (std::string error; !program->automation.Start(options, error)) {
    ReportError(error);
    return kExitBadCommandLine;
  }
  bool noDisplay = false;
  program->sdl = CreateSdlPlatform({options.headless}, noDisplay);
  if (!program->sdl) return noDisplay ? kExitNoDisplay : -1;
  GrowHeapOnce();
  program->platform = program->automation.WrapPlatform(*program->sdl);
  g_platform = program->platform.get();
  g_resources = program->resources.get();
  g_pictures = &program->pictures;
#ifdef __EMSCRIPTEN__
  g_gameHost = &program->page;
  ReceivePageFiles(ReceiveFetchedFile);
#endif

  options.run.demoPlayer = &program->demo;
#ifdef MORAVIN_HTTP_CLIENT
  program->http = OpenHttpClient();
  options.run.http = program->http.get();
#endif
  options.run.ignoreFocusAndDevices = options.headless || program->automation.Scripted();
  program->game = std::make_unique<CMoravin>(options.run, &program->automation);
  const bool created = program->game->Create();
  Program* run = program.release();
  MainLoop loop;
  loop.run = [run, created] { return created ? run->game->Run() : -1; };
  loop.pass = [run, created] { return created && run->game->RunPass(); };
  loop.exitCode = [run, created] { return created ? run->game->ExitCode() : -1; };
  loop.framesRun = [run] { return run->game->framesRun; };
  loop.finish = [run](int exitCode) { return std::unique_ptr<Program>(run)->Finish(exitCode); };
  return RunMainLoop(loop);
}

// Entry point: the SDL platform, the embedded resources and the game.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/moravin.h"
#include "automation/automation.h"
#include "automation/options.h"
#include "scenes/texts.h"
#include "system/embedded_resources.h"
#include "system/printable.h"
#include "system/sdl/sdl_platform.h"

namespace {

constexpr int kExitNoDisplay = 1;
constexpr int kExitBadCommandLine = 2;

// Messages quote arguments and the contents of files, which may hold anything.
void ReportError(const std::string& error) {
  std::fprintf(stderr, "moravin: %s\n", Printable(error).c_str());
}

// Reads the command line. Returns -1 when the game should run, else the exit code (after the
// help, the version or a message on stderr).
int ReadCommandLine(int argc, char** argv, Options& options) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  if (!ParseOptions(args, options, error)) {
    ReportError(error);
    return kExitBadCommandLine;
  }
  if (options.help) std::fputs(HelpText().c_str(), stdout);
  if (options.version) std::puts("moravin " MORAVIN_VERSION);
  return options.help || options.version ? 0 : -1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int done = ReadCommandLine(argc, argv, options); done >= 0) return done;

  // The words and the pictures with words follow the language; nothing else does.
  const Language language = options.language.value_or(PreferredLanguage());
  UseLanguage(language);
  const LanguageResources resources(EmbeddedResources(), language);

  std::unique_ptr<IMessageBox> messageBox = CreateSdlMessageBox(options.headless);
  g_messageBox = messageBox.get();
  Automation automation;
  if (std::string error; !automation.Start(options, error)) {
    ReportError(error);
    return kExitBadCommandLine;
  }
  bool noDisplay = false;
  std::unique_ptr<IPlatform> sdl = CreateSdlPlatform({options.headless}, noDisplay);
  if (!sdl) return noDisplay ? kExitNoDisplay : -1;
  std::unique_ptr<IPlatform> platform = automation.WrapPlatform(*sdl);
  g_platform = platform.get();
  g_resources = &resources;

  int exitCode = -1;
  {
    CMoravin game(options.run, &automation);
    if (game.Create()) exitCode = game.Run();
  }
  automation.Finish();
  g_platform = nullptr;
  g_messageBox = nullptr;
  g_resources = nullptr;
  return exitCode;
}

// The process control RunGame needs, one implementation per system: POSIX (fork, execv,
// signals) and Windows (CreateProcessW, suspension through ntdll, TerminateProcess).
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Variables set (or, without a value, removed) in the environment of a run, in order.
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

// The variables that make a run keep its save under `dir` instead of the user's own folder.
EnvironmentChanges SaveFolderEnvironment(const std::filesystem::path& dir);
// The save file of a run started with those variables.
std::filesystem::path SaveFileUnder(const std::filesystem::path& dir);

struct GameExit {
  int exitCode = -1;    // -1 when the program did not exit by itself
  int signal = 0;       // POSIX: the signal that ended it
  bool killed = false;  // ended by Kill()
};

// The game executable started in `dir`, its standard output and error sent to stdout.txt and
// stderr.txt there. The destructor kills a game still running.
class GameProcess {
 public:
  GameProcess(const std::filesystem::path& dir, const std::vector<std::string>& args,
              const EnvironmentChanges& environment);
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  bool Started() const;
  // False once the game has ended; its exit is known then.
  bool Running();
  // Asks the game to close, as the window's close button does. False where that is not possible.
  bool RequestClose();
  // Freezes every thread of the game; false when it ended first.
  bool Suspend();
  void Resume();
  // Ends the game at once and waits for it.
  void Kill();
  const GameExit& Exit() const { return exit_; }

 private:
  struct Handle;  // the system's identity of the process
  std::unique_ptr<Handle> handle_;
  GameExit exit_;
};

}  // namespace e2e

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "game_process.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

// In the child: the working directory, the environment and the output files, then the game.
[[noreturn]] void ExecGame(const fs::path& dir, const std::vector<std::string>& args,
                           const EnvironmentChanges& environment) {
  if (chdir(dir.c_str()) != 0) _exit(126);
  for (const auto& [name, value] : environment) {
    if (value)
      setenv(name.c_str(), value->c_str(), 1);
    else
      unsetenv(name.c_str());
  }
  int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int out = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (err < 0 || out < 0) _exit(126);
  dup2(err, STDERR_FILENO);
  dup2(out, STDOUT_FILENO);
  std::vector<char*> argv;
  std::string exe = MORAVIN_EXE;
  argv.push_back(exe.data());
  std::vector<std::string> copies = args;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(exe.c_str(), argv.data());
  _exit(127);
}

// Records how the game ended from a status of waitpid.
void Collect(int status, GameExit& exit) {
  if (WIFEXITED(status)) exit.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) exit.signal = WTERMSIG(status);
  exit.killed = exit.signal == SIGKILL;
}

}  // namespace

struct GameProcess::Handle {
  pid_t pid = -1;
  bool ended = false;
};

EnvironmentChanges SaveFolderEnvironment(const fs::path& dir) {
  return {{"HOME", (dir / "home").string()}, {"XDG_DATA_HOME", (dir / "data").string()}};
}

fs::path SaveFileUnder(const fs::path& dir) { return dir / "data" / "moravin" / "SaveData.dat"; }

GameProcess::GameProcess(const fs::path& dir, const std::vector<std::string>& args,
                         const EnvironmentChanges& environment)
    : handle_(std::make_unique<Handle>()) {
  handle_->pid = fork();
  if (handle_->pid == 0) ExecGame(dir, args, environment);
}

GameProcess::~GameProcess() {
  if (Started() && !handle_->ended) Kill();
}

bool GameProcess::Started() const { return handle_->pid > 0; }

bool GameProcess::Running() {
  if (handle_->ended) return false;
  int status = 0;
  if (waitpid(handle_->pid, &status, WNOHANG) == 0) return true;
  Collect(status, exit_);
  handle_->ended = true;
  return false;
}

bool GameProcess::RequestClose() {
  // SDL turns SIGTERM into the quit event the close button sends.
  return kill(handle_->pid, SIGTERM) == 0;
}

bool GameProcess::Suspend() {
  kill(handle_->pid, SIGSTOP);
  int status = 0;
  waitpid(handle_->pid, &status, WUNTRACED);
  if (WIFSTOPPED(status)) return true;
  Collect(status, exit_);  // it ended on its own just before the stop
  handle_->ended = true;
  return false;
}

void GameProcess::Resume() { kill(handle_->pid, SIGCONT); }

void GameProcess::Kill() {
  kill(handle_->pid, SIGKILL);
  int status = 0;
  waitpid(handle_->pid, &status, 0);
  Collect(status, exit_);
  handle_->ended = true;
}

}  // namespace e2e

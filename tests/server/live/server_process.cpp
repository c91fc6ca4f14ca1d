#include "server_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "moravin-server-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ServerProcess::ServerProcess(const std::string& executable, const std::string& config) {
  const std::string configPath = (folder_.Path() / "server.conf").string();
  std::ofstream(configPath) << config << "\nlisten = 127.0.0.1:0\n";
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const pid_t test = getpid();
  pid_ = fork();
  if (pid_ == 0) {
    // The server ends with the test, even when the test crashes: an orphaned server would keep
    // ctest's output pipe open and turn a crash into a timeout.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != test) _exit(127);
    dup2(out[1], STDOUT_FILENO);
    execl(executable.c_str(), executable.c_str(), "--config", configPath.c_str(), nullptr);
    _exit(127);
  }
  close(out[1]);
  // The first line says where it listens: "moravin-server V: listening on http://HOST:PORT".
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd fd{out[0], POLLIN, 0};
    if (poll(&fd, 1, 100) <= 0) continue;
    char c;
    if (read(out[0], &c, 1) != 1) break;
    line += c;
  }
  close(out[0]);
  const size_t colon = line.rfind(':');
  if (line.find("listening on") == std::string::npos || colon == std::string::npos) {
    Stop(SIGKILL);
    throw std::runtime_error("the server did not start: \"" + line + "\"");
  }
  port_ = std::stoi(line.substr(colon + 1));
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) Stop(SIGTERM);
}

int ServerProcess::Stop(int signal) {
  if (pid_ <= 0) return -1;
  kill(pid_, signal);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
  pid_ = -1;
  return status;
}

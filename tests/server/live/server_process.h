// A moravin-server started for a test, in a folder of its own, on a free port of 127.0.0.1.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

// A temporary folder, deleted with its contents when the object goes.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class ServerProcess {
 public:
  // Starts the server with the configuration `config` plus "listen = 127.0.0.1:0" and waits up
  // to 30 s for it to listen. Throws std::runtime_error when it does not.
  ServerProcess(const std::string& executable, const std::string& config);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  int Port() const { return port_; }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // Sends `signal` and waits for the process to end; its exit status.
  int Stop(int signal);

 private:
  TemporaryFolder folder_;  // for its configuration file
  pid_t pid_ = -1;
  int port_ = 0;
};

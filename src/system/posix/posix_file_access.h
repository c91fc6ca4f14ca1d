// The save's file access on POSIX systems. Every system call goes through PosixCalls, so that a
// test can make any one of them fail the way a full disk or a failing drive would.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include "system/file_access.h"

class PosixCalls {
 public:
  virtual ~PosixCalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Read(int fd, void* buffer, size_t size);
  virtual ssize_t Write(int fd, const void* buffer, size_t size);
  virtual int Fsync(int fd);
  virtual int Close(int fd);
  virtual int Fstat(int fd, struct stat* status);
  virtual int Fchmod(int fd, mode_t mode);
  virtual int Stat(const char* path, struct stat* status);
  virtual int Lstat(const char* path, struct stat* status);
  virtual ssize_t Readlink(const char* path, char* buffer, size_t size);
  virtual int Mkdir(const char* path, mode_t mode);
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);
};

class PosixFileAccess final : public FileAccess {
 public:
  explicit PosixFileAccess(PosixCalls& calls) : calls_(calls) {}

  // $XDG_DATA_HOME when it is an absolute path, else ~/.local/share ($HOME, or the home folder
  // of the user's account when HOME is unset).
  std::string UserDataFolder() override;
  // New folders get mode 0700.
  std::error_code MakeFolders(const std::string& path) override;
  std::string FinalPath(const std::string& path) override;
  FileKind Kind(const std::string& path, std::error_code& error) override;
  std::error_code Read(const std::string& path, size_t max, std::vector<uint8_t>& bytes) override;
  // A new file with a unique name beside the final file (created exclusively, never through a
  // link), written, flushed to the disk, renamed over the final file, and then the folder
  // flushed so that the rename itself survives a power loss.
  std::error_code Replace(const std::string& path, std::span<const uint8_t> bytes) override;
  std::error_code Rename(const std::string& from, const std::string& to) override;
  std::error_code List(const std::string& folder, std::vector<std::string>& names) override;
  std::error_code Remove(const std::string& path) override;

 private:
  // Creates the temporary file for `target`; its name goes to `temporary`.
  int CreateTemporary(const std::string& target, std::string& temporary, std::error_code& error);
  std::error_code WriteAll(int fd, std::span<const uint8_t> bytes);
  std::error_code SyncFolder(const std::string& folder);

  PosixCalls& calls_;
};

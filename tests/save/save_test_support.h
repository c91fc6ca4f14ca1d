// POSIX system calls that fail on demand, for the tests of the save file over real files.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fakes/test_files.h"
#include "save_records.h"
#include "system/posix/posix_file_access.h"

namespace save_test {

using namespace test_files;

// The real system calls, recorded in order; the ones named in `failing` fail with `error`
// instead, as a full disk or a failing drive would make them fail.
class FaultyCalls : public PosixCalls {
 public:
  std::set<std::string> failing;  // open, read, write, fchmod, fsync, close, rename, mkdir
  int error = EIO;
  // What was called: "open-temporary", "open-folder", "open-file", then the plain names.
  std::vector<std::string> calls;
  // Runs before every open, with its path and flags.
  std::function<void(const char* path, int flags)> beforeOpen;

  int Open(const char* path, int flags, mode_t mode) override {
    calls.push_back((flags & O_CREAT)       ? "open-temporary"
                    : (flags & O_DIRECTORY) ? "open-folder"
                                            : "open-file");
    if (beforeOpen) beforeOpen(path, flags);
    return Fails("open") ? -1 : PosixCalls::Open(path, flags, mode);
  }
  ssize_t Read(int fd, void* buffer, size_t size) override {
    calls.push_back("read");
    return Fails("read") ? -1 : PosixCalls::Read(fd, buffer, size);
  }
  ssize_t Write(int fd, const void* buffer, size_t size) override {
    calls.push_back("write");
    return Fails("write") ? -1 : PosixCalls::Write(fd, buffer, size);
  }
  int Fchmod(int fd, mode_t mode) override {
    calls.push_back("fchmod");
    return Fails("fchmod") ? -1 : PosixCalls::Fchmod(fd, mode);
  }
  int Fsync(int fd) override {
    calls.push_back("fsync");
    return Fails("fsync") ? -1 : PosixCalls::Fsync(fd);
  }
  int Close(int fd) override {
    calls.push_back("close");
    const int result = PosixCalls::Close(fd);  // the descriptor is gone either way
    return Fails("close") ? -1 : result;
  }
  int Rename(const char* from, const char* to) override {
    calls.push_back("rename");
    return Fails("rename") ? -1 : PosixCalls::Rename(from, to);
  }
  int Unlink(const char* path) override {
    calls.push_back("unlink");
    return PosixCalls::Unlink(path);
  }
  int Mkdir(const char* path, mode_t mode) override {
    return Fails("mkdir") ? -1 : PosixCalls::Mkdir(path, mode);
  }

 private:
  bool Fails(const char* name) {
    if (!failing.contains(name)) return false;
    errno = error;
    return true;
  }
};

}  // namespace save_test

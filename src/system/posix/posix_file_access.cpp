#include "system/posix/posix_file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

// Links followed before giving up, as the kernel does.
constexpr int kMaxLinks = 40;
// Names tried for the temporary file before giving up; another name is only needed when one
// is taken already.
constexpr int kTemporaryAttempts = 100;

std::error_code LastError() { return {errno, std::generic_category()}; }

std::string Folder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && home[0] != '\0') return home;
  // HOME unset (a service, a stripped environment): the account's own home folder.
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir &&
      found->pw_dir[0] != '\0') {
    return found->pw_dir;
  }
  return {};
}

}  // namespace

int PosixCalls::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t PosixCalls::Read(int fd, void* buffer, size_t size) { return ::read(fd, buffer, size); }
ssize_t PosixCalls::Write(int fd, const void* buffer, size_t size) {
  return ::write(fd, buffer, size);
}
int PosixCalls::Fsync(int fd) { return ::fsync(fd); }
int PosixCalls::Close(int fd) { return ::close(fd); }
int PosixCalls::Fstat(int fd, struct stat* status) { return ::fstat(fd, status); }
int PosixCalls::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int PosixCalls::Stat(const char* path, struct stat* status) { return ::stat(path, status); }
int PosixCalls::Lstat(const char* path, struct stat* status) { return ::lstat(path, status); }
ssize_t PosixCalls::Readlink(const char* path, char* buffer, size_t size) {
  return ::readlink(path, buffer, size);
}
int PosixCalls::Mkdir(const char* path, mode_t mode) { return ::mkdir(path, mode); }
int PosixCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int PosixCalls::Unlink(const char* path) { return ::unlink(path); }

FileAccess& SystemFileAccess() {
  static PosixCalls calls;
  static PosixFileAccess access(calls);
  return access;
}

std::string PosixFileAccess::UserDataFolder() {
  // A relative XDG_DATA_HOME is invalid and must be ignored.
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') return data;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share";
}

std::error_code PosixFileAccess::MakeFolders(const std::string& path) {
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string folder = path.substr(0, end);
    if (calls_.Mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return LastError();
    if (end == std::string::npos) break;
  }
  struct stat status {};
  if (calls_.Stat(path.c_str(), &status) != 0) return LastError();
  if (!S_ISDIR(status.st_mode)) return std::make_error_code(std::errc::not_a_directory);
  return {};
}

std::string PosixFileAccess::FinalPath(const std::string& path) {
  std::string current = path;
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat status {};
    if (calls_.Lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
    // Some file systems report no length for their links.
    std::string target(status.st_size > 0 ? size_t(status.st_size) : 4096, '\0');
    const ssize_t length = calls_.Readlink(current.c_str(), target.data(), target.size());
    if (length <= 0) break;
    target.resize(size_t(length));
    current = target[0] == '/' ? target : Folder(current) + "/" + target;
  }
  return current;
}

FileKind PosixFileAccess::Kind(const std::string& path, std::error_code& error) {
  error.clear();
  struct stat status {};
  if (calls_.Stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT) return FileKind::Missing;
    error = LastError();
    return FileKind::Other;
  }
  if (S_ISREG(status.st_mode)) return FileKind::Regular;
  if (S_ISDIR(status.st_mode)) return FileKind::Directory;
  if (S_ISFIFO(status.st_mode)) return FileKind::Fifo;
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return FileKind::Device;
  if (S_ISSOCK(status.st_mode)) return FileKind::Socket;
  return FileKind::Other;
}

std::error_code PosixFileAccess::Read(const std::string& path, size_t max,
                                      std::vector<uint8_t>& bytes) {
  bytes.clear();
  // Without O_NONBLOCK, opening a FIFO for reading waits until someone writes to it.
  const int fd = calls_.Open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) return LastError();
  std::error_code error;
  struct stat status {};
  if (calls_.Fstat(fd, &status) != 0) {
    error = LastError();
  } else if (!S_ISREG(status.st_mode)) {
    // Replaced by something else since it was looked at: read nothing from it.
    error = std::make_error_code(S_ISDIR(status.st_mode) ? std::errc::is_a_directory
                                                         : std::errc::invalid_argument);
  }
  bytes.resize(max);
  size_t got = 0;
  while (!error && got < max) {
    const ssize_t n = calls_.Read(fd, bytes.data() + got, max - got);
    if (n == 0) break;
    if (n > 0) {
      got += size_t(n);
    } else if (errno != EINTR) {
      error = LastError();
    }
  }
  calls_.Close(fd);
  bytes.resize(error ? 0 : got);
  return error;
}

int PosixFileAccess::CreateTemporary(const std::string& target, std::string& temporary,
                                     std::error_code& error) {
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    temporary = TemporaryNameBeside(target);
    // O_EXCL with O_NOFOLLOW: a file or a link already at the name is never written through.
    // New files follow the umask, like any file the user makes.
    const int fd =
        calls_.Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  error = LastError();
  return -1;
}

std::error_code PosixFileAccess::WriteAll(int fd, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = calls_.Write(fd, bytes.data(), bytes.size());
    if (n > 0) {
      bytes = bytes.subspan(size_t(n));
    } else if (n == 0) {
      return std::make_error_code(std::errc::io_error);  // no progress: never loop forever
    } else if (errno != EINTR) {
      return LastError();
    }
  }
  return {};
}

std::error_code PosixFileAccess::SyncFolder(const std::string& folder) {
  const int fd = calls_.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return LastError();
  std::error_code error;
  // Some file systems cannot flush a folder and say EINVAL; their renames are as safe as it gets.
  if (calls_.Fsync(fd) != 0 && errno != EINVAL) error = LastError();
  calls_.Close(fd);
  return error;
}

std::error_code PosixFileAccess::Replace(const std::string& path, std::span<const uint8_t> bytes) {
  const std::string target = FinalPath(path);
  struct stat old {};
  const bool keepMode = calls_.Stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

  std::error_code error;
  std::string temporary;
  const int fd = CreateTemporary(target, temporary, error);
  if (fd < 0) return error;
  error = WriteAll(fd, bytes);
  if (!error && keepMode && calls_.Fchmod(fd, old.st_mode & 07777) != 0) error = LastError();
  if (!error && calls_.Fsync(fd) != 0) error = LastError();
  if (calls_.Close(fd) != 0 && !error) error = LastError();
  if (!error && calls_.Rename(temporary.c_str(), target.c_str()) != 0) error = LastError();
  if (error) {
    calls_.Unlink(temporary.c_str());
    return error;
  }
  return SyncFolder(Folder(target));
}

std::error_code PosixFileAccess::Rename(const std::string& from, const std::string& to) {
  if (calls_.Rename(from.c_str(), to.c_str()) != 0) return LastError();
  return SyncFolder(Folder(to));
}

std::error_code PosixFileAccess::List(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return errno == ENOENT ? std::error_code{} : LastError();
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return {};
}

std::error_code PosixFileAccess::Remove(const std::string& path) {
  return calls_.Unlink(path.c_str()) == 0 ? std::error_code{} : LastError();
}

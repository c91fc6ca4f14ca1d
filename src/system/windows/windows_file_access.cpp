#include "system/windows/windows_file_access.h"

#include <windows.h>
// After windows.h, which the shell's header needs.
#include <shlobj.h>

#include "system/windows/utf16.h"

namespace {

// Names tried for the temporary file before giving up; another name is only needed when one
// is taken already.
constexpr int kTemporaryAttempts = 100;
constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
// Others may read, write and delete a file the save only reads.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The most one ReadFile or WriteFile moves: their sizes are 32 bits.
constexpr size_t kMaxChunk = size_t{1} << 30;

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Closes the handle when it goes out of scope.
class Handle {
 public:
  Handle(WindowsCalls& calls, HANDLE handle) : calls_(calls), handle_(handle) {}
  ~Handle() {
    if (valid()) calls_.CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // Closes now, to learn whether closing failed.
  bool Close() {
    const bool closed = calls_.CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  WindowsCalls& calls_;
  HANDLE handle_;
};

}  // namespace

HANDLE WindowsCalls::CreateFileW(LPCWSTR path, DWORD access, DWORD share, DWORD disposition,
                                 DWORD flags) {
  return ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}
BOOL WindowsCalls::ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read) {
  return ::ReadFile(file, buffer, size, read, nullptr);
}
BOOL WindowsCalls::WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written) {
  return ::WriteFile(file, buffer, size, written, nullptr);
}
BOOL WindowsCalls::FlushFileBuffers(HANDLE file) { return ::FlushFileBuffers(file); }
BOOL WindowsCalls::CloseHandle(HANDLE file) { return ::CloseHandle(file); }
DWORD WindowsCalls::GetFileType(HANDLE file) { return ::GetFileType(file); }
DWORD WindowsCalls::GetFileAttributesW(LPCWSTR path) { return ::GetFileAttributesW(path); }
BOOL WindowsCalls::CreateDirectoryW(LPCWSTR path) { return ::CreateDirectoryW(path, nullptr); }
BOOL WindowsCalls::MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
  return ::MoveFileExW(from, to, flags);
}
BOOL WindowsCalls::DeleteFileW(LPCWSTR path) { return ::DeleteFileW(path); }

FileAccess& SystemFileAccess() {
  static WindowsCalls calls;
  static WindowsFileAccess access(calls);
  return access;
}

std::string WindowsFileAccess::UserDataFolder() {
  // %APPDATA% names the folder, as it does for the programs that read it, unless it is unset
  // or no full path ("C:\...", "\\server\share").
  wchar_t variable[MAX_PATH * 4];
  const DWORD length = GetEnvironmentVariableW(L"APPDATA", variable, std::size(variable));
  if (length > 2 && length < std::size(variable) &&
      (variable[1] == L':' || (variable[0] == L'\\' && variable[1] == L'\\'))) {
    return WideToUtf8(std::wstring_view(variable, length));
  }
  PWSTR folder = nullptr;
  std::string result;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK)
    result = WideToUtf8(folder);
  CoTaskMemFree(folder);
  return result;
}

std::error_code WindowsFileAccess::MakeFolders(const std::string& path) {
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  // Every folder on the way, from the top; the drive ("C:") and those that exist are passed.
  for (size_t end = 0; end != std::string::npos;) {
    end = path.find_first_of("/\\", end + 1);
    const std::wstring folder = Utf8ToWide(path.substr(0, end));
    if (folder.empty() || folder.back() == L':' || IsFolder(folder)) continue;
    if (!calls_.CreateDirectoryW(folder.c_str()) && GetLastError() != ERROR_ALREADY_EXISTS)
      return LastError();
    while (end != std::string::npos && end + 1 < path.size() && IsSeparator(path[end + 1])) ++end;
  }
  if (!IsFolder(Utf8ToWide(path))) return std::make_error_code(std::errc::not_a_directory);
  return {};
}

FileKind WindowsFileAccess::Kind(const std::string& path, std::error_code& error) {
  error.clear();
  const std::wstring wide = Utf8ToWide(path);
  const DWORD attributes = calls_.GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return FileKind::Missing;
    error = {static_cast<int>(code), std::system_category()};
    return FileKind::Other;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Directory;
  // Reserved names (NUL, CON, COM1) have attributes too: ask what they are.
  Handle file(calls_, calls_.CreateFileW(wide.c_str(), 0, kShareAll, OPEN_EXISTING, 0));
  if (!file.valid()) return FileKind::Regular;  // not opened for its kind: read it to find out
  switch (calls_.GetFileType(file.get())) {
    case FILE_TYPE_DISK: return FileKind::Regular;
    case FILE_TYPE_CHAR: return FileKind::Device;
    case FILE_TYPE_PIPE: return FileKind::Fifo;
    default: return FileKind::Other;
  }
}

std::error_code WindowsFileAccess::Read(const std::string& path, size_t max,
                                        std::vector<uint8_t>& bytes) {
  bytes.clear();
  Handle file(calls_, calls_.CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, kShareAll,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (!file.valid()) return LastError();
  // A device or a pipe could make the read wait forever: read only files on a disk.
  if (calls_.GetFileType(file.get()) != FILE_TYPE_DISK)
    return std::make_error_code(std::errc::invalid_argument);
  bytes.resize(max);
  size_t got = 0;
  while (got < max) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(max - got, kMaxChunk));
    DWORD n = 0;
    if (!calls_.ReadFile(file.get(), bytes.data() + got, chunk, &n)) {
      const std::error_code error = LastError();
      bytes.clear();
      return error;
    }
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return {};
}

HANDLE WindowsFileAccess::CreateTemporary(const std::string& target, std::wstring& temporary) {
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    temporary = Utf8ToWide(TemporaryNameBeside(target));
    // CREATE_NEW: a file already at the name is never written through.
    const HANDLE created =
        calls_.CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    if (created != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return created;
  }
  return INVALID_HANDLE_VALUE;
}

std::error_code WindowsFileAccess::WriteAll(HANDLE file, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), kMaxChunk));
    DWORD written = 0;
    if (!calls_.WriteFile(file, bytes.data(), chunk, &written)) return LastError();
    // No progress: never loop forever.
    if (written == 0) return std::make_error_code(std::errc::io_error);
    bytes = bytes.subspan(written);
  }
  return {};
}

bool WindowsFileAccess::IsFolder(const std::wstring& path) {
  const DWORD attributes = calls_.GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::error_code WindowsFileAccess::Replace(const std::string& path,
                                           std::span<const uint8_t> bytes) {
  std::wstring temporary;
  Handle file(calls_, CreateTemporary(path, temporary));
  if (!file.valid()) return LastError();
  std::error_code error = WriteAll(file.get(), bytes);
  if (!error && !calls_.FlushFileBuffers(file.get())) error = LastError();
  if (!file.Close() && !error) error = LastError();
  if (!error && !calls_.MoveFileExW(temporary.c_str(), Utf8ToWide(path).c_str(), kMoveFlags))
    error = LastError();
  if (error) calls_.DeleteFileW(temporary.c_str());
  return error;
}

std::error_code WindowsFileAccess::Rename(const std::string& from, const std::string& to) {
  if (!calls_.MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), kMoveFlags))
    return LastError();
  return {};
}

std::error_code WindowsFileAccess::List(const std::string& folder,
                                        std::vector<std::string>& names) {
  names.clear();
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Utf8ToWide(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return {};
    return {static_cast<int>(code), std::system_category()};
  }
  do {
    const std::string name = WideToUtf8(found.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return {};
}

std::error_code WindowsFileAccess::Remove(const std::string& path) {
  return calls_.DeleteFileW(Utf8ToWide(path).c_str()) ? std::error_code{} : LastError();
}

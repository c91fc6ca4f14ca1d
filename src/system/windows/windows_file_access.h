// The save's file access on Windows: paths are UTF-8 and reach Windows through its wide API,
// so that a user name in any script gives a working save folder. Every call on the file system
// goes through WindowsCalls, so that a test can make any one of them fail the way a full disk,
// a failing drive or a scanner holding the file open would.
#pragma once

#include <windows.h>

#include "system/file_access.h"

// The Win32 functions under their own names, without the parameters the save always leaves
// empty (security attributes, template files, overlapped input and output). Failures set the
// last error (GetLastError) as the real functions do.
class WindowsCalls {
 public:
  virtual ~WindowsCalls() = default;
  virtual HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share, DWORD disposition,
                             DWORD flags);
  virtual BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read);
  virtual BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written);
  virtual BOOL FlushFileBuffers(HANDLE file);
  virtual BOOL CloseHandle(HANDLE file);
  virtual DWORD GetFileType(HANDLE file);
  virtual DWORD GetFileAttributesW(LPCWSTR path);
  virtual BOOL CreateDirectoryW(LPCWSTR path);
  virtual BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
  virtual BOOL DeleteFileW(LPCWSTR path);
};

class WindowsFileAccess final : public FileAccess {
 public:
  explicit WindowsFileAccess(WindowsCalls& calls) : calls_(calls) {}

  // Windows takes '/' too, but shows and expects '\\' in the paths it gives users.
  char Separator() const override { return '\\'; }
  // The roaming application data folder: %APPDATA% when it holds a full path, else the
  // folder Windows knows (FOLDERID_RoamingAppData).
  std::string UserDataFolder() override;
  std::error_code MakeFolders(const std::string& path) override;
  // Links on Windows are rare and need privileges to make: the path is used as it is.
  std::string FinalPath(const std::string& path) override { return path; }
  FileKind Kind(const std::string& path, std::error_code& error) override;
  std::error_code Read(const std::string& path, size_t max, std::vector<uint8_t>& bytes) override;
  // A new file with a unique name beside the final file (created only if no file has the
  // name), written, flushed to the disk, then moved over the final file with the move itself
  // written through before it returns.
  std::error_code Replace(const std::string& path, std::span<const uint8_t> bytes) override;
  std::error_code Rename(const std::string& from, const std::string& to) override;
  std::error_code List(const std::string& folder, std::vector<std::string>& names) override;
  std::error_code Remove(const std::string& path) override;

 private:
  // Creates the temporary file for `target`; its name goes to `temporary`. On failure the
  // handle is INVALID_HANDLE_VALUE and the last error says why.
  HANDLE CreateTemporary(const std::string& target, std::wstring& temporary);
  std::error_code WriteAll(HANDLE file, std::span<const uint8_t> bytes);
  bool IsFolder(const std::wstring& path);

  WindowsCalls& calls_;
};

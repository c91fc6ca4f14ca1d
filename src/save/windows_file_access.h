// The save's file access on Windows: paths are UTF-8 and reach Windows through its wide API,
// so that a user name in any script gives a working save folder.
#pragma once

#include "save/file_access.h"

class WindowsFileAccess final : public FileAccess {
 public:
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
};

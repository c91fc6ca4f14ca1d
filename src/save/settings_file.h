// The player's settings that the 44-byte save has no room for: the controls and whether the
// game pauses when its window loses the focus. They live beside the save in a text file of their
// own, written durably as the save is; a damaged file gives way to the defaults.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "system/bindings.h"
#include "system/file_access.h"

struct Settings {
  Bindings bindings = DefaultBindings();
  bool pauseOnFocusLoss = true;

  friend bool operator==(const Settings&, const Settings&) = default;
};

// The file's text, and back. Decoding fails (with what is wrong in `error`) on anything but a
// complete, well-formed file, leaving `settings` as it was.
std::string EncodeSettings(const Settings& settings);
bool DecodeSettings(std::string_view text, Settings& settings, std::string& error);

class SettingsFile {
 public:
  using Report = std::function<void(const std::string& line)>;
  static constexpr const char* kFileName = "Settings.txt";

  SettingsFile(FileAccess& files, Report report) : files_(files), report_(std::move(report)) {}

  // Reads the settings in `folder` (the save's). A missing file gives the defaults; one that
  // cannot be read or is damaged gives them too, with one report line, and is left as it is
  // until the settings are next stored.
  Settings Load(const std::string& folder);
  // Replaces the file durably; false, reported, when it cannot be written.
  bool Store(const Settings& settings);

 private:
  FileAccess& files_;
  Report report_;
  std::string path_;
};

// The settings in force, set by the game application before the first scene runs.
extern Settings* g_settings;
extern SettingsFile* g_settingsFile;

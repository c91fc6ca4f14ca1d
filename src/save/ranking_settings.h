// Whether the player takes part in the world ranking, with which server and under which name.
// Off until the player turns it on. Kept beside the save in a text file of its own, written
// durably as the save is; a damaged file gives way to the defaults (not taking part).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "system/file_access.h"

struct RankingSettings {
  // The project's own ranking server.
  static constexpr const char* kDefaultServer = "https://ranking.moravin.example";
  // Names are 1 to 12 characters (the server's rule), kept in UTF-8.
  static constexpr size_t kMaxNameCharacters = 12;

  bool optedIn = false;
  std::string server = kDefaultServer;
  std::string name;

  friend bool operator==(const RankingSettings&, const RankingSettings&) = default;
};

// The characters of a UTF-8 text; -1 when it is not valid UTF-8.
int Utf8Characters(std::string_view text);

// The file's text, and back. Decoding fails (with what is wrong in `error`) on anything but a
// complete, well-formed file, leaving `settings` as it was.
std::string EncodeRankingSettings(const RankingSettings& settings);
bool DecodeRankingSettings(std::string_view text, RankingSettings& settings, std::string& error);

class RankingFile {
 public:
  using Report = std::function<void(const std::string& line)>;
  static constexpr const char* kFileName = "Ranking.txt";

  RankingFile(FileAccess& files, Report report) : files_(files), report_(std::move(report)) {}

  // Reads the file in `folder` (the save's): the defaults when it is missing, and when it
  // cannot be read or is damaged, with one report line.
  RankingSettings Load(const std::string& folder);
  // Replaces the file durably; false, reported, when it cannot be written.
  bool Store(const RankingSettings& settings);

 private:
  FileAccess& files_;
  Report report_;
  std::string path_;
};

// The setting in force, set by the game application before the first scene runs.
extern RankingSettings* g_rankingSettings;
extern RankingFile* g_rankingFile;

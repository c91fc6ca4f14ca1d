// The replays the game keeps without asking: every game that ends, as a file of its own in a
// folder beside the save. The best by score and the last few are kept and the rest deleted,
// and the folder never grows past a limit.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "replay/replay.h"
#include "system/file_access.h"

class KeptReplays {
 public:
  using Report = std::function<void(const std::string& line)>;

  static constexpr size_t kBest = 10;  // by score
  static constexpr size_t kLast = 10;  // by when they were played
  static constexpr uint64_t kMaxFolderBytes = 2'000'000;
  static constexpr const char* kExtension = ".replay";

  // `folder` is made when the first replay is kept. Failures are told to `report`, one line
  // each, and never stop the game.
  KeptReplays(FileAccess& files, std::string folder, Report report);
  // Waits for a replay still being written.
  ~KeptReplays();
  KeptReplays(const KeptReplays&) = delete;
  KeptReplays& operator=(const KeptReplays&) = delete;

  // Writes the replay durably as `name` (made unique) with kExtension, then deletes what is no
  // longer kept: on a thread of its own, since the disk may take longer than a frame (where no
  // thread can be started, before this returns).
  void StartKeeping(const Replay& replay, const std::string& name);
  // Waits for the replay StartKeeping began to be written.
  void FinishKeeping();
  // The kept replay with the best score among those recorded by `version`; none when there is
  // none.
  std::optional<Replay> Best(const std::string& version);

  struct Entry {
    std::string name;  // of the file in the folder
    uint64_t bytes = 0;
    std::optional<Replay> replay;  // none when it does not read
  };
  // Every kept file, read, newest first: the game just played is the one most often watched
  // again, and the best of them all is already the title's demo.
  std::vector<Entry> List();

  const std::string& Folder() const { return folder_; }

 private:
  void Keep(const Replay& replay, const std::string& name);
  std::vector<Entry> ReadFolder(bool withReplays);
  void Prune(std::vector<Entry> entries);
  std::string PathOf(const std::string& name) const;

  FileAccess& files_;
  std::string folder_;
  Report report_;
  std::thread writing_;
};

// A file name for a replay played at `unixSeconds` (UTC): "20240601-123005".
std::string ReplayNameAt(int64_t unixSeconds);
// The time a kept replay's file name begins with, as ReplayNameAt writes it; none when it does
// not begin with a valid time.
std::optional<int64_t> ReplayTimeOfName(const std::string& name);

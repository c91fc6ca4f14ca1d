// Running the real moravin executable in a temporary working directory and reading back what
// it leaves: the trace, screenshots and the save file.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "save/save_data.h"

namespace e2e {

using nlohmann::json;

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  void Write(const std::string& name, const std::string& contents) const;
  // Where a run keeps its save: every run's save folder (XDG_DATA_HOME and HOME, or APPDATA on
  // Windows) is inside this directory.
  std::filesystem::path SavePath() const;

 private:
  std::filesystem::path path_;
};

// Called while the game is frozen (suspended) once its trace has reached a frame.
struct Checkpoint {
  uint32_t frame;
  std::function<void()> check;
  bool killAfter = false;  // kill the game after the check instead of letting it go on
};

// How a run is started besides its arguments.
struct RunOptions {
  bool headless = true;  // add --headless
  // Environment variables set (or, without a value, removed) on top of the usual ones.
  std::vector<std::pair<std::string, std::optional<std::string>>> environment;
  int timeoutSeconds = 120;  // a run still going then is killed and counts as timed out
  // With --trace trace.jsonl: the game is closed, as by the window's close button, after the
  // first frame whose trace line this accepts.
  std::function<bool(const json&)> closeWhen;
};

struct RunResult {
  int exitCode = -1;    // -1 when the program did not exit normally
  int signal = 0;       // POSIX: the signal that ended it, 0 when it exited
  bool killed = false;  // killed by the test: after a checkpoint or at the time-out
  bool timedOut = false;
  std::string stderrText;
};

// Runs moravin headless in `dir` with the arguments (paths relative to `dir`), with its save
// folder in `dir` too, so no run touches the user's own save, and with no locale (so on POSIX
// it speaks Japanese; Windows follows the user's settings) unless the options set LC_ALL,
// LC_MESSAGES or LANG. Checkpoints need --trace trace.jsonl among the arguments; they run in
// frame order.
RunResult RunGame(const TempDir& dir, const std::vector<std::string>& args,
                  std::vector<Checkpoint> checkpoints = {}, const RunOptions& options = {});

// The trace lines; a line that is not JSON fails the calling test.
std::vector<json> ReadTrace(const std::filesystem::path& path);

// The save record, when the file exists and is valid.
std::optional<SaveData> ReadSave(const std::filesystem::path& path);
// Writes a valid save file holding `record`, with the folders it needs.
void WriteSave(const std::filesystem::path& path, const SaveData& record);

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0xRRGGBB per pixel, rows top to bottom

  uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
  // How many different colours the rectangle holds (a drawn scene has many, a clear one).
  size_t DistinctColours(int left, int top, int width, int height) const;
  // The mean of red, green and blue over the rectangle, 0..255.
  double MeanBrightness(int left, int top, int width, int height) const;
};

// Reads a PNG with libpng; nullopt when it is missing or not a PNG.
std::optional<Picture> ReadPng(const std::filesystem::path& path);

// The first trace line at or after index `from` that satisfies `test`; -1 when none does.
int FindFrame(const std::vector<json>& trace, const std::function<bool(const json&)>& test,
              int from = 0);

// The whole of a file, as bytes; empty when it cannot be read.
std::string Slurp(const std::filesystem::path& path);

}  // namespace e2e

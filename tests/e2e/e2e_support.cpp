#include "e2e_support.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include "game_process.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

// Counts the complete lines of a growing file, reading only what was added since the last call.
class LineCounter {
 public:
  explicit LineCounter(fs::path path) : path_(std::move(path)) {}
  uint32_t Count() {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return lines_;
    in.seekg(static_cast<std::streamoff>(offset_));
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
      offset_ += static_cast<uint64_t>(in.gcount());
      lines_ += static_cast<uint32_t>(std::count(buffer, buffer + in.gcount(), '\n'));
    }
    return lines_;
  }

 private:
  fs::path path_;
  uint64_t offset_ = 0;
  uint32_t lines_ = 0;
};

// Reads the complete lines added to a growing file since the last call.
class LineReader {
 public:
  explicit LineReader(fs::path path) : path_(std::move(path)) {}
  std::vector<std::string> NewLines() {
    std::vector<std::string> lines;
    std::ifstream in(path_, std::ios::binary);
    if (!in) return lines;
    in.seekg(static_cast<std::streamoff>(offset_));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(text.substr(start, end - start));
    offset_ += start;
    return lines;
  }

 private:
  fs::path path_;
  uint64_t offset_ = 0;
};

// The environment of a run: its save kept in `dir`, no locale variables unless the options give
// some (so that on POSIX the game speaks Japanese whatever runs the tests), then the options' own
// variables.
EnvironmentChanges RunEnvironment(const TempDir& dir, const RunOptions& options) {
  EnvironmentChanges environment = SaveFolderEnvironment(dir.Path());
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    environment.emplace_back(name, std::nullopt);
  environment.insert(environment.end(), options.environment.begin(), options.environment.end());
  return environment;
}

}  // namespace

TempDir::TempDir() {
  // A name no other directory has: create_directory refuses one that exists.
  std::random_device random;
  do {
    path_ = fs::temp_directory_path() / ("moravin-e2e-" + std::to_string(random()));
  } while (!fs::create_directory(path_));
  fs::permissions(path_, fs::perms::owner_all);
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

fs::path TempDir::SavePath() const { return SaveFileUnder(path_); }

void TempDir::Write(const std::string& name, const std::string& contents) const {
  std::ofstream(path_ / name, std::ios::binary) << contents;
}

RunResult RunGame(const TempDir& dir, const std::vector<std::string>& args,
                  std::vector<Checkpoint> checkpoints, const RunOptions& options) {
  std::sort(checkpoints.begin(), checkpoints.end(),
            [](const Checkpoint& a, const Checkpoint& b) { return a.frame < b.frame; });
  std::vector<std::string> fullArgs;
  if (options.headless) fullArgs.push_back("--headless");
  fullArgs.insert(fullArgs.end(), args.begin(), args.end());

  RunResult result;
  GameProcess game(dir.Path(), fullArgs, RunEnvironment(dir, options));
  if (!game.Started()) {
    ADD_FAILURE() << "the game could not be started";
    return result;
  }

  LineCounter frames(dir / "trace.jsonl");
  LineReader traced(dir / "trace.jsonl");
  bool closing = false;
  size_t next = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
  while (game.Running()) {
    if (options.closeWhen && !closing) {
      for (const std::string& line : traced.NewLines()) {
        if (closing || !options.closeWhen(json::parse(line, nullptr, false))) continue;
        EXPECT_TRUE(game.RequestClose()) << "the game could not be asked to close";
        closing = true;
      }
    }
    if (std::chrono::steady_clock::now() > deadline) {
      game.Kill();
      result.timedOut = true;
      break;
    }
    if (next < checkpoints.size() && frames.Count() >= checkpoints[next].frame) {
      if (!game.Suspend()) break;
      const Checkpoint& checkpoint = checkpoints[next++];
      checkpoint.check();
      if (checkpoint.killAfter)
        game.Kill();
      else
        game.Resume();
      continue;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  for (; next < checkpoints.size(); ++next)
    ADD_FAILURE() << "the game ended before frame " << checkpoints[next].frame << " was traced";
  result.exitCode = game.Exit().exitCode;
  result.signal = game.Exit().signal;
  result.killed = game.Exit().killed;
  result.stderrText = Slurp(dir / "stderr.txt");
  return result;
}

std::vector<json> ReadTrace(const fs::path& path) {
  std::vector<json> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    json parsed = json::parse(line, nullptr, false);
    if (parsed.is_discarded()) {
      ADD_FAILURE() << "trace line " << lines.size() + 1 << " is not JSON: " << line;
      break;
    }
    lines.push_back(std::move(parsed));
  }
  return lines;
}

std::optional<SaveData> ReadSave(const fs::path& path) {
  if (!fs::is_regular_file(path)) return std::nullopt;
  const std::string bytes = Slurp(path);
  SaveData record{};
  if (!DecodeSaveFile(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                      record)) {
    return std::nullopt;
  }
  return record;
}

void WriteSave(const fs::path& path, const SaveData& record) {
  fs::create_directories(path.parent_path());
  const SaveFileBytes bytes = EncodeSaveFile(record);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

size_t Picture::DistinctColours(int left, int top, int w, int h) const {
  std::set<uint32_t> colours;
  for (int y = top; y < top + h; ++y)
    for (int x = left; x < left + w; ++x) colours.insert(At(x, y));
  return colours.size();
}

double Picture::MeanBrightness(int left, int top, int w, int h) const {
  double sum = 0;
  for (int y = top; y < top + h; ++y) {
    for (int x = left; x < left + w; ++x) {
      uint32_t c = At(x, y);
      sum += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
    }
  }
  return sum / (3.0 * w * h);
}

std::optional<Picture> ReadPng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.string().c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  Picture picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height);
  for (size_t i = 0; i < picture.rgb.size(); ++i)
    picture.rgb[i] =
        (uint32_t{bytes[i * 3]} << 16) | (uint32_t{bytes[i * 3 + 1]} << 8) | bytes[i * 3 + 2];
  return picture;
}

int FindFrame(const std::vector<json>& trace, const std::function<bool(const json&)>& test,
              int from) {
  for (size_t i = std::max(from, 0); i < trace.size(); ++i)
    if (test(trace[i])) return static_cast<int>(i);
  return -1;
}

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace e2e

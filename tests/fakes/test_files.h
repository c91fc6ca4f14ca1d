// Temporary folders, environment variables and file bytes for tests that touch real files.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace test_files {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with its contents.
class TempFolder {
 public:
  TempFolder() {
#ifdef _WIN32
    // Windows has no mkdtemp: a random name, created only if nobody has it yet.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const fs::path candidate =
          fs::temp_directory_path() / ("moravin-save-" + std::to_string(random()));
      if (fs::create_directory(candidate)) path_ = candidate;
    }
    if (path_.empty()) throw std::runtime_error("cannot create a temporary folder");
#else
    std::string pattern = (fs::temp_directory_path() / "moravin-save-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
#endif
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& Path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

// Sets (or with a null value unsets) an environment variable for its lifetime.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const char* value) {
#ifdef _WIN32
    _putenv_s(name_, value ? value : "");  // an empty value removes the variable
#else
    if (value)
      setenv(name_, value, 1);
    else
      unsetenv(name_);
#endif
  }

  const char* name_;
  std::optional<std::string> old_;
};

// A path as the game's file access takes it, in UTF-8 on every system.
inline std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

inline fs::path FromUtf8(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

inline std::optional<std::vector<uint8_t>> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path& path, std::span<const uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The names of the entries of a folder, sorted.
inline std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

}  // namespace test_files

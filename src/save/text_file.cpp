#include "save/text_file.h"

#include <cstdint>
#include <span>

std::string PathInFolder(const FileAccess& files, const std::string& folder, const char* name) {
  if (folder.empty()) return name;
  const bool separated = folder.ends_with(files.Separator());
  return folder + (separated ? "" : std::string(1, files.Separator())) + name;
}

TextRead ReadSmallText(FileAccess& files, const std::string& path, size_t maxBytes,
                       std::string& text, std::string& wrong) {
  std::error_code error;
  if (files.Kind(path, error) == FileKind::Missing && !error) return TextRead::Missing;
  std::vector<uint8_t> bytes;
  if (const std::error_code failed = files.Read(path, maxBytes + 1, bytes)) {
    wrong = failed.message();
    return TextRead::Failed;
  }
  if (bytes.size() > maxBytes) {
    wrong = "it is too big";
    return TextRead::Failed;
  }
  text.assign(bytes.begin(), bytes.end());
  return TextRead::Read;
}

std::error_code ReplaceText(FileAccess& files, const std::string& path, std::string_view text) {
  return files.Replace(path, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  while (!line.empty()) {
    const size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) break;
    line.remove_prefix(start);
    const size_t end = line.find_first_of(" \t\r");
    words.push_back(line.substr(0, end));
    line.remove_prefix(end == std::string_view::npos ? line.size() : end);
  }
  return words;
}

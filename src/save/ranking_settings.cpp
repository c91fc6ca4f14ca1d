#include "save/ranking_settings.h"

#include "save/text_file.h"

RankingSettings* g_rankingSettings = nullptr;
RankingFile* g_rankingFile = nullptr;

namespace {

constexpr std::string_view kRankingHeader = "moravin ranking 1";
constexpr std::string_view kOptedIn = "opted-in";
constexpr std::string_view kServer = "server";
constexpr std::string_view kName = "name";
constexpr size_t kMaxRankingBytes = 1024;

// A server address is a URL of http or https without spaces or controls.
bool IsServerAddress(std::string_view text) {
  if (!text.starts_with("https://") && !text.starts_with("http://")) return false;
  for (char c : text)
    if (uint8_t(c) <= ' ' || c == 0x7F) return false;
  return true;
}

bool IsName(std::string_view name) {
  const int characters = Utf8Characters(name);
  if (characters < 1 || size_t(characters) > RankingSettings::kMaxNameCharacters) return false;
  for (char c : name)
    if (uint8_t(c) < ' ' || c == 0x7F) return false;
  return true;
}

}  // namespace

int Utf8Characters(std::string_view text) {
  int characters = 0;
  for (size_t i = 0; i < text.size(); ++characters) {
    const uint8_t lead = uint8_t(text[i]);
    const size_t length = lead < 0x80       ? 1
                          : lead >> 5 == 6  ? 2
                          : lead >> 4 == 14 ? 3
                          : lead >> 3 == 30 ? 4
                                            : 0;
    if (length == 0 || i + length > text.size()) return -1;
    for (size_t k = 1; k < length; ++k)
      if (uint8_t(text[i + k]) >> 6 != 2) return -1;
    i += length;
  }
  return characters;
}

std::string EncodeRankingSettings(const RankingSettings& settings) {
  std::string text = std::string(kRankingHeader) + "\n";
  text += std::string(kOptedIn) + (settings.optedIn ? " yes\n" : " no\n");
  text += std::string(kServer) + " " + settings.server + "\n";
  // The name may hold spaces: the rest of its line is the name.
  if (!settings.name.empty()) text += std::string(kName) + " " + settings.name + "\n";
  return text;
}

bool DecodeRankingSettings(std::string_view text, RankingSettings& settings, std::string& error) {
  RankingSettings read;
  bool headerSeen = false, optedInSeen = false;
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::vector<std::string_view> words = Words(line);
    if (words.empty() || words[0].starts_with('#')) continue;
    std::string wrong;
    if (!headerSeen) {
      headerSeen = words == Words(kRankingHeader);
      if (!headerSeen) wrong = "it does not begin with '" + std::string(kRankingHeader) + "'";
    } else if (words[0] == kOptedIn) {
      optedInSeen = words.size() == 2 && (words[1] == "yes" || words[1] == "no");
      read.optedIn = words.size() == 2 && words[1] == "yes";
      if (!optedInSeen) wrong = std::string(kOptedIn) + " is yes or no";
    } else if (words[0] == kServer) {
      if (words.size() != 2 || !IsServerAddress(words[1]))
        wrong = "the server is an http:// or https:// address";
      else
        read.server = words[1];
    } else if (words[0] == kName) {
      read.name = line.substr(line.find(kName) + kName.size() + 1);
      if (!IsName(read.name)) wrong = "a name is 1 to 12 characters of UTF-8";
    } else {
      wrong = "unknown setting '" + std::string(words[0]) + "'";
    }
    if (!wrong.empty()) {
      error = "line " + std::to_string(lineNumber) + ": " + wrong;
      return false;
    }
  }
  if (!optedInSeen) {
    error = headerSeen ? "no line for " + std::string(kOptedIn) : "it is empty";
    return false;
  }
  settings = read;
  return true;
}

RankingSettings RankingFile::Load(const std::string& folder) {
  path_ = PathInFolder(files_, folder, kFileName);
  std::string text, wrong;
  RankingSettings settings;
  if (ReadSmallText(files_, path_, kMaxRankingBytes, text, wrong) == TextRead::Missing)
    return settings;
  if (wrong.empty()) DecodeRankingSettings(text, settings, wrong);
  if (!wrong.empty())
    report_("the ranking setting " + path_ + " cannot be used (" + wrong +
            "); the game does not take part in the ranking");
  return settings;
}

bool RankingFile::Store(const RankingSettings& settings) {
  if (const std::error_code error = ReplaceText(files_, path_, EncodeRankingSettings(settings))) {
    report_("cannot store the ranking setting in " + path_ + ": " + error.message());
    return false;
  }
  return true;
}

#include "save/settings_file.h"

#include <charconv>
#include <vector>

#include "save/text_file.h"

Settings* g_settings = nullptr;
SettingsFile* g_settingsFile = nullptr;

namespace {

constexpr std::string_view kHeader = "moravin settings 1";
constexpr std::string_view kFocusName = "pause-on-focus-loss";
constexpr std::string_view kActionNames[kActionCount] = {
    "up", "down", "left", "right", "confirm", "cancel", "pause", "full-screen"};
constexpr std::string_view kNoButton = "none";
// A settings file is a few hundred bytes; a bigger one is no settings file of ours.
constexpr size_t kMaxBytes = 4096;

bool ParseNumber(std::string_view text, unsigned limit, unsigned& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value < limit;
}

// "NAME KEY KEY BUTTON" into the action's bindings; an empty result means success.
std::string ParseAction(const std::vector<std::string_view>& words, int action,
                        Bindings& bindings) {
  if (words.size() != 4) return "the line of " + std::string(words[0]) + " needs 3 values";
  for (int slot = 0; slot < kKeysPerAction; ++slot) {
    unsigned key = 0;
    if (!ParseNumber(words[size_t(slot) + 1], kScancodeCount, key))
      return "'" + std::string(words[size_t(slot) + 1]) + "' is no key";
    bindings.keys[action][slot] = uint16_t(key);
  }
  unsigned button = PadNone;
  if (words[3] != kNoButton && !ParseNumber(words[3], PadButtonCount, button))
    return "'" + std::string(words[3]) + "' is no pad button";
  bindings.pad[action] = uint8_t(button);
  return {};
}

// A key or a button bound twice would fire two actions at once: no file we write holds that.
bool BindsAnythingTwice(const Bindings& bindings) {
  bool keyUsed[kScancodeCount] = {};
  bool buttonUsed[PadButtonCount] = {};
  for (int a = 0; a < kActionCount; ++a) {
    for (uint16_t key : bindings.keys[a]) {
      if (key == scancode::None) continue;
      if (keyUsed[key]) return true;
      keyUsed[key] = true;
    }
    const uint8_t button = bindings.pad[a];
    if (button == PadNone) continue;
    if (buttonUsed[button]) return true;
    buttonUsed[button] = true;
  }
  return false;
}

}  // namespace

std::string EncodeSettings(const Settings& settings) {
  std::string text = std::string(kHeader) + "\n";
  text += std::string(kFocusName) + (settings.pauseOnFocusLoss ? " yes\n" : " no\n");
  text += "# action, two keys by scancode (0 for none), pad button (SDL's numbering)\n";
  for (int a = 0; a < kActionCount; ++a) {
    text += std::string(kActionNames[a]);
    for (uint16_t key : settings.bindings.keys[a]) text += " " + std::to_string(key);
    const uint8_t button = settings.bindings.pad[a];
    text += " " + (button == PadNone ? std::string(kNoButton) : std::to_string(button)) + "\n";
  }
  return text;
}

bool DecodeSettings(std::string_view text, Settings& settings, std::string& error) {
  Settings read;
  bool seen[kActionCount + 1] = {};  // the actions, then the focus line
  size_t lineNumber = 0;
  bool headerSeen = false;
  while (!text.empty()) {
    ++lineNumber;
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const std::vector<std::string_view> words = Words(line.substr(0, line.find('#')));
    if (words.empty()) continue;
    std::string wrong;
    if (!headerSeen) {
      headerSeen = Words(kHeader) == words;
      if (!headerSeen) wrong = "it does not begin with '" + std::string(kHeader) + "'";
    } else if (words[0] == kFocusName) {
      seen[kActionCount] = true;
      if (words.size() != 2 || (words[1] != "yes" && words[1] != "no"))
        wrong = std::string(kFocusName) + " is yes or no";
      read.pauseOnFocusLoss = words.size() == 2 && words[1] == "yes";
    } else {
      int action = 0;
      while (action < kActionCount && kActionNames[action] != words[0]) ++action;
      if (action == kActionCount)
        wrong = "unknown setting '" + std::string(words[0]) + "'";
      else if (seen[action])
        wrong = std::string(words[0]) + " is set twice";
      else
        wrong = ParseAction(words, action, read.bindings);
      if (action < kActionCount) seen[action] = true;
    }
    if (!wrong.empty()) {
      error = "line " + std::to_string(lineNumber) + ": " + wrong;
      return false;
    }
  }
  for (int i = 0; i <= kActionCount; ++i) {
    if (seen[i]) continue;
    error = "no line for " + std::string(i < kActionCount ? kActionNames[i] : kFocusName);
    return false;
  }
  if (BindsAnythingTwice(read.bindings)) {
    error = "a key or a pad button is bound twice";
    return false;
  }
  settings = read;
  return true;
}

Settings SettingsFile::Load(const std::string& folder) {
  path_ = PathInFolder(files_, folder, kFileName);
  std::string text, wrong;
  Settings settings;
  if (ReadSmallText(files_, path_, kMaxBytes, text, wrong) == TextRead::Missing) return settings;
  if (wrong.empty()) DecodeSettings(text, settings, wrong);
  if (!wrong.empty())
    report_("the settings " + path_ + " cannot be used (" + wrong + "); the defaults apply");
  return settings;
}

bool SettingsFile::Store(const Settings& settings) {
  if (const std::error_code error = ReplaceText(files_, path_, EncodeSettings(settings))) {
    report_("cannot store the settings in " + path_ + ": " + error.message());
    return false;
  }
  return true;
}

#include "system/language.h"

std::optional<Language> LanguageNamed(std::string_view code) {
  if (code == "ja") return Language::Japanese;
  if (code == "en") return Language::English;
  return std::nullopt;
}

Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  const char* locale = nullptr;
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value != nullptr && *value != '\0') {
      locale = value;
      break;
    }
  }
  if (locale == nullptr) return Language::Japanese;
  // A locale name is language[_territory][.codeset][@modifier]: only the language counts.
  const std::string_view name(locale);
  const std::string_view language = name.substr(0, name.find_first_of("_.@"));
  // "japanese" is the old glibc alias of ja_JP.
  if (language == "ja" || language == "japanese") return Language::Japanese;
  if (language == "C" || language == "POSIX") return Language::Japanese;
  return Language::English;
}

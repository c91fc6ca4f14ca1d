// The languages the game speaks, and how the one to use is found.
#pragma once

#include <optional>
#include <string_view>

enum class Language { Japanese, English };

// The language named by a code of the command line: "ja" or "en".
std::optional<Language> LanguageNamed(std::string_view code);

// The language a POSIX locale asks for, given the values of LC_ALL, LC_MESSAGES and LANG (null
// or empty when unset). The first one set decides: Japanese for "ja" (ja_JP.UTF-8 ...) and for
// the "C" and "POSIX" locales (the game's own language where the user chose none), English for
// any other language. With none set, Japanese.
Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The user's preferred language, as the system tells it. On POSIX systems the locale of the
// environment; a port whose system knows the language another way (a browser page, a desktop's
// UI language setting) answers from there.
Language PreferredLanguage();

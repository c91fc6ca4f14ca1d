#include <cstdlib>

#include "system/language.h"

Language PreferredLanguage() {
  return LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

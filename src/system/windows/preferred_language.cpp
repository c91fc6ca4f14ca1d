#include <windows.h>

#include "system/language.h"

// Windows keeps the language of its menus and dialogs in the user's settings, not in the
// environment.
Language PreferredLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese
                                                                    : Language::English;
}

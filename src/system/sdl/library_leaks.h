// Blocks a library keeps, or loses, on its own until exit are not the game's leaks. In sanitized
// builds the leak checker ignores what is allocated inside such a call, and only there: a
// surface or pattern the game forgets elsewhere is still reported, although the library
// allocated it.
#pragma once

#include "system/sanitizers.h"

#ifdef MORAVIN_ADDRESS_SANITIZER
#include <sanitizer/lsan_interface.h>
#endif

template <typename Call>
void IgnoringLibraryLeaks(Call&& call) {
#ifdef MORAVIN_ADDRESS_SANITIZER
  __lsan_disable();
  call();
  __lsan_enable();
#else
  call();
#endif
}

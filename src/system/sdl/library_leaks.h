// Blocks a library keeps, or loses, on its own until exit are not the game's leaks. In sanitized
// builds the leak checker ignores what is allocated inside such a call, and only there: a
// surface or pattern the game forgets elsewhere is still reported, although the library
// allocated it.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define MORAVIN_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORAVIN_LEAK_CHECKED 1
#endif
#endif

#ifdef MORAVIN_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

template <typename Call>
void IgnoringLibraryLeaks(Call&& call) {
#ifdef MORAVIN_LEAK_CHECKED
  __lsan_disable();
  call();
  __lsan_enable();
#else
  call();
#endif
}

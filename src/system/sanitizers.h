// Whether the code is built with AddressSanitizer, as one macro for every compiler: GCC says so
// with __SANITIZE_ADDRESS__, clang through __has_feature. Code that the sanitizer's allocator or
// its shadow memory would defeat (heap tuning, address-space limits) checks
// MORAVIN_ADDRESS_SANITIZER.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define MORAVIN_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORAVIN_ADDRESS_SANITIZER 1
#endif
#endif

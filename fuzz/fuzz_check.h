// Property checks of the fuzz harnesses. A failed check aborts, which libFuzzer reports as a
// crash and saves the input; the replay runner (ctest) fails the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

[[noreturn]] inline void FuzzCheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property violated: %s\n", file, line, condition);
  std::abort();
}

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))

// The entry point every harness defines, called by libFuzzer or by the replay runner.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

inline std::span<const uint8_t> FuzzBytes(const uint8_t* data, size_t size) { return {data, size}; }

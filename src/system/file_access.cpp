#include "system/file_access.h"

#include <random>

std::string TemporaryNameBeside(const std::string& path) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device source;
  uint64_t bits = uint64_t{source()} << 32 | source();
  std::string suffix;
  for (int i = 0; i < 10; ++i, bits /= 62) suffix += kLetters[bits % 62];
  return path + ".tmp-" + suffix;
}

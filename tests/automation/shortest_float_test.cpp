#include "automation/shortest_float.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

TEST(ShortestFloat, WritesTheForms) {
  EXPECT_EQ(ShortestFloat(0.0f), "0");
  EXPECT_EQ(ShortestFloat(-0.0f), "-0");
  EXPECT_EQ(ShortestFloat(255.0f), "255");
  EXPECT_EQ(ShortestFloat(0.85f), "0.85");
  EXPECT_EQ(ShortestFloat(-254.15f), "-254.15");
  EXPECT_EQ(ShortestFloat(1e6f), "1e+06");        // shorter than 1000000
  EXPECT_EQ(ShortestFloat(123456.0f), "123456");  // a tie goes to fixed notation
  EXPECT_EQ(ShortestFloat(0.001f), "0.001");      // a tie again
  EXPECT_EQ(ShortestFloat(0.0001f), "1e-04");
  EXPECT_EQ(ShortestFloat(33630472.0f), "33630472");  // whole numbers keep their exact digits
  EXPECT_EQ(ShortestFloat(3.4028235e38f), "3.4028235e+38");
  EXPECT_EQ(ShortestFloat(1e-45f), "1e-45");  // the smallest subnormal
  EXPECT_EQ(ShortestFloat(0.1f + 0.2f), "0.3");
  EXPECT_EQ(ShortestFloat(16777216.0f), "16777216");
}

// Every text reads back as the float it was made from, with no shorter text doing the same.
TEST(ShortestFloat, ReadsBackAndIsShortest) {
  for (uint32_t bits = 0; bits < 0x7F800000u; bits += 104729) {
    const float value = std::bit_cast<float>(bits);
    const std::string text = ShortestFloat(value);
    ASSERT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
  }
}

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
std::string StandardText(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Where the standard library has floating-point to_chars, the text is byte for byte the same:
// over a spread of every bit pattern, and around every power of two, where the gap between
// floats halves and the nearest short decimal may not read back.
TEST(ShortestFloat, MatchesStandardLibrary) {
  std::vector<float> values;
  for (uint32_t bits = 0; bits < 0x7F800000u; bits += 19997)
    values.push_back(std::bit_cast<float>(bits));
  for (uint32_t exponent = 0; exponent < 255; ++exponent) {
    const uint32_t power = exponent << 23;
    for (uint32_t offset = 0; offset < 4; ++offset) {
      values.push_back(std::bit_cast<float>(power + offset));
      if (power >= offset) values.push_back(std::bit_cast<float>(power - offset));
    }
  }
  for (int i = 0; i < 20000; ++i) values.push_back(static_cast<float>(i) / 20.0f);
  int mismatches = 0;
  for (float value : values) {
    for (float signed_value : {value, -value}) {
      if (ShortestFloat(signed_value) != StandardText(signed_value) && ++mismatches < 10) {
        ADD_FAILURE() << StandardText(signed_value) << " written as "
                      << ShortestFloat(signed_value);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}
#endif

}  // namespace

#include "automation/shortest_float.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// A positive decimal number digits[0].digits[1..] x 10^exponent, without trailing zeros.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

// The value rounded to `significant` digits, correctly rounded by the C library.
Decimal Rounded(float value, int significant) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*e", significant - 1, static_cast<double>(value));
  Decimal d;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.') d.digits += *p;
  }
  d.exponent = std::atoi(p + 1);
  return d;
}

std::string Scientific(const Decimal& d) {
  std::string text(1, d.digits[0]);
  if (d.digits.size() > 1) text += '.' + d.digits.substr(1);
  const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
  text += d.exponent < 0 ? "e-" : "e+";
  if (magnitude < 10) text += '0';
  return text + std::to_string(magnitude);
}

// Fixed notation. A whole number is written with all its digits, as the standard library does,
// not as the short digits padded with zeros: same length, exact value.
std::string Fixed(const Decimal& d, float value) {
  const int count = static_cast<int>(d.digits.size());
  if (d.exponent >= count - 1) {
    char text[48];
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
    return text;
  }
  if (d.exponent >= 0) {
    const size_t whole = size_t(d.exponent) + 1;
    return d.digits.substr(0, whole) + '.' + d.digits.substr(whole);
  }
  return "0." + std::string(size_t(-d.exponent - 1), '0') + d.digits;
}

bool ReadsBackAs(const Decimal& d, float value) {
  return std::strtof(Scientific(d).c_str(), nullptr) == value;
}

// The decimal one unit of the last digit above (step +1) or below (step -1).
Decimal Neighbour(Decimal d, int step) {
  int i = static_cast<int>(d.digits.size()) - 1;
  for (; i >= 0; --i) {
    const int digit = d.digits[size_t(i)] - '0' + step;
    if (digit >= 0 && digit <= 9) {
      d.digits[size_t(i)] = char('0' + digit);
      break;
    }
    d.digits[size_t(i)] = step > 0 ? '0' : '9';
  }
  if (i < 0 && step > 0) {  // 9.99 -> 10.00
    d.digits.insert(d.digits.begin(), '1');
    d.digits.pop_back();
    ++d.exponent;
  }
  if (d.digits[0] == '0') {  // 1.00 -> 0.99: one digit fewer is not the same length
    d.digits.erase(d.digits.begin());
    d.digits += '9';
    --d.exponent;
  }
  return d;
}

void TrimTrailingZeros(Decimal& d) {
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
}

// A decimal of `significant` digits that reads back as the value, the closest one if there
// are several. The correctly rounded one is the closest; when it falls just outside the values
// that read back (the gap below a power of two is half the gap above), the next decimal on the
// other side may still be inside.
bool FindDecimal(float value, int significant, Decimal& found) {
  const Decimal rounded = Rounded(value, significant);
  for (const Decimal& candidate : {rounded, Neighbour(rounded, 1), Neighbour(rounded, -1)}) {
    if (ReadsBackAs(candidate, value)) {
      found = candidate;
      return true;
    }
  }
  return false;
}

// The fewest significant digits that read back as the value. A decimal that reads back still
// does with a zero appended, so the count can be searched by halves; nine always suffice.
Decimal ShortestDecimal(float value) {
  Decimal best = Rounded(value, 9);
  int low = 1, high = 9;  // the answer lies in [low, high]
  while (low < high) {
    const int middle = (low + high) / 2;
    Decimal d;
    if (FindDecimal(value, middle, d)) {
      best = d;
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  TrimTrailingZeros(best);
  return best;
}

}  // namespace

std::string ShortestFloat(float value) {
  const bool negative = std::signbit(value);
  const std::string sign = negative ? "-" : "";
  if (value == 0) return sign + "0";
  const float magnitude = negative ? -value : value;
  const Decimal d = ShortestDecimal(magnitude);
  std::string fixed = Fixed(d, magnitude);
  std::string scientific = Scientific(d);
  return sign + (fixed.size() <= scientific.size() ? fixed : scientific);
}

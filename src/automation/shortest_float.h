// The shortest decimal text of a float that reads back as the same float, written the way
// std::to_chars writes a float without a format: fixed or scientific notation, whichever is
// shorter, fixed on a tie. Some standard libraries (libc++ up to 16, the one of the WebAssembly
// build) have no floating-point to_chars, and the trace must be the same bytes everywhere.
#pragma once

#include <string>

// Finite values only; "-0" for negative zero, as to_chars gives.
std::string ShortestFloat(float value);

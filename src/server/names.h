// Player names as the ranking shows them: what a submitted name must be, and its one stored form.
#pragma once

#include <string>
#include <string_view>

struct NameCheck {
  std::string name;   // the name as stored and shown: NFC, without spaces at either end
  std::string error;  // empty when the name is acceptable; otherwise why not, in one line
};

// A name of 1 to 12 characters (code points, after NFC normalisation) of valid UTF-8, with no
// control character, no bidirectional or other invisible formatting character, no private use
// or unassigned code point, and no line or paragraph separator. Spaces at either end are
// dropped first, so that a trailing space never makes a second player of the same name.
NameCheck CheckName(std::string_view utf8);

constexpr int kMaxNameCharacters = 12;

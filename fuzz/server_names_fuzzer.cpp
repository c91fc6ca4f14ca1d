// Player names as the ranking server takes them: any bytes give either a name or a reason,
// never both; a name is a fixed point of the rules (checking it again gives it back), of 1 to
// 12 characters of well-formed UTF-8.
#include <string>

#include "fuzz_check.h"
#include "server/names.h"
#include "system/shift_jis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const NameCheck check = CheckName(std::string_view(reinterpret_cast<const char*>(data), size));
  FUZZ_CHECK(check.name.empty() != check.error.empty());
  if (check.name.empty()) return 0;
  const NameCheck again = CheckName(check.name);
  FUZZ_CHECK(again.error.empty() && again.name == check.name);
  size_t characters = 0;
  for (std::string_view rest = check.name; !rest.empty(); ++characters) {
    const Utf8Char c = ReadUtf8(rest);
    FUZZ_CHECK(c.length > 0);
    rest.remove_prefix(c.length);
  }
  FUZZ_CHECK(characters >= 1 && characters <= kMaxNameCharacters);
  return 0;
}

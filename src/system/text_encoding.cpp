#include "system/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace {

// Length of the (possibly invalid) character starting at s[0], so that a sequence iconv
// rejects is replaced by one '?' as a whole.
size_t SjisCharLength(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  if (!doubleByte || s.size() < 2) return 1;
  const auto trail = static_cast<unsigned char>(s[1]);
  const bool validTrail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
  return validTrail ? 2 : 1;  // a bad trail byte is left to be read again on its own
}

size_t Utf8CharLength(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  size_t n = 1;
  if (lead >= 0xF0 && lead <= 0xF4)
    n = 4;
  else if (lead >= 0xE0)
    n = 3;
  else if (lead >= 0xC2 && lead <= 0xDF)
    n = 2;
  if (n > s.size()) return 1;
  for (size_t i = 1; i < n; ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
  return n;
}

std::string Convert(std::string_view in, const char* to, const char* from,
                    size_t (*charLength)(std::string_view)) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.reserve(in.size() * 2);
  char buffer[256];
  while (!in.empty()) {
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const int error = errno;
    out.append(buffer, size_t(dst - buffer));
    in.remove_prefix(in.size() - srcLeft);
    if (result != static_cast<size_t>(-1) || error == E2BIG) continue;
    // EILSEQ or EINVAL: replace the offending character and carry on after it.
    out.push_back('?');
    in.remove_prefix(charLength(in));
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  return Convert(sjis, "UTF-8", "CP932", SjisCharLength);
}

std::string Utf8ToSjis(std::string_view utf8) {
  return Convert(utf8, "CP932", "UTF-8", Utf8CharLength);
}

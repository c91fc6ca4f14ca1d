#include "automation/read_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

const char* KindOf(std::filesystem::file_type type) {
  switch (type) {
    case std::filesystem::file_type::directory: return "a directory";
    case std::filesystem::file_type::fifo: return "a FIFO";
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block: return "a device";
    case std::filesystem::file_type::socket: return "a socket";
    default: return "not a regular file";
  }
}

// "16 MiB", "1 MiB", or bytes when the size is no whole number of MiB.
std::string SizeText(uintmax_t bytes) {
  constexpr uintmax_t kMiB = 1024 * 1024;
  if (bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

bool ReadWholeFile(const std::string& path, uintmax_t maxBytes, const char* what,
                   std::string& bytes, std::string& error) {
  std::error_code failure;
  const std::filesystem::file_status status = std::filesystem::status(path, failure);
  if (failure) {
    error = "cannot read " + path + ": " + failure.message();
    return false;
  }
  // Anything else is refused before it is opened.
  if (!std::filesystem::is_regular_file(status)) {
    error = "cannot read " + path + ": it is " + KindOf(status.type()) + ", not a file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  // Read in pieces up to one byte past the limit, which tells a file that is too long even
  // when it grew after it was looked at.
  bytes.clear();
  char piece[65536];
  while (bytes.size() <= maxBytes && in.read(piece, sizeof piece).gcount() > 0)
    bytes.append(piece, static_cast<size_t>(in.gcount()));
  if (in.bad()) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  if (bytes.size() > maxBytes) {
    error = "cannot read " + path + ": it is larger than " + SizeText(maxBytes) +
            ", too large for " + what;
    return false;
  }
  return true;
}

// The replay file: bytes the reader accepts are written back to the very same bytes and read
// again as the same replay; bytes it refuses leave no replay and one line of reason. Each input
// is tried as it is and sealed (its length and checksum made right), so that the fuzzer reaches
// the contents behind the checksum.
#include <zlib.h>

#include <algorithm>
#include <vector>

#include "fuzz_check.h"
#include "replay/replay.h"

namespace {

constexpr size_t kLengthAt = 10;
constexpr size_t kHeaderBytes = 14;
constexpr size_t kChecksumBytes = 4;

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The bytes with the length and the checksum of a whole file (zlib's CRC-32, which the
// reader's own must equal).
std::vector<uint8_t> Sealed(std::span<const uint8_t> bytes) {
  std::vector<uint8_t> sealed(bytes.begin(), bytes.end());
  if (sealed.size() < kHeaderBytes + kChecksumBytes) return sealed;
  Put32(sealed, kLengthAt, static_cast<uint32_t>(sealed.size()));
  const size_t body = sealed.size() - kChecksumBytes;
  Put32(sealed, body, static_cast<uint32_t>(crc32(0, sealed.data(), static_cast<uInt>(body))));
  return sealed;
}

void CheckReading(std::span<const uint8_t> bytes) {
  Replay replay;
  std::string error;
  if (!DecodeReplay(bytes, replay, error)) {
    FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);
    FUZZ_CHECK(replay == Replay{});
    return;
  }
  FUZZ_CHECK(ReplayProblem(replay).empty());
  FUZZ_CHECK(replay.Frames() <= Replay::kMaxFrames);
  const std::vector<uint8_t> written = EncodeReplay(replay);
  FUZZ_CHECK(std::equal(written.begin(), written.end(), bytes.begin(), bytes.end()));
  Replay again;
  FUZZ_CHECK(DecodeReplay(written, again, error));
  FUZZ_CHECK(again == replay);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto bytes = FuzzBytes(data, size);
  CheckReading(bytes);
  CheckReading(Sealed(bytes));
  return 0;
}

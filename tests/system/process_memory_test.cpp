// What the process holds in memory.
#include "system/process_memory.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <unistd.h>

#include <cstdio>
#include <numeric>

namespace {

// Read-only data of the test executable, stored in its file: whole pages, the first byte 1, the
// others 0.
constexpr size_t kBlobBytes = 4 << 20;
alignas(65536) const uint8_t kBlob[kBlobBytes] = {1};

uint64_t ResidentKb() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  unsigned long size = 0, resident = 0;
  const int read = std::fscanf(statm, "%lu %lu", &size, &resident);
  std::fclose(statm);
  return read == 2 ? uint64_t(resident) * uint64_t(sysconf(_SC_PAGESIZE)) / 1024 : 0;
}

size_t Sum(std::span<const uint8_t> bytes) {
  return std::accumulate(bytes.begin(), bytes.end(), size_t{0});
}

}  // namespace

// Released pages of the executable leave the resident memory and read the same afterwards.
TEST(ProcessMemory, ReleasedFilePagesLeaveMemoryAndReadTheSame) {
  const std::span<const uint8_t> blob(kBlob);
  ASSERT_EQ(Sum(blob), 1u);  // every page read in
  const uint64_t before = ResidentKb();
  ASSERT_GT(before, 0u);
  ReleaseFilePages(blob);
  const uint64_t after = ResidentKb();
  EXPECT_GE(before - std::min(before, after), kBlobBytes / 1024 * 3 / 4)
      << before << " KiB resident before, " << after << " after";
  EXPECT_EQ(Sum(blob), 1u);
}
#endif

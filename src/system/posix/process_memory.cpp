#include "system/process_memory.h"

#include <sys/resource.h>
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#define MORAVIN_FILE_PAGES_RELEASABLE
#include <sys/mman.h>
#include <unistd.h>
#endif

uint64_t PeakResidentKb() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0 || usage.ru_maxrss < 0) return 0;
  return static_cast<uint64_t>(usage.ru_maxrss);  // Linux counts it in KiB
}

#ifdef MORAVIN_FILE_PAGES_RELEASABLE
void ReleaseFilePages(std::span<const uint8_t> bytes) {
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<uintptr_t>(bytes.data());
  const uintptr_t first = (start + page - 1) / page * page;
  const uintptr_t end = (start + bytes.size()) / page * page;
  // Unchanged pages of a file mapping are only dropped from the process, never lost.
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}
#else
void ReleaseFilePages(std::span<const uint8_t>) {}
#endif

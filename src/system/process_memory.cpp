#include "system/process_memory.h"

#include <sys/resource.h>

uint64_t PeakResidentKb() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0 || usage.ru_maxrss < 0) return 0;
  return static_cast<uint64_t>(usage.ru_maxrss);  // Linux counts it in KiB
}

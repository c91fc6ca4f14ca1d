#include "system/process_memory.h"

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

uint64_t PeakResidentKb() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize / 1024;
}

void ReleaseFilePages(std::span<const uint8_t>) {}

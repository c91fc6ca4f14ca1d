// What the process holds in memory, for reports of automated runs.
#pragma once

#include <cstdint>
#include <span>

// The most resident memory the process has had so far, in KiB; 0 when the system cannot say.
uint64_t PeakResidentKb();

// Gives back the memory of the whole pages inside `bytes`, which must be read-only data of the
// executable file (nothing else may be passed: other memory would lose its contents). The next
// read fetches them from the file again. Does nothing where the system has no such call.
void ReleaseFilePages(std::span<const uint8_t> bytes);

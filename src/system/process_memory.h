// What the process holds in memory, for reports of automated runs.
#pragma once

#include <cstdint>

// The most resident memory the process has had so far, in KiB; 0 when the system cannot say.
uint64_t PeakResidentKb();

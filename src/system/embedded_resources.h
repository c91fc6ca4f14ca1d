// The resources generated at build time and linked into the executable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "system/resources.h"

const IResources& EmbeddedResources();

// Hands over fetched file `file` (kFetchedFiles) as it arrived: the resources in it can be found
// from now on. False, and nothing changes, for a file that is not one of them, is there already
// or does not have its size.
bool ReceiveFetchedFile(size_t file, std::vector<uint8_t> bytes);

// Reads a file named on the command line, which may name anything: only a regular file of at
// most a given size is read, so that a FIFO or a device cannot stall or flood the start.
#pragma once

#include <cstdint>
#include <string>

// The whole file into `bytes`. False, with "cannot read PATH: why" in `error`, for anything
// else; `what` names the kind of file expected ("an input file") in the message for a file
// too large.
bool ReadWholeFile(const std::string& path, uintmax_t maxBytes, const char* what,
                   std::string& bytes, std::string& error);

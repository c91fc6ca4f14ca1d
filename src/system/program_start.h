// What the entry point does first, before it reads its command line.
#pragma once

#include <string>
#include <vector>

// Prepares the process for the system it runs on and returns the command line, program name
// first, in UTF-8. On Windows the arguments come from the wide command line (so that a path in
// any script arrives whole), and a program started from a console writes to that console.
std::vector<std::string> StartProgram(int argc, char** argv);

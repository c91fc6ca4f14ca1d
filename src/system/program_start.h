// What the entry point does first, before it reads its command line.
#pragma once

#include <string>
#include <vector>

// Prepares the process for the system it runs on and returns the command line, program name
// first, in UTF-8. On Windows the arguments come from the wide command line (so that a path in
// any script arrives whole), and a program started from a console writes to that console.
std::vector<std::string> StartProgram(int argc, char** argv);

// Grows the heap once to the size a game reaches, page by page, and frees it again; the heap
// keeps it. The first touch of a page has the kernel clear and map it, 3 to 8 microseconds a
// page on a virtual machine: without this, 8 ms more for the title entered the first time and a
// few for every other scene's first entry. Paid once before the window opens instead (47 ms on
// such a machine, well under 5 on a real one).
// Call it after the platform has started: a library that starts a child process (D-Bus starts
// one to find a session bus when none is known, during SDL's start in an X session) makes every
// page written before copy-on-write, and the first write of each after it faults again.
void GrowHeapOnce();

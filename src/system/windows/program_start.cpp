// Program start on Windows: the wide command line and the parent console.
#include "system/program_start.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
// The C runtime's modes of its streams.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "system/windows/utf16.h"

namespace {

bool IsOpen(DWORD stream) {
  const HANDLE handle = GetStdHandle(stream);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// The game is a program of the graphical subsystem, so Explorer opens no console for it.
// Started from a console, its help and its messages belong in that console; streams already
// sent to a file or a pipe stay there.
void AttachToParentConsole() {
  const bool outputOpen = IsOpen(STD_OUTPUT_HANDLE);
  const bool errorOpen = IsOpen(STD_ERROR_HANDLE);
  // Output to a file or a pipe is the same bytes as on the other systems, lines ending in a
  // line feed alone (what --verify prints is compared to the byte).
  if (outputOpen) _setmode(_fileno(stdout), _O_BINARY);
  if (outputOpen && errorOpen) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;  // started from Explorer
  SetConsoleOutputCP(CP_UTF8);
  if (!outputOpen) std::freopen("CONOUT$", "w", stdout);
  if (!errorOpen) std::freopen("CONOUT$", "w", stderr);
}

std::vector<std::string> WideArguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  if (!wide) return arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(WideToUtf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace

std::vector<std::string> StartProgram(int argc, char** argv) {
  AttachToParentConsole();
  std::vector<std::string> arguments = WideArguments();
  // Without the wide command line, the narrow one is better than none.
  if (arguments.empty()) arguments.assign(argv, argv + argc);
  return arguments;
}

// Left to Windows' own heap, where the first touch of a page was not measured.
void GrowHeapOnce() {}

#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "game_process.h"
#include "system/windows/utf16.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

// The exit code TerminateProcess gives a game ended by Kill().
constexpr UINT kKilledExitCode = 0xDEAD;

// One argument as CommandLineToArgvW, which the game parses its command line with, reads it back.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them.
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L'"';
}

// The executable, named by the build machine's path: Wine shows the build machine's root as
// drive Z:.
std::wstring Executable() {
  std::wstring path = Utf8ToWide(MORAVIN_EXE);
  if (path.starts_with(L'/')) path.insert(0, L"Z:");
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::wstring CommandLine(const std::vector<std::string>& args) {
  std::wstring line = Quoted(Executable());
  for (const std::string& arg : args) line += L' ' + Quoted(Utf8ToWide(arg));
  return line;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

// This process's environment with the changes made (names are case-insensitive on Windows),
// as the block CreateProcessW takes: NAME=VALUE strings, each ended by a null, and one more null.
std::wstring EnvironmentBlock(const EnvironmentChanges& changes) {
  std::vector<std::wstring> entries;
  wchar_t* own = GetEnvironmentStringsW();
  // Entries of the current folders of drives ("=C:=C:\...") start with '='; the name ends at
  // the first '=' after it.
  for (const wchar_t* entry = own; *entry; entry += entries.back().size() + 1)
    entries.emplace_back(entry);
  FreeEnvironmentStringsW(own);
  for (const auto& [name, value] : changes) {
    const std::wstring wideName = Utf8ToWide(name);
    std::erase_if(entries, [&](const std::wstring& entry) {
      return SameName(std::wstring_view(entry).substr(0, entry.find(L'=', 1)), wideName);
    });
    if (value) entries.push_back(wideName + L'=' + Utf8ToWide(*value));
  }
  std::wstring block;
  for (const std::wstring& entry : entries) block += entry + L'\0';
  return block + L'\0';
}

// A file in `dir` the game inherits as one of its standard streams.
HANDLE InheritableOutput(const fs::path& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.wstring().c_str(), GENERIC_WRITE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A job that kills its processes when its last handle closes: the test's, when the test ends
// (even killed by CTest at its time-out), so that no game is left running.
HANDLE KillOnCloseJob() {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job &&
      !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

// NtSuspendProcess and NtResumeProcess: ntdll exports them, no header declares them.
using ProcessCall = LONG(NTAPI*)(HANDLE);
ProcessCall NtdllCall(const char* name) {
  FARPROC call = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name);
  return reinterpret_cast<ProcessCall>(reinterpret_cast<void*>(call));
}

}  // namespace

struct GameProcess::Handle {
  HANDLE process = nullptr;
  HANDLE job = nullptr;  // ends the game with the test when the test is killed
  bool ended = false;
};

EnvironmentChanges SaveFolderEnvironment(const fs::path& dir) {
  return {{"APPDATA", (dir / "appdata").string()}};
}

fs::path SaveFileUnder(const fs::path& dir) { return dir / "appdata" / "moravin" / "SaveData.dat"; }

GameProcess::GameProcess(const fs::path& dir, const std::vector<std::string>& args,
                         const EnvironmentChanges& environment)
    : handle_(std::make_unique<Handle>()) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = InheritableOutput(dir / "stdout.txt");
  startup.hStdError = InheritableOutput(dir / "stderr.txt");
  std::wstring commandLine = CommandLine(args);
  std::wstring block = EnvironmentBlock(environment);
  PROCESS_INFORMATION started{};
  handle_->job = KillOnCloseJob();
  // Started suspended, so that it is in the job before it runs.
  if (handle_->job && startup.hStdOutput != INVALID_HANDLE_VALUE &&
      startup.hStdError != INVALID_HANDLE_VALUE &&
      CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                     CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED, block.data(),
                     dir.wstring().c_str(), &startup, &started)) {
    if (AssignProcessToJobObject(handle_->job, started.hProcess)) {
      ResumeThread(started.hThread);
      handle_->process = started.hProcess;
    } else {
      TerminateProcess(started.hProcess, kKilledExitCode);
      CloseHandle(started.hProcess);
    }
    CloseHandle(started.hThread);
  }
  // The game holds its own copies of the files now.
  for (HANDLE file : {startup.hStdOutput, startup.hStdError})
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

GameProcess::~GameProcess() {
  if (Started()) {
    if (!handle_->ended) Kill();
    CloseHandle(handle_->process);
  }
  if (handle_->job) CloseHandle(handle_->job);
}

bool GameProcess::Started() const { return handle_->process != nullptr; }

bool GameProcess::Running() {
  if (handle_->ended) return false;
  if (WaitForSingleObject(handle_->process, 0) == WAIT_TIMEOUT) return true;
  DWORD code = 0;
  GetExitCodeProcess(handle_->process, &code);
  exit_.exitCode = static_cast<int>(code);
  handle_->ended = true;
  return false;
}

// The game is a program of the graphical subsystem: it has no console for a Ctrl+C to reach
// (AttachConsole to it fails, even when it is started with a console of its own), and a
// headless run has no window for a WM_CLOSE.
bool GameProcess::RequestClose() { return false; }

bool GameProcess::Suspend() {
  static const ProcessCall suspend = NtdllCall("NtSuspendProcess");
  suspend(handle_->process);
  return Running();  // false when it ended on its own just before the suspension
}

void GameProcess::Resume() {
  static const ProcessCall resume = NtdllCall("NtResumeProcess");
  resume(handle_->process);
}

void GameProcess::Kill() {
  exit_.killed = TerminateProcess(handle_->process, kKilledExitCode);
  WaitForSingleObject(handle_->process, INFINITE);
  Running();
  if (exit_.killed) exit_.exitCode = -1;
}

}  // namespace e2e

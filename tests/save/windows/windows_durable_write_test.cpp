// Replacing the save file on Windows with each call made to fail in turn: the steps that make
// a new save survive a power loss, failures that leave the old save whole and no temporary file
// behind, and writes and reads that move fewer bytes than asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../save_records.h"
#include "fakes/test_files.h"
#include "system/windows/windows_file_access.h"

namespace save_test {
namespace {

using namespace test_files;

// The real Win32 calls, recorded in order; the ones named in `failing` fail with `error`
// instead, as a full disk, a failing drive or a scanner holding the save open would make them.
class FaultyWindowsCalls : public WindowsCalls {
 public:
  std::set<std::string> failing;  // create, read, write, flush, close, move
  DWORD error = ERROR_WRITE_FAULT;
  // What was called: "create-new" or "open" for CreateFileW, a move with its flags, then the
  // plain names of the calls that read, write and close.
  std::vector<std::string> calls;
  // The most bytes one ReadFile or WriteFile moves: fewer than asked is a short read or write.
  DWORD maxRead = MAXDWORD;
  DWORD maxWrite = MAXDWORD;
  // Runs before every CREATE_NEW, with the path of the file to be created.
  std::function<void(LPCWSTR path)> beforeCreate;

  HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share, DWORD disposition,
                     DWORD flags) override {
    const bool createsNew = disposition == CREATE_NEW;
    calls.push_back(createsNew ? "create-new" : "open");
    if (createsNew && beforeCreate) beforeCreate(path);
    if (Fails("create")) return INVALID_HANDLE_VALUE;
    return WindowsCalls::CreateFileW(path, access, share, disposition, flags);
  }
  BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read) override {
    calls.push_back("read");
    return !Fails("read") && WindowsCalls::ReadFile(file, buffer, std::min(size, maxRead), read);
  }
  BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written) override {
    calls.push_back("write");
    if (Fails("write")) return FALSE;
    if (maxWrite == 0) {
      // No progress, reported as success. A second write fails, so that a caller that keeps
      // trying shows up as that failure instead of hanging the test.
      failing.insert("write");
      *written = 0;
      return TRUE;
    }
    return WindowsCalls::WriteFile(file, buffer, std::min(size, maxWrite), written);
  }
  BOOL FlushFileBuffers(HANDLE file) override {
    calls.push_back("flush");
    return !Fails("flush") && WindowsCalls::FlushFileBuffers(file);
  }
  BOOL CloseHandle(HANDLE file) override {
    calls.push_back("close");
    const BOOL closed = WindowsCalls::CloseHandle(file);  // the handle is gone either way
    return !Fails("close") && closed;
  }
  BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) override {
    std::string call = "move";
    if (flags & MOVEFILE_REPLACE_EXISTING) call += " replace";
    if (flags & MOVEFILE_WRITE_THROUGH) call += " write-through";
    calls.push_back(call);
    return !Fails("move") && WindowsCalls::MoveFileExW(from, to, flags);
  }

  int Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }

 private:
  bool Fails(const char* name) {
    if (!failing.contains(name)) return false;
    SetLastError(error);
    return true;
  }
};

std::error_code WindowsError(DWORD code) {
  return {static_cast<int>(code), std::system_category()};
}

class WindowsDurableWriteTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(save_, old_); }

  std::set<std::string> FilesInFolder() const { return Entries(temp_.Path()); }

  TempFolder temp_;
  const fs::path save_ = temp_ / "SaveData.dat";
  const std::string savePath_ = Utf8(save_);
  const std::vector<uint8_t> old_ = FileOf(RecordWithHighScore(100));
  const std::vector<uint8_t> new_ = FileOf(RecordWithHighScore(200));
  FaultyWindowsCalls calls;
  WindowsFileAccess files{calls};
};

TEST_F(WindowsDurableWriteTest, NewFileIsFlushedAndClosedBeforeAWrittenThroughMoveReplacesIt) {
  ASSERT_FALSE(files.Replace(savePath_, new_));
  EXPECT_EQ(ReadBytes(save_), new_);
  EXPECT_EQ(calls.calls, (std::vector<std::string>{"create-new", "write", "flush", "close",
                                                   "move replace write-through"}));
  EXPECT_EQ(FilesInFolder(), std::set<std::string>{"SaveData.dat"});
}

TEST_F(WindowsDurableWriteTest, EveryFailureLeavesTheOldSaveAndNoTemporaryFile) {
  // No right to create files in the folder, a full disk, a drive pulled out, a scanner holding
  // the old save open.
  for (auto [call, error] : {std::pair{"create", DWORD{ERROR_ACCESS_DENIED}},
                             {"write", DWORD{ERROR_DISK_FULL}},
                             {"flush", DWORD{ERROR_DEVICE_NOT_CONNECTED}},
                             {"close", DWORD{ERROR_WRITE_FAULT}},
                             {"move", DWORD{ERROR_SHARING_VIOLATION}}}) {
    calls.failing = {call};
    calls.error = error;
    const std::error_code failure = files.Replace(savePath_, new_);
    calls.failing.clear();
    EXPECT_EQ(failure, WindowsError(error)) << call;
    EXPECT_EQ(ReadBytes(save_), old_) << call;
    EXPECT_EQ(FilesInFolder(), std::set<std::string>{"SaveData.dat"}) << call;
  }
}

TEST_F(WindowsDurableWriteTest, FileAtTheTemporaryNameIsNeverWrittenThrough) {
  // Someone who guessed the temporary name puts a file of theirs there first.
  std::wstring planted;
  calls.beforeCreate = [&](LPCWSTR path) {
    if (!planted.empty()) return;
    planted = path;
    WriteBytes(fs::path(planted), std::vector<uint8_t>{'k', 'e', 'e', 'p'});
  };
  ASSERT_FALSE(files.Replace(savePath_, new_));
  EXPECT_EQ(calls.Count("create-new"), 2) << "the taken name is given up for another";
  EXPECT_EQ(ReadBytes(fs::path(planted)), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
  EXPECT_EQ(ReadBytes(save_), new_);
}

TEST_F(WindowsDurableWriteTest, ShortWritesAreContinuedUntilTheWholeSaveIsWritten) {
  calls.maxWrite = 7;
  ASSERT_FALSE(files.Replace(savePath_, new_));
  EXPECT_EQ(ReadBytes(save_), new_);
  EXPECT_EQ(calls.Count("write"), static_cast<int>((new_.size() + 6) / 7));
}

TEST_F(WindowsDurableWriteTest, WriteMakingNoProgressFailsInsteadOfTryingAgain) {
  calls.maxWrite = 0;
  EXPECT_EQ(files.Replace(savePath_, new_), std::make_error_code(std::errc::io_error));
  EXPECT_EQ(calls.Count("write"), 1);
  EXPECT_EQ(ReadBytes(save_), old_);
  EXPECT_EQ(FilesInFolder(), std::set<std::string>{"SaveData.dat"});
}

TEST_F(WindowsDurableWriteTest, RenameIsAWrittenThroughMoveAndReportsItsFailure) {
  const fs::path aside = temp_ / "SaveData.dat.bad";
  WriteBytes(aside, new_);
  calls.failing = {"move"};
  calls.error = ERROR_SHARING_VIOLATION;
  EXPECT_EQ(files.Rename(savePath_, Utf8(aside)), WindowsError(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(ReadBytes(aside), new_);

  calls.failing.clear();
  ASSERT_FALSE(files.Rename(savePath_, Utf8(aside)));
  EXPECT_EQ(ReadBytes(aside), old_);
  EXPECT_EQ(calls.calls.back(), "move replace write-through");
}

TEST_F(WindowsDurableWriteTest, ReadContinuesShortReadsAndReturnsNoBytesWhenReadingFails) {
  std::vector<uint8_t> bytes;
  calls.maxRead = 7;
  ASSERT_FALSE(files.Read(savePath_, old_.size() + 1, bytes));
  EXPECT_EQ(bytes, old_);

  calls.failing = {"read"};
  calls.error = ERROR_CRC;
  EXPECT_EQ(files.Read(savePath_, old_.size(), bytes), WindowsError(ERROR_CRC));
  EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace save_test

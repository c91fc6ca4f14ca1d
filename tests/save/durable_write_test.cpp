// Replacing the save file: the steps that make a new save survive a power loss, failures that
// leave the old save whole, links that are never written through, and a thousand kills.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <random>

#include "save/save_file.h"
#include "save_test_support.h"

namespace save_test {
namespace {

class DurableWriteTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(save_, old_); }

  TempFolder temp_;
  const fs::path save_ = temp_ / "SaveData.dat";
  const std::vector<uint8_t> old_ = FileOf(RecordWithHighScore(100));
  const std::vector<uint8_t> new_ = FileOf(RecordWithHighScore(200));
  FaultyCalls calls;
  PosixFileAccess files{calls};
};

TEST_F(DurableWriteTest, NewFileIsFlushedBeforeTheRenameAndTheFolderAfterIt) {
  ASSERT_FALSE(files.Replace(save_, new_));
  EXPECT_EQ(ReadBytes(save_), new_);
  EXPECT_EQ(calls.calls,
            (std::vector<std::string>{"open-temporary", "write", "fchmod", "fsync", "close",
                                      "rename", "open-folder", "fsync", "close"}));
  EXPECT_EQ(Entries(temp_.Path()), std::set<std::string>{"SaveData.dat"});
}

TEST_F(DurableWriteTest, ExistingPermissionsAreKeptAndNewFilesFollowTheUmask) {
  fs::permissions(save_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_FALSE(files.Replace(save_, new_));
  EXPECT_EQ(fs::status(save_).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  const mode_t umaskWas = umask(027);
  const fs::path fresh = temp_ / "fresh.dat";
  const std::error_code error = files.Replace(fresh, new_);
  umask(umaskWas);
  ASSERT_FALSE(error);
  EXPECT_EQ(fs::status(fresh).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DurableWriteTest, LinkPlantedAtTheTemporaryNameIsNeverWrittenThrough) {
  // Someone who guessed the temporary name puts a link there first, to a file of theirs.
  const fs::path victim = temp_ / "victim.txt";
  WriteBytes(victim, std::vector<uint8_t>{'k', 'e', 'e', 'p'});
  int planted = 0;
  calls.beforeOpen = [&](const char* path, int flags) {
    if ((flags & O_CREAT) && planted++ == 0) fs::create_symlink(victim, path);
  };
  ASSERT_FALSE(files.Replace(save_, new_));
  EXPECT_EQ(planted, 2) << "the taken name is given up for another";
  EXPECT_EQ(ReadBytes(victim), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
  EXPECT_EQ(ReadBytes(save_), new_);
  EXPECT_FALSE(fs::is_symlink(save_));
}

TEST_F(DurableWriteTest, EveryFailureLeavesTheOldSaveAndNoTemporaryFile) {
  // A full disk (ENOSPC on the write), a failing drive, a rename refused.
  for (auto [call, error] : {std::pair{"write", ENOSPC},
                             {"open", ENOSPC},
                             {"fchmod", EPERM},
                             {"fsync", EIO},
                             {"close", EIO},
                             {"rename", EXDEV}}) {
    calls.failing = {call};
    calls.error = error;
    const std::error_code failure = files.Replace(save_, new_);
    calls.failing.clear();
    EXPECT_EQ(failure.value(), error) << call;
    EXPECT_EQ(ReadBytes(save_), old_) << call;
    EXPECT_EQ(Entries(temp_.Path()), std::set<std::string>{"SaveData.dat"}) << call;
  }
}

TEST_F(DurableWriteTest, FailedFlushOfTheFolderIsReportedThoughTheNewFileIsInPlace) {
  int fsyncs = 0;
  struct FolderSyncFails : FaultyCalls {
    int* count;
    int Fsync(int fd) override {
      if (++*count == 2) {
        errno = EIO;
        return -1;
      }
      return FaultyCalls::Fsync(fd);
    }
  } failing;
  failing.count = &fsyncs;
  PosixFileAccess access(failing);
  EXPECT_EQ(access.Replace(save_, new_).value(), EIO);
  EXPECT_EQ(ReadBytes(save_), new_);
}

// A child stores two records in turn, as fast as it can, and is killed at a random moment:
// whatever the moment, the save is one of the two records, whole.
TEST(KillDuringSaves, ThousandKillsNeverLeaveATornOrMissingSave) {
  TempFolder temp;
  const SaveData first = RecordWithHighScore(1111);
  const SaveData second = RecordWithHighScore(2222);
  PosixCalls calls;
  PosixFileAccess files(calls);
  SaveFile save(files, temp.Path().string(), [](const std::string&) {});
  ASSERT_TRUE(save.Store(first));

  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
  int sawFirst = 0, sawSecond = 0;
  for (int trial = 0; trial < 1000; ++trial) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        save.Store(second);
        save.Store(first);
      }
    }
    usleep(useconds_t(delayMicroseconds(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    const std::optional<std::vector<uint8_t>> bytes = ReadBytes(temp / "SaveData.dat");
    ASSERT_TRUE(bytes) << "trial " << trial << ": the save is missing";
    SaveData record{};
    ASSERT_TRUE(DecodeSaveFile(*bytes, record) && bytes->size() == kSaveFileSize)
        << "trial " << trial << ": the save is torn (" << bytes->size() << " bytes)";
    ASSERT_TRUE(record.highScore == 1111 || record.highScore == 2222) << "trial " << trial;
    (record.highScore == 1111 ? sawFirst : sawSecond)++;
  }
  // The kills really fell in the middle of the stores, not all before or after them.
  EXPECT_GT(sawFirst, 0);
  EXPECT_GT(sawSecond, 0);
}

}  // namespace
}  // namespace save_test

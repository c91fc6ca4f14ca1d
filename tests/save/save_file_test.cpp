// Where the save lives, the one-time copy from the working directory, damaged files, odd
// paths and read errors: the save is never lost and never overwritten unread.
#include "save/save_file.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>

#include "save_test_support.h"

namespace save_test {
namespace {

class SaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldWorkingDirectory_ = fs::current_path();
    fs::create_directories(temp_ / "work");
    fs::current_path(temp_ / "work");
  }
  void TearDown() override { fs::current_path(oldWorkingDirectory_); }

  // A save in the user's data folder when `folder` is empty.
  SaveFile Make(const fs::path& folder = {}) {
    return SaveFile(files_, folder.string(),
                    [this](const std::string& line) { reports.push_back(line); });
  }
  fs::path DataSave() const { return temp_ / "xdg" / "moravin" / "SaveData.dat"; }

  TempFolder temp_;
  ScopedEnv data_{"XDG_DATA_HOME", (temp_ / "xdg").c_str()};
  ScopedEnv home_{"HOME", (temp_ / "home").c_str()};
  FaultyCalls calls;
  std::vector<std::string> reports;

 private:
  PosixFileAccess files_{calls};
  fs::path oldWorkingDirectory_;
};

bool IsZero(const SaveData& record) {
  const SaveData zero{};
  return std::memcmp(&record, &zero, sizeof zero) == 0;
}

TEST_F(SaveFileTest, FirstRunCreatesThePrivateDataFolderAndNothingInTheWorkingDirectory) {
  SaveFile save = Make();
  SaveData record = RecordWithHighScore(99);
  ASSERT_TRUE(save.Load(record));
  EXPECT_TRUE(IsZero(record));
  EXPECT_EQ(save.Path(), DataSave().string());
  EXPECT_EQ(ReadBytes(DataSave()), FileOf(SaveData{}));
  EXPECT_EQ(fs::status(DataSave().parent_path()).permissions(), fs::perms::owner_all);
  EXPECT_TRUE(fs::is_empty(fs::current_path()));
  EXPECT_TRUE(reports.empty());

  // The next run loads what the last one stored.
  ASSERT_TRUE(save.Store(RecordWithHighScore(4321)));
  SaveFile again = Make();
  ASSERT_TRUE(again.Load(record));
  EXPECT_EQ(record.highScore, 4321);
}

TEST_F(SaveFileTest, HomeDataFolderWhenXdgDataHomeIsUnsetOrRelative) {
  const fs::path inHome = temp_ / "home" / ".local" / "share" / "moravin" / "SaveData.dat";
  for (const char* data : {static_cast<const char*>(nullptr), "relative/data"}) {
    ScopedEnv variable("XDG_DATA_HOME", data);
    SaveFile save = Make();
    SaveData record{};
    ASSERT_TRUE(save.Load(record));
    EXPECT_EQ(save.Path(), inHome.string());
    EXPECT_TRUE(ReadBytes(inHome));
    fs::remove(inHome);
  }
  EXPECT_FALSE(fs::exists(fs::current_path() / "relative"));
}

TEST_F(SaveFileTest, ChosenFolderIsUsedAndCreated) {
  const fs::path folder = temp_ / "portable" / "saves";
  SaveFile save = Make(folder);
  SaveData record{};
  ASSERT_TRUE(save.Load(record));
  EXPECT_EQ(ReadBytes(folder / "SaveData.dat"), FileOf(SaveData{}));
  EXPECT_FALSE(fs::exists(DataSave()));
}

TEST_F(SaveFileTest, ValidSaveOfTheWorkingDirectoryIsCopiedOnceAndLeftAsItWas) {
  std::vector<uint8_t> old = FileOf(RecordWithHighScore(777));
  old.push_back(0x42);  // bytes after the check value are no concern of the copy
  WriteBytes("SaveData.dat", old);
  SaveData record{};
  {
    SaveFile save = Make();
    ASSERT_TRUE(save.Load(record));
  }
  EXPECT_EQ(record.highScore, 777);
  EXPECT_EQ(ReadBytes(DataSave()), FileOf(RecordWithHighScore(777)));
  EXPECT_EQ(ReadBytes("SaveData.dat"), old);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("copied SaveData.dat of the working directory"), std::string::npos);
  EXPECT_NE(reports[0].find(DataSave().string()), std::string::npos);

  // Once only: with a save in the data folder the working directory is not looked at again.
  WriteBytes("SaveData.dat", FileOf(RecordWithHighScore(5)));
  SaveFile later = Make();
  ASSERT_TRUE(later.Load(record));
  EXPECT_EQ(record.highScore, 777);
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(SaveFileTest, DamagedOrForeignSavesOfTheWorkingDirectoryAreNotCopied) {
  std::vector<uint8_t> damaged = FileOf(RecordWithHighScore(777));
  damaged[30] ^= 0x10;
  WriteBytes("SaveData.dat", damaged);
  SaveData record{};
  SaveFile save = Make();
  ASSERT_TRUE(save.Load(record));
  EXPECT_TRUE(IsZero(record));
  EXPECT_EQ(ReadBytes("SaveData.dat"), damaged);
  EXPECT_TRUE(reports.empty());

  // A chosen folder is the user's decision: nothing is copied into it.
  WriteBytes("SaveData.dat", FileOf(RecordWithHighScore(777)));
  SaveFile chosen = Make(temp_ / "chosen");
  ASSERT_TRUE(chosen.Load(record));
  EXPECT_TRUE(IsZero(record));
}

TEST_F(SaveFileTest, EveryBitFlipAndEveryTruncationLoadsAsDefaultAndIsKeptAside) {
  const std::vector<uint8_t> valid = FileOf(RecordWithHighScore(12300));
  std::vector<std::vector<uint8_t>> damaged;
  for (size_t bit = 0; bit < valid.size() * 8; ++bit) {
    damaged.push_back(valid);
    damaged.back()[bit / 8] ^= uint8_t(1u << (bit % 8));
  }
  for (size_t length = 0; length < valid.size(); ++length)
    damaged.emplace_back(valid.begin(), valid.begin() + std::ptrdiff_t(length));
  ASSERT_EQ(damaged.size(), 352u + 44u);

  const fs::path bad = DataSave().string() + ".bad";
  fs::create_directories(DataSave().parent_path());
  for (const std::vector<uint8_t>& bytes : damaged) {
    WriteBytes(DataSave(), bytes);
    reports.clear();
    SaveData record = RecordWithHighScore(1);
    SaveFile save = Make();
    ASSERT_TRUE(save.Load(record));
    ASSERT_TRUE(IsZero(record));
    ASSERT_EQ(ReadBytes(DataSave()), FileOf(SaveData{}));
    // The older .bad is replaced by this one.
    ASSERT_EQ(ReadBytes(bad), bytes);
    ASSERT_EQ(reports.size(), 1u);
    ASSERT_NE(reports[0].find(DataSave().string() + " was damaged"), std::string::npos);
    ASSERT_NE(reports[0].find(bad.string()), std::string::npos);
  }
}

TEST_F(SaveFileTest, FolderNamedSaveDataIsNeitherReadNorReplaced) {
  fs::create_directories(DataSave() / "inside");
  SaveFile save = Make();
  SaveData record = RecordWithHighScore(1);
  EXPECT_FALSE(save.Load(record));
  EXPECT_TRUE(IsZero(record));
  EXPECT_TRUE(fs::exists(DataSave() / "inside"));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find(DataSave().string() + " is a folder"), std::string::npos);
}

TEST_F(SaveFileTest, FifoNamedSaveDataIsRefusedWithoutWaiting) {
  fs::create_directories(DataSave().parent_path());
  ASSERT_EQ(mkfifo(DataSave().c_str(), 0600), 0);
  // In a child with an alarm: a load that blocks on the FIFO is killed instead of hanging.
  const pid_t child = fork();
  if (child == 0) {
    alarm(10);
    SaveData record{};
    SaveFile save = Make();
    const bool refused = !save.Load(record);
    const bool said = reports.size() == 1 && reports[0].find("is a FIFO") != std::string::npos;
    _exit(refused && said ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the load blocked on the FIFO";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::is_fifo(DataSave()));
}

TEST_F(SaveFileTest, DeviceNamedSaveDataIsRefused) {
  fs::create_directories(DataSave().parent_path());
  // A node of our own for the zero device, so that nothing outside the test can be touched.
  if (mknod(DataSave().c_str(), S_IFCHR | 0600, makedev(1, 5)) != 0)
    GTEST_SKIP() << "cannot make a device node here: " << std::strerror(errno);
  SaveFile save = Make();
  SaveData record{};
  EXPECT_FALSE(save.Load(record));
  EXPECT_TRUE(fs::is_character_file(DataSave()));
  EXPECT_FALSE(fs::exists(DataSave().string() + ".bad"));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("is a device"), std::string::npos);
}

TEST_F(SaveFileTest, LinkedSaveStaysALinkAndItsTargetIsReplacedInItsOwnFolder) {
  const fs::path real = temp_ / "elsewhere" / "real.dat";
  fs::create_directories(real.parent_path());
  fs::create_directories(DataSave().parent_path());
  WriteBytes(real, FileOf(RecordWithHighScore(10)));
  fs::create_symlink("../../elsewhere/real.dat", DataSave());

  SaveFile save = Make();
  SaveData record{};
  ASSERT_TRUE(save.Load(record));
  EXPECT_EQ(record.highScore, 10);
  ASSERT_TRUE(save.Store(RecordWithHighScore(20)));
  EXPECT_TRUE(fs::is_symlink(DataSave()));
  EXPECT_EQ(fs::read_symlink(DataSave()), "../../elsewhere/real.dat");
  EXPECT_EQ(ReadBytes(real), FileOf(RecordWithHighScore(20)));
  EXPECT_EQ(Entries(real.parent_path()), std::set<std::string>{"real.dat"});
  EXPECT_EQ(Entries(DataSave().parent_path()), std::set<std::string>{"SaveData.dat"});

  // Damaged behind the link: kept aside beside the target, and the link still leads to the
  // fresh save.
  std::vector<uint8_t> damaged = FileOf(RecordWithHighScore(20));
  damaged[0] ^= 1;
  WriteBytes(real, damaged);
  SaveFile next = Make();
  ASSERT_TRUE(next.Load(record));
  EXPECT_TRUE(fs::is_symlink(DataSave()));
  EXPECT_EQ(ReadBytes(real.string() + ".bad"), damaged);
  EXPECT_EQ(ReadBytes(DataSave()), FileOf(SaveData{}));
}

TEST_F(SaveFileTest, LinkToAMissingFileCreatesTheTarget) {
  const fs::path real = temp_ / "elsewhere" / "real.dat";
  fs::create_directories(real.parent_path());
  fs::create_directories(DataSave().parent_path());
  fs::create_symlink(real, DataSave());
  SaveFile save = Make();
  SaveData record{};
  ASSERT_TRUE(save.Load(record));
  EXPECT_TRUE(fs::is_symlink(DataSave()));
  EXPECT_EQ(ReadBytes(real), FileOf(SaveData{}));
}

TEST_F(SaveFileTest, FolderThatCannotBeMadeStopsTheLoad) {
  WriteBytes(temp_ / "file", FileOf(SaveData{}));
  SaveFile save = Make(temp_ / "file" / "saves");
  SaveData record{};
  EXPECT_FALSE(save.Load(record));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("cannot create the folder " + (temp_ / "file" / "saves").string()),
            std::string::npos);
  EXPECT_NE(reports[0].find(std::strerror(ENOTDIR)), std::string::npos);
}

TEST_F(SaveFileTest, ReadErrorsNeverOverwriteTheSave) {
  const std::vector<uint8_t> stored = FileOf(RecordWithHighScore(31337));
  fs::create_directories(DataSave().parent_path());
  for (auto [call, error] : {std::pair{"open", EACCES}, {"read", EIO}}) {
    WriteBytes(DataSave(), stored);
    reports.clear();
    calls.failing = {call};
    calls.error = error;
    SaveFile save = Make();
    SaveData record{};
    EXPECT_FALSE(save.Load(record)) << call;
    calls.failing.clear();
    EXPECT_EQ(ReadBytes(DataSave()), stored) << call;
    EXPECT_EQ(Entries(DataSave().parent_path()), std::set<std::string>{"SaveData.dat"}) << call;
    ASSERT_EQ(reports.size(), 1u) << call;
    EXPECT_NE(reports[0].find("cannot read the save " + DataSave().string()), std::string::npos);
    EXPECT_NE(reports[0].find(std::strerror(error)), std::string::npos) << call;
  }
}

TEST_F(SaveFileTest, FailedMoveAsideLeavesTheDamagedSaveAndStops) {
  std::vector<uint8_t> damaged = FileOf(RecordWithHighScore(5));
  damaged[3] ^= 4;
  fs::create_directories(DataSave().parent_path());
  WriteBytes(DataSave(), damaged);
  calls.failing = {"rename"};
  SaveFile save = Make();
  SaveData record{};
  EXPECT_FALSE(save.Load(record));
  EXPECT_EQ(ReadBytes(DataSave()), damaged);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("cannot be moved to " + DataSave().string() + ".bad"),
            std::string::npos);
}

TEST_F(SaveFileTest, UncreatableSaveStopsTheLoadAndEveryFailedStoreIsReported) {
  calls.failing = {"open"};
  calls.error = ENOSPC;
  SaveFile save = Make();
  SaveData record{};
  EXPECT_FALSE(save.Load(record));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0],
            "cannot create the save " + DataSave().string() + ": " + std::strerror(ENOSPC));
  EXPECT_FALSE(save.Store(record));
  EXPECT_FALSE(save.Store(record));
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[2],
            "cannot store the save in " + DataSave().string() + ": " + std::strerror(ENOSPC));
}

// The game over begins its store and draws on while the disk works: the store returns before
// the write is done, FinishStore waits for it, and stores reach the disk in the order asked.
TEST_F(SaveFileTest, AStoreInTheBackgroundDoesNotWaitForTheDiskAndKeepsTheOrder) {
  SaveFile save = Make();
  SaveData record{};
  ASSERT_TRUE(save.Load(record));
  std::promise<void> diskReady;
  std::shared_future<void> ready = diskReady.get_future().share();
  calls.beforeOpen = [ready](const char*, int flags) {
    // The temporary file of a store; a store that waited for this would give up in the end.
    if (flags & O_CREAT) ready.wait_for(std::chrono::seconds(10));
  };
  save.StartStore(RecordWithHighScore(1));
  EXPECT_EQ(ReadBytes(DataSave()), FileOf(SaveData{})) << "the store waited for the disk";
  diskReady.set_value();
  EXPECT_TRUE(save.FinishStore());
  EXPECT_EQ(ReadBytes(DataSave()), FileOf(RecordWithHighScore(1)));

  save.StartStore(RecordWithHighScore(2));
  EXPECT_TRUE(save.Store(RecordWithHighScore(3)));
  EXPECT_EQ(ReadBytes(DataSave()), FileOf(RecordWithHighScore(3)));
  {
    SaveFile leaving = Make();
    ASSERT_TRUE(leaving.Load(record));
    leaving.StartStore(RecordWithHighScore(4));
  }
  EXPECT_EQ(ReadBytes(DataSave()), FileOf(RecordWithHighScore(4))) << "lost at the end";
  EXPECT_TRUE(reports.empty());
}

TEST_F(SaveFileTest, AFailedStoreInTheBackgroundIsReportedOnce) {
  SaveFile save = Make();
  SaveData record{};
  ASSERT_TRUE(save.Load(record));
  calls.failing = {"rename"};
  calls.error = EIO;
  save.StartStore(RecordWithHighScore(5));
  EXPECT_FALSE(save.FinishStore());
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0],
            "cannot store the save in " + DataSave().string() + ": " + std::strerror(EIO));
  EXPECT_TRUE(save.FinishStore()) << "no store is left to wait for";
  EXPECT_EQ(ReadBytes(DataSave()), FileOf(SaveData{}));
}

}  // namespace
}  // namespace save_test

// The save's file access on Windows, on real files: replacing an existing save (which a plain
// rename cannot do there), folders and files named in Japanese, and the save file's rules.
#include "system/windows/windows_file_access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../save_records.h"
#include "fakes/test_files.h"
#include "save/save_file.h"

namespace save_test {
namespace {

using namespace test_files;

// "セーブ/もらびん" in UTF-8, spelled out so that the source's own encoding does not matter.
const std::string kJapaneseFolder =
    "\xE3\x82\xBB\xE3\x83\xBC\xE3\x83\x96/\xE3\x82\x82\xE3\x82\x89\xE3\x81\xB3\xE3\x82\x93";

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

class WindowsFileAccessTest : public testing::Test {
 protected:
  TempFolder temp_;
  WindowsCalls calls_;
  WindowsFileAccess files_{calls_};
  std::string Path(const std::string& name) const { return Utf8(temp_.Path()) + "/" + name; }
};

TEST_F(WindowsFileAccessTest, ReplaceOverwritesAnExistingFileAndLeavesNoTemporary) {
  const std::string path = Path("SaveData.dat");
  ASSERT_FALSE(files_.Replace(path, Bytes("first")));
  ASSERT_FALSE(files_.Replace(path, Bytes("second")));
  EXPECT_EQ(ReadBytes(FromUtf8(path)), Bytes("second"));
  EXPECT_EQ(Entries(temp_.Path()), std::set<std::string>{"SaveData.dat"});
}

TEST_F(WindowsFileAccessTest, ReplaceIntoAMissingFolderFailsAndCreatesNothing) {
  EXPECT_TRUE(files_.Replace(Path("missing/SaveData.dat"), Bytes("lost")));
  EXPECT_TRUE(Entries(temp_.Path()).empty());
}

TEST_F(WindowsFileAccessTest, RenameReplacesTheTarget) {
  WriteBytes(temp_ / "SaveData.dat", Bytes("damaged"));
  WriteBytes(temp_ / "SaveData.dat.bad", Bytes("older"));
  ASSERT_FALSE(files_.Rename(Path("SaveData.dat"), Path("SaveData.dat.bad")));
  EXPECT_EQ(ReadBytes(temp_ / "SaveData.dat.bad"), Bytes("damaged"));
  EXPECT_FALSE(fs::exists(temp_ / "SaveData.dat"));
}

TEST_F(WindowsFileAccessTest, KindTellsFilesFoldersDevicesAndMissingPaths) {
  WriteBytes(temp_ / "file", Bytes("x"));
  std::error_code error;
  EXPECT_EQ(files_.Kind(Path("file"), error), FileKind::Regular);
  EXPECT_EQ(files_.Kind(Utf8(temp_.Path()), error), FileKind::Directory);
  EXPECT_EQ(files_.Kind(Path("absent"), error), FileKind::Missing);
  EXPECT_FALSE(error);
  EXPECT_EQ(files_.Kind(Path("absent/below"), error), FileKind::Missing);
  EXPECT_EQ(files_.Kind("NUL", error), FileKind::Device);
}

TEST_F(WindowsFileAccessTest, ReadStopsAtTheLimitAndRefusesFoldersAndDevices) {
  WriteBytes(temp_ / "file", Bytes("abcdef"));
  std::vector<uint8_t> bytes;
  ASSERT_FALSE(files_.Read(Path("file"), 4, bytes));
  EXPECT_EQ(bytes, Bytes("abcd"));
  EXPECT_TRUE(files_.Read(Utf8(temp_.Path()), 4, bytes));
  EXPECT_TRUE(files_.Read("NUL", 4, bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(WindowsFileAccessTest, MakeFoldersCreatesEveryLevelOfAJapanesePath) {
  const std::string folder = Path(kJapaneseFolder);
  ASSERT_FALSE(files_.MakeFolders(folder));
  EXPECT_TRUE(fs::is_directory(FromUtf8(folder)));
  EXPECT_FALSE(files_.MakeFolders(folder)) << "an existing folder is no error";
  WriteBytes(temp_ / "plain", Bytes("x"));
  EXPECT_TRUE(files_.MakeFolders(Path("plain"))) << "a file is not a folder";
}

TEST_F(WindowsFileAccessTest, UserDataFolderIsTheRoamingApplicationData) {
  const std::string folder = files_.UserDataFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(fs::is_directory(FromUtf8(folder)));
  const char* appData = getenv("APPDATA");
  ASSERT_NE(appData, nullptr);
  EXPECT_TRUE(fs::equivalent(FromUtf8(folder), fs::path(appData)));
}

TEST_F(WindowsFileAccessTest, UserDataFolderFollowsAFullAppDataPathOnly) {
  {
    ScopedEnv appData("APPDATA", temp_.Path().string().c_str());
    EXPECT_EQ(FromUtf8(files_.UserDataFolder()), temp_.Path());
  }
  ScopedEnv relative("APPDATA", "data");
  const std::string folder = files_.UserDataFolder();
  EXPECT_NE(folder, "data");
  EXPECT_TRUE(fs::path(folder).is_absolute()) << folder;
}

// The save file's rules over the Windows file access, in a folder named in Japanese.
class WindowsSaveFileTest : public WindowsFileAccessTest {
 protected:
  std::vector<std::string> reports_;
  SaveFile Save() {
    return SaveFile(files_, Path(kJapaneseFolder),
                    [this](const std::string& line) { reports_.push_back(line); });
  }
  fs::path SaveOnDisk() const { return FromUtf8(Path(kJapaneseFolder + "/SaveData.dat")); }
};

TEST_F(WindowsSaveFileTest, CreatesStoresAndStoresAgain) {
  SaveFile save = Save();
  SaveData record{};
  ASSERT_TRUE(save.Load(record)) << testing::PrintToString(reports_);
  EXPECT_EQ(ReadBytes(SaveOnDisk()), FileOf(SaveData{}));
  ASSERT_TRUE(save.Store(RecordWithHighScore(10)));
  ASSERT_TRUE(save.Store(RecordWithHighScore(20))) << testing::PrintToString(reports_);
  EXPECT_EQ(ReadBytes(SaveOnDisk()), FileOf(RecordWithHighScore(20)));

  SaveData loaded{};
  ASSERT_TRUE(Save().Load(loaded));
  EXPECT_EQ(loaded.highScore, 20);
}

TEST_F(WindowsSaveFileTest, KeepsADamagedSaveAsideEvenOverAnOlderCopy) {
  fs::create_directories(SaveOnDisk().parent_path());
  WriteBytes(SaveOnDisk(), Bytes("damaged"));
  WriteBytes(fs::path(SaveOnDisk()) += ".bad", Bytes("older"));
  SaveData record{};
  ASSERT_TRUE(Save().Load(record)) << testing::PrintToString(reports_);
  EXPECT_EQ(ReadBytes(fs::path(SaveOnDisk()) += ".bad"), Bytes("damaged"));
  EXPECT_EQ(ReadBytes(SaveOnDisk()), FileOf(SaveData{}));
  ASSERT_EQ(reports_.size(), 1u);
}

}  // namespace
}  // namespace save_test

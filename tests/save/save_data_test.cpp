#include "save/save_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

class SaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("moravin_save_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "SaveData.dat").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<uint8_t> FileBytes() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteFile(const std::vector<uint8_t>& bytes) const {
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  fs::path dir_;
  std::string path_;
};

SaveData WorkedExample() {
  SaveData r{};
  r.ruleTopic = -1;
  r.highScore = 12300;
  return r;
}

bool AllZero(const SaveData& r) {
  const SaveData zero{};
  return std::memcmp(&r, &zero, sizeof r) == 0;
}

}  // namespace

TEST(SaveChecksum, ZeroRecordAndWorkedExample) {
  EXPECT_EQ(SaveChecksum(SaveData{}), 12345u);
  EXPECT_EQ(SaveChecksum(WorkedExample()), 0x7C9B0C11u);  // byte sum 1080
}

TEST_F(SaveFileTest, DefaultRecordIsFortyZerosAndItsCheckValue) {
  ASSERT_TRUE(StoreSaveData(SaveData{}, path_.c_str()));
  std::vector<uint8_t> expected(40, 0);
  expected.insert(expected.end(), {0x39, 0x30, 0x00, 0x00});
  EXPECT_EQ(FileBytes(), expected);
  EXPECT_FALSE(fs::exists(path_ + ".tmp"));
}

TEST_F(SaveFileTest, WorkedExampleBytes) {
  ASSERT_TRUE(StoreSaveData(WorkedExample(), path_.c_str()));
  const std::vector<uint8_t> expected = {
      0, 0, 0, 0, 0, 0, 0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 0,    0,
      0, 0, 0, 0, 0, 0, 0x0c, 0x30, 0, 0, 0, 0, 0, 0, 0, 0, 0,    0,    0x11, 0x0c, 0x9b, 0x7c};
  EXPECT_EQ(FileBytes(), expected);
}

TEST_F(SaveFileTest, RoundTripKeepsEveryByteIncludingReserved) {
  SaveData r = WorkedExample();
  r.fullScreen = 1;
  r.reserved1[0] = 0xAB;
  r.reserved2[2] = 0x7F;
  r.bgmVolume = -3000;
  ASSERT_TRUE(StoreSaveData(r, path_.c_str()));
  SaveData back{};
  ASSERT_TRUE(LoadSaveData(back, path_.c_str()));
  EXPECT_EQ(std::memcmp(&r, &back, sizeof r), 0);
  // Stored again unchanged, the file is the same and still valid.
  const auto first = FileBytes();
  ASSERT_TRUE(StoreSaveData(back, path_.c_str()));
  EXPECT_EQ(FileBytes(), first);
}

TEST_F(SaveFileTest, MissingDamagedOrShortFilesLoadAsZero) {
  SaveData r = WorkedExample();
  EXPECT_FALSE(LoadSaveData(r, path_.c_str()));
  EXPECT_TRUE(AllZero(r));

  ASSERT_TRUE(StoreSaveData(WorkedExample(), path_.c_str()));
  std::vector<uint8_t> bytes = FileBytes();
  bytes[28] ^= 0x01;  // one byte of the high score changed
  WriteFile(bytes);
  r = WorkedExample();
  EXPECT_FALSE(LoadSaveData(r, path_.c_str()));
  EXPECT_TRUE(AllZero(r));

  bytes[28] ^= 0x01;
  bytes.resize(43);  // the check value cut short
  WriteFile(bytes);
  r = WorkedExample();
  EXPECT_FALSE(LoadSaveData(r, path_.c_str()));
  EXPECT_TRUE(AllZero(r));
}

TEST_F(SaveFileTest, BytesAfterTheCheckValueAreIgnored) {
  ASSERT_TRUE(StoreSaveData(WorkedExample(), path_.c_str()));
  std::vector<uint8_t> bytes = FileBytes();
  bytes.insert(bytes.end(), {1, 2, 3});
  WriteFile(bytes);
  SaveData r{};
  EXPECT_TRUE(LoadSaveData(r, path_.c_str()));
  EXPECT_EQ(r.highScore, 12300);
}

TEST_F(SaveFileTest, FailedWriteLeavesTheOldFile) {
  ASSERT_TRUE(StoreSaveData(WorkedExample(), path_.c_str()));
  const auto before = FileBytes();
  fs::create_directory(path_ + ".tmp");  // the new file cannot be written
  SaveData other{};
  other.score = 5;
  EXPECT_FALSE(StoreSaveData(other, path_.c_str()));
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(SaveFileTest, UnwritablePlaceFails) {
  const std::string nowhere = (dir_ / "no_such_dir" / "SaveData.dat").string();
  EXPECT_FALSE(StoreSaveData(SaveData{}, nowhere.c_str()));
  EXPECT_FALSE(fs::exists(nowhere));
}

TEST(AddScore, RaisesHighScoreAndCaps) {
  SaveData r{};
  r.highScore = 1000;
  AddScore(r, 600);
  EXPECT_EQ(r.score, 600);
  EXPECT_EQ(r.highScore, 1000);
  AddScore(r, 600);
  EXPECT_EQ(r.highScore, 1200);
  r.score = kMaxScore - 10;
  AddScore(r, 500);
  EXPECT_EQ(r.score, kMaxScore);
  EXPECT_EQ(r.highScore, kMaxScore);
}

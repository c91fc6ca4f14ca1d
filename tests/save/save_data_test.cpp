#include "save/save_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

SaveData WorkedExample() {
  SaveData r{};
  r.ruleTopic = -1;
  r.highScore = 12300;
  return r;
}

std::vector<uint8_t> Bytes(const SaveFileBytes& file) { return {file.begin(), file.end()}; }

bool AllZero(const SaveData& r) {
  const SaveData zero{};
  return std::memcmp(&r, &zero, sizeof r) == 0;
}

}  // namespace

TEST(SaveChecksum, ZeroRecordAndWorkedExample) {
  EXPECT_EQ(SaveChecksum(SaveData{}), 12345u);
  EXPECT_EQ(SaveChecksum(WorkedExample()), 0x7C9B0C11u);  // byte sum 1080
}

TEST(SaveFileBytes, DefaultRecordAndWorkedExample) {
  std::vector<uint8_t> fresh(40, 0);
  fresh.insert(fresh.end(), {0x39, 0x30, 0x00, 0x00});
  EXPECT_EQ(Bytes(EncodeSaveFile(SaveData{})), fresh);

  const std::vector<uint8_t> example = {
      0, 0, 0, 0, 0, 0, 0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 0,    0,
      0, 0, 0, 0, 0, 0, 0x0c, 0x30, 0, 0, 0, 0, 0, 0, 0, 0, 0,    0,    0x11, 0x0c, 0x9b, 0x7c};
  EXPECT_EQ(Bytes(EncodeSaveFile(WorkedExample())), example);
}

TEST(SaveFileBytes, RoundTripKeepsEveryByteIncludingReserved) {
  SaveData r = WorkedExample();
  r.fullScreen = 1;
  r.reserved1[0] = 0xAB;
  r.reserved2[2] = 0x7F;
  r.bgmVolume = -3000;
  const SaveFileBytes file = EncodeSaveFile(r);
  SaveData back{};
  ASSERT_TRUE(DecodeSaveFile(file, back));
  EXPECT_EQ(std::memcmp(&r, &back, sizeof r), 0);
  EXPECT_EQ(EncodeSaveFile(back), file);
}

TEST(SaveFileBytes, DamagedOrShortBytesDecodeAsZeroAndExtraBytesAreIgnored) {
  SaveFileBytes file = EncodeSaveFile(WorkedExample());
  file[28] ^= 0x01;  // one bit of the high score
  SaveData r = WorkedExample();
  EXPECT_FALSE(DecodeSaveFile(file, r));
  EXPECT_TRUE(AllZero(r));

  file[28] ^= 0x01;
  r = WorkedExample();
  EXPECT_FALSE(DecodeSaveFile(std::span(file).first(43), r));
  EXPECT_TRUE(AllZero(r));

  std::vector<uint8_t> longer(file.begin(), file.end());
  longer.insert(longer.end(), {1, 2, 3});
  EXPECT_TRUE(DecodeSaveFile(longer, r));
  EXPECT_EQ(r.highScore, 12300);
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

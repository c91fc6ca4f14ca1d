// The kept replays: the best and the last stay, the rest go, the folder stays under its limit,
// and the demo finds the best replay of this version.
#include "replay/kept_replays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "fakes/test_files.h"

namespace {

namespace fs = std::filesystem;

// A valid replay of `frames` frames scoring `score`; busy input makes it large.
Replay ReplayScoring(int32_t score, uint32_t frames = 300, bool busy = false,
                     const std::string& version = "1.0.0") {
  Replay replay;
  replay.gameVersion = version;
  if (busy) {
    for (uint32_t f = 0; f < frames; ++f)
      replay.input.push_back({static_cast<uint16_t>(f % 2 ? 0x100 : 0x180), 1});  // 2 bytes a run
  } else {
    replay.input = {{0, frames}};
  }
  replay.result = {score, 1, 0, frames, GameEnd::Caught};
  replay.checkpoints.assign(frames / Replay::kCheckpointFrames, 0);
  return replay;
}

class KeptReplaysTest : public ::testing::Test {
 protected:
  test_files::TempFolder folder;
  std::vector<std::string> reports;
  KeptReplays kept{SystemFileAccess(), (folder.Path() / "replays").string(),
                   [this](const std::string& line) { reports.push_back(line); }};

  void Keep(int n, const Replay& replay) {
    kept.StartKeeping(replay, "20240101-" + std::to_string(100000 + n));
    kept.FinishKeeping();
  }
  // The numbers of the games whose files are left.
  std::set<int> Left() const {
    std::set<int> games;
    for (const auto& entry : fs::directory_iterator(folder.Path() / "replays"))
      games.insert(std::stoi(entry.path().stem().string().substr(9)) - 100000);
    return games;
  }
  uint64_t FolderBytes() const {
    uint64_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder.Path() / "replays"))
      bytes += entry.file_size();
    return bytes;
  }
};

TEST_F(KeptReplaysTest, TheBestTenAndTheLastTenStay) {
  // Scores 100, 300, 500 ... for games 0 to 9, then 25 poorer games.
  for (int n = 0; n < 10; ++n) Keep(n, ReplayScoring(100 + 200 * n));
  for (int n = 10; n < 35; ++n) Keep(n, ReplayScoring(n));
  std::set<int> expected;
  for (int n = 0; n < 10; ++n) expected.insert(n);
  for (int n = 25; n < 35; ++n) expected.insert(n);
  EXPECT_EQ(Left(), expected);
  // A new best pushes the poorest of the best out (game 0 is neither best nor last then).
  Keep(35, ReplayScoring(5000));
  expected.erase(0);
  expected.erase(25);
  expected.insert(35);
  EXPECT_EQ(Left(), expected);
  EXPECT_TRUE(reports.empty());
}

TEST_F(KeptReplaysTest, TheFolderNeverGrowsPast2MB) {
  // About 400 kB each: five fill the limit.
  Replay large = ReplayScoring(0, 200000, true);
  for (int n = 0; n < 8; ++n) {
    large.result.score = n == 4 ? 100 : n;
    Keep(n, large);
    EXPECT_LE(FolderBytes(), KeptReplays::kMaxFolderBytes) << "after game " << n;
  }
  EXPECT_EQ(Left(), (std::set<int>{4, 5, 6, 7})) << "the best stay longest, then the newest";
}

TEST_F(KeptReplaysTest, TheBestReplayOfThisVersionIsFound) {
  EXPECT_FALSE(kept.Best("1.0.0")) << "none kept yet";
  Keep(0, ReplayScoring(700));
  Keep(1, ReplayScoring(900, 300, false, "0.9.0"));
  Keep(2, ReplayScoring(800));
  test_files::WriteBytes(folder.Path() / "replays" / "20240101-100003.replay",
                         std::vector<uint8_t>{'M', 'O', 'R'});
  const std::optional<Replay> best = kept.Best("1.0.0");
  ASSERT_TRUE(best);
  EXPECT_EQ(best->result.score, 800);
}

TEST_F(KeptReplaysTest, TheListIsNewestFirstWithTheFilesThatDoNotRead) {
  EXPECT_TRUE(kept.List().empty()) << "no folder yet";
  Keep(2, ReplayScoring(700));
  Keep(0, ReplayScoring(900, 300, false, "0.9.0"));
  test_files::WriteBytes(folder.Path() / "replays" / "20240101-100001.replay",
                         std::vector<uint8_t>{'M', 'O', 'R'});
  test_files::WriteBytes(folder.Path() / "replays" / "notes.txt", std::vector<uint8_t>{'x'});
  const std::vector<KeptReplays::Entry> list = kept.List();
  ASSERT_EQ(list.size(), 3u) << "only replay files";
  EXPECT_EQ(list[0].name, "20240101-100002.replay");
  ASSERT_TRUE(list[0].replay);
  EXPECT_EQ(list[0].replay->result.score, 700);
  EXPECT_EQ(list[1].name, "20240101-100001.replay");
  EXPECT_FALSE(list[1].replay) << "damaged";
  ASSERT_TRUE(list[2].replay);
  EXPECT_EQ(list[2].replay->gameVersion, "0.9.0");
}

TEST_F(KeptReplaysTest, AFolderThatCannotBeMadeIsReported) {
  test_files::WriteBytes(folder.Path() / "replays", std::vector<uint8_t>{1});
  Keep(0, ReplayScoring(1));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("cannot keep the replay: cannot create the folder"), std::string::npos)
      << reports[0];
}

TEST(ReplayName, IsTheTimeOfTheGameInUtc) {
  EXPECT_EQ(ReplayNameAt(0), "19700101-000000");
  EXPECT_EQ(ReplayNameAt(1717245005), "20240601-123005");
  EXPECT_EQ(ReplayNameAt(951868799), "20000229-235959") << "a leap day";
}

TEST(ReplayName, ItsTimeIsReadBackAndNothingElseIs) {
  for (const int64_t t : {int64_t{0}, int64_t{1717245005}, int64_t{951868799}})
    EXPECT_EQ(ReplayTimeOfName(ReplayNameAt(t) + "-2.replay"), t);
  for (const char* name : {"", "20240601-12300", "20240601_123005.replay", "2024060a-123005",
                           "20230229-120000", "20240631-120000", "20241301-120000",
                           "20240601-240000", "20240601-126000", "20240601-123060"})
    EXPECT_FALSE(ReplayTimeOfName(name)) << name;
}

}  // namespace

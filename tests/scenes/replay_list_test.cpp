// The list of kept replays: what it shows of each file, how the keys and the pointer move through
// a list longer than the screen, and what it hands over to be watched.
#include "scenes/replay_list.h"

#include <filesystem>
#include <memory>

#include "fakes/test_environment.h"
#include "replay/verify.h"
#include "scenes/texts.h"
#include "scenes/title.h"

namespace {

namespace fs = std::filesystem;

PointerFrame Tap(int16_t x, int16_t y) { return {x, y, PointerTapped | PointerMoved}; }
PointerFrame Hover(int16_t x, int16_t y) { return {x, y, PointerMoved}; }

std::vector<uint8_t> Corpus(const std::string& name) {
  return *test_files::ReadBytes(fs::path(MORAVIN_REPLAY_CORPUS) / name);
}

class ReplayListTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    kept = std::make_unique<KeptReplays>(SystemFileAccess(), Folder().string(),
                                         [](const std::string&) {});
    g_replayShelf = ReplayShelf{};
    g_replayShelf.kept = kept.get();
  }
  void TearDown() override {
    g_replayShelf = ReplayShelf{};
    GameTest::TearDown();
  }
  fs::path Folder() const { return saveFolder.Path() / "replays"; }
  // A kept file played at 2024-01-01 10:00 plus `minute` minutes.
  void Put(int minute, std::span<const uint8_t> bytes) {
    fs::create_directories(Folder());
    char name[32];
    std::snprintf(name, sizeof name, "20240101-10%02d00.replay", minute);
    test_files::WriteBytes(Folder() / name, bytes);
  }
  CReplayList* Open() {
    g_sceneManager.RequestScene(ReplayList, false);
    RunFrame();
    return CurrentAs<CReplayList>();
  }
  void Press(Button b) {
    RunFrame({b});
    RunFrame();
  }

  std::unique_ptr<KeptReplays> kept;
};

TEST_F(ReplayListTest, ShowsEachFileNewestFirstAndWhatCannotBeWatched) {
  Put(1, Corpus("keys.replay"));
  Replay older;
  std::string error;
  ASSERT_TRUE(DecodeReplay(Corpus("idle.replay"), older, error));
  older.gameVersion = "0.9.0";
  Put(2, EncodeReplay(older));
  Put(3, std::vector<uint8_t>{'M', 'O', 'R'});
  CReplayList* list = Open();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->rows.size(), 3u);
  EXPECT_FALSE(list->rows[0].replay);
  EXPECT_EQ(list->rows[0].detail, Texts().replayList.damaged);
  EXPECT_FALSE(list->rows[1].replay);
  EXPECT_NE(list->rows[1].detail.find("0.9.0"), std::string::npos) << "the version that made it";
  ASSERT_TRUE(list->rows[2].replay);
  EXPECT_EQ(list->rows[2].date.substr(0, 10), "2024/01/01");
  EXPECT_NE(list->rows[2].detail.find(std::to_string(list->rows[2].replay->result.score)),
            std::string::npos);

  // Neither of the first two is handed over; the third is, and the list leaves for it.
  Press(Button1);
  Press(Down);
  Press(Button1);
  EXPECT_FALSE(g_replayShelf.chosen);
  Press(Down);
  Press(Button1);
  ASSERT_TRUE(g_replayShelf.chosen);
  EXPECT_EQ(*g_replayShelf.chosen, *kept->List()[2].replay);
  EXPECT_EQ(g_replayShelf.lastWatched, "20240101-100100.replay");
  g_replayShelf.chosen.reset();
  EXPECT_EQ(Open()->cursor, 2) << "back from watching, on the replay watched";
}

TEST_F(ReplayListTest, AReplayThisVersionNoLongerPlaysIsMarkedInsteadOfShown) {
  Replay claimed;
  std::string error;
  ASSERT_TRUE(DecodeReplay(Corpus("keys.replay"), claimed, error));
  claimed.result.score += 100;
  Put(1, EncodeReplay(claimed));
  CReplayList* list = Open();
  ASSERT_TRUE(list->rows.at(0).replay);
  Press(Button1);
  EXPECT_FALSE(g_replayShelf.chosen);
  EXPECT_FALSE(list->rows[0].replay);
  EXPECT_EQ(list->rows[0].detail, Texts().replayList.doesNotPlay);
  EXPECT_EQ(CurrentAs<CReplayList>(), list);
}

TEST_F(ReplayListTest, AnEmptyListSaysSoAndGoesBack) {
  CReplayList* list = Open();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->rows.empty());
  Press(Down);
  Press(Button1);
  EXPECT_FALSE(g_replayShelf.chosen);
  bool said = false;
  for (const DrawnText& t : device.Texts()) said |= t.sjis.size() > 4;
  EXPECT_TRUE(said) << "the empty list's words";
  Press(Button2);
  EXPECT_NE(CurrentAs<CTitle>(), nullptr);
}

TEST_F(ReplayListTest, KeysAndThePointerScrollAListLongerThanTheScreen) {
  for (int minute = 0; minute < 17; ++minute) Put(minute, Corpus("idle.replay"));
  CReplayList* list = Open();
  ASSERT_EQ(list->rows.size(), 17u);
  for (int i = 0; i < 7; ++i) Press(Down);
  EXPECT_EQ(list->cursor, 7);
  EXPECT_EQ(list->firstShown, 1) << "the cursor's row scrolled into view";
  Press(Right);
  Press(Right);
  EXPECT_EQ(list->cursor, 16) << "a page stops at the end";
  EXPECT_EQ(list->firstShown, 10);
  Press(Down);
  EXPECT_EQ(list->cursor, 0) << "Down wraps to the top";
  EXPECT_EQ(list->firstShown, 0);
  Press(Up);
  EXPECT_EQ(list->cursor, 16);

  RunPointerFrame(Tap(400, 80));  // the up arrow: a page up
  EXPECT_EQ(list->firstShown, 3);
  RunPointerFrame(Hover(400, 108 + 48 * 2 + 20));
  EXPECT_EQ(list->cursor, 5) << "the third row shown";
  RunPointerFrame(Tap(400, 488));  // the down arrow
  EXPECT_EQ(list->firstShown, 10);
  RunPointerFrame(Tap(400, 108 + 20));
  ASSERT_TRUE(g_replayShelf.chosen) << "a tapped row is watched";
  EXPECT_EQ(list->cursor, 10);
  g_replayShelf.chosen.reset();

  RunPointerFrame(Tap(400, 550));
  RunFrame();
  EXPECT_NE(CurrentAs<CTitle>(), nullptr) << "a tap on the bar goes back";
}

}  // namespace

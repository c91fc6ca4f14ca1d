// The world ranking's page: a name typed on the letter grid with keys, a pad and taps, taking
// part only with a name, and the setting stored on leaving.
#include "scenes/ranking_setup.h"

#include <filesystem>

#include "fakes/test_environment.h"
#include "save/ranking_settings.h"
#include "save/settings_file.h"
#include "scenes/option.h"

namespace {

PointerFrame TapAt(int16_t x, int16_t y) { return {x, y, PointerTapped | PointerMoved}; }

// The centre of a cell of the grid (grid row, column), and of an action of the last row.
PointerFrame TapCell(int row, int column) {
  return TapAt(int16_t(64 + column * 48 + 24), int16_t(196 + row * 38 + 19));
}
PointerFrame TapAction(int action) { return TapAt(int16_t(64 + action * 136 + 64), 452); }

class RankingSetupTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_settings = &controls;
    g_rankingSettings = &ranking;
    g_rankingFile = &file;
    file.Load(saveFolder.Path().string());
  }
  void TearDown() override {
    g_settings = nullptr;
    g_rankingSettings = nullptr;
    g_rankingFile = nullptr;
    GameTest::TearDown();
  }
  CRankingSetup* Open() {
    g_sceneManager.RequestScene(RankingSetup, false);
    RunFrame();
    return CurrentAs<CRankingSetup>();
  }
  void Press(std::initializer_list<Button> buttons) {
    RunFrame(buttons);
    RunFrame();
  }
  void Tap(const PointerFrame& tap) {
    RunPointerFrame(tap);
    RunFrame();
  }

  Settings controls;
  RankingSettings ranking;
  std::vector<std::string> reports;
  RankingFile file{SystemFileAccess(),
                   [this](const std::string& line) { reports.push_back(line); }};
};

TEST_F(RankingSetupTest, KeysTypeANameAndTakingPartIsStoredOnLeaving) {
  CRankingSetup* page = Open();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->row, 1) << "the grid first: there is no name yet";
  Press({Confirm});  // A
  Press({Right});
  Press({Confirm});  // B
  Press({Down});
  Press({Down});
  Press({Confirm});  // b, two rows under B
  EXPECT_EQ(page->name, "ABb");
  Press({Button2});
  EXPECT_EQ(page->name, "AB") << "cancel erases the last letter";
  for (int i = 0; i < 3; ++i) Press({Up});
  ASSERT_EQ(page->row, CRankingSetup::kTakePartRow);
  Press({Right});
  EXPECT_TRUE(page->optedIn);
  input.pressedKey = scancode::Escape;
  RunFrame();
  RunFrame();
  EXPECT_NE(CurrentAs<COption>(), nullptr);
  EXPECT_TRUE(ranking.optedIn);
  EXPECT_EQ(ranking.name, "AB");
  EXPECT_EQ(file.Load(saveFolder.Path().string()), ranking) << "stored beside the save";
}

TEST_F(RankingSetupTest, APadTypesKanaAndTwelveLettersAtMost) {
  CRankingSetup* page = Open();
  input.lastDevice = InputDevice::Pad;
  Press({Down});
  Press({Down});
  Press({Down});
  Press({Down});
  Press({Down});
  Press({Down});
  ASSERT_EQ(page->row, CRankingSetup::kActionRow);
  Press({Right});
  Press({Confirm});  // the hiragana page
  EXPECT_EQ(page->page, CRankingSetup::HiraganaPage);
  Press({Right});
  Press({Confirm});  // the katakana page
  Press({Down});     // round to the grid's first row
  for (int i = 0; i < 13; ++i) Press({Confirm});
  EXPECT_EQ(page->name, "アアアアアアアアアアアア") << "12 letters, the server's limit";
  EXPECT_EQ(CRankingSetup::Letter(CRankingSetup::KatakanaPage, 4, 10), "パ");
  EXPECT_EQ(CRankingSetup::Letter(CRankingSetup::KatakanaPage, 5, 12), "ヴ");
  EXPECT_EQ(CRankingSetup::Letter(CRankingSetup::LatinPage, 5, 0), "") << "an empty cell";
}

TEST_F(RankingSetupTest, TapsTypeAndTakingPartNeedsAName) {
  CRankingSetup* page = Open();
  Tap(TapAt(400, 127));  // taking part, with no name yet
  EXPECT_FALSE(page->optedIn);
  EXPECT_NE(page->note, nullptr) << "the player is told to choose a name first";
  Tap(TapCell(0, 2));   // C
  Tap(TapCell(3, 13));  // !
  Tap(TapAction(CRankingSetup::EraseAction));
  Tap(TapCell(4, 3));  // 3
  EXPECT_EQ(page->name, "C3");
  Tap(TapAt(400, 127));
  EXPECT_TRUE(page->optedIn);
  Tap(TapAction(CRankingSetup::DoneAction));
  EXPECT_NE(CurrentAs<COption>(), nullptr);
  EXPECT_TRUE(ranking.optedIn);
  EXPECT_EQ(ranking.name, "C3");
}

}  // namespace

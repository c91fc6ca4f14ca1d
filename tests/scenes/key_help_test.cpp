// The key-help bars laid over the painted ones: the keys bound, by their names, the symbols of
// the pad in hand, or the pointer's hints; and the controls page chosen by the pointer.
#include "scenes/key_help.h"

#include <algorithm>
#include <string>

#include "fakes/test_environment.h"
#include "save/settings_file.h"
#include "scenes/controls.h"
#include "scenes/option.h"
#include "system/text_encoding.h"

namespace {

using namespace key_help_sheet;

constexpr uint16_t kKeyW = 26;

class KeyHelpTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_settings = &settings;
  }
  void TearDown() override {
    g_settings = nullptr;
    GameTest::TearDown();
  }
  template <class T>
  T* Open(SceneId id) {
    g_sceneManager.RequestScene(id, false);
    RunFrame();
    return CurrentAs<T>();
  }
  // The names drawn on the bar at the bottom of the screen.
  bool NameOnBar(const char* utf8) const {
    const std::string sjis = Utf8ToSjis(utf8);
    return std::any_of(device.log->texts.begin(), device.log->texts.end(),
                       [&](const DrawnText& t) { return t.sjis == sjis && t.top > 500; });
  }
  bool PieceDrawn(const SheetCell& cell) const {
    for (const DrawnQuad& quad : device.QuadsOfBitmap(kBitmapKeyHelpSheet))
      if (quad.SourcePixels() == DrawnQuad::PixelRect{cell.x, cell.y, cell.w, cell.h}) return true;
    return false;
  }

  Settings settings;
};

TEST_F(KeyHelpTest, TheOptionBarNamesTheKeysBoundAndFollowsARebinding) {
  ASSERT_NE(Open<COption>(Option), nullptr);
  RunFrame();
  EXPECT_TRUE(PieceDrawn(kBlankPill)) << "the painted words are covered";
  EXPECT_TRUE(PieceDrawn(WordCell(HelpWord::UpDownArrows)));
  EXPECT_TRUE(PieceDrawn(WordCell(HelpWord::Ok)));
  EXPECT_TRUE(NameOnBar("Ｚ")) << "short names are written full-width in Japanese";
  EXPECT_TRUE(NameOnBar("Ｘ"));

  BindKey(settings.bindings, Action::Confirm, 0, kKeyW);
  BindKey(settings.bindings, Action::Up, 0, kKeyW + 1);  // Up leaves the arrow keys
  RunFrame();
  EXPECT_TRUE(NameOnBar("Ｗ"));
  EXPECT_FALSE(NameOnBar("Ｚ"));
  EXPECT_FALSE(PieceDrawn(WordCell(HelpWord::UpDownArrows)));
  EXPECT_TRUE(PieceDrawn(WordCell(HelpWord::Join))) << "Up's key and Down's, joined";
}

TEST_F(KeyHelpTest, TheReadingBarAndTheTopFooterJoinTheKeysOfAPart) {
  save.ruleTopic = 2;
  ASSERT_NE(Open<CScene>(Rule), nullptr);
  RunFrame();
  EXPECT_TRUE(NameOnBar("Ｘ"));
  EXPECT_TRUE(NameOnBar("ＥＳＣ")) << "cancel's key and pause's both leave";
  EXPECT_TRUE(PieceDrawn(WordCell(HelpWord::Join)));

  save.ruleTopic = -1;
  BindKey(settings.bindings, Action::Up, 0, kKeyW);
  ASSERT_NE(Open<CScene>(Title), nullptr);
  RunFrame();
  EXPECT_TRUE(PieceDrawn(kBlankPlate));
  EXPECT_TRUE(PieceDrawn(kPlateJoin)) << "lettered like the footer's own words";
  EXPECT_TRUE(PieceDrawn(PlateWordCell(PlateWord::Ok)));
  EXPECT_FALSE(PieceDrawn(WordCell(HelpWord::Join)));
}

TEST_F(KeyHelpTest, APadShowsItsFamilysSymbolsAndThePointerItsHints) {
  ASSERT_NE(Open<COption>(Option), nullptr);
  input.lastDevice = InputDevice::Pad;
  input.padFamily = PadFamily::PlayStation;
  RunFrame();
  EXPECT_TRUE(PieceDrawn(GlyphCell(PadGlyph::DpadUpDown)));
  EXPECT_TRUE(PieceDrawn(GlyphCell(PadGlyph::Cross))) << "confirm";
  EXPECT_TRUE(PieceDrawn(GlyphCell(PadGlyph::Circle))) << "cancel";
  EXPECT_FALSE(NameOnBar("Ｚ"));

  settings.bindings.pad[static_cast<int>(Action::Confirm)] = 16;  // a paddle: no symbol
  input.padFamily = PadFamily::Xbox;
  RunFrame();
  EXPECT_TRUE(NameOnBar("P1"));
  EXPECT_TRUE(PieceDrawn(GlyphCell(PadGlyph::XboxB)));

  input.lastDevice = InputDevice::Pointer;
  RunFrame();
  EXPECT_FALSE(PieceDrawn(kBlankPill));
  EXPECT_FALSE(device.QuadsOfBitmap(kBitmapPointerSheet).empty());
}

TEST_F(KeyHelpTest, TheControlsPageIsChosenByTapsAndShowsPadSymbols) {
  CControls* page = Open<CControls>(Controls);
  ASSERT_NE(page, nullptr);
  // Down's pad cell: a tap moves the cursor there and waits for a button.
  RunPointerFrame({620, 118 + 34 + 17, PointerTapped | PointerMoved});
  EXPECT_EQ(page->row, 1);
  EXPECT_EQ(page->column, CControls::kPadColumn);
  EXPECT_TRUE(page->waiting);
  RunPointerFrame({620, 118 + 34 + 17, PointerTapped | PointerMoved});
  EXPECT_FALSE(page->waiting) << "a second tap gives the wait up";
  RunFrame();  // the page lets go of the press that ended the wait
  // A mouse over the reset row takes the cursor.
  RunPointerFrame({200, 118 + 9 * 34 + 10, PointerMoved});
  EXPECT_EQ(page->row, CControls::kResetRow);

  input.lastDevice = InputDevice::Pad;
  RunFrame();
  EXPECT_TRUE(PieceDrawn(GlyphCell(PadGlyph::XboxA))) << "confirm's button in its cell";
  EXPECT_TRUE(PieceDrawn(GlyphCell(PadGlyph::DpadUp)));

  RunPointerFrame({400, 560, PointerTapped | PointerMoved});
  RunFrame();
  EXPECT_NE(CurrentAs<COption>(), nullptr) << "a tap on the bar goes back";
}

}  // namespace

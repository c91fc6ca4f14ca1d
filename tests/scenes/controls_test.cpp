// The controls page: binding keys and pad buttons, the swap of a key another action had, the
// fixed Return and Esc, the focus option, the reset and the store on leaving.
#include "scenes/controls.h"

#include <string>
#include <vector>

#include "fakes/test_environment.h"
#include "save/settings_file.h"
#include "scenes/option.h"

namespace {

constexpr uint16_t kW = 26, kSpace = 44;

class ControlsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_settings = &settings;
    g_settingsFile = &file;
    file.Load(saveFolder.Path().string());
  }
  void TearDown() override {
    g_settings = nullptr;
    g_settingsFile = nullptr;
    GameTest::TearDown();
  }
  CControls* Open() {
    g_sceneManager.RequestScene(Controls, false);
    RunFrame();
    return CurrentAs<CControls>();
  }
  // A frame in which the keyboard newly pressed the key at `scancode`, the bindings having
  // turned it into `held`, then a frame with nothing down.
  void PressKey(uint16_t key, std::initializer_list<Button> held = {}) {
    input.pressedKey = key;
    RunFrame(held);
    RunFrame();
  }
  void PressPad(uint8_t button) {
    input.pressedPadButton = button;
    RunFrame();
    RunFrame();
  }
  void Press(std::initializer_list<Button> buttons) {
    RunFrame(buttons);
    RunFrame();
  }

  Settings settings;
  std::vector<std::string> reports;
  SettingsFile file{SystemFileAccess(),
                    [this](const std::string& line) { reports.push_back(line); }};
};

TEST_F(ControlsTest, ChoosingACellAndPressingAKeyBindsItAndATakenKeySwaps) {
  CControls* page = Open();
  ASSERT_NE(page, nullptr);
  Press({Button1});  // confirm on Up's first key
  EXPECT_TRUE(page->waiting);
  PressKey(kW);
  EXPECT_FALSE(page->waiting);
  EXPECT_EQ(settings.bindings.keys[int(Action::Up)][0], kW);
  EXPECT_TRUE(page->note.empty()) << "W was nobody's";

  // X belongs to cancel: it moves to Up, and cancel takes W in its place.
  Press({Confirm});
  PressKey(scancode::X, {Button2});  // the press that binds does not also act
  EXPECT_EQ(Current(), page) << "the X that was bound did not leave the page";
  EXPECT_EQ(settings.bindings.keys[int(Action::Up)][0], scancode::X);
  EXPECT_EQ(settings.bindings.keys[int(Action::Cancel)][0], kW);
  EXPECT_FALSE(page->note.empty());

  // The pad column takes a pad button; Esc gives the wait up there and changes nothing.
  Press({Right});
  Press({Right});
  ASSERT_EQ(page->column, CControls::kPadColumn);
  Press({Confirm});
  PressPad(PadY);
  EXPECT_EQ(settings.bindings.pad[int(Action::Up)], PadY);
  Press({Confirm});
  PressKey(scancode::Escape, {Button3, Back});
  EXPECT_FALSE(page->waiting);
  EXPECT_EQ(settings.bindings.pad[int(Action::Up)], PadY);
  EXPECT_EQ(Current(), page);
}

TEST_F(ControlsTest, ReturnAndEscConfirmAndLeaveWhateverTheyAreBoundTo) {
  // Return moves left and Esc moves up in these bindings.
  BindKey(settings.bindings, Action::Left, 0, scancode::Return);
  BindKey(settings.bindings, Action::Up, 0, scancode::Escape);
  CControls* page = Open();
  Press({Down});
  PressKey(scancode::Return, {Left});
  EXPECT_TRUE(page->waiting) << "Return chose the cell";
  EXPECT_EQ(page->column, 0) << "and did not move left as its binding says";
  PressKey(kSpace);
  EXPECT_EQ(settings.bindings.keys[int(Action::Down)][0], kSpace);

  PressKey(scancode::Escape, {Up});
  EXPECT_NE(CurrentAs<COption>(), nullptr) << "Esc left the page";
  Settings stored;
  SettingsFile reread(SystemFileAccess(), [](const std::string&) {});
  stored = reread.Load(saveFolder.Path().string());
  EXPECT_EQ(stored.bindings.keys[int(Action::Down)][0], kSpace) << "stored on leaving";
  EXPECT_TRUE(reports.empty());
}

TEST_F(ControlsTest, TheFocusOptionTogglesAndTheResetGivesTheDefaultKeys) {
  BindKey(settings.bindings, Action::Pause, 1, kSpace);
  CControls* page = Open();
  for (int i = 0; i < CControls::kFocusRow; ++i) Press({Down});
  ASSERT_EQ(page->row, CControls::kFocusRow);
  Press({Right});
  EXPECT_FALSE(settings.pauseOnFocusLoss);
  Press({Confirm});
  EXPECT_TRUE(settings.pauseOnFocusLoss);
  Press({Left});
  Press({Down});
  Press({Confirm});
  EXPECT_EQ(settings.bindings, DefaultBindings());
  EXPECT_FALSE(settings.pauseOnFocusLoss) << "the reset is the controls' alone";
  Press({Down});
  Press({Down});
  EXPECT_EQ(page->row, 0) << "the rows wrap round";
}

TEST_F(ControlsTest, AWaitGivesUpByItselfAndOnAPadButtonForAKey) {
  CControls* page = Open();
  Press({Confirm});
  ASSERT_TRUE(page->waiting);
  RunFrames(CControls::kWaitFrames);
  EXPECT_FALSE(page->waiting);
  EXPECT_EQ(settings.bindings, DefaultBindings());
  RunFrame();
  Press({Confirm});
  PressPad(PadA);
  EXPECT_FALSE(page->waiting);
  EXPECT_EQ(settings.bindings, DefaultBindings());
}

}  // namespace

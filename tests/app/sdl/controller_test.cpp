// A controller alone plays the game: SDL's virtual joysticks behind the real SDL layer, and the
// game over it with its real scenes and pictures, headless.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/moravin.h"
#include "fakes/fake_message_box.h"
#include "fakes/test_files.h"
#include "media/picture_cache.h"
#include "scenes/controls.h"
#include "scenes/game_over.h"
#include "scenes/logo.h"
#include "scenes/option.h"
#include "scenes/play.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "scenes/title.h"
#include "system/embedded_resources.h"
#include "system/png_writer.h"
#include "system/resources.h"
#include "system/sdl/sdl_test_platform.h"

namespace {

constexpr uint32_t kStepFrames = 3000;  // the longest wait for a step: a whole game held fast

template <typename T>
T* Current() {
  return dynamic_cast<T*>(g_sceneManager.currentScene.get());
}

bool Paused() {
  return Current<CTitle>() && g_sceneManager.suspended.size() == 1 &&
         dynamic_cast<CPlay*>(g_sceneManager.suspended[0].get()) != nullptr;
}

// A virtual joystick with every axis and button of the standard game controller layout.
SDL_VirtualJoystickDesc StandardPadDesc(const char* name) {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  desc.name = name;
  return desc;
}

// A controller that SDL takes for a game controller of the standard layout.
class VirtualPad {
 public:
  VirtualPad() {
    SDL_VirtualJoystickDesc desc = StandardPadDesc("Test pad");
    index_ = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = index_ >= 0 ? SDL_JoystickOpen(index_) : nullptr;
  }
  ~VirtualPad() { Unplug(); }
  bool Plugged() const { return joystick_ != nullptr; }
  void Button(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  void LeftStickX(int16_t value) {
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, value);
  }
  void Unplug() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    SDL_JoystickDetachVirtual(index_);
    joystick_ = nullptr;
  }

 private:
  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

// Runs the game frame by frame through a list of steps: each waits until its condition holds
// and then acts, within kStepFrames frames.
class Walk : public IFrameObserver {
 public:
  struct Step {
    std::string what;
    std::function<bool(uint32_t framesWaited)> ready;
    std::function<void()> act;
  };
  std::vector<Step> steps;
  CMoravin* game = nullptr;
  std::string stuckAt;  // the step that never became ready
  size_t done = 0;

  void AfterFrame(uint32_t frame) override {
    for (auto it = releases_.begin(); it != releases_.end();) {
      if (frame >= it->first) {
        it->second();
        it = releases_.erase(it);
      } else {
        ++it;
      }
    }
    if (done == steps.size()) return Close();
    if (steps[done].ready(frame - stepStart_)) {
      steps[done].act();
      ++done;
      stepStart_ = frame;
    } else if (frame - stepStart_ > kStepFrames) {
      stuckAt = steps[done].what;
      Close();
    }
  }
  // Holds a button for a few frames.
  void Press(VirtualPad& pad, SDL_GameControllerButton button, uint32_t frames = 3) {
    pad.Button(button, true);
    releases_.emplace_back(game->framesRun + frames, [&pad, button] { pad.Button(button, false); });
  }

 private:
  void Close() { game->window->PostClose(); }
  uint32_t stepStart_ = 0;
  std::vector<std::pair<uint32_t, std::function<void()>>> releases_;
};

class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestPlatform();
    g_platform = &TestPlatform();
    g_resources = &resources_;
    g_pictures = &pictures_;
    g_messageBox = &messages_;
    g_sceneManager.Clear();
    UseLanguage(Language::English);
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
  }
  void TearDown() override {
    game_.reset();
    g_sceneManager.Clear();
    g_platform = nullptr;
    g_resources = nullptr;
    g_pictures = nullptr;
    g_messageBox = nullptr;
    UseLanguage(Language::Japanese);
  }
  // The game in a folder of its own, as fast as it goes.
  CMoravin& Game() {
    RunSettings run;
    run.fps = 0;
    run.seedGiven = true;
    run.seed = 7;
    run.saveDir = dir_.Path().string();
    game_ = std::make_unique<CMoravin>(run, &walk);
    walk.game = game_.get();
    return *game_;
  }
  // With MORAVIN_SCREENSHOT_DIR set, the screen as it is now, for a person to look at.
  void Screenshot(const std::string& name) {
    const char* folder = std::getenv("MORAVIN_SCREENSHOT_DIR");
    std::vector<uint32_t> pixels;
    std::string error;
    if (!folder || !game_->device->ReadPixels(pixels)) return;
    EXPECT_TRUE(WritePng(std::string(folder) + "/" + name + ".png", 800, 600, pixels, error))
        << error;
  }
  void Run() {
    ASSERT_TRUE(game_->Create());
    game_->Run();
    EXPECT_EQ(walk.stuckAt, "") << "the walk got stuck";
    EXPECT_EQ(walk.done, walk.steps.size());
  }
  // From the logo to a game, with the controller's confirm button alone.
  void AddStepsToPlay() {
    auto confirm = [this] { walk.Press(pad, SDL_CONTROLLER_BUTTON_A); };
    walk.steps.push_back({"logo", [](uint32_t n) { return Current<CLogo>() && n >= 5; }, confirm});
    walk.steps.push_back({"whole logo", [](uint32_t n) { return n >= 5; }, confirm});
    walk.steps.push_back(
        {"title", [](uint32_t n) { return Current<CTitle>() && n >= 30; }, confirm});
    walk.steps.push_back({"play", [](uint32_t n) { return Current<CPlay>() && n >= 60; }, [] {}});
  }

  VirtualPad pad;
  Walk walk;

 private:
  test_files::TempFolder dir_;
  LanguageResources resources_{EmbeddedResources(), Language::English};
  PictureCache pictures_{20 << 20};
  RecordingMessageBox messages_;
  std::unique_ptr<CMoravin> game_;
};

TEST_F(ControllerTest, AControllerAlonePlaysFromTheLogoToTheTitleAgain) {
  CMoravin& game = Game();
  AddStepsToPlay();
  auto map = [] { return &Current<CPlay>()->map; };
  int32_t cursorBefore = 0;
  // Fixed lines ignore the player: the pad's right moves the cursor to one that is not.
  walk.steps.push_back({"a line that moves",
                        [&](uint32_t n) {
                          if (map()->lines[map()->cursor].kind <= LineDown) return true;
                          if (n % 6 == 5) walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
                          return false;
                        },
                        [] {}});
  walk.steps.push_back({"shift the line up", [](uint32_t n) { return n >= 5; },
                        [&] {
                          cursorBefore = map()->cursor;
                          walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
                        }});
  walk.steps.push_back({"line shifted; the stick moves the cursor",
                        [&](uint32_t n) { return n >= 2; },
                        [&] {
                          EXPECT_EQ(int(map()->lines[cursorBefore].kind), int(LineUp));
                          pad.LeftStickX(-32768);
                        }});
  walk.steps.push_back({"cursor moved", [&](uint32_t n) { return n >= 2; },
                        [&] {
                          pad.LeftStickX(0);
                          EXPECT_NE(map()->cursor, cursorBefore);
                          walk.Press(pad, SDL_CONTROLLER_BUTTON_A, 20);
                        }});
  walk.steps.push_back({"speeding up", [](uint32_t n) { return n >= 5; },
                        [&] {
                          EXPECT_TRUE(map()->accelerate);
                          walk.Press(pad, SDL_CONTROLLER_BUTTON_START);
                        }});
  walk.steps.push_back({"paused", [](uint32_t n) { return Paused() && n >= 30; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_B); }});
  walk.steps.push_back({"resumed", [](uint32_t) { return Current<CPlay>() != nullptr; },
                        [&] { pad.Button(SDL_CONTROLLER_BUTTON_A, true); }});
  walk.steps.push_back({"game over", [](uint32_t) { return Current<CGameOver>() != nullptr; },
                        [&] { pad.Button(SDL_CONTROLLER_BUTTON_A, false); }});
  walk.steps.push_back({"leave the game over",
                        [](uint32_t n) { return Current<CTitle>() || n % 60 == 59; },
                        [&] {
                          if (!Current<CTitle>()) walk.Press(pad, SDL_CONTROLLER_BUTTON_A);
                        }});
  walk.steps.push_back({"title again", [](uint32_t n) { return Current<CTitle>() && n >= 30; },
                        [&] {
                          Screenshot("title-pad");
                          walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
                        }});
  walk.steps.push_back({"down to the options", [](uint32_t n) { return n >= 5; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN); }});
  walk.steps.push_back({"options chosen", [](uint32_t n) { return n >= 5; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_A); }});
  walk.steps.push_back({"options", [](uint32_t n) { return Current<COption>() && n >= 30; },
                        [&] {
                          Screenshot("options-pad");
                          walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
                        }});
  // The controls page, right of the return item: the pad binds its own button there.
  for (const char* what : {"music turned down", "to the effects", "to the display"})
    walk.steps.push_back({what, [](uint32_t n) { return n >= 5; },
                          [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN); }});
  walk.steps.push_back({"to the return item", [](uint32_t n) { return n >= 5; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT); }});
  walk.steps.push_back({"to the controls item", [](uint32_t n) { return n >= 5; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_A); }});
  walk.steps.push_back({"controls page", [](uint32_t n) { return Current<CControls>() && n >= 10; },
                        [&] {
                          EXPECT_EQ(Current<CControls>()->keyHelp.LastDevice(), InputDevice::Pad)
                              << "its prompts show the controller's buttons";
                          Screenshot("controls-pad");
                          walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
                        }});
  walk.steps.push_back({"to the second key", [](uint32_t n) { return n >= 5; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT); }});
  walk.steps.push_back({"to the pad button", [](uint32_t n) { return n >= 5; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_A); }});
  walk.steps.push_back({"waiting for a button", [](uint32_t n) { return n >= 5; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_Y); }});
  walk.steps.push_back({"Y moves up", [](uint32_t n) { return n >= 5; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_B); }});
  walk.steps.push_back({"options again", [](uint32_t n) { return Current<COption>() && n >= 30; },
                        [&] { walk.Press(pad, SDL_CONTROLLER_BUTTON_B); }});
  walk.steps.push_back(
      {"back on the title", [](uint32_t) { return Current<CTitle>() != nullptr; }, [] {}});
  Run();
  EXPECT_EQ(game.playerSettings.bindings.pad[int(Action::Up)], PadY);
  EXPECT_EQ(game.saveData.bgmVolume, PercentVolume(90));
  EXPECT_GT(game.saveData.highScore, 0) << "a game was played";
}

TEST_F(ControllerTest, PullingTheControllerOutDuringPlayOpensThePauseMenu) {
  Game();
  AddStepsToPlay();
  walk.steps.push_back({"unplug", [](uint32_t) { return true; }, [&] { pad.Unplug(); }});
  walk.steps.push_back({"paused", [](uint32_t n) { return Paused(); }, [] {}});
  Run();
}

}  // namespace

namespace {

// A controller SDL knows by its maker and model shows that family's symbols, and its buttons
// follow the bindings.
TEST(ControllerFamily, APlayStationPadIsKnownAndItsButtonsFollowTheBindings) {
  TestPlatform();
  SDL_VirtualJoystickDesc desc = StandardPadDesc("Test pad of another family");
  desc.vendor_id = 0x054C;  // the maker and model of a PlayStation 4 pad
  desc.product_id = 0x09CC;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Joystick* handle = SDL_JoystickOpen(index);
  auto pad = TestPlatform().OpenJoystick();
  ASSERT_NE(pad, nullptr);
  Bindings bindings = DefaultBindings();
  BindPadButton(bindings, Action::Cancel, PadA);
  pad->Bind(&bindings);
  pad->Acquire();
  SDL_JoystickSetVirtualButton(handle, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickUpdate();
  JoyState state;
  ASSERT_TRUE(pad->Poll(state));
  EXPECT_EQ(pad->Family(), PadFamily::PlayStation);
  EXPECT_EQ(state.buttons[0], 0) << "A no longer confirms";
  EXPECT_EQ(state.buttons[1], 0x80) << "it cancels";
  EXPECT_EQ(pad->TakePressedButton(), PadA);
  EXPECT_EQ(pad->TakePressedButton(), PadNone);
  pad.reset();
  SDL_JoystickClose(handle);
  SDL_JoystickDetachVirtual(index);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sdl_test_platform.h"
#include "system/sdl/sdl_platform.h"
#include "system/sdl/sdl_window.h"

namespace {

SDL_Event WindowEventOf(uint32_t windowId, SDL_WindowEventID id) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = windowId;
  event.window.event = static_cast<Uint8>(id);
  return event;
}

// What TranslateEvent makes of an SDL event for window 7; -1 when it ignores it.
int Translated(const SDL_Event& event) {
  WindowEvent out{};
  return TranslateEvent(event, 7, out) ? static_cast<int>(out.type) : -1;
}

std::vector<WindowEventType> Drain(IWindow& window) {
  std::vector<WindowEventType> events;
  WindowEvent event{};
  while (window.PollEvent(event)) events.push_back(event.type);
  return events;
}

bool Contains(const std::vector<WindowEventType>& events, WindowEventType type) {
  return std::find(events.begin(), events.end(), type) != events.end();
}

}  // namespace

TEST(WindowEvents, SdlEventsBecomeTheShellsEvents) {
  using T = WindowEventType;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_EQ(Translated(quit), static_cast<int>(T::Close));
  EXPECT_EQ(Translated(WindowEventOf(7, SDL_WINDOWEVENT_CLOSE)), static_cast<int>(T::Close));
  EXPECT_EQ(Translated(WindowEventOf(7, SDL_WINDOWEVENT_FOCUS_GAINED)),
            static_cast<int>(T::Activate));
  EXPECT_EQ(Translated(WindowEventOf(7, SDL_WINDOWEVENT_RESTORED)), static_cast<int>(T::Activate));
  EXPECT_EQ(Translated(WindowEventOf(7, SDL_WINDOWEVENT_FOCUS_LOST)),
            static_cast<int>(T::FocusLost));
  EXPECT_EQ(Translated(WindowEventOf(7, SDL_WINDOWEVENT_MINIMIZED)),
            static_cast<int>(T::Deactivate));
  EXPECT_EQ(Translated(WindowEventOf(7, SDL_WINDOWEVENT_EXPOSED)), static_cast<int>(T::Paint));
  EXPECT_EQ(Translated(WindowEventOf(7, SDL_WINDOWEVENT_MAXIMIZED)),
            static_cast<int>(T::Maximized));
  SDL_Event targets{};
  targets.type = SDL_RENDER_TARGETS_RESET;
  EXPECT_EQ(Translated(targets), static_cast<int>(T::DeviceReset));
  SDL_Event audio{};
  audio.type = SDL_AUDIODEVICEREMOVED;
  EXPECT_EQ(Translated(audio), static_cast<int>(T::AudioDeviceRemoved));
  audio.type = SDL_AUDIODEVICEADDED;
  EXPECT_EQ(Translated(audio), static_cast<int>(T::AudioDeviceAdded));
  audio.adevice.iscapture = 1;  // a microphone
  EXPECT_EQ(Translated(audio), -1);
  // Other windows' events and unrelated events are not the shell's business.
  EXPECT_EQ(Translated(WindowEventOf(8, SDL_WINDOWEVENT_CLOSE)), -1);
  EXPECT_EQ(Translated(WindowEventOf(7, SDL_WINDOWEVENT_MOVED)), -1);
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  EXPECT_EQ(Translated(key), -1);
}

TEST(DisplayFormats, SdlFormatsGetTheirDirect3DCodes) {
  EXPECT_EQ(DisplayFormatCode(SDL_PIXELFORMAT_ARGB8888), 21u);
  EXPECT_EQ(DisplayFormatCode(SDL_PIXELFORMAT_RGB888), 22u);
  EXPECT_EQ(DisplayFormatCode(SDL_PIXELFORMAT_RGB565), 23u);
  EXPECT_EQ(DisplayFormatCode(SDL_PIXELFORMAT_BGR888), 22u);
  EXPECT_EQ(DisplayFormatCode(SDL_PIXELFORMAT_ABGR8888), 21u);
  EXPECT_EQ(DisplayFormatCode(SDL_PIXELFORMAT_ARGB2101010), 21u);
  EXPECT_EQ(DisplayFormatCode(SDL_PIXELFORMAT_BGR565), 23u);
  EXPECT_EQ(DisplayFormatCode(SDL_PIXELFORMAT_RGB24), 20u);
}

TEST(Window, NewWindowIsActiveAndPostCloseQueuesAClose) {
  const uint32_t icon[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  WindowDesc desc;
  desc.utf8Title = "もらびん！";
  desc.iconArgb = icon;
  desc.iconSize = 2;
  auto window = TestPlatform().CreateWindow(desc);
  ASSERT_NE(window, nullptr);
  const auto first = Drain(*window);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first.front(), WindowEventType::Activate);
  EXPECT_FALSE(Contains(first, WindowEventType::Close));
  window->PostClose();
  EXPECT_TRUE(Contains(Drain(*window), WindowEventType::Close));
  EXPECT_FALSE(Contains(Drain(*window), WindowEventType::Close));  // delivered once
}

TEST(Window, DisplayModesHaveSizes) {
  auto window = TestPlatform().CreateWindow(WindowDesc{});
  ASSERT_NE(window, nullptr);
  const DisplayMode desktop = window->DesktopMode();
  EXPECT_GT(desktop.width, 0);
  EXPECT_GT(desktop.height, 0);
  for (const DisplayMode& mode : window->FullScreenModes()) {
    EXPECT_GT(mode.width, 0);
    EXPECT_GT(mode.height, 0);
  }
}

TEST(Window, SwitchingToFullScreenAndBackGivesAFreshRendererThatDraws) {
  auto window = TestPlatform().CreateWindow(WindowDesc{});
  ASSERT_NE(window, nullptr);
  IRenderDevice* device = window->Device();
  ASSERT_NE(device, nullptr);
  for (bool windowed : {false, true}) {
    const uint32_t pixel = 0xFFFFFFFF;
    auto texture = device->CreateTexture(1, 1, &pixel);
    ASSERT_TRUE(window->SetWindowed(windowed, DisplayMode{800, 600, 60, 22})) << windowed;
    EXPECT_EQ(window->Windowed(), windowed);
    Drain(*window);
    const auto quad = Rectangle(0, 0, 10, 10, 0xFFFFFFFF);
    EXPECT_FALSE(device->DrawQuad(texture.get(), quad.v));  // made on the old renderer
    device->Clear(0xFF0000FF);
    EXPECT_EQ(device->Present(), DeviceStatus::Ok) << windowed;
    std::vector<uint32_t> picture;
    ASSERT_TRUE(device->ReadPixels(picture));
    EXPECT_EQ(PixelAt(picture, 400, 300), 0xFF0000FFu);
  }
}

TEST(Window, FullScreenAtCreationIsTheModeInForce) {
  WindowDesc desc;
  desc.windowed = false;
  desc.fullScreenMode = {800, 600, 60, 22};
  auto window = TestPlatform().CreateWindow(desc);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->Windowed());
}

TEST(NoDisplay, OnlyAnUnchosenDriverThatShowsNothingMeansNoDisplay) {
  EXPECT_TRUE(FoundNoDisplay("offscreen", false, false));
  EXPECT_TRUE(FoundNoDisplay("dummy", false, false));
  EXPECT_FALSE(FoundNoDisplay("x11", false, false));
  EXPECT_FALSE(FoundNoDisplay("wayland", false, false));
  EXPECT_FALSE(FoundNoDisplay("offscreen", true, false)) << "--headless wants no display";
  EXPECT_FALSE(FoundNoDisplay("offscreen", false, true)) << "the user chose the driver";
}

TEST(MessageBox, HeadlessMessagesGoToStandardError) {
  auto box = CreateSdlMessageBox(true);
  ::testing::internal::CaptureStderr();
  box->Show("\x83\x65\x83\x58\x83\x67", "Caption", MessageIcon::Error);  // "テスト" in Shift-JIS
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Caption: テスト\n");
}

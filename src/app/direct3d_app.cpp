#include "app/direct3d_app.h"

#include "system/display_mode.h"
#include "system/message_box.h"
#include "system/platform.h"
#include "system/text_encoding.h"

CDirect3DApp* g_app = nullptr;
bool g_appActive = false;

namespace {

constexpr uint32_t kIdleSleepMs = 100;
// A frame that has taken this long by the time it is drawn (a scene starting) does no work
// ahead: the work would make a long frame longer. Work ahead takes up to about 2.5 ms (the
// largest picture decoded), so a frame that does it stays well within 10 ms.
constexpr uint64_t kWorkAheadBeforeUs = 4000;
constexpr uint32_t kModeSwitchSettleMs = 1000;
// What a pass without a frame rate may spend on frames: about one 60 Hz display interval.
constexpr uint32_t kPassBudgetMs = 12;

IClock* PlatformClock() { return g_platform ? &g_platform->Clock() : nullptr; }

bool SameMode(const DisplayMode& a, const DisplayMode& b) {
  return a.width == b.width && a.height == b.height && a.refreshRate == b.refreshRate &&
         a.format == b.format;
}

}  // namespace

CDirect3DApp::CDirect3DApp() : time(PlatformClock()) { g_appActive = false; }

CDirect3DApp::~CDirect3DApp() {
  DeleteFonts();
  if (g_app == this) g_app = nullptr;
}

bool CDirect3DApp::Create() {
  if (g_app || !g_platform) return false;
  if (!Configure()) return false;

  const std::string utf8Title = SjisToUtf8(title);
  WindowDesc desc;
  desc.utf8Title = utf8Title.c_str();
  desc.clientWidth = int(width);
  desc.clientHeight = int(height);
  desc.windowed = windowed;
  desc.fullScreenMode = WantedMode();
  desc.iconArgb = icon.empty() ? nullptr : icon.data();
  desc.iconSize = iconSize;
  window = g_platform->CreateWindow(desc);
  if (!window) {
    ShowMessage(windowFailedText, title);
    return false;
  }
  if (!InitDirect3D()) {
    ShowMessage(deviceFailedText, title);
    ReleaseDirect3D();
    return false;
  }
  g_app = this;
  g_appActive = true;  // the window is shown and activated as it is created
  return true;
}

bool CDirect3DApp::InitDirect3D() {
  desktopMode = window->DesktopMode();
  // A display that refused full screen left a window: the mode in force is the one recorded.
  windowed = window->Windowed();
  if (!ChooseDisplayMode()) return false;
  // A full-screen window was created in the wanted mode; move it to the closest mode the
  // display has. Nothing lives on the device yet, so no hooks are involved. Refused, the game
  // goes on in whatever mode the display kept.
  if (!windowed && !SameMode(fullScreenMode, WantedMode()) &&
      !window->SetWindowed(false, fullScreenMode))
    windowed = window->Windowed();
  device = window->Device();
  return device && SetupDeviceState();
}

DisplayMode CDirect3DApp::WantedMode() const {
  return {int(width), int(height), int(refreshRate), wantedFormat};
}

bool CDirect3DApp::ChooseDisplayMode() {
  if (windowed) return true;
  const std::vector<DisplayMode> modes = window->FullScreenModes();
  const int best = ChooseBestDisplayMode(modes, WantedMode());
  if (best < 0) return false;
  fullScreenMode = modes[size_t(best)];
  return true;
}

bool CDirect3DApp::SetupDeviceState() {
  if (!device) return false;
  device->Clear(clearColor);
  for (int i = 0; i < 6; ++i) {
    fontObjects_[i].reset();
    if (auto font = device->CreateFont(FontHeights[i], typeface))
      fontObjects_[i] = std::make_unique<CFont>(std::move(font), FontHeights[i]);
    fonts[i] = fontObjects_[i].get();
  }
  return true;
}

void CDirect3DApp::DeleteFonts() {
  for (int i = 0; i < 6; ++i) {
    fontObjects_[i].reset();
    fonts[i] = nullptr;
  }
}

void CDirect3DApp::ReleaseDirect3D() {
  DeleteFonts();
  device = nullptr;
  window.reset();  // the device belongs to the window
}

int CDirect3DApp::Run() {
  if (!BeginRun()) return 0;
  bool quit = false;
  while (!quit) {
    WindowEvent event;
    if (window->PollEvent(event))
      quit = Dispatch(event);
    else if (!g_appActive || !ReadyForFrame())
      time.clock->Sleep(kIdleSleepMs);
    else
      RunFrame(true);
  }
  return EndRun();
}

bool CDirect3DApp::RunPass() {
  if (passState_ == PassState::Ended) return false;
  if (passState_ == PassState::NotStarted) {
    passState_ = BeginRun() ? PassState::Running : PassState::Ended;
    if (passState_ == PassState::Ended) return false;
  }
  // Without a frame rate, as many frames as fit in a display interval; events are taken
  // between frames, as Run does, so nothing runs after a close.
  const uint32_t start = time.clock ? time.clock->Ticks() : 0;
  do {
    WindowEvent event;
    while (window->PollEvent(event)) {
      if (Dispatch(event)) {
        passState_ = PassState::Ended;
        exitCode_ = EndRun();
        return false;
      }
    }
    if (!g_appActive || !ReadyForFrame() || !time.TakeDueFrame()) break;
    RunFrame(false);
  } while (time.targetFps == 0 && time.clock && time.clock->Ticks() - start < kPassBudgetMs);
  return true;
}

bool CDirect3DApp::BeginRun() {
  if (g_app != this) return false;
  if (!AcquireDeviceObjects(false)) {
    ReleaseDirect3D();
    g_app = nullptr;
    return false;
  }
  // The activation that came with the window reaches the hooks now that the devices exist.
  if (g_appActive) HandleMessage({WindowEventType::Activate});
  return true;
}

int CDirect3DApp::EndRun() {
  ReleaseDeviceObjects(false);
  ReleaseDirect3D();
  Shutdown();
  g_app = nullptr;
  return exitCode;
}

bool CDirect3DApp::Dispatch(const WindowEvent& event) {
  if (!HandleMessage(event)) return false;
  switch (event.type) {
    case WindowEventType::Close: window->Hide(); return true;
    case WindowEventType::Activate:
      // Back from the background, frames start afresh: no burst catches up the time away.
      if (!g_appActive) time.Restart();
      g_appActive = true;
      break;
    case WindowEventType::Deactivate:
    case WindowEventType::FocusLost:
    case WindowEventType::Hidden: g_appActive = false; break;
    case WindowEventType::Paint:
      if (!PresentFrame()) window->PostClose();
      break;
    case WindowEventType::Maximized:
    case WindowEventType::LeftFullScreen:
    case WindowEventType::DeviceReset:
    case WindowEventType::AudioDeviceRemoved:
    case WindowEventType::AudioDeviceAdded:
      // The game decides on maximising, the display mode and sound; a lost renderer shows at
      // present time.
      break;
  }
  return false;
}

void CDirect3DApp::RunFrame(bool wait) {
  const uint64_t begun = time.clock ? time.clock->Microseconds() : 0;
  const uint64_t start = Stamp();
  if (!Tick() || !device) {
    window->PostClose();
    return;
  }
  const uint64_t ticked = Stamp();
  if (device->TestCooperativeLevel() == DeviceStatus::Ok) {
    device->Clear(clearColor);
    device->BeginScene();
    if (!Render()) window->PostClose();
    device->EndScene();
  }
  const uint64_t drawn = Stamp();
  WorkAheadIfShort(begun);  // counted in the frame's time, not its drawing's
  const uint64_t worked = Stamp();
  if (wait) time.WaitFrame();
  const uint64_t released = Stamp();
  if (!PresentFrame()) window->PostClose();
  const uint64_t presented = Stamp();
  ++framesRun;
  if (!frameObserver) return;
  if (timeFrames) {
    const FrameTimes times{uint32_t(ticked - start),
                           uint32_t(drawn - ticked),
                           uint32_t(presented - released),
                           uint32_t(presented - start - (released - worked)),
                           time.lateUs,
                           time.targetFps != 0};
    frameObserver->FrameTimed(framesRun, times);
  }
  frameObserver->AfterFrame(framesRun);
}

void CDirect3DApp::WorkAheadIfShort(uint64_t begunUs) {
  if (time.clock && time.clock->Microseconds() - begunUs >= kWorkAheadBeforeUs) return;
  WorkAhead();
}

uint64_t CDirect3DApp::Stamp() { return timeFrames && time.clock ? time.clock->Microseconds() : 0; }

bool CDirect3DApp::PresentFrame() {
  if (!device) return true;
  if (device->Present() == DeviceStatus::Lost &&
      device->TestCooperativeLevel() == DeviceStatus::NotReset)
    return ResetDevice(false);
  return true;
}

bool CDirect3DApp::ResetDevice(bool switchMode) {
  ReleaseDeviceObjects(true);
  DeleteFonts();  // fonts are device objects too: none may outlive the renderer
  const bool reset = switchMode ? window->SetWindowed(windowed, fullScreenMode) : device->Reset();
  if (!reset) return false;
  device = window->Device();
  return SetupDeviceState() && AcquireDeviceObjects(true);
}

bool CDirect3DApp::SetWindowed(bool toWindowed) {
  if (!device || device->TestCooperativeLevel() != DeviceStatus::Ok) return false;
  const bool wasWindowed = windowed;
  windowed = toWindowed;
  if (!ChooseDisplayMode()) {
    windowed = wasWindowed;
    return false;
  }
  if (!ResetDevice(true)) {
    // The display refused the mode: carry on in the old one with everything loaded again,
    // rather than with nothing to draw. A renderer that did not survive is reset at present.
    windowed = wasWindowed;
    device = window->Device();
    if (device && device->TestCooperativeLevel() == DeviceStatus::Ok && SetupDeviceState())
      AcquireDeviceObjects(true);
    return false;
  }
  // Displays take a moment to settle after a mode change; a run without pacing does not wait.
  if (time.targetFps != 0 && time.clock) time.clock->Sleep(kModeSwitchSettleMs);
  return true;
}

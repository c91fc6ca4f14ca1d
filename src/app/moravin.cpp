#include "app/moravin.h"

#include <cstdio>
#include <cstring>
#include <span>
#include <string>

#include "media/picture_cache.h"
#include "media/sprite.h"
#include "scenes/play.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/message_box.h"
#include "system/platform.h"
#include "system/printable.h"
#include "system/random.h"
#include "system/resources.h"

namespace {

constexpr int kIconResource = 301;
constexpr uint32_t kMaxIconSide = 256;
constexpr int32_t kGameFps = 50;
constexpr uint32_t kGrey = 0x00808080;

// Lines for the user go to stderr; paths come from outside and may hold anything.
void Say(const std::string& line) {
  std::fprintf(stderr, "moravin: %s\n", Printable(line).c_str());
}

uint32_t Read32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}

}  // namespace

CMoravin::CMoravin(const RunSettings& runSettings, IFrameObserver* observer)
    : settings(runSettings), saveFile(SystemFileAccess(), runSettings.saveDir, Say) {
  frameObserver = observer;
  timeFrames = runSettings.timeFrames;
}

CMoravin::~CMoravin() {
  // Scenes still alive go before the devices their buffers and textures came from.
  g_sceneManager.Clear();
  if (g_saveFile == &saveFile) g_saveFile = nullptr;
  if (g_fonts == fonts) g_fonts = nullptr;
}

bool CMoravin::LoadIcon() {
  // Icon resource: width, height (little-endian 32-bit), then width x height ARGB pixels.
  const std::span<const uint8_t> bytes = FindResource(ResourceType::Icon, kIconResource);
  if (bytes.size() < 8) return false;
  const uint32_t w = Read32(bytes, 0), h = Read32(bytes, 4);
  if (w == 0 || w != h || w > kMaxIconSide || bytes.size() - 8 < size_t(w) * h * 4) return false;
  icon.resize(size_t(w) * h);
  for (size_t i = 0; i < icon.size(); ++i) icon[i] = Read32(bytes, 8 + i * 4);
  iconSize = int(w);
  return true;
}

bool CMoravin::Configure() {
  const GameTexts& texts = Texts();
  title = texts.windowTitle;
  windowFailedText = texts.failures.window;
  deviceFailedText = texts.failures.device;
  LoadIcon();  // a missing icon is no reason not to start

  time.SetFps(settings.fps);
  time.Restart();
  clearColor = kGrey;
  width = 800;
  height = 600;
  refreshRate = kGameFps;
  wantedFormat = 21;  // A8R8G8B8
  windowed = true;

  GameSrand(settings.seedGiven ? settings.seed : g_platform->Clock().Ticks());

  g_saveFile = &saveFile;
  if (!LoadSaveData(saveData)) {
    ShowMessage(texts.failures.saveData, texts.failures.saveDataCaption, MessageIcon::Error);
    return false;
  }
  g_saveData = &saveData;
  g_sceneManager.RequestScene(Logo, false);
  windowed = saveData.fullScreen == 0;
  return true;
}

void CMoravin::Shutdown() {
  if (!StoreSaveData(saveData)) exitCode = kExitStoreFailed;
}

bool CMoravin::AcquireDeviceObjects(bool afterReset) {
  if (!afterReset) {
    if (!soundBank.Create()) return false;
    soundLostReported_ = soundBank.IsLost();  // the output said so as it failed to open
    std::memset(keyboard.keyState, 0, sizeof keyboard.keyState);
    std::memset(keyboard.prevKeyState, 0, sizeof keyboard.prevKeyState);
    if (!keyboard.OpenDevice(CDirectInput::Keyboard)) return false;
    joystick.OpenJoystick();  // the game runs on without one
    pointer = g_platform->OpenPointer();
    // A display that refused full screen at start-up left a window: record the mode in force.
    if ((saveData.fullScreen != 0) == windowed) saveData.fullScreen = windowed ? 0 : 1;
  }
  g_device = device;
  g_fonts = fonts;
  g_soundBank = &soundBank;
  g_sceneManager.NotifyScenesLoad(afterReset);
  return true;
}

void CMoravin::ReleaseDeviceObjects(bool forReset) {
  g_sceneManager.NotifyScenesRelease(forReset);
  if (forReset) return;
  soundBank.Release();
  pointer.reset();
  joystick.ReleaseDevice();
  keyboard.ReleaseDevice();
}

bool CMoravin::AltEnterPressed() const {
  const bool enterPressed =
      keyboard.KeyDown(dik::Return) && !(keyboard.prevKeyState[dik::Return] & 0x80);
  return enterPressed && (keyboard.KeyDown(dik::LMenu) || keyboard.KeyDown(dik::RMenu));
}

void CMoravin::PollJoystickInto() {
  std::memcpy(joystick.prevJoyButtons, joystick.joyState.buttons, sizeof joystick.prevJoyButtons);
  if (joystick.PollJoystick()) {
    input.MapJoystick(joystick);
    return;
  }
  // A failed poll feeds no buttons and keeps the last good buttons for the next comparison.
  joystick.joyState = JoyState{};
  std::memcpy(joystick.joyState.buttons, joystick.prevJoyButtons, sizeof joystick.prevJoyButtons);
}

bool CMoravin::Tick() {
  if (keyboard.PollKeyboard()) {
    if (AltEnterPressed())
      saveData.fullScreen = windowed ? 1 : 0;  // this frame the keyboard feeds no buttons
    else
      input.MapKeyboard(keyboard);
  }
  PollJoystickInto();
  const PointerFrame pointerFrame = pointer ? pointer->Poll() : PointerFrame{};
  input.MapPointer(pointerFrame);
  CScene* scene = g_sceneManager.currentScene.get();
  if (scene) scene->Input(input);
  input.EndFrame();
  if (!g_sceneManager.StepScenes()) return false;
  FollowPointer(scene, pointerFrame.Used());
  FollowDisplaySetting();
  return true;
}

void CMoravin::FollowPointer(CScene* sceneOfTheInput, bool pointerUsed) {
  CScene* scene = g_sceneManager.currentScene.get();
  // A press that began in one scene is not taken up by the next.
  if (scene != sceneOfTheInput) input.CancelPointerGesture();
  const bool inPlay = dynamic_cast<CPlay*>(scene) != nullptr;
  if (pointer) pointer->ShowCursor(cursor_.Update(pointerUsed, inPlay));
}

bool CMoravin::DeviceUsable() const {
  return device && device->TestCooperativeLevel() == DeviceStatus::Ok;
}

void CMoravin::FollowDisplaySetting() {
  if ((saveData.fullScreen != 0) == !windowed) return;
  // A lost device cannot switch: the setting waits for it, and the switch happens on the
  // first frame the device is back.
  if (!DeviceUsable()) return;
  // A switch the display refused would be tried again every frame: the setting follows the
  // mode the game really runs in instead.
  if (!SetWindowed(saveData.fullScreen == 0)) saveData.fullScreen = windowed ? 0 : 1;
}

bool CMoravin::Render() {
  if (CScene* scene = g_sceneManager.currentScene.get()) scene->Draw(fonts);
  return true;
}

void CMoravin::WorkAhead() {
  // What the scenes asked for (PrefetchPictures, PrefetchSounds), one piece at a time.
  if (g_pictures && g_pictures->PrefetchOne()) return;
  soundBank.PrefetchOne();
}

bool CMoravin::HandleMessage(const WindowEvent& event) {
  switch (event.type) {
    case WindowEventType::Maximized: SetWindowed(false); break;
    case WindowEventType::Activate:
      keyboard.Acquire();
      joystick.Acquire();
      if (pointer) pointer->Acquire();
      break;
    case WindowEventType::Deactivate:
      keyboard.Unacquire();
      joystick.Unacquire();
      if (pointer) pointer->Unacquire();  // a press the window no longer sees ends here
      break;
    case WindowEventType::AudioDeviceRemoved:
    case WindowEventType::AudioDeviceAdded: HandleAudioDevice(event.type); break;
    case WindowEventType::Hidden:
      keyboard.Unacquire();
      joystick.Unacquire();
      if (pointer) pointer->Unacquire();
      if (CScene* scene = g_sceneManager.currentScene.get()) scene->Interrupt();
      break;
    case WindowEventType::LeftFullScreen:
      // The setting follows, and the next frame brings the shell into line with it.
      saveData.fullScreen = 0;
      break;
    default: break;
  }
  return true;
}

void CMoravin::HandleAudioDevice(WindowEventType type) {
  // Other outputs come and go too: only the loss of the game's own counts.
  if (!soundBank.IsLost()) return;
  if (type == WindowEventType::AudioDeviceRemoved) {
    if (!soundLostReported_) Say("the sound output was removed; playing on without sound");
    soundLostReported_ = true;
  } else if (soundBank.Reopen()) {
    soundLostReported_ = false;
    Say("a sound output was found; the sound is back");
  }
}

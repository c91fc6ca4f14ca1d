#include "app/moravin.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>

#include "media/picture_cache.h"
#include "media/sprite.h"
#include "replay/verify.h"
#include "scenes/play.h"
#include "scenes/replay_list.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "scenes/title.h"
#include "system/game_host.h"
#include "system/little_endian.h"
#include "system/message_box.h"
#include "system/platform.h"
#include "system/printable.h"
#include "system/random.h"
#include "system/resource_ids.h"
#include "system/resources.h"

namespace {

constexpr uint32_t kMaxIconSide = 256;
constexpr int32_t kGameFps = 50;
constexpr uint32_t kGrey = 0x00808080;

// Lines for the user go to stderr; paths come from outside and may hold anything.
void Say(const std::string& line) {
  std::fprintf(stderr, "moravin: %s\n", Printable(line).c_str());
}

// The folder of the save, with its separator; empty for the working directory.
std::string SaveFolder(const SaveFile& save) {
  const std::string& path = save.Path();
  const size_t end = path.find_last_of("/\\");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

// Replays are kept in a folder beside the save, and so are runs waiting for the ranking.
std::string ReplayFolder(const SaveFile& save) { return SaveFolder(save) + "replays"; }
std::string RankingQueueFolder(const SaveFile& save) { return SaveFolder(save) + "ranking"; }

int64_t UnixMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

CMoravin::CMoravin(const RunSettings& runSettings, IFrameObserver* observer)
    : settings(runSettings),
      saveFile(SystemFileAccess(), runSettings.saveDir, Say),
      settingsFile(SystemFileAccess(), Say),
      rankingFile(SystemFileAccess(), Say) {
  frameObserver = observer;
  timeFrames = runSettings.timeFrames;
}

CMoravin::~CMoravin() {
  // Scenes still alive go before the devices their buffers and textures came from.
  g_sceneManager.Clear();
  if (g_replayShelf.kept == keptReplays.get()) g_replayShelf = ReplayShelf{};
  if (g_saveFile == &saveFile) g_saveFile = nullptr;
  if (g_settings == &playerSettings) g_settings = nullptr;
  if (g_settingsFile == &settingsFile) g_settingsFile = nullptr;
  if (g_rankingSettings == &rankingSettings) g_rankingSettings = nullptr;
  if (g_rankingFile == &rankingFile) g_rankingFile = nullptr;
  if (g_fonts == fonts) g_fonts = nullptr;
}

bool CMoravin::LoadIcon() {
  // Icon resource: width, height (little-endian 32-bit), then width x height ARGB pixels.
  const std::span<const uint8_t> bytes = FindResource(ResourceType::Icon, kIconId);
  if (bytes.size() < 8) return false;
  const uint32_t w = ReadLe32(bytes, 0), h = ReadLe32(bytes, 4);
  if (w == 0 || w != h || w > kMaxIconSide || bytes.size() - 8 < size_t(w) * h * 4) return false;
  icon.resize(size_t(w) * h);
  for (size_t i = 0; i < icon.size(); ++i) icon[i] = ReadLe32(bytes, 8 + i * 4);
  iconSize = int(w);
  return true;
}

bool CMoravin::Configure() {
  const GameTexts& texts = Texts();
  title = texts.windowTitle;
  windowFailedText = texts.failures.window;
  deviceFailedText = texts.failures.device;
  typeface = texts.typeface;
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
  LoadSettings();
  keptReplays = std::make_unique<KeptReplays>(SystemFileAccess(), ReplayFolder(saveFile), Say);
  recorder_ =
      GameRecorder(keptReplays.get(), [this](const Replay& replay) { GameFinished(replay); });
  ranking = std::make_unique<WorldRanking>(settings.http, SystemFileAccess(),
                                           RankingQueueFolder(saveFile), Say, UnixMilliseconds);
  g_replayShelf = ReplayShelf{};
  g_replayShelf.kept = keptReplays.get();
  if (settings.watch) {
    show_ = std::make_unique<ReplayShow>(ReplayShow::Kind::Watch, std::move(settings.watch),
                                         nullptr, saveData);
  } else {
    g_sceneManager.RequestScene(Logo, false);
  }
  windowed = saveData.fullScreen == 0;
  return true;
}

void CMoravin::LoadSettings() {
  const std::string folder = SaveFolder(saveFile);
  playerSettings = settingsFile.Load(folder);
  g_settings = &playerSettings;
  g_settingsFile = &settingsFile;
  rankingSettings = rankingFile.Load(folder);
  // Without a way to the server the ranking is not offered at all.
  g_rankingSettings = settings.http ? &rankingSettings : nullptr;
  g_rankingFile = &rankingFile;
  const std::string mappings = folder + kControllerMappings;
  std::error_code error;
  if (SystemFileAccess().Kind(mappings, error) == FileKind::Regular &&
      g_platform->AddControllerMappings(mappings) < 0)
    Say("the controller mappings in " + mappings + " cannot be read; SDL's own apply");
}

void CMoravin::Shutdown() {
  show_.reset();  // the player's save is stored, not the show's
  recorder_.Close();
  if (!StoreSaveData(saveData)) exitCode = kExitStoreFailed;
}

bool CMoravin::AcquireDeviceObjects(bool afterReset) {
  if (!afterReset) {
    if (!soundBank.Create()) return false;
    soundLostReported_ = soundBank.IsLost();  // the output said so as it failed to open
    std::memset(keyboard.keyState, 0, sizeof keyboard.keyState);
    std::memset(keyboard.prevKeyState, 0, sizeof keyboard.prevKeyState);
    if (!keyboard.OpenDevice(CDirectInput::Keyboard)) return false;
    keyboard.keyboardDevice->Bind(&playerSettings.bindings);
    // The game runs on without one.
    if (joystick.OpenJoystick()) joystick.joystickDevice->Bind(&playerSettings.bindings);
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
  const bool wasAttached = padAttached_;
  padAttached_ = joystick.PollJoystick();
  // A controller pulled out in the middle of a game leaves its player without a hand on it.
  if (wasAttached && !padAttached_ && !settings.ignoreFocusAndDevices) PausePlayerGame();
  if (padAttached_) {
    input.MapJoystick(joystick);
    input.pressedPadButton = joystick.joystickDevice->TakePressedButton();
    input.padFamily = joystick.joystickDevice->Family();
    return;
  }
  // A failed poll feeds no buttons and keeps the last good buttons for the next comparison.
  joystick.joyState = JoyState{};
  std::memcpy(joystick.joyState.buttons, joystick.prevJoyButtons, sizeof joystick.prevJoyButtons);
}

void CMoravin::ReadDevices() {
  if (keyboard.PollKeyboard()) {
    input.pressedKey = keyboard.keyboardDevice->TakePressedKey();
    if (AltEnterPressed())
      saveData.fullScreen = windowed ? 1 : 0;  // this frame the keyboard feeds no buttons
    else
      input.MapKeyboard(keyboard);
  }
  PollJoystickInto();
  constexpr int kDisplayButton = 3;  // button 4: the controller's display switch
  if ((joystick.joyState.buttons[kDisplayButton] & 0x80) &&
      !(joystick.prevJoyButtons[kDisplayButton] & 0x80))
    saveData.fullScreen = windowed ? 1 : 0;
  devicePointer_ = pointer ? pointer->Poll() : PointerFrame{};
}

bool CMoravin::Tick() {
  ReadDevices();
  if (show_ && (show_->Finished() || LeaveRequested())) LeaveShow();
  if (!show_ && g_replayShelf.chosen) StartWatchingChosen();
  if (!show_) CountIdleFrames();
  fast_ = show_ && show_->kind == ReplayShow::Kind::Watch && show_->Showing() &&
          (keyboard.KeyDown(dik::Z) || joystick.joyState.buttons[0] & 0x80);
  soundBank.TakeArrivals();
  for (int step = 0; step < (fast_ ? kFastSteps : 1); ++step) {
    // A scene that waits for a picture starts in a frame of its own, once the picture is there.
    if (g_sceneManager.WaitsForPictures()) break;
    if (!StepGame()) return false;
  }
  TellGameInPlay();
  FollowDisplaySetting();
  return true;
}

bool CMoravin::ReadyForFrame() {
  const bool waiting = g_sceneManager.WaitsForPictures();
  if (waiting != waiting_ && g_gameHost) g_gameHost->WaitingForResources(waiting);
  waiting_ = waiting;
  return !waiting;
}

void CMoravin::TellGameInPlay() {
  bool inPlay = dynamic_cast<const CPlay*>(g_sceneManager.currentScene.get()) != nullptr;
  for (const auto& scene : g_sceneManager.suspended)
    inPlay = inPlay || dynamic_cast<const CPlay*>(scene.get()) != nullptr;
  inPlay = inPlay && !show_;  // a demo or a watched replay is no game of the player's
  if (inPlay == inPlay_) return;
  inPlay_ = inPlay;
  if (g_gameHost) g_gameHost->GameInPlay(inPlay);
}

// One frame of the scenes: their input, and the step of the scene manager.
bool CMoravin::StepGame() {
  PointerFrame pointerFrame = devicePointer_;
  const bool takesInput = !show_ || show_->Feed(input, pointerFrame);
  input.MapPointer(pointerFrame);
  CScene* scene = g_sceneManager.currentScene.get();
  if (scene && takesInput) scene->Input(input);
  if (!show_) FollowRanking();
  if (!show_) recorder_.BeforeStep(input, pointerFrame);
  input.EndFrame();
  // A watched game that has ended hands over to the title, or to the list it was chosen in:
  // the player's save is back first.
  if (show_ && g_sceneManager.requestedScene == Title && !g_sceneManager.keepCurrent) {
    show_.reset();
    g_sceneManager.RequestScene(afterShow_, false);
  }
  if (!g_sceneManager.StepScenes()) return false;
  FollowPointer(scene, devicePointer_.Used());
  if (show_)
    show_->AfterStep();
  else
    recorder_.AfterStep();
  return true;
}

void CMoravin::FollowRanking() {
  ranking->Poll(rankingSettings);
  const bool gameOn =
      dynamic_cast<CPlay*>(g_sceneManager.currentScene.get()) || !g_sceneManager.suspended.empty();
  if (g_sceneManager.requestedScene == Play) {
    // The play is created in this frame's step and draws its field at once: the seed, when
    // one is here, goes in before, and the recorder takes it as the replay's seed.
    rankedSeed_ = ranking->TakeSeed(rankingSettings);
    if (rankedSeed_) GameSrand(rankedSeed_->seed);
  } else if (!gameOn) {
    ranking->KeepSeedReady(rankingSettings);
  }
  g_rankingNote = ranking->note;
}

void CMoravin::GameFinished(const Replay& replay) {
  if (rankedSeed_ && replay.seed == rankedSeed_->seed)
    ranking->Submit(replay, *rankedSeed_, rankingSettings);
  rankedSeed_.reset();
}

bool CMoravin::AnyInput() const {
  for (uint8_t key : keyboard.keyState)
    if (key & 0x80) return true;
  for (uint8_t button : joystick.joyState.buttons)
    if (button & 0x80) return true;
  return joystick.joyState.x != 0 || joystick.joyState.y != 0 || devicePointer_.Down() ||
         devicePointer_.Tapped();
}

// A demo ends on any input; a watched replay on Esc (or the controller's pause button).
bool CMoravin::LeaveRequested() const {
  if (show_->kind == ReplayShow::Kind::Demo) return AnyInput();
  const bool escape = keyboard.KeyDown(dik::Escape) && !(keyboard.prevKeyState[dik::Escape] & 0x80);
  const bool pauseButton =
      (joystick.joyState.buttons[2] & 0x80) && !(joystick.prevJoyButtons[2] & 0x80);
  return escape || pauseButton;
}

void CMoravin::CountIdleFrames() {
  const bool onTitle = dynamic_cast<const CTitle*>(g_sceneManager.currentScene.get()) &&
                       g_sceneManager.suspended.empty() && g_sceneManager.requestedScene == None;
  const bool idle = !AnyInput() && !devicePointer_.Used();  // a mouse moved is no idle title
  idleFrames_ = onTitle && idle ? idleFrames_ + 1 : 0;
  if (idleFrames_ >= kDemoIdleFrames) StartDemo();
}

void CMoravin::StartDemo() {
  idleFrames_ = 0;
  std::optional<Replay> best = keptReplays ? keptReplays->Best(GameVersion()) : std::nullopt;
  if (!best && !settings.demoPlayer) return;
  show_ = std::make_unique<ReplayShow>(ReplayShow::Kind::Demo, std::move(best), settings.demoPlayer,
                                       saveData);
  afterShow_ = Title;
}

void CMoravin::StartWatchingChosen() {
  show_ = std::make_unique<ReplayShow>(ReplayShow::Kind::Watch, std::move(g_replayShelf.chosen),
                                       nullptr, saveData);
  g_replayShelf.chosen.reset();
  afterShow_ = ReplayList;
}

// Back at once to the title, or to the list the replay was chosen in: the shown game's scenes
// go, and the player's save is back.
void CMoravin::LeaveShow() {
  g_sceneManager.ReleaseAll();
  show_.reset();
  g_sceneManager.RequestScene(afterShow_, false);
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
  if (show_) DrawShowMark();
  return true;
}

// "Replay" or "Demo" in a dark box under the top bar's title, and "×4" in a box of its own
// beside it while a watched replay runs fast.
void CMoravin::DrawShowMark() {
  constexpr int kLeft = 320, kTop = 94, kWidth = 160, kHeight = 34, kFont = 2;
  constexpr int kFastLeft = kLeft + kWidth + 8, kFastWidth = 56;
  CSprite box;  // no texture: the colour alone
  box.colour = 0xA0000000;
  DrawSprite(g_device, box, kLeft, kTop, 0.0f, kWidth, kHeight, 0.0f);
  if (fast_) DrawSprite(g_device, box, kFastLeft, kTop, 0.0f, kFastWidth, kHeight, 0.0f);
  CFont* font = fonts[kFont];
  if (!font) return;
  const GameTexts& texts = Texts();
  const char* mark = show_->kind == ReplayShow::Kind::Watch ? texts.replayMark : texts.demoMark;
  const int top = kTop + (kHeight - font->Height()) / 2;
  font->DrawText(mark, kLeft + (kWidth - font->TextWidth(mark)) / 2, top, 0xFFFFFFFF);
  if (fast_)
    font->DrawText(texts.fastMark, kFastLeft + (kFastWidth - font->TextWidth(texts.fastMark)) / 2,
                   top, 0xFFFFE066);
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
    case WindowEventType::Deactivate: UnacquireDevices(); break;
    case WindowEventType::FocusLost: return HandleFocusLost();
    case WindowEventType::AudioDeviceRemoved:
    case WindowEventType::AudioDeviceAdded: HandleAudioDevice(event.type); break;
    case WindowEventType::Hidden:
      UnacquireDevices();
      PausePlayerGame();
      break;
    case WindowEventType::LeftFullScreen:
      // The setting follows, and the next frame brings the shell into line with it.
      saveData.fullScreen = 0;
      break;
    default: break;
  }
  return true;
}

void CMoravin::UnacquireDevices() {
  keyboard.Unacquire();
  joystick.Unacquire();
  if (pointer) pointer->Unacquire();  // a press the window no longer sees ends here
}

void CMoravin::PausePlayerGame() {
  // A game shown goes on as it was played; only the player's own game pauses.
  if (CScene* scene = g_sceneManager.currentScene.get(); scene && !show_) scene->Interrupt();
}

bool CMoravin::HandleFocusLost() {
  // Swallowed, the event leaves the game running with its devices: a script's run goes on as
  // it always does, and a player who turned the pause off plays on with the controller while
  // another window has the focus.
  if (settings.ignoreFocusAndDevices || !playerSettings.pauseOnFocusLoss) return false;
  UnacquireDevices();
  PausePlayerGame();
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

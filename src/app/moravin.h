// The game's application object: configures the shell, owns the long-lived services and drives
// the scenes once per frame.
#pragma once

#include <memory>

#include "app/direct3d_app.h"
#include "app/game_recorder.h"
#include "app/replay_show.h"
#include "app/run_settings.h"
#include "app/world_ranking.h"
#include "media/input.h"
#include "media/sound.h"
#include "save/ranking_settings.h"
#include "save/save_data.h"
#include "save/save_file.h"
#include "save/settings_file.h"
#include "scenes/scene.h"

class CMoravin : public CDirect3DApp {
 public:
  // The defaults of RunSettings are the game's own behaviour; the observer may be null.
  explicit CMoravin(const RunSettings& settings = {}, IFrameObserver* observer = nullptr);
  ~CMoravin() override;

  bool Configure() override;
  void Shutdown() override;
  bool AcquireDeviceObjects(bool afterReset) override;
  void ReleaseDeviceObjects(bool forReset) override;
  bool Tick() override;
  bool Render() override;
  void WorkAhead() override;
  // No frame runs while the scene requested waits for a picture still on its way; the host (a
  // page) shows its loading progress meanwhile. The game's frames are the same as without the
  // wait, so a scripted run plays the same game.
  bool ReadyForFrame() override;
  bool HandleMessage(const WindowEvent& event) override;

  SoundBank soundBank;
  CDirectInput keyboard;
  CDirectInput joystick;
  std::unique_ptr<IPointerDevice> pointer;  // the mouse and touch screen
  CInput input;
  SaveData saveData{};
  RunSettings settings;
  SaveFile saveFile;                         // where saveData is loaded from and stored to
  Settings playerSettings;                   // the controls and the focus option
  SettingsFile settingsFile;                 // beside the save
  std::unique_ptr<KeptReplays> keptReplays;  // in replays/ beside the save, once it is loaded
  RankingSettings rankingSettings;           // whether and as whom the player is ranked
  RankingFile rankingFile;                   // beside the save
  std::unique_ptr<WorldRanking> ranking;     // its queue in ranking/ beside the save

  // Exit code of a run whose last store failed, so that scripts notice the lost settings.
  static constexpr int kExitStoreFailed = 3;
  // Frames without input on the title before its demo begins: 30 s.
  static constexpr uint32_t kDemoIdleFrames = 1500;
  // Frames a watched replay runs per frame shown while Z is held.
  static constexpr int kFastSteps = 4;
  // The user's own controller mappings, read from the save's folder when there is such a file.
  static constexpr const char* kControllerMappings = "gamecontrollerdb.txt";

 private:
  bool AltEnterPressed() const;
  void ReadDevices();
  bool StepGame();
  bool AnyInput() const;
  bool LeaveRequested() const;
  void CountIdleFrames();
  void StartDemo();
  // Shows the replay the player chose in the list of kept replays.
  void StartWatchingChosen();
  void LeaveShow();
  void DrawShowMark();
  bool DeviceUsable() const;
  void FollowDisplaySetting();
  void HandleAudioDevice(WindowEventType type);
  void PollJoystickInto();
  void LoadSettings();
  // The world ranking's turn in a frame: its answers, a seed kept ready while no game is on,
  // and a new game ranked when a seed is at hand as it is created.
  void FollowRanking();
  // A game recorded to its end: a ranked one goes to the ranking.
  void GameFinished(const Replay& replay);
  // The player's game goes under the pause menu (a shown game plays on).
  void PausePlayerGame();
  // Focus lost on a desktop: the pause, or frames that go on when the player turned it off.
  bool HandleFocusLost();
  void UnacquireDevices();
  // After the scenes' step: ends a gesture the scene changed under, shows or hides the cursor.
  void FollowPointer(CScene* sceneOfTheInput, bool pointerUsed);
  bool LoadIcon();
  // Tells the host when the player's game begins and ends (a page holds an update's restart
  // back until it has ended).
  void TellGameInPlay();

  bool soundLostReported_ = false;
  CursorVisibility cursor_;
  GameRecorder recorder_{nullptr};
  std::unique_ptr<ReplayShow> show_;
  SceneId afterShow_ = Title;   // where a watched replay leaves to: the list it was chosen in
  bool fast_ = false;           // the watched replay runs at kFastSteps this frame
  uint32_t idleFrames_ = 0;     // on the title with no input
  PointerFrame devicePointer_;  // the pointer device's sample of this frame
  bool padAttached_ = false;    // the last controller poll read one
  bool waiting_ = false;        // for a picture the requested scene needs, as told to the host
  bool inPlay_ = false;         // the player's game is on, as told to the host
  std::optional<RankingSeed> rankedSeed_;  // of the game on, when it is ranked
};

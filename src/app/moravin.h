// The game's application object: configures the shell, owns the long-lived services and drives
// the scenes once per frame.
#pragma once

#include "app/direct3d_app.h"
#include "app/run_settings.h"
#include "media/input.h"
#include "media/sound.h"
#include "save/save_data.h"
#include "save/save_file.h"

class CScene;

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
  bool HandleMessage(const WindowEvent& event) override;

  SoundBank soundBank;
  CDirectInput keyboard;
  CDirectInput joystick;
  std::unique_ptr<IPointerDevice> pointer;  // the mouse and touch screen
  CInput input;
  SaveData saveData{};
  RunSettings settings;
  SaveFile saveFile;  // where saveData is loaded from and stored to

  // Exit code of a run whose last store failed, so that scripts notice the lost settings.
  static constexpr int kExitStoreFailed = 3;

 private:
  bool AltEnterPressed() const;
  bool DeviceUsable() const;
  void FollowDisplaySetting();
  void HandleAudioDevice(WindowEventType type);
  void PollJoystickInto();
  // After the scenes' step: ends a gesture the scene changed under, shows or hides the cursor.
  void FollowPointer(CScene* sceneOfTheInput, bool pointerUsed);
  bool LoadIcon();

  bool soundLostReported_ = false;
  CursorVisibility cursor_;
};

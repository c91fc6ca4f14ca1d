// The fixture every game test starts from: fakes installed as the program's globals, a fresh
// zeroed save record stored (when a scene stores it) in a temporary folder, an empty scene
// manager, and frames run the way the game runs them.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_audio.h"
#include "fakes/fake_message_box.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_render_device.h"
#include "fakes/fake_resources.h"
#include "fakes/test_files.h"
#include "media/font.h"
#include "media/input.h"
#include "media/sound.h"
#include "save/save_data.h"
#include "save/save_file.h"
#include "scenes/scene_manager.h"

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One frame as the game runs it: the current scene's Input with exactly the buttons in
  // `held` down, the end of the input frame, the scene step and, when a scene is current, its
  // Draw with the six fonts. The device's draw log holds only this frame's draws afterwards.
  // Returns the scene step's result.
  bool RunFrame(std::initializer_list<Button> held = {});
  // One frame as RunFrame, with the pointer's frame (and no button).
  bool RunPointerFrame(const PointerFrame& pointer);
  // RunFrame n times with the same buttons; stops at the first false step.
  bool RunFrames(int n, std::initializer_list<Button> held = {});

  // The record in the save file, when there is a valid one.
  std::optional<SaveData> StoredSave() const;

  CScene* Current() const { return g_sceneManager.currentScene.get(); }
  template <class T>
  T* CurrentAs() const {
    return dynamic_cast<T*>(g_sceneManager.currentScene.get());
  }

  FakePlatform platform;
  FakeRenderDevice& device = platform.device;
  FakeResources resources;
  RecordingMessageBox messages;
  SaveData save{};
  test_files::TempFolder saveFolder;
  std::vector<std::string> saveReports;  // what the save file said
  std::unique_ptr<SaveFile> saveFile;
  SoundBank soundBank;
  FakeAudioDevice* audio = nullptr;  // the sound bank's device
  CInput input;
  CFont* fonts[6] = {};  // also g_fonts, the fonts text is measured with
  int framesRun = 0;

 private:
  std::unique_ptr<CFont> ownedFonts_[6];
  IPlatform* oldPlatform_ = nullptr;
  IRenderDevice* oldDevice_ = nullptr;
  SoundBank* oldSoundBank_ = nullptr;
  const IResources* oldResources_ = nullptr;
  IMessageBox* oldMessageBox_ = nullptr;
  SaveData* oldSaveData_ = nullptr;
  SaveFile* oldSaveFile_ = nullptr;
  CFont* const* oldFonts_ = nullptr;
  PointerFrame pointer_;  // the next frame's pointer
};

// The game application over the fake platform, in a temporary folder of its own that also
// holds the user's data folder, so that no test ever touches a real save.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "app/moravin.h"
#include "fakes/fake_message_box.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_resources.h"
#include "fakes/test_files.h"
#include "media/picture_cache.h"
#include "scenes/logo.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/game_host.h"

namespace fs = std::filesystem;

// Calls back after every frame; the test decides there what happens next.
class FrameScript : public IFrameObserver {
 public:
  std::function<void(uint32_t frame)> after;
  std::vector<std::pair<uint32_t, FrameTimes>> timed;  // what FrameTimed was told
  void AfterFrame(uint32_t frame) override {
    if (after) after(frame);
  }
  void FrameTimed(uint32_t frame, const FrameTimes& times) override {
    timed.emplace_back(frame, times);
  }
};

class MoravinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldDir_ = fs::current_path();
    fs::current_path(dir_.Path());
    g_platform = &platform;
    g_resources = &resources;
    g_messageBox = &messages;
    g_sceneManager.Clear();
  }
  void TearDown() override {
    g_sceneManager.Clear();
    g_platform = nullptr;
    g_resources = nullptr;
    g_messageBox = nullptr;
    g_device = nullptr;
    g_soundBank = nullptr;
    g_saveData = nullptr;
    g_pictures = nullptr;
    g_gameHost = nullptr;
    UseLanguage(Language::Japanese);
    fs::current_path(oldDir_);
  }

  // Closes the window after `frames` frames, as the user would.
  void CloseAfter(uint32_t frames) {
    script.after = [this, frames](uint32_t frame) {
      if (frame == frames) platform.window.Post(WindowEventType::Close);
    };
  }
  // Where the game keeps its save: the user's data folder.
  fs::path SavePath() const { return dir_ / "data" / "moravin" / "SaveData.dat"; }
  std::vector<uint8_t> SavedBytes() const {
    return test_files::ReadBytes(SavePath()).value_or(std::vector<uint8_t>{});
  }
  void WriteSave(const SaveData& record) const {
    fs::create_directories(SavePath().parent_path());
    test_files::WriteBytes(SavePath(), EncodeSaveFile(record));
  }
  CLogo* LogoScene() const { return dynamic_cast<CLogo*>(g_sceneManager.currentScene.get()); }

  test_files::TempFolder dir_;
#ifdef _WIN32
  test_files::ScopedEnv data_{"APPDATA", (dir_ / "data").string().c_str()};
#else
  test_files::ScopedEnv data_{"XDG_DATA_HOME", (dir_ / "data").c_str()};
#endif
  test_files::ScopedEnv home_{"HOME", (dir_ / "home").string().c_str()};
  FakePlatform platform;
  FakeResources resources;
  RecordingMessageBox messages;
  FrameScript script;

 private:
  fs::path oldDir_;
};

#include "app/moravin.h"

#include <algorithm>

#include "media/sprite.h"
#include "moravin_fixture.h"
#include "scenes/play.h"
#include "scenes/title.h"
#include "system/random.h"
#include "system/shift_jis.h"

TEST_F(MoravinTest, ConfiguresTheShellForTheGame) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  EXPECT_EQ(platform.window.title, reinterpret_cast<const char*>(u8"もらびん！"));
  EXPECT_EQ(platform.window.desc.clientWidth, 800);
  EXPECT_EQ(platform.window.desc.clientHeight, 600);
  EXPECT_TRUE(platform.window.desc.windowed);
  ASSERT_EQ(platform.window.icon.size(), 32u * 32u);
  EXPECT_EQ(platform.window.icon[0], 0xFF3060C0u);
  EXPECT_EQ(game.time.targetFps, 50);
  EXPECT_EQ(game.time.framePeriod, 0x00140000u);
  EXPECT_EQ(game.clearColor, 0x00808080u);
  EXPECT_EQ(g_sceneManager.requestedScene, Logo);
  EXPECT_EQ(g_saveData, &game.saveData);
  EXPECT_EQ(platform.device.LiveFonts(), 6);
  EXPECT_EQ(platform.device.fontFace, Typeface::Japanese);
  // First run: a fresh file of 40 zero bytes and the check value 39 30 00 00.
  std::vector<uint8_t> fresh(40, 0);
  fresh.insert(fresh.end(), {0x39, 0x30, 0, 0});
  EXPECT_EQ(SavedBytes(), fresh);
  EXPECT_EQ(g_app, &game);
  // A second application cannot be created while this one exists.
  CMoravin second;
  EXPECT_FALSE(second.Create());
}

TEST_F(MoravinTest, RunsTheLogoAndStoresTheSettingsWhenClosed) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  CloseAfter(270);
  EXPECT_EQ(game.Run(), 0);
  EXPECT_EQ(game.framesRun, 270u);
  EXPECT_EQ(g_app, nullptr);
  EXPECT_GE(platform.window.hides, 1);
  EXPECT_FALSE(platform.window.alive);
  // Every frame was cleared grey and presented; the logo drew itself.
  EXPECT_EQ(platform.device.presents, 270);
  EXPECT_EQ(platform.device.clears.back(), 0x00808080u);
  // The logo set ruleTopic to -1 on its way to the title; shutdown stored it.
  const std::vector<uint8_t> bytes = SavedBytes();
  ASSERT_EQ(bytes.size(), 44u);
  EXPECT_EQ(bytes[16], 0xFF);
  // Nothing is left on the device.
  EXPECT_EQ(platform.device.LiveTextures(), 0);
  EXPECT_EQ(platform.device.LiveFonts(), 0);
  EXPECT_EQ(SpriteTextureCount(), 0u);
}

TEST_F(MoravinTest, FramesArePacedToFiftyPerSecond) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  const uint32_t start = game.time.frameBase;
  CloseAfter(50);
  game.Run();
  const uint32_t elapsed = platform.clock.Now() - start;
  EXPECT_GE(elapsed, 1000u);
  EXPECT_LE(elapsed, 1010u);
}

TEST_F(MoravinTest, TimedFramesReportTheirWorkWithoutThePacingWait) {
  RunSettings settings;
  settings.timeFrames = true;
  CMoravin game(settings, &script);
  ASSERT_TRUE(game.Create());
  CloseAfter(10);
  const uint32_t base = game.time.frameBase;
  game.Run();
  ASSERT_EQ(script.timed.size(), 10u);
  for (uint32_t i = 0; i < 10; ++i) {
    const auto& [frame, times] = script.timed[i];
    EXPECT_EQ(frame, i + 1);
    EXPECT_TRUE(times.paced);
    // Frames are 20 ms apart; their work, the fake's clock readings, takes microseconds.
    EXPECT_LT(times.frameUs, 1000u);
    EXPECT_LE(times.updateUs + times.drawUs + times.presentUs, times.frameUs);
    EXPECT_LT(times.lateUs, 100u);
  }
  EXPECT_GE(platform.clock.Now() - base, 10u * 20u);  // yet every frame was held to 20 ms
}

TEST_F(MoravinTest, FramesAreTimedOnlyWhenAsked) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  CloseAfter(3);
  game.Run();
  EXPECT_EQ(game.framesRun, 3u);
  EXPECT_TRUE(script.timed.empty());
}

TEST_F(MoravinTest, UnpacedTimedFramesHaveNoSchedule) {
  RunSettings settings;
  settings.timeFrames = true;
  settings.fps = 0;
  CMoravin game(settings, &script);
  ASSERT_TRUE(game.Create());
  CloseAfter(3);
  game.Run();
  ASSERT_EQ(script.timed.size(), 3u);
  EXPECT_FALSE(script.timed[0].second.paced);
  EXPECT_EQ(script.timed[0].second.lateUs, 0u);
}

TEST_F(MoravinTest, UnusableSaveFileStopsTheStart) {
  fs::create_directories(SavePath());  // can be neither read nor replaced
  CMoravin game;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(game.Create());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("moravin: the save " + SavePath().string() + " is a folder"),
            std::string::npos)
      << said;
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "セーブデータが作成できません\n正しくインストールされていない可能性があります"_sj);
  EXPECT_EQ(messages.shown[0].caption, "ゲーム初期化エラー"_sj);
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
  EXPECT_FALSE(platform.window.created);
  EXPECT_EQ(g_app, nullptr);
}

TEST_F(MoravinTest, WindowAndDeviceFailuresShowTheirMessages) {
  platform.failWindow = true;
  {
    CMoravin game;
    EXPECT_FALSE(game.Create());
  }
  platform.failWindow = false;
  platform.window.noDevice = true;
  {
    CMoravin game;
    EXPECT_FALSE(game.Create());
  }
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "ウィンドウの初期化に失敗"_sj);
  EXPECT_EQ(messages.shown[0].caption, "もらびん！"_sj);
  EXPECT_EQ(messages.shown[1].text, "Direct3D初期化に失敗"_sj);
  EXPECT_EQ(g_app, nullptr);
}

TEST_F(MoravinTest, InEnglishTheWindowIsMoravinAndFailuresSaySoInEnglish) {
  UseLanguage(Language::English);
  const FailureTexts& english = EnglishTexts.failures;
  {
    CMoravin game;
    ASSERT_TRUE(game.Create());
    EXPECT_EQ(platform.window.title, "Moravin");
    EXPECT_EQ(platform.device.fontFace, Typeface::Proportional);  // English running text
  }
  fs::remove(SavePath());
  fs::create_directories(SavePath());  // can be neither read nor replaced
  {
    CMoravin game;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(game.Create());
    ::testing::internal::GetCapturedStderr();
  }
  fs::remove(SavePath());
  platform.failWindow = true;
  {
    CMoravin game;
    EXPECT_FALSE(game.Create());
  }
  platform.failWindow = false;
  platform.window.noDevice = true;
  {
    CMoravin game;
    EXPECT_FALSE(game.Create());
  }
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[0].text, english.saveData);
  EXPECT_EQ(messages.shown[0].caption, english.saveDataCaption);
  EXPECT_EQ(messages.shown[1].text, english.window);
  EXPECT_EQ(messages.shown[1].caption, "Moravin");
  EXPECT_EQ(messages.shown[2].text, english.device);
  EXPECT_EQ(messages.shown[2].caption, "Moravin");
}

TEST_F(MoravinTest, NoKeyboardEndsTheRunBeforeTheLoop) {
  platform.failKeyboard = true;
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  EXPECT_EQ(game.Run(), 0);
  EXPECT_EQ(game.framesRun, 0u);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MoravinTest, AltEnterTogglesOnceAndFeedsNoButtonsThatFrame) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  int counterAfterToggle = -1;
  script.after = [&](uint32_t frame) {
    if (frame == 3) {
      platform.keyboard.Press(dik::LMenu);
      platform.keyboard.Press(dik::Return);
    }
    if (frame == 4) counterAfterToggle = LogoScene()->counter;
    if (frame == 5) platform.keyboard.Release(dik::LMenu);  // Enter stays down
    if (frame == 6) platform.window.Post(WindowEventType::Close);
  };
  game.Run();
  // The toggle frame gave the logo no Confirm; the next frame's Enter is a fresh press.
  EXPECT_EQ(counterAfterToggle, 4);
  EXPECT_EQ(platform.window.setWindowedCalls, (std::vector<bool>{false}));
  EXPECT_TRUE(game.saveData.fullScreen);
  EXPECT_FALSE(game.windowed);
  EXPECT_EQ(SavedBytes()[4], 1);  // stored at shutdown
  // The switch released every texture before the renderer was recreated.
  EXPECT_EQ(platform.device.texturesAliveAtLastReset, 0);
  EXPECT_EQ(platform.device.fontsAliveAtLastReset, 0);
}

TEST_F(MoravinTest, RefusedModeSwitchKeepsTheWindowAndItsPictures) {
  platform.window.failSetWindowed = true;
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  script.after = [&](uint32_t frame) {
    if (frame == 2) {
      platform.keyboard.Press(dik::LMenu);
      platform.keyboard.Press(dik::Return);
    }
    if (frame == 3) {
      EXPECT_FALSE(game.saveData.fullScreen);  // the setting follows the display
    }
    if (frame == 6) {
      // The logo was reloaded on the old renderer and is still drawn.
      EXPECT_EQ(platform.device.QuadsOfBitmap(110).size(), 1u);
      platform.window.Post(WindowEventType::Close);
    }
    platform.device.ClearDrawLog();
  };
  game.Run();
  EXPECT_EQ(platform.window.setWindowedCalls, (std::vector<bool>{false}));  // tried once
  EXPECT_TRUE(game.windowed);
  EXPECT_EQ(platform.device.log->texturesCreated, 2);
  EXPECT_EQ(SavedBytes()[4], 0);
}

TEST_F(MoravinTest, LogoSkipAfterTheToggleFrame) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  int counter = -1;
  script.after = [&](uint32_t frame) {
    if (frame == 2) {
      platform.keyboard.Press(dik::RMenu);
      platform.keyboard.Press(dik::Return);
    }
    if (frame == 4) {
      counter = LogoScene()->counter;
      platform.window.Post(WindowEventType::Close);
    }
  };
  game.Run();
  // Frame 3 toggled; frame 4 saw Confirm pressed and skipped to 40, then Update made it 41.
  EXPECT_EQ(counter, 41);
}

// The logo's short frames decode the title's and the game's pictures ahead, one per frame; a
// frame that is already long decodes nothing more.
TEST_F(MoravinTest, TheLogoDecodesThePicturesOfTheTitleAndTheGameAhead) {
  PictureCache cache(64 << 20);
  const auto keptAfter = [&](uint32_t frames, uint32_t usPerClockReading) {
    cache = PictureCache(64 << 20);
    g_pictures = &cache;
    platform.clock.advancePerReadUs = usPerClockReading;
    CMoravin game({}, &script);
    EXPECT_TRUE(game.Create());
    CloseAfter(frames);
    game.Run();
    return cache.KeptBytes();
  };
  // Every clock reading 5 ms on: every frame is long by the time it is drawn.
  const size_t logoOnly = keptAfter(1, 5000);
  EXPECT_EQ(keptAfter(20, 5000), logoOnly);
  const size_t afterOne = keptAfter(1, 10);
  EXPECT_GT(afterOne, logoOnly);
  EXPECT_GT(keptAfter(2, 10), afterOne);

  // After thirty frames every picture of both scenes is kept: the resources are not read again.
  platform.audio->prepared.clear();
  keptAfter(30, 10);
  for (std::span<const int> pictures : {CTitle::Pictures(), CPlay::Pictures()})
    for (int id : pictures) resources.Remove(ResourceType::Bitmap, id);
  for (std::span<const int> pictures : {CTitle::Pictures(), CPlay::Pictures()})
    for (int id : pictures) EXPECT_NE(cache.Get(id), nullptr) << "picture " << id;
  // The game's sounds come after the pictures.
  const std::span<const int> sounds = CPlay::Sounds();
  EXPECT_EQ(platform.audio->prepared, std::vector<int>(sounds.begin(), sounds.end()));
}

TEST_F(MoravinTest, SavedFullScreenStartsInFullScreen) {
  SaveData saved{};
  saved.fullScreen = 1;
  WriteSave(saved);
  platform.window.modes = {{640, 480, 60, 22}, {800, 600, 50, 21}};
  CMoravin game;
  ASSERT_TRUE(game.Create());
  EXPECT_FALSE(platform.window.desc.windowed);
  EXPECT_TRUE(platform.window.setWindowedCalls.empty());  // created in the mode, no switch
}

TEST_F(MoravinTest, FullScreenStartMovesToTheClosestMode) {
  SaveData saved{};
  saved.fullScreen = 1;
  WriteSave(saved);
  platform.window.modes = {{1024, 768, 60, 22}, {800, 600, 60, 22}, {800, 600, 60, 23}};
  CMoravin game;
  ASSERT_TRUE(game.Create());
  ASSERT_EQ(platform.window.setWindowedCalls, (std::vector<bool>{false}));
  EXPECT_EQ(platform.window.lastFullScreenMode.width, 800);
  EXPECT_EQ(platform.window.lastFullScreenMode.format, 22u);
}

TEST_F(MoravinTest, LostDeviceIsResetAndScenesReloaded) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  int beginsBefore = 0;
  script.after = [&](uint32_t frame) {
    if (frame == 5) {
      platform.device.cooperativeLevel = DeviceStatus::NotReset;
      platform.device.presentResults = {DeviceStatus::Lost};
      beginsBefore = platform.device.beginScenes;
    }
    if (frame == 6) {
      // Frame 6 ran its logic but drew nothing, and the present reset the device.
      EXPECT_EQ(platform.device.beginScenes, beginsBefore);
      EXPECT_EQ(LogoScene()->counter, 6);
      platform.window.Post(WindowEventType::Close);
    }
  };
  game.Run();
  EXPECT_EQ(platform.device.resets, 1);
  EXPECT_EQ(platform.device.texturesAliveAtLastReset, 0);
  EXPECT_EQ(platform.device.fontsAliveAtLastReset, 0);
  EXPECT_EQ(platform.device.log->texturesCreated, 2);  // the logo, then the logo again
}

TEST_F(MoravinTest, NoFramesWhileInactive) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  uint32_t framesWhenDeactivated = 0;
  int idleSleeps = 0;
  script.after = [&](uint32_t frame) {
    if (frame == 3) {
      platform.window.Post(WindowEventType::Deactivate);
      framesWhenDeactivated = frame;
    }
    if (frame == 5) platform.window.Post(WindowEventType::Close);
  };
  platform.clock.onSleep = [&](uint32_t ms) {
    if (ms != 100) return;
    EXPECT_EQ(game.framesRun, framesWhenDeactivated);
    if (++idleSleeps == 4) platform.window.Post(WindowEventType::Activate);
  };
  game.Run();
  EXPECT_EQ(idleSleeps, 4);
  EXPECT_EQ(game.framesRun, 5u);
  EXPECT_GE(platform.keyboard.unacquires, 1);
  EXPECT_GE(platform.keyboard.acquires, 2);  // at the start and on re-activation
}

TEST_F(MoravinTest, MaximisingSwitchesToFullScreenAndTheSettingSwitchesBack) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  script.after = [&](uint32_t frame) {
    if (frame == 2) platform.window.Post(WindowEventType::Maximized);
    if (frame == 4) platform.window.Post(WindowEventType::Close);
  };
  game.Run();
  EXPECT_EQ(platform.window.setWindowedCalls, (std::vector<bool>{false, true}));
  EXPECT_FALSE(game.saveData.fullScreen);
}

TEST_F(MoravinTest, RunSettingsSeedAndUnpacedFrames) {
  RunSettings settings;
  settings.seedGiven = true;
  settings.seed = 1;
  settings.fps = 0;
  CMoravin game(settings, &script);
  ASSERT_TRUE(game.Create());
  EXPECT_EQ(GameRand(), 41);
  CloseAfter(20);
  const uint32_t start = platform.clock.Now();
  game.Run();
  EXPECT_TRUE(platform.clock.sleeps.empty());
  EXPECT_TRUE(platform.clock.microSleeps.empty());
  EXPECT_LT(platform.clock.Now() - start, 200u);
}

TEST_F(MoravinTest, ToggleWhileTheDeviceIsLostIsCarriedOutOnceItIsBack) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  script.after = [&](uint32_t frame) {
    if (frame == 2) platform.device.cooperativeLevel = DeviceStatus::Lost;  // not resettable yet
    if (frame == 3) {
      platform.keyboard.Press(dik::LMenu);
      platform.keyboard.Press(dik::Return);
    }
    if (frame == 4) platform.keyboard.ReleaseAll();
    if (frame == 6) {
      EXPECT_TRUE(platform.window.setWindowedCalls.empty());
      EXPECT_TRUE(game.saveData.fullScreen) << "the request waits for the device";
      platform.device.cooperativeLevel = DeviceStatus::Ok;
    }
    if (frame == 8) platform.window.Post(WindowEventType::Close);
  };
  game.Run();
  EXPECT_EQ(platform.window.setWindowedCalls, (std::vector<bool>{false}));
  EXPECT_FALSE(game.windowed);
  EXPECT_EQ(SavedBytes()[4], 1);
}

TEST_F(MoravinTest, FullScreenRefusedAtStartIsRecordedAsAWindow) {
  SaveData saved{};
  saved.fullScreen = 1;
  WriteSave(saved);
  platform.window.refuseFullScreenAtStart = true;
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  EXPECT_TRUE(game.windowed);
  CloseAfter(3);
  game.Run();
  // The mode in force is recorded, and no switch is tried behind the refusal's back.
  EXPECT_FALSE(game.saveData.fullScreen);
  EXPECT_TRUE(platform.window.setWindowedCalls.empty());
  EXPECT_EQ(SavedBytes()[4], 0);
}

TEST_F(MoravinTest, AltEnterDownForASinglePollToggles) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  script.after = [&](uint32_t frame) {
    // A tap shorter than a frame: the keyboard reports both keys down for one poll only.
    if (frame == 2) {
      platform.keyboard.Press(dik::LMenu);
      platform.keyboard.Press(dik::Return);
    }
    if (frame == 3) platform.keyboard.ReleaseAll();
    if (frame == 5) platform.window.Post(WindowEventType::Close);
  };
  game.Run();
  EXPECT_EQ(platform.window.setWindowedCalls, (std::vector<bool>{false}));
  EXPECT_TRUE(game.saveData.fullScreen);
}

TEST_F(MoravinTest, LeavingFullScreenByTheDisplayTurnsTheSettingOff) {
  SaveData saved{};
  saved.fullScreen = 1;
  WriteSave(saved);
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  ASSERT_FALSE(game.windowed);
  script.after = [&](uint32_t frame) {
    if (frame == 2) platform.window.Post(WindowEventType::LeftFullScreen);  // a browser's Esc
    if (frame == 4) platform.window.Post(WindowEventType::Close);
  };
  game.Run();
  EXPECT_FALSE(game.saveData.fullScreen);
  EXPECT_TRUE(game.windowed);  // the shell followed the setting
  EXPECT_EQ(SavedBytes()[4], 0);
}

TEST_F(MoravinTest, HidingTheWindowPausesAGameAndRunsNoFrames) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  uint32_t framesWhenHidden = 0;
  script.after = [&](uint32_t frame) {
    if (frame == 2) g_sceneManager.RequestScene(Play, false);
    if (frame == 30) {
      platform.window.Post(WindowEventType::Hidden);
      framesWhenHidden = frame;
    }
    if (frame == 31) platform.window.Post(WindowEventType::Close);
  };
  int idleSleeps = 0;
  platform.clock.onSleep = [&](uint32_t ms) {
    if (ms != 100) return;
    EXPECT_EQ(game.framesRun, framesWhenHidden);
    if (++idleSleeps == 2) platform.window.Post(WindowEventType::Activate);
  };
  ASSERT_EQ(game.Run(), 0);
  // The first frame back opened the pause menu over the suspended game.
  EXPECT_NE(dynamic_cast<CTitle*>(g_sceneManager.currentScene.get()), nullptr);
  ASSERT_EQ(g_sceneManager.suspended.size(), 1u);
  EXPECT_NE(dynamic_cast<CPlay*>(g_sceneManager.suspended[0].get()), nullptr);
  EXPECT_TRUE(game.saveData.inGameMenu);
  EXPECT_EQ(idleSleeps, 2);
}

// Driven pass by pass, as a browser does on every display refresh: the same frames as Run,
// at most one frame per pass at the game's rate, and the same shutdown.
TEST_F(MoravinTest, PassesRunTheSameGameAsTheLoop) {
  platform.clock.advancePerRead = 0;
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  CloseAfter(6);
  int passes = 0;
  uint32_t mostFramesInAPass = 0;
  while (true) {
    const uint32_t before = game.framesRun;
    if (!game.RunPass()) break;
    mostFramesInAPass = std::max(mostFramesInAPass, game.framesRun - before);
    platform.clock.Advance(7);  // a 144 Hz display
    ASSERT_LT(++passes, 1000);
  }
  EXPECT_EQ(game.framesRun, 6u);
  EXPECT_EQ(mostFramesInAPass, 1u);
  EXPECT_GE(passes, 6 * 20 / 7 - 1);
  EXPECT_TRUE(platform.clock.sleeps.empty());  // a pass never waits
  EXPECT_EQ(game.ExitCode(), 0);
  EXPECT_EQ(SavedBytes().size(), 44u);  // stored at shutdown
  EXPECT_FALSE(game.RunPass());
}

namespace {

bool PausedOverPlay() {
  return dynamic_cast<CTitle*>(g_sceneManager.currentScene.get()) != nullptr &&
         g_sceneManager.suspended.size() == 1 &&
         dynamic_cast<CPlay*>(g_sceneManager.suspended[0].get()) != nullptr;
}

}  // namespace

// Another window taking the focus pauses a game at once; with the pause turned off, or in a run
// driven by a script, the game plays on and frames keep running.
TEST_F(MoravinTest, FocusLostDuringPlayPausesUnlessTurnedOffOrScripted) {
  struct Case {
    bool pauseOption;
    bool scripted;
    bool pauses;
  };
  for (const Case c :
       {Case{true, false, true}, Case{false, false, false}, Case{true, true, false}}) {
    SCOPED_TRACE(testing::Message() << "option " << c.pauseOption << " scripted " << c.scripted);
    g_sceneManager.Clear();
    RunSettings run;
    run.ignoreFocusAndDevices = c.scripted;
    CMoravin game(run, &script);
    ASSERT_TRUE(game.Create());
    game.playerSettings.pauseOnFocusLoss = c.pauseOption;
    script.after = [&](uint32_t frame) {
      if (frame == 2) g_sceneManager.RequestScene(Play, false);
      if (frame == 10) platform.window.Post(WindowEventType::FocusLost);
      if (frame == 14) platform.window.Post(WindowEventType::Close);
    };
    int idleSleeps = 0;
    platform.clock.onSleep = [&](uint32_t ms) {
      if (ms == 100 && ++idleSleeps == 2) platform.window.Post(WindowEventType::Activate);
    };
    ASSERT_EQ(game.Run(), 0);
    EXPECT_EQ(PausedOverPlay(), c.pauses);
    EXPECT_EQ(dynamic_cast<CPlay*>(g_sceneManager.currentScene.get()) != nullptr, !c.pauses);
    EXPECT_EQ(idleSleeps, c.pauses ? 2 : 0) << "only the pause stops the frames";
    EXPECT_EQ(game.framesRun, 14u);
  }
}

TEST_F(MoravinTest, ControllerPulledOutDuringPlayPausesTheGame) {
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  script.after = [&](uint32_t frame) {
    if (frame == 2) g_sceneManager.RequestScene(Play, false);
    if (frame == 10) {
      EXPECT_NE(dynamic_cast<CPlay*>(g_sceneManager.currentScene.get()), nullptr);
      platform.joystick.attached = false;
    }
    if (frame == 12) platform.window.Post(WindowEventType::Close);
  };
  ASSERT_EQ(game.Run(), 0);
  EXPECT_TRUE(PausedOverPlay());
}

TEST_F(MoravinTest, SettingsComeFromTheirFileAndTheDevicesFollowTheBindings) {
  Settings stored;
  stored.pauseOnFocusLoss = false;
  BindKey(stored.bindings, Action::Up, 0, 26);
  fs::create_directories(SavePath().parent_path());
  {
    SettingsFile file(SystemFileAccess(), [](const std::string&) {});
    file.Load(SavePath().parent_path().string());
    ASSERT_TRUE(file.Store(stored));
  }
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  CloseAfter(1);
  ASSERT_EQ(game.Run(), 0);
  EXPECT_EQ(game.playerSettings, stored);
  EXPECT_EQ(platform.keyboard.bindings, &game.playerSettings.bindings);
  EXPECT_EQ(platform.joystick.bindings, &game.playerSettings.bindings);
  EXPECT_EQ(SavedBytes().size(), kSaveFileSize) << "the save itself is as it always was";
}

namespace {

// What the game tells its host, in order.
struct RecordingHost final : IGameHost {
  void GameInPlay(bool inPlay) override { inPlays.push_back(inPlay); }
  void WaitingForResources(bool waiting) override { waits.push_back(waiting); }
  std::vector<bool> inPlays;
  std::vector<bool> waits;
};

}  // namespace

// The title's picture is still on its way when the logo hands over: no frame runs until it has
// arrived, and the host hears of the wait. Then the player's game: the host hears that it began,
// and nothing more when it is paused (a paused game is still on).
TEST_F(MoravinTest, NoFrameRunsWhileTheNextSceneWaitsForAPictureAndTheHostHearsOfGames) {
  RecordingHost host;
  g_gameHost = &host;
  resources.Hold(ResourceType::Bitmap, kBitmapTitleBackground);
  CMoravin game({}, &script);
  ASSERT_TRUE(game.Create());
  uint32_t framesWaited = 0;
  int waitingSleeps = 0;
  bool paused = false;
  script.after = [&](uint32_t frame) {
    platform.keyboard.ReleaseAll();
    const bool inPlay = dynamic_cast<CPlay*>(g_sceneManager.currentScene.get()) != nullptr;
    if (paused) {
      if (!g_sceneManager.suspended.empty()) platform.window.Post(WindowEventType::Close);
    } else if (inPlay) {
      platform.keyboard.Press(dik::Escape);
      paused = true;
    } else if (frame % 3 == 0) {
      platform.keyboard.Press(dik::Return);  // through the logo, then the title's start item
    }
    framesWaited = frame;
  };
  platform.clock.onSleep = [&](uint32_t ms) {
    if (ms != 100 || host.waits.empty() || !host.waits.back()) return;
    EXPECT_EQ(game.framesRun, framesWaited);
    EXPECT_EQ(g_sceneManager.requestedScene, Title);
    if (++waitingSleeps == 3) resources.Arrive(ResourceType::Bitmap, kBitmapTitleBackground);
  };
  game.Run();
  EXPECT_EQ(waitingSleeps, 3);
  EXPECT_EQ(host.waits, (std::vector<bool>{true, false}));
  EXPECT_TRUE(paused);
  EXPECT_EQ(host.inPlays, (std::vector<bool>{true}));
}

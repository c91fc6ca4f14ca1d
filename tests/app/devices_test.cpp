// Devices that come and go during a long run of the game: the sound output unplugged and
// plugged in again, the renderer reset every 100 frames.
#include <string>

#include "moravin_fixture.h"
#include "scenes/play.h"

namespace {

constexpr int kMusic = 208;  // the play scene's looping music

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

bool MusicPlaysInAGame(const FakeAudioLog& audio) {
  if (!dynamic_cast<const CPlay*>(g_sceneManager.currentScene.get())) return false;
  for (const FakeAudioBuffer* buffer : audio.live)
    if (buffer->waveId == kMusic && buffer->playing) return true;
  return false;
}

FakeAudioBuffer* Music(const FakeAudioLog& audio) {
  for (auto it = audio.live.rbegin(); it != audio.live.rend(); ++it)
    if ((*it)->waveId == kMusic) return *it;
  return nullptr;
}

}  // namespace

TEST_F(MoravinTest, SoundOutputAndRendererComeAndGoThroughFiveThousandFrames) {
  RunSettings settings;
  settings.seedGiven = true;
  settings.seed = 7;
  settings.fps = 0;
  CMoravin game(settings, &script);
  ASSERT_TRUE(game.Create());
  FakeAudioLog& audio = *platform.audio;
  FakeRenderDevice& device = platform.device;

  enum { Playing, Removed, Back, Checked } sound = Playing;
  uint32_t removedAt = 0;
  int32_t musicVolume = 0;
  int framesDrawnWhileLost = 0, framesBlankAfterReset = 0;
  size_t playsBeforeReturn = 0;
  script.after = [&](uint32_t frame) {
    // Keys: skip the logo, then Return every 60 frames (start a game, leave the game over
    // screen) with the speed-up key held, so that games follow each other.
    platform.keyboard.ReleaseAll();
    platform.keyboard.Press(dik::Z);
    if (frame == 5 || frame == 8 || frame % 60 == 0) platform.keyboard.Press(dik::Return);

    // The renderer: reset every 100 frames. The frame after draws nothing (its device is
    // lost), the one after that draws again.
    if (frame % 100 == 1 && frame > 100 && !device.Quads().empty()) ++framesDrawnWhileLost;
    if (frame % 100 == 2 && frame > 100 && device.Quads().empty()) ++framesBlankAfterReset;
    device.ClearDrawLog();
    if (frame % 100 == 0) platform.window.Post(WindowEventType::DeviceReset);

    // The sound output: unplugged during a game, plugged in during a later one.
    if (sound == Playing && frame >= 1000 && MusicPlaysInAGame(audio)) {
      platform.audioOutput->present = false;
      platform.window.Post(WindowEventType::AudioDeviceRemoved);
      platform.window.Post(WindowEventType::AudioDeviceRemoved);  // said once all the same
      sound = Removed;
      removedAt = frame;
    } else if (sound == Removed && frame >= removedAt + 300 && MusicPlaysInAGame(audio)) {
      Music(audio)->position = 23456;  // where the silent music has got to
      musicVolume = Music(audio)->volume;
      playsBeforeReturn = audio.plays.size();
      platform.audioOutput->present = true;
      platform.window.Post(WindowEventType::AudioDeviceAdded);
      sound = Back;
    } else if (sound == Back) {
      // Every sound was made again on the reopened output; the music plays on where it was.
      for (const FakeAudioBuffer* buffer : audio.live)
        EXPECT_EQ(buffer->madeAfterReopens, 1) << "a sound of the lost output is still in use";
      FakeAudioBuffer* music = Music(audio);
      ASSERT_NE(music, nullptr);
      EXPECT_TRUE(music->playing);
      EXPECT_TRUE(music->looping);
      EXPECT_EQ(music->position, 23456u);
      EXPECT_EQ(music->volume, musicVolume);
      sound = Checked;
    }
    if (frame == 5000) platform.window.Post(WindowEventType::Close);
  };
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(game.Run(), 0);
  const std::string said = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(game.framesRun, 5000u);
  EXPECT_EQ(device.resets, 49);
  EXPECT_EQ(device.log->destroyedTextureDraws, 0);
  EXPECT_EQ(device.texturesAliveAtLastReset, 0);
  EXPECT_EQ(framesDrawnWhileLost, 0);
  EXPECT_EQ(framesBlankAfterReset, 0);

  ASSERT_EQ(sound, Checked) << "no game with music to unplug the output in";
  EXPECT_EQ(Count(said, "the sound output was removed; playing on without sound"), 1) << said;
  EXPECT_EQ(Count(said, "the sound is back"), 1) << said;
  EXPECT_GT(audio.plays.size(), playsBeforeReturn) << "sounds play again after the return";
}

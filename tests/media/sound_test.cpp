#include "media/sound.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/test_environment.h"

namespace {

class SoundTest : public GameTest {
 protected:
  FakeAudioBuffer* BufferOf(const CSound& s) {
    return dynamic_cast<FakeAudioBuffer*>(s.buffer.get());
  }
};

}  // namespace

TEST_F(SoundTest, LoadCopiesTheWaveIntoABuffer) {
  CSound s;
  ASSERT_TRUE(LoadSound(s, 208, audio, true));
  FakeAudioBuffer* b = BufferOf(s);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->waveId, 208);
  EXPECT_EQ(b->format.samplesPerSec, 44100u);
  EXPECT_EQ(b->frames, uint32_t(kFakeWaveFrames));
  EXPECT_TRUE(b->ofResource) << "a resource's conversion could not be kept for the next load";
  EXPECT_EQ(s.resourceName, 208);
  EXPECT_TRUE(s.loop);
  EXPECT_EQ(s.device, audio);
}

TEST_F(SoundTest, LoadFailures) {
  CSound s;
  resources.Remove(ResourceType::Wave, 203);
  EXPECT_FALSE(LoadSound(s, 203, audio, false));
  EXPECT_EQ(s.resourceName, 0);
  resources.Replace(ResourceType::Wave, 203, {'R', 'I', 'F', 'F'});
  EXPECT_FALSE(LoadSound(s, 203, audio, false));
  audio->failCreate = true;
  EXPECT_FALSE(LoadSound(s, 205, audio, false));
  EXPECT_EQ(s.buffer, nullptr);
}

TEST_F(SoundTest, NullDeviceKeepsTheOldBuffer) {
  CSound s;
  ASSERT_TRUE(LoadSound(s, 205, audio, false));
  const IAudioBuffer* before = s.buffer.get();
  EXPECT_FALSE(LoadSound(s, 206, nullptr, true));
  EXPECT_EQ(s.buffer.get(), before);
  EXPECT_EQ(s.resourceName, 205);
  EXPECT_FALSE(s.loop);
}

TEST_F(SoundTest, PlayRestartsFromTheBeginning) {
  CSound s;
  ASSERT_TRUE(LoadSound(s, 206, audio, false));
  ASSERT_TRUE(SoundPlay(s));
  BufferOf(s)->Advance(20);
  ASSERT_TRUE(SoundPlay(s));
  const auto& plays = audio->Plays();
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_EQ(plays[1].position, 0u);
  EXPECT_EQ(plays[1].waveId, 206);
  EXPECT_FALSE(plays[1].loop);
  EXPECT_EQ(BufferOf(s)->stopCalls, 1);  // stopped before the restart
  EXPECT_TRUE(SoundIsPlaying(s));
}

TEST_F(SoundTest, StopThenStartIfIdleResumes) {
  CSound s;
  ASSERT_TRUE(LoadSound(s, 208, audio, true));
  ASSERT_TRUE(SoundPlay(s));
  BufferOf(s)->Advance(30);
  SoundStop(s);
  EXPECT_FALSE(SoundIsPlaying(s));
  EXPECT_EQ(BufferOf(s)->position, 30u);
  ASSERT_TRUE(SoundStartIfIdle(s));
  EXPECT_EQ(audio->Plays().back().position, 30u);
  EXPECT_TRUE(audio->Plays().back().loop);
  EXPECT_FALSE(SoundStartIfIdle(s));  // already playing
  EXPECT_EQ(audio->Plays().size(), 2u);
}

TEST_F(SoundTest, EmptySoundsDoNothing) {
  CSound s;
  EXPECT_FALSE(SoundPlay(s));
  EXPECT_FALSE(SoundStartIfIdle(s));
  EXPECT_FALSE(SoundIsPlaying(s));
  SoundStop(s);
  SetSoundVolume(s, -100);
  // Reloading a sound never loaded succeeds and leaves it empty.
  EXPECT_TRUE(SoundReload(s));
  EXPECT_EQ(s.buffer, nullptr);
}

TEST_F(SoundTest, VolumeIsClamped) {
  CSound s;
  ASSERT_TRUE(LoadSound(s, 205, audio, false));
  SetSoundVolume(s, 250);
  SetSoundVolume(s, -12000);
  SetSoundVolume(s, -4321);
  EXPECT_EQ(BufferOf(s)->volumes, (std::vector<int32_t>{0, -10000, -4321}));
  EXPECT_EQ(ClampVolume(1), 0);
  EXPECT_EQ(ClampVolume(-10001), -10000);
}

TEST_F(SoundTest, ReloadRebuildsFromTheResource) {
  CSound s;
  ASSERT_TRUE(LoadSound(s, 211, audio, true));
  const int created = audio->log->buffersCreated;
  ASSERT_TRUE(SoundReload(s));
  EXPECT_EQ(audio->log->buffersCreated, created + 1);
  EXPECT_EQ(BufferOf(s)->waveId, 211);
  EXPECT_EQ(audio->log->live.size(), 1u);  // the old buffer is gone
}

TEST_F(SoundTest, ReleaseStopsAndFreesTheBuffer) {
  CSound s;
  ASSERT_TRUE(LoadSound(s, 210, audio, false));
  ASSERT_TRUE(SoundPlay(s));
  SoundRelease(s);
  EXPECT_EQ(s.buffer, nullptr);
  EXPECT_TRUE(audio->log->live.empty());
  SoundRelease(s);  // twice is harmless
}

TEST_F(SoundTest, PlayingSoundIdsListsWhatPlaysNow) {
  int ids[8] = {};
  EXPECT_EQ(PlayingSoundIds(ids, 8), 0);
  {
    CSound a, b, c;
    ASSERT_TRUE(LoadSound(a, 205, audio, false));
    ASSERT_TRUE(LoadSound(b, 206, audio, false));
    ASSERT_TRUE(LoadSound(c, 208, audio, true));
    SoundPlay(a);
    SoundPlay(c);
    const int n = PlayingSoundIds(ids, 8);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(std::min(ids[0], ids[1]), 205);
    EXPECT_EQ(std::max(ids[0], ids[1]), 208);
    EXPECT_EQ(PlayingSoundIds(ids, 1), 1);  // never more than asked for
    SoundStop(a);
    EXPECT_EQ(PlayingSoundIds(ids, 8), 1);
  }
  // Destroyed sounds leave the registry.
  EXPECT_EQ(PlayingSoundIds(ids, 8), 0);
}

TEST_F(SoundTest, BankOpensThePlatformAudio) {
  SoundBank bank;
  ASSERT_TRUE(bank.Create());
  EXPECT_NE(bank.device, nullptr);
  bank.Release();
  EXPECT_EQ(bank.device, nullptr);
}

// Sounds asked for ahead are readied on the device one per call, in order; one that is missing
// is passed over, left for its scene to report.
TEST_F(SoundTest, SoundsAskedForAheadAreReadiedOnePerCall) {
  resources.Remove(ResourceType::Wave, 203);
  PrefetchSounds(std::vector<int>{210, 203, 202});
  EXPECT_TRUE(soundBank.PrefetchOne());
  EXPECT_EQ(audio->log->prepared, (std::vector<int>{210}));
  EXPECT_TRUE(soundBank.PrefetchOne());
  EXPECT_TRUE(soundBank.PrefetchOne());
  EXPECT_EQ(audio->log->prepared, (std::vector<int>{210, 202}));
  EXPECT_FALSE(soundBank.PrefetchOne());
  EXPECT_EQ(audio->log->buffersCreated, 0) << "readying a sound made a buffer";
}

// Music still on its way plays as silence of its length and format, so that the game hears
// it playing as it will; once it has arrived, the sound gets it where the silence was: the same
// position, volume and loop, still playing, in the same place of the list of sounds.
TEST_F(SoundTest, MusicOnItsWayPlaysSilenceThenJoinsInStep) {
  resources.Hold(ResourceType::Wave, kWavePlayMusic);
  CSound music;
  ASSERT_TRUE(LoadSound(music, kWavePlayMusic, audio, true));
  const FakeAudioBuffer* silence = BufferOf(music);
  EXPECT_TRUE(music.standIn);
  EXPECT_EQ(silence->format.samplesPerSec, 44100u);
  EXPECT_EQ(silence->frames, 934038u) << "21.18 s at 44.1 kHz";
  EXPECT_TRUE(
      std::all_of(silence->pcm.begin(), silence->pcm.end(), [](uint8_t b) { return b == 0; }));
  SetSoundVolume(music, -1500);
  ASSERT_TRUE(SoundPlay(music));
  BufferOf(music)->Advance(5000);
  int ids[4];
  ASSERT_EQ(PlayingSoundIds(ids, 4), 1);
  EXPECT_EQ(ids[0], kWavePlayMusic);

  soundBank.TakeArrivals();
  EXPECT_EQ(BufferOf(music), silence) << "rebuilt before anything arrived";
  resources.Arrive(ResourceType::Wave, kWavePlayMusic);
  soundBank.TakeArrivals();
  const FakeAudioBuffer* arrived = BufferOf(music);
  ASSERT_NE(arrived, silence);
  EXPECT_FALSE(music.standIn);
  EXPECT_EQ(arrived->waveId, kWavePlayMusic);
  EXPECT_TRUE(arrived->playing);
  EXPECT_TRUE(arrived->looping);
  EXPECT_EQ(arrived->position, 5000u);
  EXPECT_EQ(arrived->volume, -1500);
  ASSERT_EQ(PlayingSoundIds(ids, 4), 1);
  EXPECT_EQ(ids[0], kWavePlayMusic);
}

TEST_F(SoundTest, ASoundNeitherThereNorOnItsWayIsNotLoaded) {
  resources.Remove(ResourceType::Wave, kWavePlayMusic);
  CSound music;
  EXPECT_FALSE(LoadSound(music, kWavePlayMusic, audio, true));
  EXPECT_FALSE(music.standIn);
  EXPECT_EQ(music.resourceName, 0);
}

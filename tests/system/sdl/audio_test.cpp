#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "sdl_test_platform.h"
#include "system/sdl/sdl_audio.h"

namespace {

WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits = 16) {
  const uint16_t block = static_cast<uint16_t>(channels * bits / 8);
  return {1, channels, rate, rate * block, block, bits};
}

// `frames` frames of a constant 16-bit sample on every channel, little-endian.
std::vector<uint8_t> Samples(size_t frames, uint16_t channels, int16_t value) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < frames * channels; ++i) {
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
  }
  return bytes;
}

}  // namespace

TEST(AudioConversion, ResamplesThirtyTwoKilohertzToTheOutputRate) {
  const size_t frames = 15680;  // 0.49 s
  const auto out = ConvertToStereo16(Pcm(2, 32000), Samples(frames, 2, 1000), 44100);
  const long expected = static_cast<long>(frames * 44100 / 32000);  // 21609
  EXPECT_LE(std::labs(static_cast<long>(out.size() / 2) - expected), 4) << out.size() / 2;
  // A constant signal stays constant away from the edges.
  EXPECT_NEAR(out[out.size() / 2], 1000, 8);
}

TEST(AudioConversion, OutputRateInputIsCopiedAndMonoGoesToBothSides) {
  const auto stereo = ConvertToStereo16(Pcm(2, 44100), Samples(100, 2, -1234), 44100);
  ASSERT_EQ(stereo.size(), 200u);
  EXPECT_EQ(stereo[0], -1234);
  EXPECT_EQ(stereo[199], -1234);
  // Left and right stay apart, the extremes exact.
  const std::vector<uint8_t> sides = {0x01, 0x00, 0xFE, 0xFF, 0xFF, 0x7F, 0x00, 0x80};
  EXPECT_EQ(ConvertToStereo16(Pcm(2, 44100), sides, 44100),
            (std::vector<int16_t>{1, -2, 32767, -32768}));

  // Every value exactly, the extremes included, on both sides.
  for (int16_t value : {777, 21247, 32767, -32768, -1}) {
    const auto mono = ConvertToStereo16(Pcm(1, 44100), Samples(100, 1, value), 44100);
    ASSERT_EQ(mono.size(), 200u);
    EXPECT_EQ(mono[10], value);
    EXPECT_EQ(mono[11], value);
  }
}

TEST(AudioConversion, EightBitSamplesAreWidened) {
  const std::vector<uint8_t> silence(50, 0x80);  // unsigned 8-bit silence
  const auto out = ConvertToStereo16(Pcm(1, 44100, 8), silence, 44100);
  ASSERT_EQ(out.size(), 100u);
  EXPECT_EQ(out[25], 0);
  const std::vector<uint8_t> extremes = {0x00, 0xFF};
  EXPECT_EQ(ConvertToStereo16(Pcm(1, 44100, 8), extremes, 44100),
            (std::vector<int16_t>{-32768, -32768, 32512, 32512}));
}

TEST(AudioConversion, RefusesWhatIsNotPlainPcmAndDropsPartialFrames) {
  const auto bytes = Samples(10, 2, 1);
  WaveFormat compressed = Pcm(2, 44100);
  compressed.formatTag = 2;
  EXPECT_TRUE(ConvertToStereo16(compressed, bytes, 44100).empty());
  EXPECT_TRUE(ConvertToStereo16(Pcm(6, 44100), bytes, 44100).empty());
  EXPECT_TRUE(ConvertToStereo16(Pcm(2, 0), bytes, 44100).empty());
  EXPECT_TRUE(ConvertToStereo16(Pcm(2, 44100, 24), bytes, 44100).empty());
  EXPECT_TRUE(ConvertToStereo16(Pcm(2, 44100), std::span(bytes).first(3), 44100).empty());
  EXPECT_EQ(ConvertToStereo16(Pcm(2, 44100), std::span(bytes).first(9), 44100).size(), 4u);
}

TEST(AudioDevice, BuffersPlayLoopStopAndEndOnTheDummyOutput) {
  TestPlatform();  // starts SDL's audio with the dummy driver
  SdlAudioDevice device;
  EXPECT_FALSE(device.IsSilent());
  auto shortSound = device.CreateBuffer(Pcm(2, 44100), Samples(441, 2, 100));  // 10 ms
  auto music = device.CreateBuffer(Pcm(2, 32000), Samples(320, 2, 100));
  ASSERT_NE(shortSound, nullptr);
  ASSERT_NE(music, nullptr);
  EXPECT_FALSE(shortSound->IsPlaying());
  shortSound->SetVolume(-1000);
  shortSound->Play(false);
  music->Play(true);
  EXPECT_TRUE(shortSound->IsPlaying());
  SDL_Delay(200);
  EXPECT_FALSE(shortSound->IsPlaying());  // the one-shot ended
  EXPECT_TRUE(music->IsPlaying());        // the loop goes on
  music->Stop();
  EXPECT_FALSE(music->IsPlaying());
  EXPECT_EQ(device.CreateBuffer(Pcm(2, 44100), {}), nullptr);
}

// A scene entered again loads the sounds it had: a resource's conversion is made once and
// shared, each buffer still plays on its own. Only resources are kept, and only what fits.
TEST(AudioDevice, AResourceSoundIsConvertedOnceAndSharedByItsBuffers) {
  TestPlatform();
  SdlAudioDevice device;
  const std::vector<uint8_t> jingle = Samples(3200, 2, 100);  // 0.1 s at 32 kHz
  auto first = device.CreateResourceBuffer(Pcm(2, 32000), jingle);
  ASSERT_NE(first, nullptr);
  const size_t oneConversion = device.KeptSoundBytes();
  EXPECT_EQ(oneConversion, 4410u * 4);
  auto second = device.CreateResourceBuffer(Pcm(2, 32000), jingle);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(device.KeptSoundBytes(), oneConversion) << "converted again";

  first->SetPosition(1600);
  first->Play(true);
  EXPECT_FALSE(second->IsPlaying());
  EXPECT_EQ(second->Position(), 0u);
  first.reset();  // the other buffer keeps the samples it shares
  second->Play(false);
  EXPECT_TRUE(second->IsPlaying());

  // The same bytes read as another format are another sound.
  EXPECT_NE(device.CreateResourceBuffer(Pcm(1, 32000), jingle), nullptr);
  EXPECT_EQ(device.KeptSoundBytes(), oneConversion + 8820u * 4);  // 6,400 mono frames

  const size_t before = device.KeptSoundBytes();
  EXPECT_NE(device.CreateBuffer(Pcm(2, 44100), Samples(441, 2, 5)), nullptr);
  EXPECT_NE(device.CreateResourceBuffer(Pcm(2, 32000), Samples(32000 * 13, 2, 7)), nullptr)
      << "13 s: over the budget";
  EXPECT_EQ(device.CreateResourceBuffer(Pcm(6, 44100), jingle), nullptr);
  EXPECT_EQ(device.KeptSoundBytes(), before);
}

// A resource in the output's own format is read where it lies: nothing is converted or kept,
// and its buffers play, move and end as any other.
TEST(AudioDevice, AResourceInTheOutputFormatIsNotConverted) {
  TestPlatform();
  SdlAudioDevice device;
  const std::vector<uint8_t> music = Samples(44100, 2, 7);  // 1 s: a conversion would be kept
  auto buffer = device.CreateResourceBuffer(Pcm(2, 44100), music);
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(device.KeptSoundBytes(), 0u);
  buffer->SetPosition(44100 - 10);
  EXPECT_EQ(buffer->Position(), 44100u - 10);
  buffer->Play(false);
  EXPECT_TRUE(buffer->IsPlaying());
  const std::vector<uint8_t> odd = {0x01, 0x00, 0x02};  // less than one frame
  EXPECT_EQ(device.CreateResourceBuffer(Pcm(2, 44100), odd), nullptr);
}

// Readying a resource ahead resamples it once, for its buffers; one at the output rate would
// only be copied, and is left for its buffer.
TEST(AudioDevice, AResourcePreparedAheadIsResampledOnceAndOnlyWhenItNeedsIt) {
  TestPlatform();
  SdlAudioDevice device;
  const std::vector<uint8_t> chime = Samples(44100 / 10, 2, 60);
  device.PrepareResource(Pcm(2, 44100), chime);
  EXPECT_EQ(device.KeptSoundBytes(), 0u);

  const std::vector<uint8_t> jingle = Samples(3200, 2, 100);  // 0.1 s at 32 kHz
  device.PrepareResource(Pcm(2, 32000), jingle);
  EXPECT_EQ(device.KeptSoundBytes(), 4410u * 4);
  device.PrepareResource(Pcm(2, 32000), jingle);
  auto buffer = device.CreateResourceBuffer(Pcm(2, 32000), jingle);
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(device.KeptSoundBytes(), 4410u * 4) << "resampled again";
  device.PrepareResource(Pcm(6, 32000), jingle);  // refused, as its buffer would be
  EXPECT_EQ(device.KeptSoundBytes(), 4410u * 4);
}

TEST(AudioDevice, SoundsComeAndGoWhileTheAudioThreadMixes) {
  // The game thread starts, moves, stops and frees sounds while SDL's audio thread mixes: the
  // thread-checked build (build-tsan) reports any access to the mixer that the device lock does not
  // order.
  TestPlatform();
  SdlAudioDevice device;
  ASSERT_FALSE(device.IsSilent());
  const uint32_t loopFrames = 44100;
  auto music = device.CreateBuffer(Pcm(2, 44100), Samples(loopFrames, 2, 100));
  ASSERT_NE(music, nullptr);
  music->Play(true);
  std::set<uint32_t> positions;
  for (int i = 0; i < 150; ++i) {
    auto effect = device.CreateBuffer(Pcm(1, 22050), Samples(220, 1, 50));  // resampled
    ASSERT_NE(effect, nullptr);
    effect->SetVolume(-500);
    effect->Play(false);
    effect->SetPosition(110);
    if (i % 3 == 0) effect->Stop();
    const uint32_t at = music->Position();
    ASSERT_LT(at, loopFrames);
    positions.insert(at);
    SDL_Delay(2);
  }  // each effect is freed while it may still be playing
  // The audio thread mixed all along: the music was heard at many positions.
  EXPECT_GT(positions.size(), 5u);
  EXPECT_TRUE(music->IsPlaying());
}

TEST(AudioDevice, SilentOutputStillTracksPlayStateByTheClock) {
  // Without SDL audio the device is silent, but sounds still start, loop and end on time.
  TestPlatform();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  {
    SdlAudioDevice device;
    EXPECT_TRUE(device.IsSilent());
    auto sound = device.CreateBuffer(Pcm(2, 44100), Samples(441 * 5, 2, 100));  // 50 ms
    auto loop = device.CreateBuffer(Pcm(1, 22050), Samples(100, 1, 100));
    ASSERT_NE(sound, nullptr);
    sound->Play(false);
    loop->Play(true);
    EXPECT_TRUE(sound->IsPlaying());
    SDL_Delay(150);
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_TRUE(loop->IsPlaying());
  }
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
}

TEST(AudioDevice, BuffersOutliveTheirDeviceSilently) {
  TestPlatform();
  std::unique_ptr<IAudioBuffer> sound;
  {
    SdlAudioDevice device;
    sound = device.CreateBuffer(Pcm(2, 44100), Samples(44100, 2, 100));
  }
  ASSERT_NE(sound, nullptr);
  sound->Play(false);
  EXPECT_TRUE(sound->IsPlaying());
  sound->Stop();
  EXPECT_FALSE(sound->IsPlaying());
}

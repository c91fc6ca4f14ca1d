// Sound output: one SDL audio device playing the software mixer, or a silent stand-in when no
// output can be opened.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "system/audio_device.h"
#include "system/mixer.h"
#include "system/recently_used.h"

// PCM of 8 or 16 bits, mono or stereo, at any rate, as 16-bit stereo at `outputRate`. Empty
// when the format is not one of those.
std::vector<int16_t> ConvertToStereo16(const WaveFormat& format, std::span<const uint8_t> pcm,
                                       int outputRate);

// What the buffers share with their device, kept alive by both: a buffer that outlives the
// device still works, silently.
class AudioOutput {
 public:
  static constexpr int kRate = 44100;

  // Opens SDL's default output; with none, time passes by the millisecond clock instead.
  AudioOutput();
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  bool IsSilent() const { return device_ == 0; }
  // Closes the output when SDL says it is gone (the sounds then go on timed by the clock);
  // true when the output is silent.
  bool CheckLost();
  Mixer& GetMixer() { return mixer_; }
  // Stops the sound output; the mixer keeps running on the clock.
  void Close();

  // Holds the mixer against the audio thread; on a silent output it lets the time since the
  // last lock pass for every voice, so sounds still end when they would have.
  void Lock();
  void Unlock();

 private:
  static void SDLCALL Fill(void* self, Uint8* stream, int length);

  SDL_AudioDeviceID device_ = 0;
  Mixer mixer_;
  uint64_t silentStartTicks_ = 0;
  uint64_t silentFramesDone_ = 0;
};

class SdlAudioDevice final : public IAudioDevice {
 public:
  SdlAudioDevice();
  ~SdlAudioDevice() override { output_->Close(); }
  std::unique_ptr<IAudioBuffer> CreateBuffer(const WaveFormat& format,
                                             std::span<const uint8_t> pcm) override;
  // Converting its sounds to the output rate was most of what a scene entered again cost with
  // a sound output (the title's three: 8 ms on a slow machine): the resources' recent
  // conversions are kept, within a budget, and shared by the buffers made from them. A resource
  // already in the output's format is not converted: its buffers read it where it lies.
  std::unique_ptr<IAudioBuffer> CreateResourceBuffer(const WaveFormat& format,
                                                     std::span<const uint8_t> pcm) override;
  // Resamples a resource not at the output rate and keeps it (a 2-second sound at 32 kHz takes
  // 4 ms). One at the output rate needs nothing.
  void PrepareResource(const WaveFormat& format, std::span<const uint8_t> pcm) override;
  bool CheckLost() override { return output_->CheckLost(); }
  // A fresh output with a mixer of its own; the old one stays with the old buffers, silent.
  bool Reopen() override;
  bool IsSilent() const { return output_->IsSilent(); }
  size_t KeptSoundBytes() const { return converted_.KeptBytes(); }

 private:
  // A resource's samples are known by where they lie, which does not change.
  struct SoundKey {
    const uint8_t* bytes;
    size_t size;
    uint32_t rate;
    uint16_t formatTag;
    uint16_t channels;
    uint16_t bitsPerSample;
    bool operator==(const SoundKey&) const = default;
  };
  std::unique_ptr<IAudioBuffer> MakeBuffer(MixerVoice voice, uint32_t sourceRate);
  // The resource's samples at the output rate: the kept conversion, or a new one kept if it fits.
  std::shared_ptr<const std::vector<int16_t>> ConvertResource(const WaveFormat& format,
                                                              std::span<const uint8_t> pcm);

  std::shared_ptr<AudioOutput> output_;
  RecentlyUsed<SoundKey, std::vector<int16_t>> converted_;
};

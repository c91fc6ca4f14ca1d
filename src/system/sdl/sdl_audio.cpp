#include "system/sdl/sdl_audio.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint32_t kMaxRate = 384000;
constexpr Uint16 kBufferFrames = 512;  // about 12 ms: effects sound on the frame they start
// Every sound of the menus, the play and the game over converted (1.6 MB); not the play's music
// (3.7 MB, at the output rate already, so only copied) nor the music room's (5.4 MB).
constexpr size_t kKeptSoundBytes = 2 << 20;

class OutputLock {
 public:
  explicit OutputLock(AudioOutput& output) : output_(output) { output_.Lock(); }
  ~OutputLock() { output_.Unlock(); }
  OutputLock(const OutputLock&) = delete;
  OutputLock& operator=(const OutputLock&) = delete;

 private:
  AudioOutput& output_;
};

// One sound: a mixer voice over its samples, converted or read in place from a resource.
class SdlAudioBuffer final : public IAudioBuffer {
 public:
  SdlAudioBuffer(std::shared_ptr<AudioOutput> output, MixerVoice voice, uint32_t sourceRate)
      : output_(std::move(output)), voice_(std::move(voice)), sourceRate_(sourceRate) {
    OutputLock lock(*output_);
    output_->GetMixer().Attach(&voice_);
  }
  ~SdlAudioBuffer() override {
    OutputLock lock(*output_);
    output_->GetMixer().Detach(&voice_);
  }

  void Play(bool loop) override {
    OutputLock lock(*output_);
    voice_.Play(loop);
  }
  void Stop() override {
    OutputLock lock(*output_);
    voice_.Stop();
  }
  bool IsPlaying() const override {
    OutputLock lock(*output_);
    return voice_.IsPlaying();
  }
  // Positions count frames of the sound as it was given, before rate conversion.
  void SetPosition(uint32_t frame) override {
    OutputLock lock(*output_);
    voice_.SetPosition(static_cast<uint32_t>(uint64_t{frame} * AudioOutput::kRate / sourceRate_));
  }
  uint32_t Position() const override {
    OutputLock lock(*output_);
    return static_cast<uint32_t>(uint64_t{voice_.Position()} * sourceRate_ / AudioOutput::kRate);
  }
  void SetVolume(int32_t hundredthsDb) override {
    OutputLock lock(*output_);
    voice_.SetVolume(hundredthsDb);
  }

 private:
  std::shared_ptr<AudioOutput> output_;
  MixerVoice voice_;
  uint32_t sourceRate_;
};

bool IsSupported(const WaveFormat& format) {
  return format.formatTag == kFormatPcm && (format.channels == 1 || format.channels == 2) &&
         (format.bitsPerSample == 8 || format.bitsPerSample == 16) && format.samplesPerSec > 0 &&
         format.samplesPerSec <= kMaxRate;
}

// 16-bit stereo at the output rate, little-endian as WAVE is, on a little-endian machine: samples
// the mixer can read as they are.
bool PlaysAsItIs(const WaveFormat& format) {
  return std::endian::native == std::endian::little && format.formatTag == kFormatPcm &&
         format.channels == 2 && format.bitsPerSample == 16 &&
         format.samplesPerSec == static_cast<uint32_t>(AudioOutput::kRate);
}

// At the output rate nothing needs resampling: the samples are widened and spread to both sides
// here, exactly. SDL's converter goes through floats and lowers most positive 16-bit samples by
// one.
std::vector<int16_t> CopyToStereo16(const WaveFormat& format, std::span<const uint8_t> pcm,
                                    size_t frames) {
  std::vector<int16_t> samples(frames * 2);
  // Already 16-bit stereo (a sound made at run time; a resource is not even copied): the bytes
  // are the samples.
  if (PlaysAsItIs(format)) {
    std::memcpy(samples.data(), pcm.data(), frames * 4);
    return samples;
  }
  for (size_t i = 0; i < frames * format.channels; ++i) {
    const auto value = static_cast<int16_t>(
        format.bitsPerSample == 8 ? (pcm[i] - 0x80) * 0x100 : pcm[2 * i] | pcm[2 * i + 1] << 8);
    if (format.channels == 2)
      samples[i] = value;
    else
      samples[2 * i] = samples[2 * i + 1] = value;
  }
  return samples;
}

}  // namespace

std::vector<int16_t> ConvertToStereo16(const WaveFormat& format, std::span<const uint8_t> pcm,
                                       int outputRate) {
  std::vector<int16_t> samples;
  if (!IsSupported(format)) return samples;
  const size_t frameBytes = size_t{format.channels} * format.bitsPerSample / 8;
  const size_t bytes = pcm.size() / frameBytes * frameBytes;  // whole frames only
  if (bytes == 0) return samples;
  const size_t frames = bytes / frameBytes;
  if (format.samplesPerSec == static_cast<uint32_t>(outputRate))
    return CopyToStereo16(format, pcm, frames);
  SDL_AudioStream* stream =
      SDL_NewAudioStream(format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB, format.channels,
                         static_cast<int>(format.samplesPerSec), AUDIO_S16SYS, 2, outputRate);
  if (!stream) return samples;
  // The resampler holds back the last few milliseconds even when flushed: feed 10 ms of silence
  // after the sound and keep exactly the converted length.
  const size_t wanted = static_cast<size_t>(uint64_t{frames} * outputRate / format.samplesPerSec);
  const std::vector<uint8_t> tail(format.samplesPerSec / 100 * frameBytes,
                                  format.bitsPerSample == 8 ? 0x80 : 0);
  if (SDL_AudioStreamPut(stream, pcm.data(), static_cast<int>(bytes)) == 0 &&
      SDL_AudioStreamPut(stream, tail.data(), static_cast<int>(tail.size())) == 0 &&
      SDL_AudioStreamFlush(stream) == 0) {
    samples.resize(wanted * 2);
    const int got =
        SDL_AudioStreamGet(stream, samples.data(), static_cast<int>(samples.size() * 2));
    samples.resize(got > 0 ? static_cast<size_t>(got) / 4 * 2 : 0);
  }
  SDL_FreeAudioStream(stream);
  return samples;
}

AudioOutput::AudioOutput() {
  const bool started = SDL_WasInit(SDL_INIT_AUDIO) != 0;
  if (started) {
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kBufferFrames;
    wanted.callback = &AudioOutput::Fill;
    wanted.userdata = this;
    // No changes allowed: SDL converts to the hardware's format itself.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  }
  if (device_ != 0) {
    SDL_PauseAudioDevice(device_, 0);
    return;
  }
  // The game still runs, without sound; say so instead of quitting without a word.
  std::fprintf(stderr, "moravin: no audio output (%s); running without sound\n",
               started ? SDL_GetError() : "SDL audio did not start");
  Close();
}

AudioOutput::~AudioOutput() { Close(); }

void AudioOutput::Close() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for the audio thread to finish
  device_ = 0;
  silentStartTicks_ = SDL_GetTicks64();
  silentFramesDone_ = 0;
}

bool AudioOutput::CheckLost() {
  if (device_ != 0 && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) Close();
  return IsSilent();
}

void AudioOutput::Lock() {
  if (device_ != 0) {
    SDL_LockAudioDevice(device_);
    return;
  }
  const uint64_t due = (SDL_GetTicks64() - silentStartTicks_) * kRate / 1000;
  mixer_.Skip(static_cast<size_t>(due - silentFramesDone_));
  silentFramesDone_ = due;
}

void AudioOutput::Unlock() {
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void SDLCALL AudioOutput::Fill(void* self, Uint8* stream, int length) {
  auto* output = static_cast<AudioOutput*>(self);
  output->mixer_.Mix(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / 4);
}

SdlAudioDevice::SdlAudioDevice()
    : output_(std::make_shared<AudioOutput>()), converted_(kKeptSoundBytes) {}

std::unique_ptr<IAudioBuffer> SdlAudioDevice::MakeBuffer(MixerVoice voice, uint32_t sourceRate) {
  if (voice.FrameCount() == 0) return nullptr;
  return std::make_unique<SdlAudioBuffer>(output_, std::move(voice), sourceRate);
}

std::unique_ptr<IAudioBuffer> SdlAudioDevice::CreateBuffer(const WaveFormat& format,
                                                           std::span<const uint8_t> pcm) {
  return MakeBuffer(MixerVoice(ConvertToStereo16(format, pcm, AudioOutput::kRate)),
                    format.samplesPerSec);
}

std::shared_ptr<const std::vector<int16_t>> SdlAudioDevice::ConvertResource(
    const WaveFormat& format, std::span<const uint8_t> pcm) {
  const SoundKey key{pcm.data(),       pcm.size(),      format.samplesPerSec,
                     format.formatTag, format.channels, format.bitsPerSample};
  std::shared_ptr<const std::vector<int16_t>> samples = converted_.Find(key);
  if (!samples) {
    samples = std::make_shared<const std::vector<int16_t>>(
        ConvertToStereo16(format, pcm, AudioOutput::kRate));
    if (!samples->empty()) converted_.Keep(key, samples, samples->size() * sizeof(int16_t));
  }
  return samples;
}

std::unique_ptr<IAudioBuffer> SdlAudioDevice::CreateResourceBuffer(const WaveFormat& format,
                                                                   std::span<const uint8_t> pcm) {
  // A resource that is what the output plays already is read where it lies: a game's music
  // (3.7 MB) was copied on the first frame of every game. The resource outlives the device.
  if (PlaysAsItIs(format)) return MakeBuffer(MixerVoice(pcm, nullptr), format.samplesPerSec);
  return MakeBuffer(MixerVoice(ConvertResource(format, pcm)), format.samplesPerSec);
}

void SdlAudioDevice::PrepareResource(const WaveFormat& format, std::span<const uint8_t> pcm) {
  if (format.samplesPerSec != static_cast<uint32_t>(AudioOutput::kRate))
    ConvertResource(format, pcm);
}

bool SdlAudioDevice::Reopen() {
  auto fresh = std::make_shared<AudioOutput>();
  if (fresh->IsSilent()) return false;
  output_->Close();
  output_ = std::move(fresh);
  return true;
}

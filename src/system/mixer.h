// The software mixer behind the audio device: fully loaded voices of 16-bit stereo PCM at the
// output rate, summed in 32 bits and clamped. Pure code; the device that owns it serialises the
// game thread and the audio thread around every call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// Linear gain of an attenuation in hundredths of a decibel, clamped to -10000..0.
double VolumeToGain(int32_t hundredthsDb);

// One sound: its samples (interleaved left/right) and its playing state.
class MixerVoice {
 public:
  explicit MixerVoice(std::vector<int16_t> stereoSamples);
  // Samples shared with other voices of the same sound; nobody changes them.
  explicit MixerVoice(std::shared_ptr<const std::vector<int16_t>> stereoSamples);
  // Samples read where they lie: interleaved 16-bit stereo in the machine's byte order, at any
  // alignment. `owner` keeps them alive; null when they outlive the voice (a resource).
  MixerVoice(std::span<const uint8_t> stereoBytes, std::shared_ptr<const void> owner);

  uint32_t FrameCount() const { return frameCount_; }
  uint32_t Position() const { return position_; }
  bool IsPlaying() const { return playing_; }
  int32_t Volume() const { return volume_; }

  // Starts from the current position.
  void Play(bool loop);
  // Stops where it is: a later Play resumes from here.
  void Stop() { playing_ = false; }
  // Positions past the end are clamped to the end.
  void SetPosition(uint32_t frame);
  void SetVolume(int32_t hundredthsDb);

  // Adds up to `frames` frames to the accumulator and advances; a voice that is not looping
  // stops at its end and rewinds, so the next Play starts it from the beginning again.
  void MixInto(int32_t* accumulator, size_t frames);
  // Advances as MixInto would, without producing sound.
  void Skip(size_t frames);

 private:
  // Takes up to `frames` frames from the current position, wrapping or stopping at the end;
  // calls emit(firstFrame, count, outputOffset) for every contiguous run.
  template <typename Emit>
  void Advance(size_t frames, Emit emit);
  // At the end: back to the start, and still playing only when looping.
  void WrapOrStop();

  std::shared_ptr<const void> owner_;
  const uint8_t* bytes_ = nullptr;
  uint32_t frameCount_ = 0;
  uint32_t position_ = 0;
  bool playing_ = false;
  bool looping_ = false;
  int32_t volume_ = 0;
  int32_t gainQ16_ = 1 << 16;  // gain in 16.16 fixed point
};

// The set of voices that the output hears. Voices are owned by their buffers and attached for
// their lifetime.
class Mixer {
 public:
  void Attach(MixerVoice* voice);
  void Detach(MixerVoice* voice);
  size_t VoiceCount() const { return voices_.size(); }

  // Fills `frames` interleaved stereo frames with the sum of the playing voices.
  void Mix(int16_t* out, size_t frames);
  // Lets `frames` frames of time pass for every playing voice, without output.
  void Skip(size_t frames);

 private:
  static constexpr size_t kChunkFrames = 1024;

  std::vector<MixerVoice*> voices_;
  int32_t accumulator_[kChunkFrames * 2] = {};
};

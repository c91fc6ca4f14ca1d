// Sound output for runs without a sound card, timed by the game's frames instead of the wall
// clock: every frame lets 1/50 s of every playing sound pass. Which sounds play at a frame is
// then the same however fast the run goes, so a headless run's trace is reproducible.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "system/audio_device.h"

class FrameAudioBuffer;

// The time source shared by the device and its buffers (buffers may outlive the device).
class FrameAudioClock {
 public:
  // Lets one frame (1/50 s) pass for every playing sound.
  void AdvanceFrame();

 private:
  friend class FrameAudioBuffer;
  std::vector<FrameAudioBuffer*> buffers_;
};

// A silent sound. Like the real mixer: Play starts from the current position, Stop keeps it,
// a sound that is not looping stops at its end and rewinds.
class FrameAudioBuffer : public IAudioBuffer {
 public:
  FrameAudioBuffer(std::shared_ptr<FrameAudioClock> clock, uint32_t samplesPerSec,
                   uint32_t frameCount);
  ~FrameAudioBuffer() override;

  void Play(bool loop) override;
  void Stop() override { playing_ = false; }
  bool IsPlaying() const override { return playing_; }
  void SetPosition(uint32_t frame) override;
  void SetVolume(int32_t hundredthsDb) override {}

  uint32_t Position() const override { return static_cast<uint32_t>(elapsed_ / kFramesPerSecond); }
  void AdvanceFrame();

 private:
  // Time is counted in 1/50 sample frames, so that every rate advances exactly.
  static constexpr uint64_t kFramesPerSecond = 50;

  std::shared_ptr<FrameAudioClock> clock_;
  uint64_t rate_;
  uint64_t length_;  // in 1/50 sample frames
  uint64_t elapsed_ = 0;
  bool playing_ = false;
  bool looping_ = false;
};

class FrameAudioDevice : public IAudioDevice {
 public:
  explicit FrameAudioDevice(std::shared_ptr<FrameAudioClock> clock) : clock_(std::move(clock)) {}
  // Null for anything but PCM with a sample rate and a block size, as a real device would.
  std::unique_ptr<IAudioBuffer> CreateBuffer(const WaveFormat& format,
                                             std::span<const uint8_t> pcm) override;
  // There is no output to lose.
  bool CheckLost() override { return false; }
  bool Reopen() override { return true; }

 private:
  std::shared_ptr<FrameAudioClock> clock_;
};

// An audio device that plays nothing and records what its buffers are told.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "fakes/fake_resources.h"
#include "system/audio_device.h"

class FakeAudioBuffer;

struct PlayEvent {
  int waveId;  // WAVE resource of the buffer, 0 when unknown
  bool loop;
  uint32_t position;  // position the play started from
};

// Shared by the device and its buffers, so buffers may outlive the device in a test.
struct FakeAudioLog {
  std::vector<FakeAudioBuffer*> live;  // buffers not yet destroyed, oldest first
  std::vector<PlayEvent> plays;
  int buffersCreated = 0;
  std::vector<int> prepared;  // WAVE ids given to PrepareResource, in order
  int reopens = 0;            // buffers remember how many reopens came before them
};

class FakeAudioBuffer : public IAudioBuffer {
 public:
  FakeAudioBuffer(std::shared_ptr<FakeAudioLog> log, const WaveFormat& format,
                  std::span<const uint8_t> pcm);
  ~FakeAudioBuffer() override;

  void Play(bool loop) override;
  void Stop() override;
  bool IsPlaying() const override { return playing; }
  void SetPosition(uint32_t frame) override { position = frame; }
  uint32_t Position() const override { return position; }
  void SetVolume(int32_t hundredthsDb) override;

  // Moves the play position on by `frames`, as the mixer would; a sound that is not looping
  // stops at its end.
  void Advance(uint32_t frames);

  WaveFormat format;
  std::vector<uint8_t> pcm;
  int waveId;
  uint32_t frames;  // length in sample frames
  bool playing = false;
  bool looping = false;
  uint32_t position = 0;
  int32_t volume = 0;
  std::vector<int32_t> volumes;  // every SetVolume, in order
  int playCalls = 0;
  int stopCalls = 0;
  int madeAfterReopens;     // older than the last reopen: silent, it should have been rebuilt
  bool ofResource = false;  // made by CreateResourceBuffer, whose conversion may be kept

 private:
  std::shared_ptr<FakeAudioLog> log_;
};

// The sound output behind a device, which a test may unplug and plug in again.
struct FakeAudioOutput {
  bool present = true;
};

class FakeAudioDevice : public IAudioDevice {
 public:
  FakeAudioDevice()
      : log(std::make_shared<FakeAudioLog>()), output(std::make_shared<FakeAudioOutput>()) {}
  std::unique_ptr<IAudioBuffer> CreateBuffer(const WaveFormat& format,
                                             std::span<const uint8_t> pcm) override;
  std::unique_ptr<IAudioBuffer> CreateResourceBuffer(const WaveFormat& format,
                                                     std::span<const uint8_t> pcm) override;
  void PrepareResource(const WaveFormat& format, std::span<const uint8_t> pcm) override {
    log->prepared.push_back(FakeWaveIdFromPcm(pcm));
  }
  bool CheckLost() override { return lost_ = lost_ || !output->present; }
  bool Reopen() override;

  // The live buffer of WAVE `id` created last, or null.
  FakeAudioBuffer* BufferOf(int waveId) const;
  // WAVE ids of the live buffers that play now.
  std::vector<int> PlayingIds() const;
  const std::vector<PlayEvent>& Plays() const { return log->plays; }

  bool failCreate = false;
  std::shared_ptr<FakeAudioLog> log;
  std::shared_ptr<FakeAudioOutput> output;

 private:
  bool lost_ = false;  // like a real device, lost until reopened even when the output is back
};

// Sound output: fully loaded PCM buffers mixed by the device.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

struct WaveFormat {
  uint16_t formatTag = 0;  // 1 = PCM
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};

// One playable sound. Volume is an attenuation in hundredths of a decibel (0 full, -10000
// silent). Stop keeps the position; SetPosition(0) rewinds.
class IAudioBuffer {
 public:
  virtual ~IAudioBuffer() = default;
  virtual void Play(bool loop) = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() const = 0;
  virtual void SetPosition(uint32_t frame) = 0;
  // The play position in sample frames of the sound as it was given.
  virtual uint32_t Position() const = 0;
  virtual void SetVolume(int32_t hundredthsDb) = 0;
};

class IAudioDevice {
 public:
  virtual ~IAudioDevice() = default;
  // A buffer holding the PCM samples, converted to the device's format. Null on failure.
  virtual std::unique_ptr<IAudioBuffer> CreateBuffer(const WaveFormat& format,
                                                     std::span<const uint8_t> pcm) = 0;
  // The same for samples that stay unchanged where they are for as long as the device exists
  // (a resource of the program): the device may keep their conversion for the next buffer of
  // the same sound, as a scene entered again loads the sounds it had.
  virtual std::unique_ptr<IAudioBuffer> CreateResourceBuffer(const WaveFormat& format,
                                                             std::span<const uint8_t> pcm) {
    return CreateBuffer(format, pcm);
  }
  // Readies a resource's samples for CreateResourceBuffer ahead of need, where converting them
  // is slow enough to matter and the device keeps its conversions. By default nothing.
  virtual void PrepareResource(const WaveFormat& format, std::span<const uint8_t> pcm) {}
  // Whether the output is gone (unplugged) or never opened. Buffers keep working silently
  // meanwhile: their sounds still play on and end in time.
  virtual bool CheckLost() = 0;
  // Opens the output again; true when it plays. The buffers made before stay silent and must
  // be made again.
  virtual bool Reopen() = 0;
};

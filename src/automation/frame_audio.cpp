#include "automation/frame_audio.h"

#include <algorithm>

void FrameAudioClock::AdvanceFrame() {
  for (FrameAudioBuffer* buffer : buffers_) buffer->AdvanceFrame();
}

FrameAudioBuffer::FrameAudioBuffer(std::shared_ptr<FrameAudioClock> clock, uint32_t samplesPerSec,
                                   uint32_t frameCount)
    : clock_(std::move(clock)),
      rate_(samplesPerSec),
      length_(uint64_t{frameCount} * kFramesPerSecond) {
  clock_->buffers_.push_back(this);
}

FrameAudioBuffer::~FrameAudioBuffer() { std::erase(clock_->buffers_, this); }

void FrameAudioBuffer::Play(bool loop) {
  playing_ = true;
  looping_ = loop;
}

void FrameAudioBuffer::SetPosition(uint32_t frame) {
  elapsed_ = std::min(uint64_t{frame} * kFramesPerSecond, length_);
}

void FrameAudioBuffer::AdvanceFrame() {
  if (!playing_) return;
  elapsed_ += rate_;
  if (elapsed_ < length_) return;
  if (looping_ && length_ > 0) {
    elapsed_ %= length_;
  } else {
    elapsed_ = 0;
    playing_ = false;
  }
}

std::unique_ptr<IAudioBuffer> FrameAudioDevice::CreateBuffer(const WaveFormat& format,
                                                             std::span<const uint8_t> pcm) {
  if (format.formatTag != 1 || format.samplesPerSec == 0 || format.blockAlign == 0) return nullptr;
  const auto frames = static_cast<uint32_t>(pcm.size() / format.blockAlign);
  return std::make_unique<FrameAudioBuffer>(clock_, format.samplesPerSec, frames);
}

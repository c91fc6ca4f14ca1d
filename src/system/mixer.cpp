#include "system/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

constexpr int32_t kSilent = -10000;
constexpr size_t kFrameBytes = 2 * sizeof(int16_t);

}  // namespace

double VolumeToGain(int32_t hundredthsDb) {
  return std::pow(10.0, std::clamp(hundredthsDb, kSilent, 0) / 2000.0);
}

MixerVoice::MixerVoice(std::vector<int16_t> stereoSamples)
    : MixerVoice(std::make_shared<const std::vector<int16_t>>(std::move(stereoSamples))) {}

MixerVoice::MixerVoice(std::shared_ptr<const std::vector<int16_t>> stereoSamples)
    : MixerVoice({reinterpret_cast<const uint8_t*>(stereoSamples->data()),
                  stereoSamples->size() * sizeof(int16_t)},
                 stereoSamples) {}

MixerVoice::MixerVoice(std::span<const uint8_t> stereoBytes, std::shared_ptr<const void> owner)
    : owner_(std::move(owner)),
      bytes_(stereoBytes.data()),
      frameCount_(static_cast<uint32_t>(stereoBytes.size() / kFrameBytes)) {}

void MixerVoice::Play(bool loop) {
  looping_ = loop;
  playing_ = true;
}

void MixerVoice::SetPosition(uint32_t frame) { position_ = std::min(frame, frameCount_); }

void MixerVoice::SetVolume(int32_t hundredthsDb) {
  volume_ = std::clamp(hundredthsDb, kSilent, 0);
  gainQ16_ = static_cast<int32_t>(std::lround(VolumeToGain(volume_) * 65536.0));
}

void MixerVoice::WrapOrStop() {
  position_ = 0;
  if (!looping_ || frameCount_ == 0) playing_ = false;
}

template <typename Emit>
void MixerVoice::Advance(size_t frames, Emit emit) {
  size_t done = 0;
  while (playing_ && done < frames) {
    if (position_ < frameCount_) {
      const size_t run = std::min<size_t>(frames - done, frameCount_ - position_);
      emit(position_, run, done);
      position_ += static_cast<uint32_t>(run);
      done += run;
    }
    if (position_ >= frameCount_) WrapOrStop();
  }
}

void MixerVoice::MixInto(int32_t* accumulator, size_t frames) {
  Advance(frames, [&](uint32_t first, size_t count, size_t offset) {
    const uint8_t* in = bytes_ + size_t{first} * kFrameBytes;
    int32_t* out = accumulator + offset * 2;
    for (size_t i = 0; i < count * 2; ++i) {
      int16_t sample;  // copied out: the bytes need not be aligned for an int16_t
      std::memcpy(&sample, in + i * sizeof sample, sizeof sample);
      out[i] += static_cast<int32_t>((int64_t{sample} * gainQ16_) >> 16);
    }
  });
}

void MixerVoice::Skip(size_t frames) {
  // Whole turns of a loop change nothing: a long silent stretch costs one turn at most.
  if (looping_ && frameCount_ > 0) frames %= frameCount_;
  Advance(frames, [](uint32_t, size_t, size_t) {});
}

void Mixer::Attach(MixerVoice* voice) {
  if (std::find(voices_.begin(), voices_.end(), voice) == voices_.end()) voices_.push_back(voice);
}

void Mixer::Detach(MixerVoice* voice) { std::erase(voices_, voice); }

void Mixer::Mix(int16_t* out, size_t frames) {
  while (frames > 0) {
    const size_t chunk = std::min(frames, kChunkFrames);
    std::fill_n(accumulator_, chunk * 2, 0);
    for (MixerVoice* voice : voices_) voice->MixInto(accumulator_, chunk);
    for (size_t i = 0; i < chunk * 2; ++i) {
      out[i] = static_cast<int16_t>(std::clamp<int32_t>(accumulator_[i], INT16_MIN, INT16_MAX));
    }
    out += chunk * 2;
    frames -= chunk;
  }
}

void Mixer::Skip(size_t frames) {
  for (MixerVoice* voice : voices_) voice->Skip(frames);
}

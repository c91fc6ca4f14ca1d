#include "fakes/fake_audio.h"

#include <algorithm>

#include "fakes/fake_resources.h"

FakeAudioBuffer::FakeAudioBuffer(std::shared_ptr<FakeAudioLog> log, const WaveFormat& f,
                                 std::span<const uint8_t> samples)
    : format(f),
      pcm(samples.begin(), samples.end()),
      waveId(FakeWaveIdFromPcm(samples)),
      frames(f.blockAlign ? uint32_t(samples.size() / f.blockAlign) : 0),
      madeAfterReopens(log->reopens),
      log_(std::move(log)) {
  log_->live.push_back(this);
  ++log_->buffersCreated;
}

FakeAudioBuffer::~FakeAudioBuffer() { std::erase(log_->live, this); }

void FakeAudioBuffer::Play(bool loop) {
  ++playCalls;
  playing = true;
  looping = loop;
  log_->plays.push_back({waveId, loop, position});
}

void FakeAudioBuffer::Stop() {
  ++stopCalls;
  playing = false;
}

void FakeAudioBuffer::SetVolume(int32_t hundredthsDb) {
  volume = hundredthsDb;
  volumes.push_back(hundredthsDb);
}

void FakeAudioBuffer::Advance(uint32_t n) {
  if (!playing || frames == 0) return;
  position += n;
  if (position < frames) return;
  if (looping) {
    position %= frames;
  } else {
    position = 0;
    playing = false;
  }
}

std::unique_ptr<IAudioBuffer> FakeAudioDevice::CreateBuffer(const WaveFormat& format,
                                                            std::span<const uint8_t> pcm) {
  if (failCreate) return nullptr;
  return std::make_unique<FakeAudioBuffer>(log, format, pcm);
}

std::unique_ptr<IAudioBuffer> FakeAudioDevice::CreateResourceBuffer(const WaveFormat& format,
                                                                    std::span<const uint8_t> pcm) {
  std::unique_ptr<IAudioBuffer> buffer = CreateBuffer(format, pcm);
  if (buffer) static_cast<FakeAudioBuffer*>(buffer.get())->ofResource = true;
  return buffer;
}

FakeAudioBuffer* FakeAudioDevice::BufferOf(int waveId) const {
  for (auto it = log->live.rbegin(); it != log->live.rend(); ++it)
    if ((*it)->waveId == waveId) return *it;
  return nullptr;
}

std::vector<int> FakeAudioDevice::PlayingIds() const {
  std::vector<int> ids;
  for (const FakeAudioBuffer* b : log->live)
    if (b->playing) ids.push_back(b->waveId);
  return ids;
}

bool FakeAudioDevice::Reopen() {
  if (!output->present) return false;
  lost_ = false;
  ++log->reopens;
  return true;
}

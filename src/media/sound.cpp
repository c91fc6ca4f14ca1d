#include "media/sound.h"

#include <cmath>
#include <vector>

#include "system/platform.h"
#include "system/resource_ids.h"
#include "system/resources.h"
#include "system/riff.h"

SoundBank* g_soundBank = nullptr;

namespace {

constexpr int32_t kSilent = -10000;
constexpr int32_t kFull = 0;

// Every CSound that holds a buffer, so automation can tell which sounds play without the
// scenes reporting anything. Fixed size: no allocation while a game runs.
constexpr int kRegistrySize = 64;
CSound* g_loadedSounds[kRegistrySize] = {};

void Register(CSound* sound) {
  CSound** freeSlot = nullptr;
  for (CSound*& slot : g_loadedSounds) {
    if (slot == sound) return;
    if (!slot && !freeSlot) freeSlot = &slot;
  }
  if (freeSlot) *freeSlot = sound;
}

void Unregister(const CSound* sound) {
  for (CSound*& slot : g_loadedSounds)
    if (slot == sound) slot = nullptr;
}

// Silence as long as WAVE resource `id` and in its format (16-bit stereo at its rate): what
// plays while the resource is still on its way, so that the sound plays, loops and ends as it
// will. Null for a sound the table does not know.
std::unique_ptr<IAudioBuffer> CreateStandIn(IAudioDevice& device, int id) {
  for (const WaveResource& spec : kWaveResources) {
    if (spec.id != id) continue;
    constexpr uint16_t kFrameBytes = 4;
    const auto rate = static_cast<uint32_t>(spec.rate);
    const WaveFormat format{1, 2, rate, rate * kFrameBytes, kFrameBytes, 16};
    const std::vector<uint8_t> silence(static_cast<size_t>(std::llround(spec.rate * spec.seconds)) *
                                       kFrameBytes);
    return device.CreateBuffer(format, silence);
  }
  return nullptr;
}

// A buffer of WAVE resource `id`, or of its stand-in while the resource is on its way (then
// `standIn` is set). Null when there is neither.
std::unique_ptr<IAudioBuffer> CreateSoundBuffer(IAudioDevice& device, int id, bool& standIn) {
  standIn = false;
  WaveData wave;
  if (ParseWave(FindResource(ResourceType::Wave, id), wave))
    return device.CreateResourceBuffer(wave.format, wave.pcm);
  if (!ResourcePending(ResourceType::Wave, id)) return nullptr;
  standIn = true;
  return CreateStandIn(device, id);
}

// A new buffer for a loaded sound, from its resource as it is now, that carries on where the
// old one was: its volume, its position, and playing if it played.
bool RebuildBuffer(CSound& sound) {
  if (!sound.buffer || !sound.device) return false;
  bool standIn = false;
  std::unique_ptr<IAudioBuffer> fresh =
      CreateSoundBuffer(*sound.device, sound.resourceName, standIn);
  if (!fresh) return false;
  fresh->SetVolume(sound.volume);
  fresh->SetPosition(sound.buffer->Position());
  const bool playing = sound.buffer->IsPlaying();
  sound.buffer->Stop();
  if (playing) fresh->Play(sound.loop);
  sound.buffer = std::move(fresh);
  sound.standIn = standIn;
  return true;
}

}  // namespace

bool SoundBank::Create() {
  Release();
  if (!g_platform) return false;
  device = g_platform->OpenAudio();
  return device != nullptr;
}

void SoundBank::Release() { device.reset(); }

bool SoundBank::IsLost() { return device && device->CheckLost(); }

bool SoundBank::Reopen() {
  if (!device || !device->Reopen()) return false;
  for (CSound* sound : g_loadedSounds)
    if (sound && sound->device == device.get()) RebuildBuffer(*sound);
  return true;
}

void SoundBank::TakeArrivals() {
  const uint32_t arrivals = ResourceArrivals();
  if (arrivals == arrivalsSeen_) return;
  arrivalsSeen_ = arrivals;
  for (CSound* sound : g_loadedSounds)
    if (sound && sound->standIn && !ResourcePending(ResourceType::Wave, sound->resourceName))
      RebuildBuffer(*sound);
}

void SoundBank::Prefetch(std::span<const int> ids) {
  prefetch_.insert(prefetch_.end(), ids.begin(), ids.end());
}

bool SoundBank::PrefetchOne() {
  if (prefetch_.empty()) return false;
  const int id = prefetch_.front();
  prefetch_.pop_front();
  WaveData wave;
  // One that is missing or does not parse is left to the scene that loads it to report.
  if (device && ParseWave(FindResource(ResourceType::Wave, id), wave))
    device->PrepareResource(wave.format, wave.pcm);
  return true;
}

void PrefetchSounds(std::span<const int> ids) {
  if (g_soundBank) g_soundBank->Prefetch(ids);
}

CSound::~CSound() { SoundRelease(*this); }

int32_t ClampVolume(int32_t volume) {
  if (volume > kFull) return kFull;
  if (volume < kSilent) return kSilent;
  return volume;
}

bool LoadSound(CSound& sound, int id, IAudioDevice* device, bool loop) {
  if (!device) return false;
  sound.device = device;
  sound.loop = loop;
  SoundRelease(sound);
  sound.volume = 0;  // a new buffer plays at full volume until told otherwise

  const bool there = !FindResource(ResourceType::Wave, id).empty();
  if (!there && !ResourcePending(ResourceType::Wave, id)) {
    sound.resourceName = 0;  // nothing to rebuild the sound from
    return false;
  }
  sound.resourceName = id;
  sound.buffer = CreateSoundBuffer(*device, id, sound.standIn);
  if (!sound.buffer) return false;
  Register(&sound);
  return true;
}

void SetSoundVolume(CSound& sound, int32_t volume) {
  if (!sound.buffer) return;
  sound.volume = ClampVolume(volume);
  sound.buffer->SetVolume(sound.volume);
}

bool SoundPlay(CSound& sound) {
  if (!sound.buffer) return false;
  if (sound.buffer->IsPlaying()) sound.buffer->Stop();
  sound.buffer->SetPosition(0);
  sound.buffer->Play(sound.loop);
  return true;
}

bool SoundStartIfIdle(CSound& sound) {
  if (!sound.buffer || sound.buffer->IsPlaying()) return false;
  sound.buffer->Play(sound.loop);  // from where it stopped
  return true;
}

void SoundStop(CSound& sound) {
  if (sound.buffer && sound.buffer->IsPlaying()) sound.buffer->Stop();
}

bool SoundIsPlaying(const CSound& sound) { return sound.buffer && sound.buffer->IsPlaying(); }

void SoundRelease(CSound& sound) {
  if (!sound.buffer) return;
  if (sound.buffer->IsPlaying()) sound.buffer->Stop();
  sound.buffer.reset();
  Unregister(&sound);
}

bool SoundReload(CSound& sound) {
  if (sound.resourceName == 0) return true;
  return LoadSound(sound, sound.resourceName, sound.device, sound.loop);
}

int PlayingSoundIds(int* ids, int max) {
  int count = 0;
  for (const CSound* sound : g_loadedSounds)
    if (sound && count < max && SoundIsPlaying(*sound)) ids[count++] = sound->resourceName;
  return count;
}

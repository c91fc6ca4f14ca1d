#include "media/sound.h"

#include <algorithm>
#include <iterator>

#include "system/platform.h"
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
  // A copy of the list: reloading a sound moves it within the registry.
  CSound* loaded[kRegistrySize];
  std::copy(std::begin(g_loadedSounds), std::end(g_loadedSounds), loaded);
  for (CSound* sound : loaded) {
    if (!sound || sound->device != device.get()) continue;
    const bool playing = SoundIsPlaying(*sound);
    const uint32_t position = sound->buffer->Position();
    const int32_t volume = sound->volume;
    if (!SoundReload(*sound)) continue;
    SetSoundVolume(*sound, volume);
    sound->buffer->SetPosition(position);
    if (playing) sound->buffer->Play(sound->loop);
  }
  return true;
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

  const std::span<const uint8_t> bytes = FindResource(ResourceType::Wave, id);
  if (bytes.empty()) {
    sound.resourceName = 0;  // nothing to rebuild the sound from
    return false;
  }
  sound.resourceName = id;
  WaveData wave;
  if (!ParseWave(bytes, wave)) return false;
  sound.buffer = device->CreateResourceBuffer(wave.format, wave.pcm);
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

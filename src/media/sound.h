// Sounds: WAVE resources loaded whole into playable buffers.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>

#include "system/audio_device.h"

// The application's one audio device.
struct SoundBank {
  std::unique_ptr<IAudioDevice> device;

  bool Create();  // opens the platform's audio output (a silent one when none exists)
  void Release();
  // Whether the output is gone (or never opened); the game then plays on silently.
  bool IsLost();
  // Opens a lost output again and rebuilds every loaded sound on it, as after a lost buffer:
  // each keeps its volume and position, and what was playing plays on. False when the output
  // is still missing.
  bool Reopen();
  // Sounds that a scene still to come will load. PrefetchOne readies them on the device ahead
  // (resampling), one per call, in the order given, so that the scene's start does not wait.
  void Prefetch(std::span<const int> ids);
  // Readies the next sound asked for; false when none was left.
  bool PrefetchOne();
  // Sounds loaded while their resource was still on its way (a page fetching the music) play
  // silence of its length; once the resource has arrived they get it where they are, so that a
  // piece of music joins in step with the game. Cheap when nothing arrived: once a frame.
  void TakeArrivals();

 private:
  std::deque<int> prefetch_;
  uint32_t arrivalsSeen_ = 0;
};

// Asks the program's sound bank, when there is one, to ready sounds ahead: a scene names those
// of the scenes it leads to.
void PrefetchSounds(std::span<const int> ids);

class CSound {
 public:
  CSound() = default;
  ~CSound();
  CSound(const CSound&) = delete;
  CSound& operator=(const CSound&) = delete;

  IAudioDevice* device = nullptr;
  std::unique_ptr<IAudioBuffer> buffer;
  int resourceName = 0;  // WAVE resource id, 0 when none
  bool loop = false;
  int32_t volume = 0;    // as last set, clamped; a rebuilt buffer gets it again
  bool standIn = false;  // silence in its place while the resource is on its way
};

extern SoundBank* g_soundBank;

bool LoadSound(CSound& sound, int id, IAudioDevice* device, bool loop);
void SetSoundVolume(CSound& sound, int32_t volume);
bool SoundPlay(CSound& sound);
bool SoundStartIfIdle(CSound& sound);
void SoundStop(CSound& sound);
bool SoundIsPlaying(const CSound& sound);
void SoundRelease(CSound& sound);
bool SoundReload(CSound& sound);

// Clamps a volume to -10000..0.
int32_t ClampVolume(int32_t volume);

// Writes the WAVE ids of the loaded sounds that play now into ids (at most max of them) and
// returns how many were written. Allocates nothing.
int PlayingSoundIds(int* ids, int max);

// The music and jingles: note data composed here, played offline through FluidSynth.
#pragma once

#include <cstddef>

#include "wave.h"

Stereo PlayMusic(int rate, size_t frames);       // 208: lively F major loop, ~136 BPM
Stereo MusicRoomTrack(int rate, size_t frames);  // 211: calm loop, ~125 BPM
Stereo StartJingle(int rate, size_t frames);     // 212: "ready, go!" into 208
Stereo TitleJingle(int rate, size_t frames);     // 203: bright title jingle
Stereo GameOverJingle(int rate, size_t frames);  // 210: gentle, wistful cadence
Stereo SpareJingle(int rate, size_t frames);     // 201
Stereo SpareFanfare(int rate, size_t frames);    // 207

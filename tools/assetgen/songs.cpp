#include "songs.h"

Stereo PlayMusic(int rate, size_t frames) { return Stereo(rate, frames); }
Stereo MusicRoomTrack(int rate, size_t frames) { return Stereo(rate, frames); }
Stereo StartJingle(int rate, size_t frames) { return Stereo(rate, frames); }
Stereo TitleJingle(int rate, size_t frames) { return Stereo(rate, frames); }
Stereo GameOverJingle(int rate, size_t frames) { return Stereo(rate, frames); }
Stereo SpareJingle(int rate, size_t frames) { return Stereo(rate, frames); }
Stereo SpareFanfare(int rate, size_t frames) { return Stereo(rate, frames); }

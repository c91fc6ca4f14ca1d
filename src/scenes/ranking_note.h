// What the game over screen says about the last game and the world ranking: set by the game
// application as the game starts and as the server answers, read by the game over screen.
#pragma once

#include <cstdint>

struct RankingNote {
  enum class State {
    None,      // the player does not take part: nothing is said
    Unranked,  // no seed had come from the server when the game began
    Sending,   // the run is on its way
    Placed,    // the server ranked it: `place` in the ranking of all time
    Queued,    // the server could not be reached: the run waits on disk to be sent again
    Refused,   // the server refused the run
  };
  State state = State::None;
  int32_t place = 0;
};

extern RankingNote g_rankingNote;

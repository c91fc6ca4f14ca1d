// What the game tells the program around it. A browser's page shows its loading bar while the
// game waits for resources still on their way, and holds an update's restart back while a game
// is being played; a desktop has nobody to tell.
#pragma once

class IGameHost {
 public:
  virtual ~IGameHost() = default;
  // Whether the player's game is being played, or paused under the pause menu.
  virtual void GameInPlay(bool inPlay) = 0;
  // Whether the game has stopped its frames until resources still on their way arrive.
  virtual void WaitingForResources(bool waiting) = 0;
};

// Set by the entry point where someone listens (a browser's page); null elsewhere.
extern IGameHost* g_gameHost;

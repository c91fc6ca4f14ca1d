// Short visits to the menus, played as scripts of key presses: each step waits until its scene
// is on screen, lets some frames pass and presses its key for one frame. A long autoplayed run
// uses them now and then, so that it also pauses games, reads the help and changes settings.
#pragma once

#include <cstdint>
#include <span>

#include "automation/input_script.h"
#include "scenes/scene.h"

struct TourStep {
  SceneId scene;
  bool gamePaused;  // a game is suspended under the scene
  int32_t wait;     // frames in the scene before the press
  const char* key;  // one key name of the input scripts
};

// From a running game: the pause menu, the story page, back to the pause menu and on with the
// game.
std::span<const TourStep> PauseTour();
// From the top of the title menu: the options, the volumes down a step and up again, and back
// through the return item, which stores the settings.
std::span<const TourStep> OptionsTour();

class MenuTour {
 public:
  void Start(std::span<const TourStep> steps);
  bool Running() const { return next_ < steps_.size(); }
  // The keys of this frame, for the scene now on screen.
  KeySet Keys(SceneId scene, bool gamePaused);

 private:
  std::span<const TourStep> steps_;
  size_t next_ = 0;
  int32_t waited_ = 0;
};

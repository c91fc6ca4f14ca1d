// The autoplayer: plays unattended through the keyboard. In play the planner moves the cursor,
// turns lines and holds the speed-up; on the logo, the game over screen and the title it presses
// on to the next game. A game paused under the title is left to whoever is at the keyboard.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "automation/input_script.h"
#include "automation/menu_tour.h"
#include "automation/planner.h"
#include "system/input_devices.h"

class CPlay;
class CTitle;

class Autoplayer {
 public:
  struct Settings {
    uint32_t games = 0;      // games to play before the run ends; 0 = no end
    uint32_t tourEvery = 0;  // frames between visits to the menus; 0 = none
  };

  // Each ended game is reported on `log`.
  Autoplayer(Settings settings, std::FILE* log)
      : settings_(settings), log_(log), framesToTour_(settings.tourEvery) {}

  // The keys to hold in the frame that is starting, chosen from the scene on screen.
  KeySet KeysForFrame();
  // After each frame: notices a game that ended and reports it. True once the games asked for
  // have all ended.
  bool AfterFrame();

  uint32_t GamesEnded() const { return gamesEnded_; }

 private:
  KeySet PlayKeys(const CPlay& play);
  KeySet TitleKeys(const CTitle& title);
  // `keys` when they were up in the last frame, so that they count as a new press.
  KeySet Press(KeySet keys) const { return (lastKeys_ & keys) ? 0 : keys; }
  void ReportEnd(const CPlay& play);

  Settings settings_;
  std::FILE* log_;
  AutoPlanner planner_;
  MenuTour tour_;
  KeySet lastKeys_ = 0;
  uint32_t framesToTour_ = 0;
  bool optionsTourDue_ = false;
  bool inGame_ = false;
  uint32_t gamesEnded_ = 0;
  int32_t gameFrames_ = 0;
  int32_t longestChain_ = 0;
};

// The keyboard of an autoplayed run: the keys of the autoplayer together with those of the
// keyboard it stands in front of (the real one, a script, or none), so that a person can still
// pause the game.
class AutoplayKeyboard : public IKeyboardDevice {
 public:
  AutoplayKeyboard(std::unique_ptr<IKeyboardDevice> person, Autoplayer& autoplayer)
      : person_(std::move(person)), autoplayer_(autoplayer) {}
  void Acquire() override;
  void Unacquire() override;
  bool Poll(uint8_t (&keys)[256]) override;
  void Bind(const Bindings* bindings) override {
    if (person_) person_->Bind(bindings);
  }
  uint16_t TakePressedKey() override { return person_ ? person_->TakePressedKey() : 0; }

 private:
  std::unique_ptr<IKeyboardDevice> person_;
  Autoplayer& autoplayer_;
};

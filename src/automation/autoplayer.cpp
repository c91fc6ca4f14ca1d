#include "automation/autoplayer.h"

#include <algorithm>
#include <cstring>

#include "automation/play_view.h"
#include "automation/trace.h"
#include "save/save_data.h"
#include "scenes/game_over.h"
#include "scenes/play.h"
#include "scenes/scene_manager.h"
#include "scenes/title.h"

namespace {

const KeySet kUp = KeyNamed("Up");
const KeySet kDown = KeyNamed("Down");
const KeySet kLeft = KeyNamed("Left");
const KeySet kRight = KeyNamed("Right");
const KeySet kReturn = KeyNamed("Return");
const KeySet kEscape = KeyNamed("Escape");
const KeySet kSpeed = KeyNamed("Z");

KeySet KeysOf(PlayButtons buttons) {
  KeySet keys = 0;
  if (buttons & kHoldUp) keys |= kUp;
  if (buttons & kHoldDown) keys |= kDown;
  if (buttons & kHoldLeft) keys |= kLeft;
  if (buttons & kHoldRight) keys |= kRight;
  if (buttons & kHoldSpeed) keys |= kSpeed;
  return keys;
}

}  // namespace

KeySet Autoplayer::KeysForFrame() {
  const CScene* scene = g_sceneManager.currentScene.get();
  const bool paused = !g_sceneManager.suspended.empty();
  KeySet keys = 0;
  if (tour_.Running()) {
    keys = tour_.Keys(SceneIdOf(scene), paused);
  } else if (const CPlay* play = dynamic_cast<const CPlay*>(scene)) {
    keys = PlayKeys(*play);
  } else if (const CTitle* title = dynamic_cast<const CTitle*>(scene)) {
    keys = paused ? 0 : TitleKeys(*title);
  } else if (const CGameOver* over = dynamic_cast<const CGameOver*>(scene)) {
    keys = over->phase == Waiting ? Press(kReturn) : 0;
  } else if (SceneIdOf(scene) == Logo) {
    keys = Press(kReturn);  // the first press shows the logo whole, the next one ends it
  }
  lastKeys_ = keys;
  return keys;
}

KeySet Autoplayer::PlayKeys(const CPlay& play) {
  if (play.phase != PhasePlaying) return 0;
  if (!inGame_) {
    inGame_ = true;
    gameFrames_ = 0;
    longestChain_ = 0;
    planner_.Reset();
  }
  if (settings_.tourEvery != 0 && framesToTour_ == 0) {
    framesToTour_ = settings_.tourEvery;
    optionsTourDue_ = true;
    tour_.Start(PauseTour());
    return tour_.Keys(Play, false);
  }
  return KeysOf(planner_.Decide(ViewOfPlay(play)));
}

KeySet Autoplayer::TitleKeys(const CTitle& title) {
  if (title.menuLevel != 0) return Press(kEscape);  // back to the top menu
  if (title.topCursor != 0) return Press(kUp);      // up leads to the start item
  if (optionsTourDue_) {
    optionsTourDue_ = false;
    tour_.Start(OptionsTour());
    return tour_.Keys(Title, false);
  }
  return Press(kReturn);
}

bool Autoplayer::AfterFrame() {
  if (settings_.tourEvery != 0 && framesToTour_ > 0) --framesToTour_;
  const CPlay* play = dynamic_cast<const CPlay*>(g_sceneManager.currentScene.get());
  if (!play || !inGame_) return false;
  ++gameFrames_;
  if (g_saveData) longestChain_ = std::max(longestChain_, g_saveData->diamondChain);
  if (play->phase != PhaseCutOff && play->phase != PhaseCaught) return false;
  inGame_ = false;
  ++gamesEnded_;
  ReportEnd(*play);
  return settings_.games != 0 && gamesEnded_ >= settings_.games;
}

void Autoplayer::ReportEnd(const CPlay& play) {
  if (!log_ || !g_saveData) return;
  std::fprintf(log_, "autoplay: game %u distance %d score %d chain %d frames %d end %s\n",
               gamesEnded_, g_saveData->distance, g_saveData->score, longestChain_, gameFrames_,
               play.phase == PhaseCaught ? "caught" : "cut-off");
  std::fflush(log_);
}

void AutoplayKeyboard::Acquire() {
  if (person_) person_->Acquire();
}

void AutoplayKeyboard::Unacquire() {
  if (person_) person_->Unacquire();
}

bool AutoplayKeyboard::Poll(uint8_t (&keys)[256]) {
  if (!person_ || !person_->Poll(keys)) std::memset(keys, 0, sizeof keys);
  uint8_t mine[256];
  KeysToState(autoplayer_.KeysForFrame(), mine);
  for (size_t i = 0; i < sizeof keys; ++i) keys[i] |= mine[i];
  return true;
}

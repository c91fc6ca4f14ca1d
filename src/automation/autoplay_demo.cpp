#include "automation/autoplay_demo.h"

#include "automation/play_view.h"
#include "media/input.h"

uint16_t AutoplayDemo::Buttons(const CPlay& play) {
  const PlayButtons planned = planner_.Decide(ViewOfPlay(play));
  uint16_t buttons = 0;
  const auto hold = [&](PlayButtons bit, Button button) {
    if (planned & bit) buttons |= static_cast<uint16_t>(1u << button);
  };
  hold(kHoldUp, Up);
  hold(kHoldDown, Down);
  hold(kHoldLeft, Left);
  hold(kHoldRight, Right);
  hold(kHoldSpeed, Button1);
  return buttons;
}

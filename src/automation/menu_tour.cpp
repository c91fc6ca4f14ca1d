#include "automation/menu_tour.h"

namespace {

// clang-format off
constexpr TourStep kPauseTour[] = {
    {Play, false, 0, "Escape"},    // the pause menu opens on the how-to-play items
    {Title, true, 30, "Down"},
    {Title, true, 10, "Down"},     // the story
    {Title, true, 10, "Return"},
    {Rule, true, 30, "Down"},      // scroll the text a little
    {Rule, true, 8, "Down"},
    {Rule, true, 20, "Escape"},    // back to the pause menu
    {Title, true, 30, "Escape"},   // and back to the game
};

constexpr TourStep kOptionsTour[] = {
    {Title, false, 20, "Down"},
    {Title, false, 8, "Down"},     // the options item
    {Title, false, 8, "Return"},
    {Option, false, 30, "Left"},   // music volume down a step
    {Option, false, 8, "Right"},   // and up again
    {Option, false, 8, "Down"},
    {Option, false, 8, "Left"},    // the same for the effects
    {Option, false, 8, "Right"},
    {Option, false, 8, "Down"},    // past the display mode, untouched
    {Option, false, 8, "Down"},
    {Option, false, 8, "Return"},  // the return item stores the settings
};
// clang-format on

}  // namespace

std::span<const TourStep> PauseTour() { return kPauseTour; }
std::span<const TourStep> OptionsTour() { return kOptionsTour; }

void MenuTour::Start(std::span<const TourStep> steps) {
  steps_ = steps;
  next_ = 0;
  waited_ = 0;
}

KeySet MenuTour::Keys(SceneId scene, bool gamePaused) {
  if (!Running()) return 0;
  const TourStep& step = steps_[next_];
  if (step.scene != scene || step.gamePaused != gamePaused) {
    waited_ = 0;
    return 0;
  }
  if (waited_ < step.wait) {
    ++waited_;
    return 0;
  }
  ++next_;
  waited_ = 0;
  return KeyNamed(step.key);
}

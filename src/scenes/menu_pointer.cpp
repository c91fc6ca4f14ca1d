#include "scenes/menu_pointer.h"

MenuPointing PointAtItems(const PointerState& pointer, std::span<const ScreenRect> items) {
  MenuPointing pointing;
  for (int32_t i = 0; i < static_cast<int32_t>(items.size()); ++i) {
    const ScreenRect& item = items[i];
    if (pointer.TappedIn(item)) pointing.chosen = i;
    if ((pointer.hovered || pointer.pressed) && item.Contains(pointer.x, pointer.y))
      pointing.over = i;
  }
  if (pointing.chosen >= 0) pointing.over = pointing.chosen;
  return pointing;
}

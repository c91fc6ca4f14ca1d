#include "scenes/menu_pointer.h"

#include "scenes/menu_scene.h"

namespace {

struct HintPlace {
  ScreenRect source;  // in the pointer sheet
  int32_t x, y;       // on the screen
};

// By PointerHint.
constexpr HintPlace kHintPlaces[] = {
    {{0, 0, 800, 95}, 0, 500},      // the title's how-to footer
    {{0, 96, 768, 80}, 16, 512},    // the reading scenes' bar
    {{0, 176, 768, 80}, 16, 512},   // the options' bar
    {{0, 256, 768, 80}, 16, 512},   // the rooms' bar
    {{0, 336, 500, 54}, 164, 546},  // the title's top-menu footer
};

}  // namespace

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

bool CPointerHints::LoadResources(SceneId scene) {
  constexpr int kIds[1] = {kBitmapPointerSheet};
  return LoadMenuImages(std::span(&sheet_, 1), kIds, scene);
}

void CPointerHints::Draw(PointerHint hint) {
  if (lastDevice_ != InputDevice::Pointer || !sheet_.texture) return;
  const HintPlace& place = kHintPlaces[static_cast<int>(hint)];
  SetSpriteRect(sheet_, place.source.x, place.source.y, place.source.w, place.source.h);
  DrawSprite(g_device, sheet_, place.x, place.y, 0.0f, 0, 0, 0.0f);
}

// The CG room.
#include "scenes/cg_room.h"

#include <span>

#include "scenes/menu_scene.h"
#include "scenes/scene_manager.h"
#include "system/resource_ids.h"

namespace {

constexpr int kFirstSelectable = 3;  // tiles are sprites 3 to 14, the return button 15
constexpr int kSelectableCount = 13;
constexpr int kTileColumns = 4;
constexpr int kTileRows = 3;

constexpr int kCGRoomImageIds[4] = {kBitmapCommonBackground, kBitmapTextPanel, kBitmapCgRoomTiles,
                                    kBitmapCommonParts};

// The tiles on the screen, row by row (180 x 120 about their centres), then the return button.
constexpr ScreenRect TileRect(int32_t column, int32_t row) {
  return {30 + 182 * column, 80 + 122 * row, 180, 120};
}
constexpr ScreenRect kItemRects[kSelectableCount] = {
    TileRect(0, 0), TileRect(1, 0), TileRect(2, 0),     TileRect(3, 0), TileRect(0, 1),
    TileRect(1, 1), TileRect(2, 1), TileRect(3, 1),     TileRect(0, 2), TileRect(1, 2),
    TileRect(2, 2), TileRect(3, 2), {276, 424, 248, 72}};

}  // namespace

std::span<const int> CCGRoom::PictureIds() { return kCGRoomImageIds; }

CCGRoom::CCGRoom() : CSpriteMenuScene(CGRoom, kCGRoomImageIds, kMenuSounds, KeyHelpBar::RoomBar) {}

bool CCGRoom::Init() {
  sprites[0] = NewMotionSprite({1, 16, 8, 768, 408, 0, 0, "i1m16,64"});
  sprites[1] = NewMotionSprite({3, 368, 352, 96, 48, 0, 0, "m280,16"});
  sprites[2] = NewMotionSprite({3, 600, 296, 144, 48, 0, 0, "m376,16"});
  // Rows of the tile sheet are the difficulty levels, columns the grades.
  for (int r = 0; r < kTileRows; ++r) {
    for (int c = 0; c < kTileColumns; ++c) {
      const float x = 120.0f + 182.0f * static_cast<float>(c);
      const float y = 140.0f + 122.0f * static_cast<float>(r);
      sprites[kFirstSelectable + r * kTileColumns + c] =
          NewMotionSprite({2, 180 * c, 120 * r, 180, 120, 90, 60, "m$0,$1"}, x, y);
    }
  }
  sprites[15] = NewMotionSprite({3, 324, 0, 248, 72, 124, 36, "m400,460"});
  sprites[16] = NewMotionSprite({3, 331, 224, 201, 16, 0, 0, "m540,480"});
  sprites[17] = NewMotionSprite({3, 16, 512, 768, 80, 0, 0, "m16,512"});
  cursor = 0;
  ApplyHighlight();
  decideRequest = cancelRequest = false;
  return true;
}

// The item under the cursor pulses and comes to the front; the others snap back to normal.
void CCGRoom::ApplyHighlight() {
  Highlight(std::span(sprites).subspan(kFirstSelectable, kSelectableCount), cursor,
            "z1.25,1.25,20,1i-1", "z1,1i0");
}

// The four directions apply one after the other to the running cursor; nothing wraps.
void CCGRoom::Input(const CInput& input) {
  const int32_t old = cursor;
  if (input[Up].PressedOrRepeat() && cursor >= kTileColumns) cursor -= kTileColumns;
  if (input[Down].PressedOrRepeat()) {
    if (cursor < kReturnButton - kTileColumns) {
      cursor += kTileColumns;
    } else if (cursor < kReturnButton) {
      cursor = kReturnButton;
    }
  }
  if (input[Left].PressedOrRepeat() && cursor > 0) --cursor;
  if (input[Right].PressedOrRepeat() && cursor < kReturnButton) ++cursor;
  keyHelp.Follow(input);
  const MenuPointing pointing = PointAtItems(input.pointer, kItemRects);
  if (pointing.over >= 0) cursor = pointing.over;
  if (cursor != old) {
    ApplyHighlight();
    SoundPlay(sounds[0]);
  }
  if (input.ConfirmPressed() || pointing.chosen >= 0) {
    decideRequest = true;
    SoundPlay(sounds[1]);
  }
  if (input.CancelPressed()) {
    cancelRequest = true;
    SoundPlay(sounds[1]);
  }
}

bool CCGRoom::Update() {
  if (cancelRequest || (decideRequest && cursor >= kReturnButton)) RequestScene(Title, false);
  decideRequest = cancelRequest = false;
  StepMotionSprites(sprites);
  return true;
}

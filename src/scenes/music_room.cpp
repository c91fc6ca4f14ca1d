// The music room.
#include "scenes/music_room.h"

#include <span>

#include "scenes/menu_scene.h"
#include "scenes/scene_manager.h"
#include "system/resource_ids.h"

namespace {

constexpr int kFirstItem = 3;  // tracks are sprites 3 to 6, stop 7, return 8
constexpr int kItemCount = 6;
constexpr int kMusic = 0;

constexpr MotionSpriteDef kMusicRoomSpriteDefs[CMusicRoom::kSpriteCount] = {
    {1, 16, 8, 768, 408, 0, 0, "i1m16,64"},       // panel
    {3, 472, 352, 208, 48, 0, 0, "m224,16"},      // caption, first word
    {3, 600, 296, 144, 48, 0, 0, "m432,16"},      // caption, second word
    {2, 222, 82, 376, 60, 188, 30, "m400,102"},   // track 1
    {2, 222, 142, 376, 60, 188, 30, "m400,162"},  // track 2
    {2, 222, 202, 376, 60, 188, 30, "m400,222"},  // track 3
    {2, 222, 262, 376, 60, 188, 30, "m400,282"},  // track 4
    {2, 222, 322, 376, 60, 188, 30, "m400,342"},  // stop
    {3, 324, 0, 248, 72, 124, 36, "m400,460"},    // return button
    {3, 331, 240, 210, 17, 0, 0, "m540,480"},     // credit line
    {3, 16, 520, 768, 80, 0, 0, "m16,512"},       // key help bar
};

constexpr int kMusicRoomImageIds[4] = {kBitmapCommonBackground, kBitmapTextPanel,
                                       kBitmapMusicRoomSheet, kBitmapCommonParts};

// The tracks and the stop item (376 x 60 about x 400, y 102 + 60 k), then the return button.
constexpr ScreenRect kItemRects[kItemCount] = {{212, 72, 376, 60},  {212, 132, 376, 60},
                                               {212, 192, 376, 60}, {212, 252, 376, 60},
                                               {212, 312, 376, 60}, {276, 424, 248, 72}};
constexpr SoundLoad kMusicRoomSoundLoads[3] = {
    {kWaveMusicRoomTrack, true}, {kWaveCursor, false}, {kWaveDecide, false}};

}  // namespace

std::span<const int> CMusicRoom::PictureIds() { return kMusicRoomImageIds; }

CMusicRoom::CMusicRoom()
    : CSpriteMenuScene(MusicRoom, kMusicRoomImageIds, kMusicRoomSoundLoads, KeyHelpBar::RoomBar) {}

bool CMusicRoom::Init() {
  for (int i = 0; i < kSpriteCount; ++i) sprites[i] = NewMotionSprite(kMusicRoomSpriteDefs[i]);
  cursor = 0;
  playing = -1;
  ApplyHighlight();
  decideRequest = cancelRequest = false;
  return true;
}

void CMusicRoom::ApplyHighlight() {
  Highlight(std::span(sprites).subspan(kFirstItem, kItemCount), cursor, "z1.25,1.25,20,1", "z1,1");
}

void CMusicRoom::Input(const CInput& input) {
  const int32_t old = cursor;
  if (input[Up].PressedOrRepeat() && cursor > 0) --cursor;
  if (input[Down].PressedOrRepeat() && cursor < kReturnItem) ++cursor;
  keyHelp.Follow(input);
  const MenuPointing pointing = PointAtItems(input.pointer, kItemRects);
  if (pointing.over >= 0) cursor = pointing.over;
  if (cursor != old) {
    ApplyHighlight();
    SoundPlay(sounds[1]);
  }
  if (input.ConfirmPressed() || pointing.chosen >= 0) {
    decideRequest = true;
    SoundPlay(sounds[2]);
  }
  if (input.CancelPressed()) {
    cancelRequest = true;
    SoundPlay(sounds[2]);
  }
}

// A track item always restarts the music from its beginning; the stop item only stops it.
void CMusicRoom::Choose() {
  if (playing >= 0) {
    SoundStop(sounds[playing]);
    playing = -1;
  }
  if (cursor < kStopItem) {
    playing = kMusic;
    SoundPlay(sounds[kMusic]);
  }
}

bool CMusicRoom::Update() {
  if (cancelRequest || (decideRequest && cursor > kStopItem)) {
    RequestScene(Title, false);  // the music ends when the scene releases its sounds
  } else if (decideRequest) {
    Choose();
  }
  decideRequest = cancelRequest = false;
  StepMotionSprites(sprites);
  return true;
}

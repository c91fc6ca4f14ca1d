// The option scene.
#include "scenes/option.h"

#include <algorithm>

#include "media/font.h"
#include "save/ranking_settings.h"
#include "save/save_data.h"
#include "save/save_file.h"
#include "scenes/menu_scene.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/resource_ids.h"

namespace {

constexpr int kMusicLabel = 2;
constexpr int kEffectLabel = 3;
constexpr int kDisplayLabel = 4;
constexpr int kMusicBar = 5;
constexpr int kEffectBar = 6;
constexpr int kLeftArrow = 7;
constexpr int kRightArrow = 8;
constexpr int kReturnButton = 9;

constexpr MotionSpriteDef kOptionSpriteDefs[COption::kSpriteCount] = {
    {2, 16, 8, 768, 408, 0, 0, "i1m16,64"},     // panel with every item label
    {3, 560, 248, 240, 48, 0, 0, "m280,16"},    // caption
    {2, 0, 504, 128, 48, 0, 0, "m56,160h1"},    // highlighted music label
    {2, 128, 504, 128, 48, 0, 0, "m56,208h1"},  // highlighted effect label
    {2, 256, 504, 128, 48, 0, 0, "m56,288h1"},  // highlighted display-mode label
    {2, 8, 424, 400, 32, 0, 0, "m248,168"},     // music volume bar
    {2, 8, 424, 400, 32, 0, 0, "m248,216"},     // effect volume bar
    {3, 736, 8, 48, 48, 0, 0, "m0,0"},          // left-pointing arrow
    {3, 688, 8, 48, 48, 0, 0, "m0,0"},          // right-pointing arrow
    {3, 324, 0, 248, 72, 124, 36, "m400,460"},  // return button
    {1, 16, 424, 768, 80, 0, 0, "m16,512"},     // key help bar
};

constexpr int kOptionImageIds[4] = {kBitmapCommonBackground, kBitmapTextPanel, kBitmapOptionPanel,
                                    kBitmapCommonParts};

// The rows on the screen by item, and the volume bars' extent: 0 % at the left, 100 % at the
// right. A tap left of the middle steps down, right of it up.
constexpr ScreenRect kRowRects[6] = {{16, 158, 768, 50},  {16, 208, 768, 50},  {16, 282, 768, 126},
                                     {276, 424, 248, 72}, {552, 430, 216, 60}, {32, 430, 216, 60}};
// The controls item's plate, from the key-help sheet.
constexpr const ScreenRect& kControlsPlate = kRowRects[COption::ControlsItem];
// The world ranking's plate, lettered with the game's font.
constexpr const ScreenRect& kRankingPlate = kRowRects[COption::RankingItem];
constexpr int kPlateFont = 3;
constexpr uint32_t kPlateInk = 0xFF4A3A6A;
constexpr int32_t kBarLeft = 248;
constexpr int32_t kBarWidth = 400;
constexpr int32_t kMiddle = 400;

// Scripts of the labels, arrows and return button for each cursor position (table rows) and,
// on the display-mode item, for each mode.
struct CursorLayout {
  const char* musicLabel;
  const char* effectLabel;
  const char* displayLabel;
  const char* leftArrow;
  const char* rightArrow;
  const char* returnButton;
};

constexpr CursorLayout kLayouts[6] = {
    {"h0", "h1", "h1", "h0[m186,160m176,160,10w10]", "h0[m658,160m668,160,10w10]", "z1,1"},
    {"h1", "h0", "h1", "h0[m186,210m176,210,10w10]", "h0[m658,210m668,210,10w10]", "z1,1"},
    {"h1", "h1", "h0", "h1", nullptr, "z1,1"},
    {"h1", "h1", "h1", "h1", "h1", "z1.1,1.1,10,1"},
    {"h1", "h1", "h1", "h1", "h1", "z1,1"},
    {"h1", "h1", "h1", "h1", "h1", "z1,1"},
};
constexpr const char* kWindowModeArrow = "h0[m56,350m66,350,10w10]";
constexpr const char* kFullScreenArrow = "h0[m360,350m370,350,10w10]";

}  // namespace

// The record's volume is clamped first, as it is where a sound buffer takes it, so a value out
// of range in the save file still shows a bar between empty and full.
int32_t VolumePercent(int32_t volume) { return (ClampVolume(volume) + 10000) * 100 / 10000; }

int32_t PercentVolume(int32_t percent) { return percent * 10000 / 100 - 10000; }

std::span<const int> COption::PictureIds() { return kOptionImageIds; }

COption::COption()
    : CSpriteMenuScene(Option, kOptionImageIds, kMenuSounds, KeyHelpBar::OptionBar) {}

bool COption::Init() {
  for (int i = 0; i < kSpriteCount; ++i) sprites[i] = NewMotionSprite(kOptionSpriteDefs[i]);
  musicPercent = VolumePercent(g_saveData->bgmVolume);
  effectPercent = VolumePercent(g_saveData->seVolume);
  ShowVolume(kMusicBar, musicPercent);
  ShowVolume(kEffectBar, effectPercent);
  shownMode = g_saveData->fullScreen != 0;
  cursor = MusicItem;
  ApplyCursorLayout();
  decideRequest = leftRequest = rightRequest = cancelRequest = false;
  return true;
}

// The bar is drawn percent / 100 of its width, growing from its left edge (its pivot).
void COption::ShowVolume(int bar, int32_t percent) {
  sprites[bar]->params[0] = static_cast<float>(percent) / 100.0f;
  sprites[bar]->SetScript("z$0,1");
}

void COption::ApplyCursorLayout() {
  const CursorLayout& layout = kLayouts[cursor];
  sprites[kMusicLabel]->SetScript(layout.musicLabel);
  sprites[kEffectLabel]->SetScript(layout.effectLabel);
  sprites[kDisplayLabel]->SetScript(layout.displayLabel);
  sprites[kLeftArrow]->SetScript(layout.leftArrow);
  const char* rightArrow = layout.rightArrow;
  if (rightArrow == nullptr) rightArrow = shownMode ? kFullScreenArrow : kWindowModeArrow;
  sprites[kRightArrow]->SetScript(rightArrow);
  sprites[kReturnButton]->SetScript(layout.returnButton);
}

void COption::Input(const CInput& input) {
  const int32_t old = cursor;
  if (input[Up].PressedOrRepeat() && cursor > MusicItem)
    cursor = std::min(cursor - 1, int32_t{DisplayItem});
  if (input[Down].PressedOrRepeat() && cursor < ReturnItem) ++cursor;
  if (cursor != old) {
    ApplyCursorLayout();
    SoundPlay(sounds[0]);
  }
  if (!MoveBesideReturn(input) && cursor < ReturnItem) {
    leftRequest = input[Left].PressedOrRepeat();
    rightRequest = input[Right].PressedOrRepeat();
    // The blip sounds even when the value cannot move further.
    if (leftRequest || rightRequest) SoundPlay(sounds[0]);
  }
  if (input.ConfirmPressed()) {
    decideRequest = true;
    SoundPlay(sounds[1]);
  }
  if (input.CancelPressed()) {
    cancelRequest = true;
    SoundPlay(sounds[1]);
  }
  keyHelp.Follow(input);
  PointAt(input.pointer);
}

bool COption::MoveBesideReturn(const CInput& input) {
  const bool right = input[Right].Pressed(), left = input[Left].Pressed();
  if (cursor == ReturnItem && right) {
    cursor = ControlsItem;
  } else if (cursor == ReturnItem && left && g_rankingSettings) {
    cursor = RankingItem;
  } else if ((cursor == ControlsItem && left) || (cursor == RankingItem && right)) {
    cursor = ReturnItem;
  } else {
    return false;
  }
  ApplyCursorLayout();
  SoundPlay(sounds[0]);
  return true;
}

void COption::PointAt(const PointerState& pointer) {
  // The ranking's plate is there only where the game can reach the ranking's server.
  const MenuPointing pointing = PointAtItems(
      pointer, std::span<const ScreenRect>(kRowRects).first(g_rankingSettings ? 6 : 5));
  if (pointing.over >= 0 && pointing.over != cursor) {
    cursor = pointing.over;
    ApplyCursorLayout();
    SoundPlay(sounds[0]);
  }
  if (pointing.chosen >= ReturnItem) {
    decideRequest = true;
    SoundPlay(sounds[1]);
  } else if (pointing.chosen >= 0) {
    (pointer.pressX < kMiddle ? leftRequest : rightRequest) = true;
    SoundPlay(sounds[0]);
  }
  const bool onBar = cursor == MusicItem || cursor == EffectItem;
  if (!pointer.dragging || !onBar || !kRowRects[cursor].Contains(pointer.pressX, pointer.pressY))
    return;
  const int32_t steps = ((pointer.x - kBarLeft) * 10 + kBarWidth / 2) / kBarWidth;
  barPercent = std::clamp(steps, 0, 10) * 10;
  if (barPercent != (cursor == MusicItem ? musicPercent : effectPercent)) SoundPlay(sounds[0]);
}

// Left is applied before Right, so both together leave 50 % and 100 % alone but raise 0 %.
bool COption::StepPercent(int32_t& percent) const {
  const int32_t old = percent;
  if (barPercent >= 0) percent = barPercent;
  if (leftRequest && percent >= 10) percent -= 10;
  if (rightRequest && percent <= 90) percent += 10;
  return percent != old;
}

void COption::UpdateItem() {
  switch (cursor) {
    case MusicItem:
      if (StepPercent(musicPercent)) {
        g_saveData->bgmVolume = PercentVolume(musicPercent);
        ShowVolume(kMusicBar, musicPercent);
      }
      break;
    case EffectItem:
      if (StepPercent(effectPercent)) {
        g_saveData->seVolume = PercentVolume(effectPercent);
        ShowVolume(kEffectBar, effectPercent);
        for (CSound& sound : sounds) SetSoundVolume(sound, g_saveData->seVolume);
      }
      break;
    case DisplayItem: {
      const bool old = shownMode;
      if (leftRequest) shownMode = false;
      if (rightRequest) shownMode = true;
      if (shownMode != old) {
        g_saveData->fullScreen = shownMode ? 1 : 0;
        ApplyCursorLayout();
      }
      break;
    }
    case ReturnItem:
      if (decideRequest) {
        StoreSaveData(*g_saveData);  // a failure is reported; the settings stay in force
        if (!ReturnToSuspendedScene()) RequestScene(Title, false);
      }
      break;
    case ControlsItem:
      if (decideRequest) RequestScene(Controls, false);  // which comes back here
      break;
    case RankingItem:
      if (decideRequest) RequestScene(RankingSetup, false);  // which comes back here
      break;
  }
}

void COption::Draw(CFont* const* fonts) {
  CSpriteMenuScene::Draw(fonts);
  keyHelp.DrawControlsItem(cursor == ControlsItem, kControlsPlate.x, kControlsPlate.y);
  if (g_rankingSettings) DrawRankingPlate(fonts);
}

// Light letters in a dark outline on a plate of the controls item's colours.
void COption::DrawRankingPlate(CFont* const* fonts) const {
  const ScreenRect& plate = kRankingPlate;
  const bool lit = cursor == RankingItem;
  FillRect(plate, kPlateInk);
  FillRect({plate.x + 3, plate.y + 3, plate.w - 6, plate.h - 6}, lit ? 0xFFF08C78 : 0xFFB9A6E8);
  CFont* font = fonts[kPlateFont];
  if (!font) return;
  const std::string text = Fitted(font, Texts().ranking.caption, plate.w - 12);
  const int32_t left = plate.x + (plate.w - font->TextWidth(text)) / 2;
  const int32_t top = plate.y + (plate.h - font->Height()) / 2;
  for (int dx = -2; dx <= 2; dx += 2)
    for (int dy = -2; dy <= 2; dy += 2) font->DrawText(text, left + dx, top + dy, kPlateInk);
  font->DrawText(text, left, top, lit ? 0xFFFFF3A0 : 0xFFFFFFFF);
}

bool COption::Update() {
  if (cancelRequest) {
    RequestScene(Title, false);  // nothing is stored; the changes stay in force
  } else {
    UpdateItem();
  }
  decideRequest = leftRequest = rightRequest = cancelRequest = false;
  barPercent = -1;
  // Alt+Enter changes the mode behind the scene's back: follow it.
  if ((g_saveData->fullScreen != 0) != shownMode) {
    shownMode = g_saveData->fullScreen != 0;
    ApplyCursorLayout();
  }
  StepMotionSprites(sprites);
  return true;
}

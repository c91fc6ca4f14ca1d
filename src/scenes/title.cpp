// The title scene: main menu and pause menu.
#include "scenes/title.h"

#include <algorithm>
#include <cstdio>

#include "save/save_data.h"
#include "scenes/menu_pointer.h"
#include "scenes/menu_scene.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/resource_ids.h"

namespace {

constexpr const char* kLogoScript = "i1m400,-200m400,120,10r-0.01r0.01,50,1";
constexpr const char* kItemScript = "m590,$0h1";
constexpr const char* kSetLevelHighlight = "z1.25,1.25,20,1";
constexpr const char* kCursorHighlight = "z1.2,1.2,20,1";
constexpr const char* kNormalSize = "z1,1";

constexpr int kMainLogo = 0;
constexpr int kSubmenuFooter = 18;
constexpr int kTopFooter = 23;
constexpr int kFirstDigit = 25;
constexpr int kDigitCount = 10;
constexpr int kPauseLogo = 35;

constexpr int kReplayItemSprite = 36;

enum TopItem {
  StartItem = 0,
  HowToPlayItem = 1,
  OptionItem = 2,
  QuitItem = 5,
  InfoItem = 6,
  ReplayItem = 7
};
constexpr int32_t kBackItem = 3;  // the last how-to-play item; 0 to 2 are the rule topics

// Top menu items on screen from top to bottom; items 3 and 4 (the CG room and the music room)
// are never shown, and the pause menu has no replays.
constexpr int32_t kTopOrder[] = {StartItem, HowToPlayItem, OptionItem,
                                 InfoItem,  ReplayItem,    QuitItem};
constexpr int32_t kPauseOrder[] = {StartItem, HowToPlayItem, OptionItem, InfoItem, QuitItem};

constexpr int kTitleImageIds[7] = {kBitmapTitleBackground, kBitmapTitleLayout, kBitmapCommonParts,
                                   kBitmapInfoParts,       kBitmapHeroine,     kBitmapPlayTopBar,
                                   kBitmapReplaySheet};
constexpr SoundLoad kTitleSoundLoads[3] = {
    {kWaveTitleJingle, false}, {kWaveCursor, false}, {kWaveDecide, false}};

// Rows of the sprite table whose script reads params[0] = 277 + 48k (k = 0..3 or 0..5).
constexpr float ItemY(int k) { return 277.0f + 48.0f * static_cast<float>(k); }

// Where the items are on the screen, centred on x 590, 322 x 48: the top menu's from top to
// bottom (their centres), and the how-to-play page's.
constexpr ScreenRect ItemRect(int32_t centreY) { return {429, centreY - 24, 322, 48}; }
constexpr int32_t kTopCentres[] = {277, 325, 373, 422, 469, 517};
constexpr ScreenRect kTopRects[6] = {ItemRect(277), ItemRect(325), ItemRect(373),
                                     ItemRect(422), ItemRect(469), ItemRect(517)};
constexpr ScreenRect kSubRects[CTitle::kSubItems] = {ItemRect(277), ItemRect(325), ItemRect(373),
                                                     ItemRect(421)};

constexpr int32_t kPowersOfTen[kDigitCount] = {1000000000, 100000000, 10000000, 1000000, 100000,
                                               10000,      1000,      100,      10,      1};

}  // namespace

void CTitle::CreateSprites() {
  MotionSprite** s = motionSprites;
  s[0] = NewMotionSprite({1, 0, 0, 800, 210, 400, 105, kLogoScript});
  s[1] = NewMotionSprite({4, 0, 0, 85, 85, 0, 0, "m180,416p0,0,8,1,0,8,3,3,8,4,3,8,-13"});
  s[2] = NewMotionSprite({1, 48, 248, 352, 188, 0, 0, "m48,248"});
  for (int k = 0; k < 6; ++k) {
    s[3 + k] = NewMotionSprite({1, 430, 253 + 48 * k, 322, 48, 161, 24, kItemScript}, ItemY(k));
  }
  s[9] = NewMotionSprite({3, 0, 0, 320, 48, 160, 24, "m590,553"});
  for (int k = 0; k < 4; ++k) {
    s[10 + k] = NewMotionSprite({2, 0, 48 * k, 322, 48, 161, 24, kItemScript}, ItemY(k));
  }
  constexpr int32_t kSubItemSourceY[kSubItems] = {192, 240, 288, 144};
  for (int k = 0; k < kSubItems; ++k) {
    s[14 + k] =
        NewMotionSprite({2, 0, kSubItemSourceY[k], 322, 48, 161, 24, kItemScript}, ItemY(k));
  }
  s[kSubmenuFooter] = NewMotionSprite({2, 0, 502, 800, 95, 0, 0, "m0,500"});
  s[19] = NewMotionSprite({2, 0, 407, 800, 95, 0, 0, "m0,500h1"});
  for (int k = 0; k < 3; ++k)
    s[20 + k] = NewMotionSprite({2, 322, 91 * k, 248, 91, 124, 45, "m0,0h1"});
  s[kTopFooter] = NewMotionSprite({1, 164, 546, 500, 54, 0, 0, "m164,546"});
  s[24] = NewMotionSprite({3, 520, 0, 115, 26, 0, 0, "m221,2"});
  CreateScoreDigits();
  s[kPauseLogo] = NewMotionSprite({3, 0, 60, 640, 160, 320, 80, kLogoScript});
  s[kReplayItemSprite] = NewMotionSprite({6, 0, 0, 322, 48, 161, 24, kItemScript}, ItemY(4));
}

MotionSprite* CTitle::TopItem(int item) {
  return motionSprites[item == ReplayItem ? kReplayItemSprite : 3 + item];
}

std::span<const int32_t> CTitle::TopOrder() const {
  if (g_saveData->inGameMenu) return kPauseOrder;
  return kTopOrder;
}

// Ten digits along the top edge from x = 342 to 558; leading zeros are hidden, so a score of 0
// shows a single zero. A negative best score from a damaged record shows as 0.
void CTitle::CreateScoreDigits() {
  const int32_t score = shownHighScore > 0 ? shownHighScore : 0;
  for (int j = 0; j < kDigitCount; ++j) {
    const int32_t digit = score / kPowersOfTen[j] % 10;
    const float x = 342.0f + 24.0f * static_cast<float>(j);
    MotionSprite* sprite = NewMotionSprite({5, 24 * digit, 0, 24, 32, 0, 0, nullptr}, x);
    if (j < kDigitCount - 1 && score < kPowersOfTen[j]) sprite->SetScript("h1");
    sprite->SetScript("m$0,0");
    motionSprites[kFirstDigit + j] = sprite;
  }
}

CTitle::~CTitle() {
  ReleaseMotionSprites(motionSprites);
  delete window;
}

bool CTitle::Init() {
  shownHighScore = g_saveData->highScore;
  CreateSprites();
  window = new CMessageWindow;
  window->left = 64;
  window->top = 266;
  window->width = 320;
  window->height = 112;
  window->lineHeight = 32;
  window->fontIndex = 3;
  window->breaking = Texts().breaking;
  if (!window->laidOut) window->Layout();
  window->state = 1;
  window->revealSpeed = 1;
  SetMenuLevel(g_saveData->ruleTopic >= 0 ? 2 : 0);
  motionSprites[g_saveData->inGameMenu ? kMainLogo : kPauseLogo]->SetScript("h1");
  g_saveData->ruleTopic = -1;
  cancelRequested = confirmRequested = false;
  playEntrySound = true;
  return true;
}

void CTitle::SetMenuLevel(int32_t level) {
  if (level == 0) {
    for (int k = 0; k < 3; ++k) TopItem(k)->SetScript("z1,1h0");
    TopItem(3)->SetScript("h1");
    TopItem(4)->SetScript("h1");
    TopItem(ReplayItem)->SetScript("h1");
    const std::span<const int32_t> order = TopOrder();
    // The items from the information item down are placed by the order shown.
    char place[32];
    for (size_t k = 3; k < order.size(); ++k) {
      std::snprintf(place, sizeof place, "m590,%dz1,1h0", kTopCentres[k]);
      TopItem(order[k])->SetScript(place);
    }
    for (int i = 10; i <= 17; ++i) motionSprites[i]->SetScript("z1,1h1");
    motionSprites[kSubmenuFooter]->SetScript("h1");
    motionSprites[kTopFooter]->SetScript("h0");
    topCursor = 0;
    subCursor = -1;
    TopItem(0)->SetScript(kSetLevelHighlight);
    window->SetText(Texts().titleTopDescriptions[0]);
  } else if (level == 2) {
    for (int k = 0; k < 6; ++k) TopItem(k)->SetScript("z1,1h1");  // item 6 keeps its script
    TopItem(ReplayItem)->SetScript("z1,1h1");
    for (int i = 10; i <= 13; ++i) motionSprites[i]->SetScript("z1,1h1");
    for (int k = 0; k < kSubItems; ++k) SubItem(k)->SetScript("z1,1h0");
    motionSprites[kSubmenuFooter]->SetScript("h0");
    motionSprites[kTopFooter]->SetScript("h1");
    subCursor = 0;
    SubItem(0)->SetScript(kSetLevelHighlight);
    window->SetText(Texts().howToPlayDescriptions[0]);
  } else {
    return;  // level 1, a difficulty submenu, does not exist
  }
  menuLevel = level;
}

void CTitle::Input(const CInput& input) {
  keyHelp.Follow(input);
  if (confirmRequested || cancelRequested) return;
  MoveCursor(input);
  PointAt(input.pointer);
  if (input.ConfirmPressed()) {
    confirmRequested = true;
    SoundPlay(sounds[2]);
  }
  if (input.CancelPressed()) {
    cancelRequested = true;
    SoundPlay(sounds[2]);
  }
}

// Up and Down are both tested in the same frame, so pressing both leaves the cursor in place.
void CTitle::MoveCursor(const CInput& input) {
  const bool up = input[Up].PressedOrRepeat();
  const bool down = input[Down].PressedOrRepeat();
  if (menuLevel == 0) {
    const std::span<const int32_t> order = TopOrder();
    const auto count = static_cast<int32_t>(order.size());
    int32_t k =
        static_cast<int32_t>(std::find(order.begin(), order.end(), topCursor) - order.begin());
    if (up) k = k == 0 ? count - 1 : k - 1;
    if (down) k = k >= count - 1 ? 0 : k + 1;
    SetCursor(order[k]);
  } else if (menuLevel == 2) {
    int32_t item = subCursor;
    if (up) item = item == 0 ? kSubItems - 1 : item - 1;
    if (down) item = item == kSubItems - 1 ? 0 : item + 1;
    SetCursor(item);
  }
}

void CTitle::SetCursor(int32_t item) {
  if (menuLevel == 0) {
    const int32_t old = topCursor;
    if (item == old) return;
    topCursor = item;
    TopItem(old)->SetScript(kNormalSize);
    TopItem(topCursor)->SetScript(kCursorHighlight);
    window->SetText(Texts().titleTopDescriptions[topCursor]);
  } else if (menuLevel == 2) {
    const int32_t old = subCursor;
    if (item == old) return;
    subCursor = item;
    SubItem(old)->SetScript(kNormalSize);
    SubItem(subCursor)->SetScript(kCursorHighlight);
    window->SetText(Texts().howToPlayDescriptions[subCursor]);
  } else {
    return;
  }
  SoundPlay(sounds[1]);
}

void CTitle::PointAt(const PointerState& pointer) {
  const bool top = menuLevel == 0;
  const std::span<const int32_t> order = TopOrder();
  const MenuPointing pointing = PointAtItems(
      pointer, top ? std::span<const ScreenRect>(kTopRects).first(order.size()) : kSubRects);
  if (pointing.over < 0) return;
  SetCursor(top ? order[pointing.over] : pointing.over);
  if (pointing.chosen < 0) return;
  confirmRequested = true;
  SoundPlay(sounds[2]);
}

// Cancel goes back to a suspended game when there is one; otherwise the submenu returns to
// the top menu and the top menu stays.
void CTitle::ActOnCancel() {
  if (ReturnToSuspendedScene()) return;
  if (menuLevel == 2) SetMenuLevel(0);
}

bool CTitle::ActOnConfirm() {
  if (menuLevel == 2) {
    if (subCursor == kBackItem) {
      ActOnCancel();
    } else {
      g_saveData->ruleTopic = subCursor;
      RequestScene(Rule, false);
    }
    return true;
  }
  if (menuLevel != 0) return true;
  switch (topCursor) {
    case StartItem:
      if (!ReturnToSuspendedScene()) {
        g_saveData->difficulty = 0;
        RequestScene(Play, false);
      }
      break;
    case HowToPlayItem: SetMenuLevel(2); break;
    case OptionItem: RequestScene(Option, false); break;
    case QuitItem: return false;
    case InfoItem: RequestScene(Info, false); break;
    case ReplayItem: RequestScene(ReplayList, false); break;
    default: break;
  }
  return true;
}

bool CTitle::Update() {
  if (playEntrySound) SoundPlay(sounds[0]);
  if (cancelRequested) {
    ActOnCancel();
  } else if (confirmRequested && !ActOnConfirm()) {
    return false;  // quit: the program ends through the normal shutdown
  }
  cancelRequested = confirmRequested = playEntrySound = false;
  StepMotionSprites(motionSprites);
  window->Update();
  return true;
}

void CTitle::Draw(CFont* const* fonts) {
  DrawBackground(sprites[0]);
  DrawMotionSprites(motionSprites, sprites, kSpriteCount);
  keyHelp.Draw(menuLevel == 0 ? KeyHelpBar::TopFooter : KeyHelpBar::HowToFooter, fonts);
  window->Draw(nullptr, 0, fonts);
}

std::span<const int> CTitle::Pictures() { return kTitleImageIds; }

bool CTitle::LoadResources(bool deviceReset) {
  const bool helpLoaded = keyHelp.LoadResources(Title);
  return LoadMenuResources(sprites, kTitleImageIds, sounds, kTitleSoundLoads, Title) && helpLoaded;
}

void CTitle::ReleaseResources(bool deviceReset) {
  if (!deviceReset) {
    ReleaseMotionSprites(motionSprites);
    delete window;
    window = nullptr;
  }
  ReleaseMenuResources(sprites, sounds);
  keyHelp.ReleaseResources();
}

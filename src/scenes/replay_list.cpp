// The list of kept replays.
#include "scenes/replay_list.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "media/font.h"
#include "replay/verify.h"
#include "scenes/menu_pointer.h"
#include "scenes/menu_scene.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"

ReplayShelf g_replayShelf;

namespace {

constexpr int kListImageIds[4] = {kBitmapCommonBackground, kBitmapTextPanel, kBitmapCommonParts,
                                  kBitmapReplaySheet};
enum ListImage { kListBackground = 0, kListPanel = 1, kListParts = 2, kListSheet = 3 };

// Where the pieces are on the screen.
constexpr int32_t kRowLeft = 32, kRowTop = 108, kRowPitch = 48, kRowWidth = 736, kRowHeight = 46;
constexpr ScreenRect kListUpArrow{376, 56, 48, 48};
constexpr ScreenRect kListDownArrow{376, 464, 48, 48};
constexpr ScreenRect kListBar{16, 512, 768, 80};

// Where they are in their sheets.
constexpr ScreenRect kListPanelSource{16, 8, 768, 408};
constexpr ScreenRect kListUpArrowSource{632, 56, 48, 48};
constexpr ScreenRect kListDownArrowSource{632, 8, 48, 48};
constexpr ScreenRect kListCaptionSource{340, 0, 200, 60};
constexpr ScreenRect kRowSource{0, 64, 736, 46};
constexpr ScreenRect kLitRowSource{0, 112, 736, 46};
constexpr ScreenRect kDimRowSource{0, 160, 736, 46};
constexpr ScreenRect kListBarSource{0, 208, 768, 80};
constexpr ScreenRect kListPointerBarSource{0, 296, 768, 80};

constexpr int kListRowFont = 2, kListEmptyFont = 3;
constexpr uint32_t kListInk = 0xFF4A2F55, kListGreyInk = 0xFF6E6478;

ScreenRect RowRect(int32_t shownRow) {
  return {kRowLeft, kRowTop + kRowPitch * shownRow, kRowWidth, kRowHeight};
}

void BlitPart(CSprite& image, const ScreenRect& source, int32_t x, int32_t y) {
  SetSpriteRect(image, source.x, source.y, source.w, source.h);
  DrawSprite(g_device, image, x, y, 0.0f, 0, 0, 0.0f);
}

template <typename... Args>
std::string FormatListText(const char* format, Args... args) {
  char text[128];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// The date of a kept file from its name, in the player's local time; dashes for a name that
// holds none (a file the player put there).
std::string ListedDate(const std::string& name) {
  constexpr const char* kNoDate = "----/--/-- --:--";
  const std::optional<int64_t> seconds = ReplayTimeOfName(name);
  if (!seconds) return kNoDate;
  const std::time_t time = static_cast<std::time_t>(*seconds);
  const std::tm* local = std::localtime(&time);
  if (!local) return kNoDate;
  return FormatListText(Texts().replayList.date, local->tm_year + 1900, local->tm_mon + 1,
                        local->tm_mday, local->tm_hour, local->tm_min);
}

CReplayList::Row ListedRow(KeptReplays::Entry entry) {
  const ReplayListTexts& texts = Texts().replayList;
  CReplayList::Row row{entry.name, ListedDate(entry.name), {}, std::nullopt};
  if (!entry.replay) {
    row.detail = texts.damaged;
  } else if (entry.replay->gameVersion != GameVersion()) {  // printable ASCII, as read
    row.detail = FormatListText(texts.otherVersion, entry.replay->gameVersion.c_str());
  } else {
    row.detail =
        FormatListText(texts.result, entry.replay->result.score, entry.replay->result.distance);
    row.replay = std::move(entry.replay);
  }
  return row;
}

}  // namespace

bool CReplayList::Init() {
  rows.clear();
  if (g_replayShelf.kept)
    for (KeptReplays::Entry& entry : g_replayShelf.kept->List())
      rows.push_back(ListedRow(std::move(entry)));
  cursor = firstShown = 0;
  for (int32_t i = 0; i < static_cast<int32_t>(rows.size()); ++i)
    if (rows[i].name == g_replayShelf.lastWatched) MoveCursor(i);
  chooseRequest = cancelRequest = false;
  return true;
}

void CReplayList::MoveCursor(int32_t row) {
  const int32_t count = static_cast<int32_t>(rows.size());
  if (count == 0) return;
  cursor = std::clamp(row, 0, count - 1);
  if (cursor < firstShown) firstShown = cursor;
  if (cursor >= firstShown + kRowsShown) firstShown = cursor - kRowsShown + 1;
}

void CReplayList::Input(const CInput& input) {
  lastDevice = input.lastDevice;
  keyHelp.Follow(input);
  if (chooseRequest || cancelRequest) return;
  const int32_t count = static_cast<int32_t>(rows.size());
  const int32_t old = cursor;
  const bool up = input[Up].PressedOrRepeat(), down = input[Down].PressedOrRepeat();
  // Up and Down wrap around the list; Left and Right turn a page and stop at its ends.
  if (up && !down && count > 0) MoveCursor(cursor == 0 ? count - 1 : cursor - 1);
  if (down && !up && count > 0) MoveCursor(cursor == count - 1 ? 0 : cursor + 1);
  if (input[Left].PressedOrRepeat()) MoveCursor(cursor - kRowsShown);
  if (input[Right].PressedOrRepeat()) MoveCursor(cursor + kRowsShown);
  PointAt(input.pointer);
  if (cursor != old) SoundPlay(sounds[0]);
  if (input.ConfirmPressed()) chooseRequest = true;
  if (input.CancelPressed() || input.pointer.TappedIn(kListBar)) {
    cancelRequest = true;
    chooseRequest = false;
  }
}

// A row pointed at takes the cursor, a row tapped is chosen, an arrow tapped turns a page.
void CReplayList::PointAt(const PointerState& pointer) {
  ScreenRect shown[kRowsShown];
  const int32_t count =
      std::min<int32_t>(kRowsShown, static_cast<int32_t>(rows.size()) - firstShown);
  for (int32_t i = 0; i < count; ++i) shown[i] = RowRect(i);
  const MenuPointing pointing = PointAtItems(pointer, std::span(shown, static_cast<size_t>(count)));
  if (pointing.over >= 0) MoveCursor(firstShown + pointing.over);
  if (pointing.chosen >= 0) chooseRequest = true;
  if (pointer.TappedIn(kListUpArrow)) MoveCursor(firstShown - kRowsShown);
  if (pointer.TappedIn(kListDownArrow)) MoveCursor(firstShown + 2 * kRowsShown - 1);
}

void CReplayList::Choose() {
  if (rows.empty() || !rows[cursor].replay) return;
  Row& row = rows[cursor];
  if (!VerifyReplay(*row.replay).ok) {
    row.detail = Texts().replayList.doesNotPlay;
    row.replay.reset();
    return;
  }
  SoundPlay(sounds[1]);
  g_replayShelf.chosen = std::move(row.replay);
  g_replayShelf.lastWatched = row.name;
}

bool CReplayList::Update() {
  if (cancelRequest) {
    SoundPlay(sounds[1]);
    RequestScene(Title, false);
  } else if (chooseRequest) {
    Choose();
  }
  chooseRequest = cancelRequest = false;
  return true;
}

void CReplayList::Draw(CFont* const* fonts) {
  DrawBackground(images[kListBackground]);
  BlitPart(images[kListPanel], kListPanelSource, 16, 80);
  BlitPart(images[kListSheet], kListCaptionSource, 300, 10);
  const int32_t count = static_cast<int32_t>(rows.size());
  if (count == 0) DrawEmptyList(fonts[kListEmptyFont]);
  for (int32_t row = firstShown; row < std::min(count, firstShown + kRowsShown); ++row)
    DrawRow(row, fonts[kListRowFont]);
  if (firstShown > 0)
    BlitPart(images[kListParts], kListUpArrowSource, kListUpArrow.x, kListUpArrow.y);
  if (firstShown + kRowsShown < count)
    BlitPart(images[kListParts], kListDownArrowSource, kListDownArrow.x, kListDownArrow.y);
  const bool pointer = lastDevice == InputDevice::Pointer;
  BlitPart(images[kListSheet], pointer ? kListPointerBarSource : kListBarSource, kListBar.x,
           kListBar.y);
  keyHelp.Draw(KeyHelpBar::ReplayBar, fonts);
}

void CReplayList::DrawRow(int32_t row, CFont* font) {
  const ScreenRect place = RowRect(row - firstShown);
  const Row& shown = rows[row];
  const bool watchable = shown.replay.has_value();
  // The cursor lights any row; a row that cannot be watched is grey, and its words too.
  const ScreenRect& plate = row == cursor ? kLitRowSource : watchable ? kRowSource : kDimRowSource;
  BlitPart(images[kListSheet], plate, place.x, place.y);
  if (!font) return;
  const int32_t top = place.y + (place.h - font->Height()) / 2;
  const uint32_t ink = watchable ? kListInk : kListGreyInk;
  font->DrawText(shown.date, place.x + 20, top, ink);
  font->DrawText(shown.detail, place.x + 260, top, ink);
}

void CReplayList::DrawEmptyList(CFont* font) {
  if (!font) return;
  const std::string_view text = Texts().replayList.none;
  const size_t split = text.find('\n');
  const std::string_view lines[2] = {text.substr(0, split),
                                     split == std::string_view::npos ? "" : text.substr(split + 1)};
  for (int i = 0; i < 2; ++i) {
    const int32_t left = 400 - font->TextWidth(lines[i]) / 2;
    font->DrawText(lines[i], left, 230 + 48 * i, kListInk);
  }
}

std::span<const int> CReplayList::PictureIds() { return kListImageIds; }

bool CReplayList::LoadResources(bool deviceReset) {
  const bool helpLoaded = keyHelp.LoadResources(ReplayList);
  return LoadMenuResources(images, kListImageIds, sounds, kMenuSounds, ReplayList) && helpLoaded;
}

void CReplayList::ReleaseResources(bool deviceReset) {
  ReleaseMenuResources(images, sounds);
  keyHelp.ReleaseResources();
}

#include "scenes/controls.h"

#include <cstdio>

#include "media/font.h"
#include "save/settings_file.h"
#include "scenes/lettered_page.h"
#include "scenes/menu_scene.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/platform.h"
#include "system/text_encoding.h"

namespace {

constexpr int kBackgroundImage = 0, kPanelImage = 1;
constexpr int kImageIds[2] = {kBitmapCommonBackground, kBitmapTextPanel};

// The page's layout: the panel, the heads, the rows, the columns and the help bar, which is the
// options' bar with this page's help laid over it.
constexpr ScreenRect kPanel{16, 72, 768, 430};
constexpr int32_t kHeadTop = 84;
constexpr int32_t kFirstRowTop = 118;
constexpr int32_t kRowHeight = 34;
constexpr int32_t kLabelLeft = 48;
constexpr int32_t kColumnLeft[CControls::kColumnCount] = {330, 470, 610};
constexpr int32_t kColumnWidth = 132;
constexpr int32_t kValueLeft = 610;  // the focus row's On or Off
constexpr ScreenRect kHelpBar{16, 512, 768, 80};
constexpr ScreenRect kHelpBarSource{16, 424, 768, 80};

constexpr uint32_t kWaitingBox = 0xA0F08070;

// The cells the pointer can choose: every action's keys and button, then the rows below them.
constexpr int kActionCells = kActionCount * CControls::kColumnCount;
constexpr int kCellCount = kActionCells + 3;
struct Cell {
  int32_t row, column;
};
constexpr Cell CellAt(int i) {
  return i < kActionCells ? Cell{i / CControls::kColumnCount, i % CControls::kColumnCount}
                          : Cell{kActionCount + i - kActionCells, 0};
}

ScreenRect CellRect(int32_t row, int32_t column) {
  const int32_t top = kFirstRowTop + row * kRowHeight;
  if (row >= kActionCount) return {kLabelLeft - 8, top, 740 - kLabelLeft, kRowHeight};
  return {kColumnLeft[column] - 6, top, kColumnWidth, kRowHeight};
}

}  // namespace

bool CControls::Init() {
  row = column = 0;
  waiting = leaveRequested = settling_ = false;
  note.clear();
  return true;
}

void CControls::Input(const CInput& input) {
  keyHelp.Follow(input);
  if (waiting) return TakeBinding(input);
  if (settling_) {
    bool held = false;
    for (bool b : input.held) held = held || b;
    settling_ = held;
    return;
  }
  // Return and Esc mean confirm and back here whatever they are bound to; in a frame where
  // either went down, the bindings' own buttons do not count.
  if (input.pressedKey == scancode::Return) return Choose();
  if (input.pressedKey == scancode::Escape) {
    leaveRequested = true;
    return;
  }
  Move(input);
  PointAt(input.pointer);
  if (input.ConfirmPressed()) Choose();
  if (input.CancelPressed()) leaveRequested = true;
}

void CControls::TakeBinding(const CInput& input) {
  const bool padCell = column == kPadColumn;
  if (!padCell && input.pressedKey != scancode::None) {
    BindKeyHere(input.pressedKey);
  } else if (padCell && input.pressedPadButton != PadNone) {
    BindButtonHere(input.pressedPadButton);
  } else if ((padCell && input.pressedKey == scancode::Escape) ||
             (!padCell && input.pressedPadButton != PadNone) || input.pointer.tapped ||
             ++waitedFrames >= kWaitFrames) {
    waiting = false;  // given up: nothing changes
  } else {
    return;
  }
  waiting = false;
  settling_ = true;
}

void CControls::BindKeyHere(uint16_t key) {
  Bindings& bindings = g_settings->bindings;
  Action from;
  const bool moved = ActionOfKey(bindings, key, from) && from != static_cast<Action>(row);
  BindKey(bindings, static_cast<Action>(row), column, key);
  note.clear();
  if (!moved) return;
  char line[160];
  std::snprintf(line, sizeof line, Texts().controls.moved, KeyLabel(key).c_str(),
                Texts().controls.actions[static_cast<int>(from)]);
  note = line;
}

void CControls::BindButtonHere(uint8_t button) {
  Bindings& bindings = g_settings->bindings;
  int from = -1;
  for (int a = 0; a < kActionCount; ++a)
    if (bindings.pad[a] == button && a != row) from = a;
  BindPadButton(bindings, static_cast<Action>(row), button);
  note.clear();
  if (from < 0) return;
  char line[160];
  std::snprintf(line, sizeof line, Texts().controls.moved,
                PadButtonLabel(button, keyHelp.Family()).c_str(), Texts().controls.actions[from]);
  note = line;
}

void CControls::Move(const CInput& input) {
  const int32_t oldRow = row, oldColumn = column;
  if (input[Up].PressedOrRepeat()) row = (row + kRowCount - 1) % kRowCount;
  if (input[Down].PressedOrRepeat()) row = (row + 1) % kRowCount;
  if (row < kActionCount) {
    if (input[Left].PressedOrRepeat()) column = (column + kColumnCount - 1) % kColumnCount;
    if (input[Right].PressedOrRepeat()) column = (column + 1) % kColumnCount;
  } else if (row == kFocusRow && (input[Left].Pressed() || input[Right].Pressed())) {
    g_settings->pauseOnFocusLoss = !g_settings->pauseOnFocusLoss;
    SoundPlay(sounds_[1]);
  }
  if (row != oldRow || column != oldColumn) SoundPlay(sounds_[0]);
}

void CControls::PointAt(const PointerState& pointer) {
  if (pointer.TappedIn(kHelpBar)) {
    leaveRequested = true;
    return;
  }
  ScreenRect cells[kCellCount];
  for (int i = 0; i < kCellCount; ++i) cells[i] = CellRect(CellAt(i).row, CellAt(i).column);
  const MenuPointing pointing = PointAtItems(pointer, cells);
  if (pointing.over < 0) return;
  const int32_t oldRow = row, oldColumn = column;
  row = CellAt(pointing.over).row;
  if (row < kActionCount) column = CellAt(pointing.over).column;
  if (row != oldRow || column != oldColumn) SoundPlay(sounds_[0]);
  if (pointing.chosen >= 0) Choose();
}

void CControls::Choose() {
  SoundPlay(sounds_[1]);
  switch (row) {
    case kFocusRow: g_settings->pauseOnFocusLoss = !g_settings->pauseOnFocusLoss; break;
    case kResetRow:
      g_settings->bindings = DefaultBindings();
      note.clear();
      break;
    case kBackRow: leaveRequested = true; break;
    default:
      waiting = true;
      waitedFrames = 0;
      note.clear();
      break;
  }
}

bool CControls::Update() {
  if (leaveRequested) {
    leaveRequested = false;
    if (g_settingsFile) g_settingsFile->Store(*g_settings);  // a failure is reported
    RequestScene(Option, false);
  }
  return true;
}

void CControls::Draw(CFont* const* fonts) {
  DrawBackground(images_[kBackgroundImage]);
  CSprite& panel = images_[kPanelImage];
  SetSpriteRect(panel, 16, 8, 768, 408);
  DrawSprite(g_device, panel, kPanel.x, kPanel.y, 0.0f, kPanel.w, kPanel.h, 0.0f);
  if (CFont* caption = fonts[lettered::kCaptionFont]) {
    const char* text = Texts().controls.caption;
    const int32_t left = (800 - caption->TextWidth(text)) / 2;
    caption->DrawText(text, left + 2, 14, lettered::kInk);
    caption->DrawText(text, left, 12, lettered::kWhite);
  }
  DrawHelp(fonts);
  if (CFont* font = fonts[lettered::kTextFont]) DrawRows(font);
}

void CControls::DrawRows(CFont* font) {
  const ControlsTexts& texts = Texts().controls;
  const Bindings& bindings = g_settings->bindings;
  FillRect(CellRect(row, column), waiting ? kWaitingBox : lettered::kCursorBox);
  font->DrawText(texts.keysColumn, kColumnLeft[0], kHeadTop, lettered::kMuted);
  font->DrawText(texts.padColumn, kColumnLeft[kPadColumn], kHeadTop, lettered::kMuted);
  const int32_t textTop = (kRowHeight - font->Height()) / 2;
  for (int a = 0; a < kActionCount; ++a) {
    const int32_t rowTop = kFirstRowTop + a * kRowHeight, top = rowTop + textTop;
    font->DrawText(Fitted(font, texts.actions[a], kColumnLeft[0] - kLabelLeft - 12), kLabelLeft,
                   top, lettered::kInk);
    for (int c = 0; c < kColumnCount; ++c) {
      const bool here = a == row && c == column;
      // A pad button shows its symbol where it has one.
      if (c == kPadColumn && !(here && waiting) &&
          keyHelp.DrawPadButton(bindings.pad[a], kColumnLeft[c], rowTop + kRowHeight / 2))
        continue;
      std::string label = here && waiting   ? std::string("...")
                          : c == kPadColumn ? PadButtonLabel(bindings.pad[a], keyHelp.Family())
                                            : KeyLabel(bindings.keys[a][c]);
      font->DrawText(Fitted(font, label, kColumnWidth - 12), kColumnLeft[c], top,
                     here ? lettered::kLit : lettered::kInk);
    }
  }
  const auto rowTop = [&](int r) { return kFirstRowTop + r * kRowHeight + textTop; };
  font->DrawText(texts.pauseOnFocusLoss, kLabelLeft, rowTop(kFocusRow), lettered::kInk);
  font->DrawText(g_settings->pauseOnFocusLoss ? texts.on : texts.off, kValueLeft, rowTop(kFocusRow),
                 row == kFocusRow ? lettered::kLit : lettered::kInk);
  font->DrawText(texts.reset, kLabelLeft, rowTop(kResetRow),
                 row == kResetRow ? lettered::kLit : lettered::kInk);
  font->DrawText(texts.back, kLabelLeft, rowTop(kBackRow),
                 row == kBackRow ? lettered::kLit : lettered::kInk);
}

// The help bar names the keys or the buttons of the device used last (Return and Esc, which
// always work here, for the keyboard), or says what the page waits for or what a binding moved.
void CControls::DrawHelp(CFont* const* fonts) {
  const ControlsTexts& texts = Texts().controls;
  CSprite& bar = images_[kPanelImage];
  SetSpriteRect(bar, kHelpBarSource.x, kHelpBarSource.y, kHelpBarSource.w, kHelpBarSource.h);
  DrawSprite(g_device, bar, kHelpBar.x, kHelpBar.y, 0.0f, 0, 0, 0.0f);
  if (waiting) {
    keyHelp.DrawLine(KeyHelpBar::ControlsBar,
                     column == kPadColumn ? texts.pressButton : texts.pressKey, fonts);
  } else if (!note.empty()) {
    keyHelp.DrawLine(KeyHelpBar::ControlsBar, note, fonts);
  } else {
    keyHelp.Draw(KeyHelpBar::ControlsBar, fonts);
  }
}

std::span<const int> CControls::PictureIds() { return kImageIds; }

bool CControls::LoadResources(bool deviceReset) {
  const bool helpLoaded = keyHelp.LoadResources(Option);
  return LoadMenuResources(images_, kImageIds, sounds_, kMenuSounds, Option) && helpLoaded;
}

void CControls::ReleaseResources(bool deviceReset) {
  ReleaseMenuResources(images_, sounds_);
  keyHelp.ReleaseResources();
}

#include "scenes/controls.h"

#include <cstdio>

#include "media/font.h"
#include "save/settings_file.h"
#include "scenes/menu_scene.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/platform.h"
#include "system/text_encoding.h"

namespace {

constexpr int kBackgroundImage = 0, kPanelImage = 1;
constexpr int kImageIds[2] = {kBitmapCommonBackground, kBitmapTextPanel};

// The page's layout: the panel, the heads, the rows, the columns and the help bar.
constexpr ScreenRect kPanel{16, 72, 768, 470};
constexpr int32_t kHeadTop = 84;
constexpr int32_t kFirstRowTop = 118;
constexpr int32_t kRowHeight = 34;
constexpr int32_t kLabelLeft = 48;
constexpr int32_t kColumnLeft[CControls::kColumnCount] = {330, 470, 610};
constexpr int32_t kColumnWidth = 132;
constexpr int32_t kValueLeft = 610;  // the focus row's On or Off
constexpr ScreenRect kHelpBar{16, 550, 768, 44};
constexpr int kTextFont = 2;     // 24 pixels
constexpr int kCaptionFont = 4;  // 48 pixels

constexpr uint32_t kInk = 0xFF3A2E5C;
constexpr uint32_t kMuted = 0xFF8A7FA8;
constexpr uint32_t kLit = 0xFFD0503C;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kCursorBox = 0x60F4B860;
constexpr uint32_t kWaitingBox = 0xA0F08070;
constexpr uint32_t kHelpBox = 0xC83A2E5C;

// SDL's controller buttons by family, in its numbering (bindings.h).
constexpr const char* kXboxButtons[PadButtonCount] = {
    "A",        "B",     "X",  "Y",  "View",     "Guide",    "Menu",
    "LS",       "RS",    "LB", "RB", "\x81\xaa", "\x81\xab", "\x81\xa9",
    "\x81\xa8", "Share", "P1", "P2", "P3",       "P4",       "Pad"};
constexpr const char* kPlayStationButtons[PadButtonCount] = {
    "\x81\x7e", "\x81\x9b", "\x81\xa0", "\x81\xa2", "Share",    "PS",       "Options",
    "L3",       "R3",       "L1",       "R1",       "\x81\xaa", "\x81\xab", "\x81\xa9",
    "\x81\xa8", "Mic",      "P1",       "P2",       "P3",       "P4",       "Pad"};
constexpr const char* kNintendoButtons[PadButtonCount] = {
    "A",        "B",        "X",        "Y",        "-",       "Home", "+",  "LS", "RS", "L",  "R",
    "\x81\xaa", "\x81\xab", "\x81\xa9", "\x81\xa8", "Capture", "P1",   "P2", "P3", "P4", "Pad"};

void FillRect(const ScreenRect& rect, uint32_t argb) {
  CSprite box;  // no texture: the colour alone
  box.colour = argb;
  DrawSprite(g_device, box, rect.x, rect.y, 0.0f, rect.w, rect.h, 0.0f);
}

// Text that must fit a cell is cut down to what fits, a whole Shift-JIS character at a time.
std::string Fitted(CFont* font, std::string text, int32_t width) {
  while (!text.empty() && font->TextWidth(text) > width) {
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i += size_t(SjisCharacterBytes(uint8_t(text[i])))) last = i;
    text.resize(last);
  }
  return text;
}

ScreenRect CellRect(int32_t row, int32_t column) {
  const int32_t top = kFirstRowTop + row * kRowHeight;
  if (row >= kActionCount) return {kLabelLeft - 8, top, 740 - kLabelLeft, kRowHeight};
  return {kColumnLeft[column] - 6, top, kColumnWidth, kRowHeight};
}

}  // namespace

std::string KeyLabel(uint16_t key) {
  if (key == scancode::None) return Texts().controls.none;
  const std::string name = g_platform ? g_platform->KeyName(key) : std::string();
  return name.empty() ? "#" + std::to_string(key) : Utf8ToSjis(name);
}

std::string PadButtonLabel(uint8_t button, PadFamily family) {
  if (button >= PadButtonCount) return Texts().controls.none;
  switch (family) {
    case PadFamily::PlayStation: return kPlayStationButtons[button];
    case PadFamily::Nintendo: return kNintendoButtons[button];
    default: return kXboxButtons[button];
  }
}

bool CControls::Init() {
  row = column = 0;
  waiting = leaveRequested = settling_ = false;
  note.clear();
  return true;
}

void CControls::Input(const CInput& input) {
  lastDevice = input.lastDevice;
  padFamily = input.padFamily;
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
                PadButtonLabel(button, padFamily).c_str(), Texts().controls.actions[from]);
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
  if (CFont* caption = fonts[kCaptionFont]) {
    const char* text = Texts().controls.caption;
    const int32_t left = (800 - caption->TextWidth(text)) / 2;
    caption->DrawText(text, left + 2, 14, kInk);
    caption->DrawText(text, left, 12, kWhite);
  }
  CFont* font = fonts[kTextFont];
  if (!font) return;
  DrawRows(font);
  DrawHelp(font);
}

void CControls::DrawRows(CFont* font) {
  const ControlsTexts& texts = Texts().controls;
  const Bindings& bindings = g_settings->bindings;
  FillRect(CellRect(row, column), waiting ? kWaitingBox : kCursorBox);
  font->DrawText(texts.keysColumn, kColumnLeft[0], kHeadTop, kMuted);
  font->DrawText(texts.padColumn, kColumnLeft[kPadColumn], kHeadTop, kMuted);
  const int32_t textTop = (kRowHeight - font->Height()) / 2;
  for (int a = 0; a < kActionCount; ++a) {
    const int32_t top = kFirstRowTop + a * kRowHeight + textTop;
    font->DrawText(Fitted(font, texts.actions[a], kColumnLeft[0] - kLabelLeft - 12), kLabelLeft,
                   top, kInk);
    for (int c = 0; c < kColumnCount; ++c) {
      const bool here = waiting && a == row && c == column;
      std::string label = here              ? std::string("...")
                          : c == kPadColumn ? PadButtonLabel(bindings.pad[a], padFamily)
                                            : KeyLabel(bindings.keys[a][c]);
      font->DrawText(Fitted(font, label, kColumnWidth - 12), kColumnLeft[c], top,
                     a == row && c == column ? kLit : kInk);
    }
  }
  const auto rowTop = [&](int r) { return kFirstRowTop + r * kRowHeight + textTop; };
  font->DrawText(texts.pauseOnFocusLoss, kLabelLeft, rowTop(kFocusRow), kInk);
  font->DrawText(g_settings->pauseOnFocusLoss ? texts.on : texts.off, kValueLeft, rowTop(kFocusRow),
                 row == kFocusRow ? kLit : kInk);
  font->DrawText(texts.reset, kLabelLeft, rowTop(kResetRow), row == kResetRow ? kLit : kInk);
  font->DrawText(texts.back, kLabelLeft, rowTop(kBackRow), row == kBackRow ? kLit : kInk);
}

// The help bar names the keys or the buttons of the device used last; the keys come from the
// bindings, but Return and Esc, which always work here.
void CControls::DrawHelp(CFont* font) {
  const ControlsTexts& texts = Texts().controls;
  FillRect(kHelpBar, kHelpBox);
  std::string line;
  if (waiting) {
    line = column == kPadColumn ? texts.pressButton : texts.pressKey;
  } else if (!note.empty()) {
    line = note;
  } else if (lastDevice == InputDevice::Pad) {
    const Bindings& b = g_settings->bindings;
    line = PadButtonLabel(b.pad[int(Action::Up)], padFamily) + "/" +
           PadButtonLabel(b.pad[int(Action::Down)], padFamily) + ": " + texts.choose + "   " +
           PadButtonLabel(b.pad[int(Action::Confirm)], padFamily) + ": " + texts.change + "   " +
           PadButtonLabel(b.pad[int(Action::Cancel)], padFamily) + ": " + texts.leave;
  } else {
    const Bindings& b = g_settings->bindings;
    line = KeyLabel(b.keys[int(Action::Up)][0]) + "/" + KeyLabel(b.keys[int(Action::Down)][0]) +
           ": " + texts.choose + "   " + KeyLabel(scancode::Return) + ": " + texts.change + "   " +
           KeyLabel(scancode::Escape) + ": " + texts.leave;
  }
  line = Fitted(font, line, kHelpBar.w - 24);
  const int32_t left = kHelpBar.x + (kHelpBar.w - font->TextWidth(line)) / 2;
  font->DrawText(line, left, kHelpBar.y + (kHelpBar.h - font->Height()) / 2, kWhite);
}

bool CControls::LoadResources(bool deviceReset) {
  return LoadMenuResources(images_, kImageIds, sounds_, kMenuSounds, Option);
}

void CControls::ReleaseResources(bool deviceReset) { ReleaseMenuResources(images_, sounds_); }

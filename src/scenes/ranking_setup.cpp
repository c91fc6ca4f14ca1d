#include "scenes/ranking_setup.h"

#include <cstdio>

#include "media/font.h"
#include "save/ranking_settings.h"
#include "save/settings_file.h"
#include "scenes/key_help.h"
#include "scenes/lettered_page.h"
#include "scenes/menu_pointer.h"
#include "scenes/menu_scene.h"
#include "scenes/scene_manager.h"
#include "scenes/texts.h"
#include "system/text_encoding.h"

namespace {

constexpr int kPageImageIds[2] = {kBitmapCommonBackground, kBitmapTextPanel};

// The grid's pages, a row of up to 14 letters a line (UTF-8); katakana are the hiragana page's,
// turned.
constexpr const char* kLatin[CRankingSetup::kGridRows] = {
    "ABCDEFGHIJKLMN", "OPQRSTUVWXYZ.-", "abcdefghijklmn", "opqrstuvwxyz_!", "0123456789?&'~", ""};
constexpr const char* kHiragana[CRankingSetup::kGridRows] = {
    "あいうえおかきくけこさしすせ", "そたちつてとなにぬねのはひふ", "へほまみむめもやゆよらりるれ",
    "ろわをんがぎぐげござじずぜぞ", "だぢづでどばびぶべぼぱぴぷぺ", "ぽぁぃぅぇぉっゃゅょー・"};

// The page's layout: the panel, the rows, the grid's cells, the actions and the help bar.
constexpr ScreenRect kPagePanel{16, 72, 768, 470};
constexpr int32_t kWhyTop = 80;
constexpr ScreenRect kTakePartRect{40, 110, 720, 34};
constexpr int32_t kPageValueLeft = 600;
constexpr int32_t kNameTop = 152;
constexpr ScreenRect kNameBox{200, 150, 340, 34};
constexpr int32_t kGridLeft = 64, kGridTop = 196, kCellWidth = 48, kCellHeight = 38;
constexpr int32_t kActionTop = kGridTop + CRankingSetup::kGridRows * kCellHeight + 8;
constexpr int32_t kActionWidth = 128, kActionGap = 8;
constexpr int32_t kServerTop = kActionTop + kCellHeight + 10;
constexpr ScreenRect kPageHelpBar{16, 550, 768, 44};
constexpr int kSmallFont = 1;  // 16 pixels

constexpr uint32_t kNameBoxInk = 0x30806CB0;
constexpr uint32_t kPageHelpBox = 0xC83A2E5C;

// The UTF-8 character at `index` of a row; empty past its end.
std::string NthCharacter(const char* row, int index) {
  const std::string_view text(row);
  size_t at = 0;
  for (int i = 0; at < text.size(); ++i) {
    const auto lead = uint8_t(text[at]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (i == index) return std::string(text.substr(at, length));
    at += length;
  }
  return {};
}

// A hiragana (U+3041..U+3096, three bytes of UTF-8) as its katakana, 0x60 code points on.
std::string Katakana(std::string letter) {
  if (letter.size() != 3 || uint8_t(letter[0]) != 0xE3) return letter;
  const uint32_t code = (uint32_t(letter[0] & 0x0F) << 12) | (uint32_t(letter[1] & 0x3F) << 6) |
                        uint32_t(letter[2] & 0x3F);
  if (code < 0x3041 || code > 0x3096) return letter;
  const uint32_t turned = code + 0x60;
  return {char(0xE0 | (turned >> 12)), char(0x80 | ((turned >> 6) & 0x3F)),
          char(0x80 | (turned & 0x3F))};
}

ScreenRect GridCell(int32_t row, int32_t column) {
  return {kGridLeft + column * kCellWidth, kGridTop + row * kCellHeight, kCellWidth, kCellHeight};
}

ScreenRect ActionCell(int32_t action) {
  return {kGridLeft + action * (kActionWidth + kActionGap), kActionTop, kActionWidth, kCellHeight};
}

}  // namespace

std::string CRankingSetup::Letter(int page, int row, int column) {
  if (page == LatinPage) return NthCharacter(kLatin[row], column);
  // ヴ has no hiragana of its own: it takes the katakana page's first empty cell.
  if (page == KatakanaPage && row == kGridRows - 1 && column == 12) return "ヴ";
  std::string letter = NthCharacter(kHiragana[row], column);
  return page == KatakanaPage ? Katakana(letter) : letter;
}

bool CRankingSetup::Init() {
  optedIn = g_rankingSettings && g_rankingSettings->optedIn;
  name = g_rankingSettings ? g_rankingSettings->name : std::string();
  row = name.empty() || !optedIn ? 1 : kTakePartRow;
  column = page = 0;
  note = nullptr;
  leaveRequested = false;
  cells_.clear();
  cells_.push_back(kTakePartRect);
  for (int r = 0; r < kGridRows; ++r)
    for (int c = 0; c < kGridColumns; ++c) cells_.push_back(GridCell(r, c));
  for (int a = 0; a < kGridActionCount; ++a) cells_.push_back(ActionCell(a));
  return true;
}

int32_t CRankingSetup::Columns(int32_t onRow) const {
  if (onRow == kTakePartRow) return 1;
  return onRow == kActionRow ? kGridActionCount : kGridColumns;
}

void CRankingSetup::Input(const CInput& input) {
  lastDevice = input.lastDevice;
  padFamily = input.padFamily;
  // Return and Esc confirm and leave here whatever they are bound to.
  if (input.pressedKey == scancode::Return) return Choose();
  if (input.pressedKey == scancode::Escape) {
    leaveRequested = true;
    return;
  }
  Move(input);
  PointAt(input.pointer);
  if (input.ConfirmPressed()) Choose();
  if (input.CancelPressed()) {
    if (name.empty())
      leaveRequested = true;
    else
      Erase();
  }
}

void CRankingSetup::Move(const CInput& input) {
  const int32_t oldRow = row, oldColumn = column;
  if (input[Up].PressedOrRepeat()) row = (row + kRowCount - 1) % kRowCount;
  if (input[Down].PressedOrRepeat()) row = (row + 1) % kRowCount;
  // A row of another width keeps the cursor where it falls nearest.
  if (row != oldRow) column = std::min(column * Columns(row) / Columns(oldRow), Columns(row) - 1);
  if (row == kTakePartRow) {
    if (input[Left].Pressed() || input[Right].Pressed()) FlipTakingPart();
  } else {
    const int32_t columns = Columns(row);
    if (input[Left].PressedOrRepeat()) column = (column + columns - 1) % columns;
    if (input[Right].PressedOrRepeat()) column = (column + 1) % columns;
  }
  if (row != oldRow || column != oldColumn) SoundPlay(sounds_[0]);
}

void CRankingSetup::PointAt(const PointerState& pointer) {
  const MenuPointing pointing = PointAtItems(pointer, cells_);
  const int32_t cell = pointing.chosen >= 0 ? pointing.chosen : pointing.over;
  if (cell < 0) return;
  const int32_t oldRow = row, oldColumn = column;
  if (cell == 0) {
    row = kTakePartRow;
    column = 0;
  } else if (cell <= kGridRows * kGridColumns) {
    row = 1 + (cell - 1) / kGridColumns;
    column = (cell - 1) % kGridColumns;
  } else {
    row = kActionRow;
    column = cell - 1 - kGridRows * kGridColumns;
  }
  if (pointing.chosen >= 0)
    Choose();
  else if (row != oldRow || column != oldColumn)
    SoundPlay(sounds_[0]);
}

void CRankingSetup::Choose() {
  SoundPlay(sounds_[1]);
  note = nullptr;
  if (row == kTakePartRow) return FlipTakingPart();
  if (row != kActionRow) return Type(Letter(page, row - 1, column));
  switch (column) {
    case EraseAction: Erase(); break;
    case DoneAction: leaveRequested = true; break;
    default: page = column; break;
  }
}

void CRankingSetup::Type(const std::string& letter) {
  if (letter.empty()) return;
  if (size_t(Utf8Characters(name)) >= RankingSettings::kMaxNameCharacters) return;
  name += letter;
}

void CRankingSetup::Erase() {
  if (name.empty()) return;
  size_t last = name.size() - 1;
  while (last > 0 && (uint8_t(name[last]) & 0xC0) == 0x80) --last;
  name.resize(last);
}

// Taking part needs a name: without one the cursor goes to the grid to type it.
void CRankingSetup::FlipTakingPart() {
  if (!optedIn && name.empty()) {
    note = Texts().ranking.needName;
    row = 1;
    column = 0;
    return;
  }
  optedIn = !optedIn;
  SoundPlay(sounds_[1]);
}

bool CRankingSetup::Update() {
  if (!leaveRequested) return true;
  leaveRequested = false;
  if (g_rankingSettings) {
    g_rankingSettings->optedIn = optedIn && !name.empty();
    g_rankingSettings->name = name;
    if (g_rankingFile) g_rankingFile->Store(*g_rankingSettings);  // a failure is reported
  }
  RequestScene(Option, false);
  return true;
}

void CRankingSetup::Draw(CFont* const* fonts) {
  DrawBackground(images_[0]);
  CSprite& panel = images_[1];
  SetSpriteRect(panel, 16, 8, 768, 408);
  DrawSprite(g_device, panel, kPagePanel.x, kPagePanel.y, 0.0f, kPagePanel.w, kPagePanel.h, 0.0f);
  const RankingTexts& texts = Texts().ranking;
  if (CFont* caption = fonts[lettered::kCaptionFont]) {
    const int32_t left = (800 - caption->TextWidth(texts.caption)) / 2;
    caption->DrawText(texts.caption, left + 2, 14, lettered::kInk);
    caption->DrawText(texts.caption, left, 12, lettered::kWhite);
  }
  CFont* font = fonts[lettered::kTextFont];
  if (!font) return;
  font->DrawText(Fitted(font, texts.why, kPagePanel.w - 48), kPagePanel.x + 24, kWhyTop,
                 lettered::kMuted);
  if (row == kTakePartRow) FillRect(kTakePartRect, lettered::kCursorBox);
  const int32_t rowTextTop = kTakePartRect.y + (kTakePartRect.h - font->Height()) / 2;
  font->DrawText(texts.takePart, kTakePartRect.x + 8, rowTextTop, lettered::kInk);
  font->DrawText(optedIn ? texts.on : texts.off, kPageValueLeft, rowTextTop,
                 row == kTakePartRow ? lettered::kLit : lettered::kInk);
  font->DrawText(texts.nameLabel, kTakePartRect.x + 8, kNameTop + 4, lettered::kInk);
  FillRect(kNameBox, kNameBoxInk);
  const std::string shown = Utf8ToSjis(name) + "_";
  font->DrawText(shown, kNameBox.x + 10, kNameBox.y + (kNameBox.h - font->Height()) / 2,
                 lettered::kInk);
  DrawGrid(font);
  if (CFont* small = fonts[kSmallFont]) {
    char line[200];
    std::snprintf(line, sizeof line, texts.server,
                  g_rankingSettings ? g_rankingSettings->server.c_str() : "");
    small->DrawText(Fitted(small, line, kPagePanel.w - 48), kPagePanel.x + 24, kServerTop,
                    lettered::kMuted);
  }
  DrawHelp(font);
}

void CRankingSetup::DrawGrid(CFont* font) {
  const RankingTexts& texts = Texts().ranking;
  if (row != kTakePartRow)
    FillRect(row == kActionRow ? ActionCell(column) : GridCell(row - 1, column),
             lettered::kCursorBox);
  for (int r = 0; r < kGridRows; ++r) {
    for (int c = 0; c < kGridColumns; ++c) {
      const std::string letter = Utf8ToSjis(Letter(page, r, c));
      const ScreenRect cell = GridCell(r, c);
      font->DrawText(letter, cell.x + (cell.w - font->TextWidth(letter)) / 2,
                     cell.y + (cell.h - font->Height()) / 2,
                     r + 1 == row && c == column ? lettered::kLit : lettered::kInk);
    }
  }
  // The pages are named by a letter of each: A, あ, ア.
  const std::string labels[kGridActionCount] = {"ABC", Utf8ToSjis("あいう"), Utf8ToSjis("アイウ"),
                                                texts.erase, texts.done};
  for (int a = 0; a < kGridActionCount; ++a) {
    const ScreenRect cell = ActionCell(a);
    FillRect({cell.x + 2, cell.y + 2, cell.w - 4, cell.h - 4}, a == page ? 0x58806CB0 : 0x28806CB0);
    const std::string label = Fitted(font, labels[a], cell.w - 8);
    font->DrawText(label, cell.x + (cell.w - font->TextWidth(label)) / 2,
                   cell.y + (cell.h - font->Height()) / 2,
                   row == kActionRow && a == column ? lettered::kLit : lettered::kInk);
  }
}

// The help bar: a note when there is one, else what the keys, the buttons or the pointer do.
void CRankingSetup::DrawHelp(CFont* font) {
  const RankingTexts& texts = Texts().ranking;
  FillRect(kPageHelpBar, kPageHelpBox);
  std::string line;
  if (note) {
    line = note;
  } else if (lastDevice == InputDevice::Pointer) {
    line = texts.pointerHelp;
  } else {
    const Bindings& b = g_settings->bindings;
    const bool pad = lastDevice == InputDevice::Pad;
    const auto label = [&](Action action) {
      return pad ? PadButtonLabel(b.pad[int(action)], padFamily) : KeyLabel(b.keys[int(action)][0]);
    };
    line = label(Action::Up) + "/" + label(Action::Down) + ": " + texts.choose + "   " +
           label(Action::Confirm) + ": " + texts.type + "   " + label(Action::Cancel) + ": " +
           texts.erase + "   " + KeyLabel(scancode::Escape) + ": " + texts.leave;
  }
  line = Fitted(font, line, kPageHelpBar.w - 24);
  const int32_t left = kPageHelpBar.x + (kPageHelpBar.w - font->TextWidth(line)) / 2;
  font->DrawText(line, left, kPageHelpBar.y + (kPageHelpBar.h - font->Height()) / 2,
                 lettered::kWhite);
}

std::span<const int> CRankingSetup::PictureIds() { return kPageImageIds; }

bool CRankingSetup::LoadResources(bool deviceReset) {
  return LoadMenuResources(images_, kPageImageIds, sounds_, kMenuSounds, Option);
}

void CRankingSetup::ReleaseResources(bool deviceReset) { ReleaseMenuResources(images_, sounds_); }

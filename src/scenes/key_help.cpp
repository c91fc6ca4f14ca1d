#include "scenes/key_help.h"

#include <optional>
#include <vector>

#include "media/font.h"
#include "media/picture_cache.h"
#include "save/settings_file.h"
#include "scenes/menu_scene.h"
#include "scenes/texts.h"
#include "system/platform.h"
#include "system/resource_ids.h"
#include "system/text_encoding.h"

namespace {

using namespace key_help_sheet;

// Which keys or buttons a part of a bar names.
enum class Keys : uint8_t {
  None,  // no part: the bar has fewer
  UpDown,
  LeftRight,
  AllFour,
  Confirm,
  Cancel,
  CancelOrPause,  // both leave the reading pages
  FixedReturn,    // the controls page's own: Return and Esc whatever the bindings, on a pad
  FixedEscape,    // the bound confirm and cancel buttons
};

struct Segment {
  Keys keys;
  HelpWord word;
};

struct BarPlace {
  bool plate;                // the title's top-menu footer: a plate, lettered in white outline
  int32_t blankX, blankY;    // where the blank pill or plate goes over the painted one
  int32_t centreX, centreY;  // the middle of the line
  int32_t maxWidth;          // wider lines are drawn smaller
};

// The painted pills are 748 x 44, 10 px inside a 768-px bar (26 px inside the title's
// full-width footer); the blank pill's cell has a pixel of outline around it.
constexpr BarPlace kBottomBar{false, 25, 529, 400, 552, 716};
constexpr BarPlace kHowToFooter{false, 25, 531, 400, 554, 716};
constexpr BarPlace kTopFooter{true, 164, 546, 414, 573, 460};

struct PointerHintPlace {
  ScreenRect source;  // in the pointer sheet; empty for none
  int32_t x, y;
};

struct BarLayout {
  const BarPlace& place;
  Segment segments[4];
  PointerHintPlace hint;
};

using W = HelpWord;

// By KeyHelpBar.
constexpr BarLayout kBars[] = {
    {kHowToFooter,
     {{Keys::AllFour, W::Choose}, {Keys::Confirm, W::Ok}, {Keys::Cancel, W::Back}},
     {{0, 0, 800, 95}, 0, 500}},
    {kBottomBar,
     {{Keys::UpDown, W::Scroll}, {Keys::CancelOrPause, W::Back}},
     {{0, 96, 768, 80}, 16, 512}},
    {kBottomBar,
     {{Keys::UpDown, W::Choose},
      {Keys::LeftRight, W::Change},
      {Keys::Confirm, W::Ok},
      {Keys::Cancel, W::Back}},
     {{0, 176, 768, 80}, 16, 512}},
    {kBottomBar, {}, {{0, 256, 768, 80}, 16, 512}},
    {kTopFooter,
     {{Keys::UpDown, W::Choose}, {Keys::Confirm, W::Ok}},
     {{0, 336, 500, 54}, 164, 546}},
    {kBottomBar,
     {{Keys::UpDown, W::Choose},
      {Keys::LeftRight, W::Page},
      {Keys::Confirm, W::Watch},
      {Keys::Cancel, W::Back}},
     {}},
    {kBottomBar,
     {{Keys::UpDown, W::Choose}, {Keys::FixedReturn, W::Change}, {Keys::FixedEscape, W::Back}},
     {}},
};

const BarLayout& LayoutOf(KeyHelpBar bar) { return kBars[static_cast<int>(bar)]; }

constexpr uint32_t kHelpInk = 0xFF4A2F55;
constexpr uint32_t kHelpOutline = 0xFFFFFDF8;
// Key names in the font of 32 pixels: it draws lighter and smaller than the heavy lettering
// of 26 pixels beside them, and at this size matches it best. A line too long for its bar
// takes them in the font of 24 pixels, and then the pieces at three quarters of their size.
constexpr int kNameFont = 3;
constexpr int kSmallFont = 2;

// The room the words leave between the parts of a line, as the painted lines space them: in
// Japanese a full-width space, in English five spaces.
struct Spacing {
  int32_t segment;      // between two parts
  int32_t colon;        // between a key's name and the colon of its word
  int32_t arrowsColon;  // between painted arrows or a pad's symbol and the colon
  int32_t join;         // around the mark between two keys
};

bool English() { return &Texts() == &EnglishTexts; }

// SDL's controller buttons by family, in its numbering (bindings.h), for the buttons that have
// no symbol and for the controls page's notes.
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

uint16_t FirstKey(const Bindings& b, Action action) {
  for (uint16_t key : b.keys[static_cast<int>(action)])
    if (key != scancode::None) return key;
  return scancode::None;
}

}  // namespace

// One line of key help, laid out from pieces and names and drawn centred.
class KeyHelpLine {
 public:
  KeyHelpLine(CKeyHelp& help, bool plate) : help_(help), plate_(plate) {}

  void Word(HelpWord word, int32_t gap) {
    if (plate_ && word == HelpWord::Join)
      return Add({kPlateJoin, help_.plateJoin_, {}, gap, false});
    if (plate_) {
      const PlateWord plateWord = word == HelpWord::UpDownArrows ? PlateWord::UpDownArrows
                                  : word == HelpWord::Choose     ? PlateWord::Choose
                                                                 : PlateWord::Ok;
      const int i = static_cast<int>(plateWord);
      Add({PlateWordCell(plateWord), help_.plateWords_[i], {}, gap, false});
    } else {
      const int i = static_cast<int>(word);
      Add({WordCell(word), help_.words_[i], {}, gap, word == HelpWord::ArrowKeys});
    }
  }
  void Glyph(PadGlyph glyph, int32_t gap) {
    Add({GlyphCell(glyph), help_.glyphs_[static_cast<int>(glyph)], {}, gap, false});
  }
  void Name(std::string sjis, int32_t gap) { Add({{}, {}, std::move(sjis), gap, true}); }
  // Whether the line so far ends in letters (a key's name, "Arrow keys") rather than in
  // painted arrows or a pad's symbol, which leave more room before a colon.
  bool EndsInLetters() const {
    return !items_.empty() && (!items_.back().name.empty() || items_.back().lettered);
  }

  // Draws the line centred on (cx, cy), smaller when it would be wider than maxWidth.
  void Draw(CFont* const* fonts, int32_t cx, int32_t cy, int32_t maxWidth) {
    // A line too wide first takes the names a size down, then the pieces too.
    CFont* font = fonts[kNameFont];
    float scale = 1.0f;
    for (float smaller : {1.0f, 0.75f}) {
      if (Width(font, scale) <= maxWidth || !fonts[kSmallFont]) break;
      font = fonts[kSmallFont];
      scale = smaller;
    }
    int32_t x = cx - Width(font, scale) / 2;
    for (const Item& item : items_) {
      x += int32_t(float(item.gap) * scale);
      if (item.name.empty()) {
        DrawPiece(item, x, cy, scale);
      } else if (font) {
        DrawName(font, item.name, x, cy);
      }
      x += ItemWidth(item, font, scale);
    }
  }

 private:
  struct Item {
    SheetCell cell;
    CKeyHelp::Ink ink;
    std::string name;       // drawn in the font when not empty, instead of the piece
    int32_t gap;            // room before it
    bool lettered = false;  // a painted word rather than arrows or a symbol
  };

  void Add(Item item) {
    if (items_.empty()) item.gap = 0;
    items_.push_back(std::move(item));
  }

  int32_t ItemWidth(const Item& item, CFont* font, float scale) const {
    if (!item.name.empty()) return font ? font->TextWidth(item.name) : 0;
    return int32_t(float(item.ink.right - item.ink.left) * scale);
  }

  int32_t Width(CFont* font, float scale) const {
    int32_t width = 0;
    for (const Item& item : items_)
      width += int32_t(float(item.gap) * scale) + ItemWidth(item, font, scale);
    return width;
  }

  void DrawPiece(const Item& item, int32_t x, int32_t cy, float scale) {
    const int32_t h = int32_t(float(item.cell.h) * scale);
    help_.Blit(item.cell, x - int32_t(float(item.ink.left) * scale), cy - h / 2, scale);
  }

  // Names are drawn twice a pixel apart, as heavy as the painted words beside them; on the
  // plate they are outlined in white like its lettering.
  void DrawName(CFont* font, const std::string& name, int32_t x, int32_t cy) {
    const int32_t top = cy - font->Height() / 2;
    if (plate_) {
      for (int dx = -2; dx <= 3; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
          if (dx * dx + dy * dy >= 4) font->DrawText(name, x + dx, top + dy, kHelpOutline);
    }
    font->DrawText(name, x, top, kHelpInk);
    font->DrawText(name, x + 1, top, kHelpInk);
  }

  CKeyHelp& help_;
  bool plate_;
  std::vector<Item> items_;
};

namespace {

// Adds the keys of one part of a bar to the line, for the keyboard or for the pad.
class KeysOfSegment {
 public:
  KeysOfSegment(KeyHelpLine& line, const Bindings& bindings, bool pad, PadFamily family,
                Spacing spacing)
      : line_(line), b_(bindings), pad_(pad), family_(family), spacing_(spacing) {}

  // False when nothing is bound to any of them, so the part is left out.
  bool Add(Keys keys, int32_t gap) {
    gap_ = gap;
    added_ = false;
    switch (keys) {
      case Keys::None: break;
      case Keys::UpDown: Pair(Action::Up, Action::Down, HelpWord::UpDownArrows); break;
      case Keys::LeftRight: Pair(Action::Left, Action::Right, HelpWord::LeftRightArrows); break;
      case Keys::AllFour: AllFour(); break;
      case Keys::Confirm: One(Action::Confirm); break;
      case Keys::Cancel: One(Action::Cancel); break;
      case Keys::CancelOrPause:
        One(Action::Cancel);
        One(Action::Pause);
        break;
      case Keys::FixedReturn: pad_ ? One(Action::Confirm) : Key(scancode::Return); break;
      case Keys::FixedEscape: pad_ ? One(Action::Cancel) : Key(scancode::Escape); break;
    }
    return added_;
  }

 private:
  static constexpr uint16_t kArrows[4] = {scancode::Up, scancode::Down, scancode::Left,
                                          scancode::Right};

  bool OnArrow(Action a) const {
    const int i = static_cast<int>(a);
    return pad_ ? b_.pad[i] == PadDpadUp + i : FirstKey(b_, a) == kArrows[i];
  }

  void Pair(Action first, Action second, HelpWord arrows) {
    if (OnArrow(first) && OnArrow(second)) {
      if (pad_) {
        Put(first == Action::Up ? PadGlyph::DpadUpDown : PadGlyph::DpadLeftRight);
      } else {
        line_.Word(arrows, NextGap());
        added_ = true;
      }
      return;
    }
    One(first);
    One(second);
  }

  void AllFour() {
    const Action all[4] = {Action::Up, Action::Down, Action::Left, Action::Right};
    bool arrows = true;
    for (Action a : all) arrows = arrows && OnArrow(a);
    if (!arrows) {
      for (Action a : all) One(a);
    } else if (pad_) {
      Put(PadGlyph::DpadAll);
    } else {
      line_.Word(HelpWord::ArrowKeys, NextGap());
      added_ = true;
    }
  }

  void One(Action a) {
    if (!pad_) return Key(FirstKey(b_, a));
    const uint8_t button = b_.pad[static_cast<int>(a)];
    if (button == PadNone) return;
    const PadGlyph glyph = GlyphOf(button, family_);
    if (glyph != PadGlyph::None) return Put(glyph);
    line_.Name(PadButtonLabel(button, family_), NextGap());
    added_ = true;
  }

  void Key(uint16_t key) {
    if (key == scancode::None) return;
    line_.Name(KeyHelpName(key), NextGap());
    added_ = true;
  }

  void Put(PadGlyph glyph) {
    line_.Glyph(glyph, NextGap());
    added_ = true;
  }

  // The first key of a part follows the gap between parts; later ones follow a joining mark.
  int32_t NextGap() {
    if (!added_) return gap_;
    line_.Word(HelpWord::Join, spacing_.join);
    return spacing_.join;
  }

  KeyHelpLine& line_;
  const Bindings& b_;
  bool pad_;
  PadFamily family_;
  Spacing spacing_;
  int32_t gap_ = 0;
  bool added_ = false;
};

// The columns of a cell that carry ink: from the first to one past the last.
CKeyHelp::Ink InkOf(const DecodedImage& image, const SheetCell& cell) {
  CKeyHelp::Ink ink{cell.w, 0};
  for (int32_t y = cell.y; y < cell.y + cell.h && y < image.height; ++y)
    for (int32_t x = cell.x; x < cell.x + cell.w && x < image.width; ++x)
      if (image.argb[size_t(y) * size_t(image.width) + size_t(x)] >> 24) {
        ink.left = std::min(ink.left, x - cell.x);
        ink.right = std::max(ink.right, x - cell.x + 1);
      }
  if (ink.right <= ink.left) ink = {0, 0};
  return ink;
}

}  // namespace

bool CKeyHelp::LoadResources(SceneId scene) {
  const bool loaded = LoadMenuImages(sheets_, kSheetIds, scene);
  MeasurePieces();
  return loaded;
}

void CKeyHelp::ReleaseResources() {
  for (CSprite& sheet : sheets_) ReleaseSpriteImage(sheet);
}

void CKeyHelp::MeasurePieces() {
  const std::shared_ptr<const DecodedImage> image =
      g_pictures ? g_pictures->Get(kBitmapKeyHelpSheet) : DecodePicture(kBitmapKeyHelpSheet);
  if (!image) return;
  for (int i = 0; i < static_cast<int>(HelpWord::Count); ++i)
    words_[i] = InkOf(*image, WordCell(static_cast<HelpWord>(i)));
  for (int i = 0; i < static_cast<int>(PlateWord::Count); ++i)
    plateWords_[i] = InkOf(*image, PlateWordCell(static_cast<PlateWord>(i)));
  plateJoin_ = InkOf(*image, kPlateJoin);
  for (int i = 0; i < static_cast<int>(PadGlyph::Count); ++i)
    glyphs_[i] = InkOf(*image, GlyphCell(static_cast<PadGlyph>(i)));
}

void CKeyHelp::Blit(const SheetCell& cell, int32_t x, int32_t y, float scale) {
  CSprite& sheet = sheets_[kPieces];
  SetSpriteRect(sheet, cell.x, cell.y, cell.w, cell.h);
  DrawSprite(g_device, sheet, x, y, 0.0f, int32_t(float(cell.w) * scale),
             int32_t(float(cell.h) * scale), 0.0f);
}

void CKeyHelp::Blank(KeyHelpBar bar) {
  const BarPlace& place = LayoutOf(bar).place;
  Blit(place.plate ? kBlankPlate : kBlankPill, place.blankX, place.blankY);
}

void CKeyHelp::DrawPointerHint(KeyHelpBar bar) {
  const PointerHintPlace& hint = LayoutOf(bar).hint;
  CSprite& hints = sheets_[kPointerSheet];
  if (hint.source.w > 0 && hints.texture) {
    SetSpriteRect(hints, hint.source.x, hint.source.y, hint.source.w, hint.source.h);
    DrawSprite(g_device, hints, hint.x, hint.y, 0.0f, 0, 0, 0.0f);
  } else if (bar == KeyHelpBar::ControlsBar && sheets_[kPieces].texture) {
    Blank(bar);
    const BarPlace& place = LayoutOf(bar).place;
    Blit(kControlsPointerLine, place.blankX, place.centreY - kControlsPointerLine.h / 2);
  }
}

void CKeyHelp::Draw(KeyHelpBar bar, CFont* const* fonts) {
  if (lastDevice_ == InputDevice::Pointer) return DrawPointerHint(bar);
  const BarLayout& layout = LayoutOf(bar);
  if (layout.segments[0].keys == Keys::None || !sheets_[kPieces].texture) return;
  const Spacing spacing = English() ? Spacing{40, 2, 8, 6} : Spacing{30, 10, 10, 8};
  const Bindings bindings = g_settings ? g_settings->bindings : DefaultBindings();
  KeyHelpLine line(*this, layout.place.plate);
  KeysOfSegment keys(line, bindings, lastDevice_ == InputDevice::Pad, padFamily_, spacing);
  for (const Segment& segment : layout.segments)
    if (segment.keys != Keys::None && keys.Add(segment.keys, spacing.segment))
      line.Word(segment.word, line.EndsInLetters() ? spacing.colon : spacing.arrowsColon);
  Blank(bar);
  line.Draw(fonts, layout.place.centreX, layout.place.centreY, layout.place.maxWidth);
}

void CKeyHelp::DrawLine(KeyHelpBar bar, const std::string& sjis, CFont* const* fonts) {
  const BarPlace& place = LayoutOf(bar).place;
  if (sheets_[kPieces].texture) Blank(bar);
  KeyHelpLine line(*this, place.plate);
  line.Name(sjis, 0);
  line.Draw(fonts, place.centreX, place.centreY, place.maxWidth);
}

bool CKeyHelp::DrawPadButton(uint8_t button, int32_t x, int32_t cy) {
  if (button == PadNone || !sheets_[kPieces].texture) return false;
  const PadGlyph glyph = GlyphOf(button, padFamily_);
  if (glyph == PadGlyph::None) return false;
  const SheetCell cell = GlyphCell(glyph);
  Blit(cell, x - glyphs_[static_cast<int>(glyph)].left, cy - cell.h / 2);
  return true;
}

void CKeyHelp::DrawControlsItem(bool lit, int32_t x, int32_t y) {
  Blit(lit ? kControlsItemLit : kControlsItem, x, y);
}

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

std::string KeyHelpName(uint16_t key) {
  if (English()) return key == scancode::Escape ? "Esc" : KeyLabel(key);
  const std::string name = key == scancode::Escape ? "ESC" : KeyLabel(key);
  if (name.size() > 3) return name;
  // Short names in full-width letters, as the Japanese bars write "Ｚ" and "ＥＳＣ".
  std::string wide;
  for (char c : name) {
    const uint32_t ascii = static_cast<unsigned char>(c);
    if (ascii < 0x21 || ascii > 0x7E) return name;
    const uint32_t form = ascii + 0xFEE0;  // the full-width form of a printable ASCII character
    wide += char(0xE0 | (form >> 12));
    wide += char(0x80 | ((form >> 6) & 0x3F));
    wide += char(0x80 | (form & 0x3F));
  }
  return Utf8ToSjis(wide);
}

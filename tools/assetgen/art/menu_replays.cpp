// The replay sheet (130): the title's replay item, and the list of kept replays: its caption,
// the plates of its rows and its key-help bars for keys and for the pointer.
#include "menu_art.h"
#include "menu_shapes.h"
#include "text.h"

namespace art {
namespace {

using namespace style;

// A row of the list: a plate the game letters the replay's date and result on, so its face
// stays pale enough for dark text.
void DrawRowPlate(cairo_t* cr, double y, Rgb face) {
  DrawPlate(cr, 2, y + 2, 732, 42, {face, Mix(face, kInk, 0.3), 14, 3});
}

}  // namespace

void Paint130(cairo_t* cr, int width, int height) {
  // The title's top-menu item, drawn like its neighbours from sheet 124.
  DrawMenuItem(cr, 0, 0, 322, 48, Say(cr, "リプレイ", "Replays"), kLemon, false);

  const char* caption = Say(cr, "リプレイ", "Replays");
  DrawCaption(cr, caption, 340 + 100, 30, CaptionSize(cr, caption, 200, 60), kCoral);

  // Rows: one to watch, the one under the cursor (warmer, as menus light their highlighted
  // items), and one that cannot be watched (greyed).
  DrawRowPlate(cr, 64, Mix(kPaper, kLavender, 0.3));
  DrawRowPlate(cr, 112, Mix(kLemon, kPaper, 0.3));
  DrawRowPlate(cr, 160, Mix(kStone, kLavender, 0.55));

  DrawKeyHelpBar(cr, 0, 208, 768, 80, 248,
                 Say(cr, "↑↓：えらぶ　←→：ページ　Ｚ：みる　Ｘ：もどる",
                     "↑↓: choose     ←→: page     Z: watch     X: back"));
  DrawKeyHelpBar(cr, 0, 296, 768, 80, 336,
                 Say(cr, "タップ・クリック：みる　このバーをタップ：もどる",
                     "Tap or click: watch     Tap this bar: back"));
}

}  // namespace art

// The world ranking's page, reached from the options: whether the player takes part, and the
// name the runs are ranked under, typed on a grid of letters (Latin letters, digits and a few
// marks; hiragana; katakana) that keys, a pad, a finger and the mouse can all use. Return and
// Esc always confirm and leave, as on the controls page.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/sound.h"
#include "media/sprite.h"
#include "scenes/scene.h"
#include "system/bindings.h"

class CRankingSetup : public CScene {
 public:
  // Rows of the cursor: the choice to take part, the grid's rows, then the actions' row.
  static constexpr int kGridColumns = 14;
  static constexpr int kGridRows = 6;
  static constexpr int kTakePartRow = 0;
  static constexpr int kActionRow = kGridRows + 1;
  static constexpr int kRowCount = kGridRows + 2;
  // The actions' row: the three pages of the grid, erasing the last letter, and done.
  enum GridAction {
    LatinPage = 0,
    HiraganaPage = 1,
    KatakanaPage = 2,
    EraseAction = 3,
    DoneAction = 4
  };
  static constexpr int kGridActionCount = 5;
  static constexpr int kPageCount = 3;

  // The pictures the scene loads (see ScenePictures).
  static std::span<const int> PictureIds();

  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;

  // The letter (UTF-8) in a cell of a page; empty for a cell with none.
  static std::string Letter(int page, int row, int column);

  int32_t row = 1;  // on the grid's first row
  int32_t column = 0;
  int32_t page = 0;
  bool optedIn = false;
  std::string name;            // UTF-8
  const char* note = nullptr;  // what the help bar says instead of the keys, for a while
  bool leaveRequested = false;
  InputDevice lastDevice = InputDevice::Keys;
  PadFamily padFamily = PadFamily::Xbox;

 private:
  void Move(const CInput& input);
  // Confirm on the cell under the cursor.
  void Choose();
  void Type(const std::string& letter);
  void Erase();
  void FlipTakingPart();
  void PointAt(const PointerState& pointer);
  int32_t Columns(int32_t onRow) const;
  void DrawGrid(CFont* font);
  void DrawHelp(CFont* font);

  std::vector<ScreenRect> cells_;  // every cell the pointer may choose, row by row
  CSprite images_[2];              // the background and the reading panel
  CSound sounds_[2];               // the cursor moving, a choice made
};

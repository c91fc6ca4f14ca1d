// Monsters, diamonds and short-lived effects: the objects of the three character tables.
#pragma once

#include <cstdint>
#include <span>

#include "game/charactor.h"

class CEnemySingle : public CCharactor {
 public:
  void Update(CMap& map) override;
  bool Draw() override;
  // The step of Update that moves it: a winged monster walks, both are carried by the scroll,
  // fall and land; one that has left the screen is freed.
  void Move(const CMap& map);

  bool toDiamond = false;  // met another monster this frame
};

class CItemSingle : public CCharactor {
 public:
  void Update(CMap& map) override;
  bool Draw() override;
};

class CEffectSingle : public CCharactor {
 public:
  void Update(CMap& map) override;
  bool Draw() override;
};

// Source rectangle of a score pop-up in its sheet (height 40).
struct PopupFrame {
  int32_t x, y, width;
};
// Indexed by effect kind - EffectPopup100.
extern const PopupFrame PopupFrames[7];

// Source rows of the start and finish banner animation.
extern const int32_t BannerRows[6];

// Vertical distance between two field y values, across the wrap of the field.
int32_t FieldDistance(float y1, float y2);

// A winged monster destroys the diamonds it touches and breaks the chain.
void BreakDiamonds(const CEnemySingle& enemy);

// Marks every monster that touches another one to turn into a diamond.
void MarkMeetingMonsters(std::span<CEnemySingle> monsters);

// Every monster's frame, then monsters that touch turn into diamonds.
void UpdateEnemies(CMap& map);

// Draws every diamond.
void DrawItems();

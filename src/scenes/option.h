// The option scene: music and effect volumes and the display mode.
#pragma once

#include <cstdint>
#include <span>

#include "scenes/menu_scene.h"

class COption : public CSpriteMenuScene<2, 11> {
 public:
  // The pictures the scene loads, its key-help bars' sheets apart (see ScenePictures).
  static std::span<const int> PictureIds();
  // The controls item sits right of the return item, reached from it with Right; the world
  // ranking's item left of it, with Left, where the game has a way to the ranking's server.
  enum Item {
    MusicItem = 0,
    EffectItem = 1,
    DisplayItem = 2,
    ReturnItem = 3,
    ControlsItem = 4,
    RankingItem = 5
  };

  COption();
  bool Init() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;

  int32_t cursor = MusicItem;
  bool decideRequest = false;
  bool leftRequest = false;
  bool rightRequest = false;
  bool cancelRequest = false;
  int32_t barPercent = -1;  // a volume dragged along its bar to this value; -1 for none
  int32_t musicPercent = 100;
  int32_t effectPercent = 100;
  bool shownMode = false;  // the display mode the arrow marks: true = full screen

 private:
  // Places the highlighted labels, the arrows and the return button for the cursor and mode.
  void ApplyCursorLayout();
  // Steps a volume by 10 % for the left and right requests; true when it changed.
  bool StepPercent(int32_t& percent) const;
  void ShowVolume(int bar, int32_t percent);
  void UpdateItem();
  // Right from the return item to the controls item, Left to the ranking's, and back; true when
  // the cursor moved.
  bool MoveBesideReturn(const CInput& input);
  // A tap on a row selects it and changes it a step by the half it fell on, a tap on the
  // return item confirms it, a drag along a volume bar sets the volume, and a mouse over a
  // row selects it.
  void PointAt(const PointerState& pointer);
  void DrawRankingPlate(CFont* const* fonts) const;
};

// A volume (hundredths of a decibel, -10000..0) as a percentage 0..100, and back.
int32_t VolumePercent(int32_t volume);
int32_t PercentVolume(int32_t percent);

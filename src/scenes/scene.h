// The base of every screen of the game.
#pragma once

#include "media/input.h"

class CFont;

enum SceneId : int32_t {
  None = 0,
  Logo = 1,
  Title = 2,
  Rule = 3,
  Option = 4,
  CGRoom = 5,
  MusicRoom = 6,
  Info = 7,
  Play = 8,
  Controls = 9,
  RankingSetup = 10,
  GameOver = 11,
  Pop = 12,
  ReplayList = 13,
};

class CScene {
 public:
  virtual ~CScene() = default;
  virtual bool Init() = 0;
  virtual void Input(const CInput& input) = 0;
  virtual bool Update() = 0;
  virtual void Draw(CFont* const* fonts) = 0;
  virtual bool LoadResources(bool deviceReset) = 0;
  virtual void ReleaseResources(bool deviceReset) = 0;
  virtual void Resume() {}
  // The player has left the game: its window was hidden (minimised, or the page went to the
  // background) or lost the focus, or the controller was pulled out. A scene that runs a game
  // pauses it here.
  virtual void Interrupt() {}
};

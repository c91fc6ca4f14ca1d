// The heroine: walks right on the stones by herself, falls through gaps, is pushed by stones,
// picks up diamonds, and is lost at the left edge or to a monster.
#pragma once

#include <cstdint>

#include "game/charactor.h"

// Death states, kept in `kind`.
enum PlayerState : int32_t { PlayerAlive = 0, PlayerCutOff = 1, PlayerCaught = 2 };
enum PlayerPose : int32_t { PoseWalk = 0, PoseFall = 1, PoseBumped = 2 };

// Points for a diamond by the chain count before the pick-up.
extern const int32_t ChainBonus[7];

class CPlayer : public CCharactor {
 public:
  // Places her at the start of a game.
  void Start();

  void Update(CMap& map) override;
  bool Draw() override;

  // The steps of Update while she is alive: her walk or fall and the stones' push; whether a
  // stone has pushed her out at the left edge; whether a monster touches her.
  void Move(const CMap& map);
  bool PushedOut() const;
  bool Touches(const CEnemySingle& enemy) const;
  bool TouchesEnemy() const;
  void CollectDiamonds();

  int32_t pose = PoseWalk;
  int32_t poseTimer = 0;  // frames the bumped pose is still held

 private:
  void DrawAlive(CSprite& sprite, int32_t left, int32_t top) const;
  void DrawCutOff(CSprite& sprite, int32_t left, int32_t top) const;
};

// The one place that knows every scene class: a new scene for each SceneId.
#include "game/play.h"
#include "scenes/game_over.h"
#include "scenes/logo.h"
#include "scenes/scene_manager.h"

std::unique_ptr<CScene> CreateScene(SceneId id) {
  switch (id) {
    case Logo:
      return std::make_unique<CLogo>();
    case Play:
      return std::make_unique<CPlay>();
    case GameOver:
      return std::make_unique<CGameOver>();
    default:
      return nullptr;
  }
}

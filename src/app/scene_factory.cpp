// The one place that knows every scene class: a new scene for each SceneId.
#include "scenes/logo.h"
#include "scenes/scene_manager.h"

std::unique_ptr<CScene> CreateScene(SceneId id) {
  switch (id) {
    case Logo:
      return std::make_unique<CLogo>();
    default:
      return nullptr;
  }
}

// Creates, suspends, resumes and destroys scenes on request.
#pragma once

#include <memory>
#include <vector>

#include "scenes/scene.h"

// The factory: a new scene for the id, or null for ids without a class.
std::unique_ptr<CScene> CreateScene(SceneId id);

struct SceneManager {
  std::unique_ptr<CScene> currentScene;
  SceneId requestedScene = None;
  bool keepCurrent = false;
  std::vector<std::unique_ptr<CScene>> suspended;  // oldest first
  // Makes the scene for a request; CreateScene unless a test puts its own in.
  std::unique_ptr<CScene> (*factory)(SceneId) = CreateScene;

  void RequestScene(SceneId id, bool keep);
  bool ReturnToSuspendedScene();
  bool StepScenes();
  void NotifyScenesLoad(bool deviceReset);
  void NotifyScenesRelease(bool deviceReset);
  // Drops every scene without calling any slot (tests and program exit).
  void Clear();
  // Releases and drops every scene, the current one and the suspended ones.
  void ReleaseAll();

 private:
  void PopScene();
};

extern SceneManager g_sceneManager;

void RequestScene(SceneId id, bool keep);
bool ReturnToSuspendedScene();

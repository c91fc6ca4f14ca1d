// Creates, suspends, resumes and destroys scenes on request.
#pragma once

#include <memory>
#include <vector>

#include "scenes/scene.h"

// The factory: a new scene for the id, or null for ids without a class.
std::unique_ptr<CScene> CreateScene(SceneId id);
// The pictures the scene of the id loads as it starts.
std::vector<int> ScenePictures(SceneId id);

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
  // Whether the scene requested needs a picture still on its way (a page fetching it). The
  // program then runs no frame until it has arrived: no scene starts without its pictures.
  bool WaitsForPictures() const;
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

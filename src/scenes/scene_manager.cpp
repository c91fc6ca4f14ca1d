#include "scenes/scene_manager.h"

#include "system/resources.h"

SceneManager g_sceneManager;

void SceneManager::RequestScene(SceneId id, bool keep) {
  keepCurrent = keep;
  requestedScene = id;
}

bool SceneManager::ReturnToSuspendedScene() {
  if (suspended.empty()) return false;
  RequestScene(Pop, false);
  return true;
}

bool SceneManager::StepScenes() {
  if (requestedScene == Pop) {
    PopScene();
    requestedScene = None;
    keepCurrent = false;
  } else if (requestedScene != None) {
    if (keepCurrent) {
      if (currentScene) suspended.push_back(std::move(currentScene));
    } else if (currentScene) {
      currentScene->ReleaseResources(false);
      currentScene.reset();  // gone before the next scene is even constructed
    }
    currentScene = factory(requestedScene);
    if (!currentScene) {
      // An id without a class: the program runs on with no scene.
      requestedScene = None;
      keepCurrent = false;
      return true;
    }
    if (!currentScene->Init() || !currentScene->LoadResources(false)) {
      // The scene has shown its own message; the request stays while the program ends.
      currentScene->ReleaseResources(false);
      currentScene.reset();
      return false;
    }
    requestedScene = None;
    keepCurrent = false;
  }
  return currentScene ? currentScene->Update() : true;
}

bool SceneManager::WaitsForPictures() const {
  if (requestedScene == None || requestedScene == Pop) return false;
  for (int id : ScenePictures(requestedScene))
    if (ResourcePending(ResourceType::Bitmap, id)) return true;
  return false;
}

void SceneManager::PopScene() {
  if (suspended.empty()) return;
  if (currentScene) {
    currentScene->ReleaseResources(false);
    currentScene.reset();
  }
  requestedScene = None;
  keepCurrent = false;
  currentScene = std::move(suspended.back());
  suspended.pop_back();
  currentScene->Resume();
}

void SceneManager::NotifyScenesLoad(bool deviceReset) {
  if (currentScene) currentScene->LoadResources(deviceReset);
  for (auto& scene : suspended) scene->LoadResources(deviceReset);
}

void SceneManager::NotifyScenesRelease(bool deviceReset) {
  if (currentScene) currentScene->ReleaseResources(deviceReset);
  for (auto& scene : suspended) scene->ReleaseResources(deviceReset);
}

void SceneManager::Clear() {
  currentScene.reset();
  suspended.clear();
  requestedScene = None;
  keepCurrent = false;
}

void SceneManager::ReleaseAll() {
  NotifyScenesRelease(false);
  Clear();
}

void RequestScene(SceneId id, bool keep) { g_sceneManager.RequestScene(id, keep); }

bool ReturnToSuspendedScene() { return g_sceneManager.ReturnToSuspendedScene(); }

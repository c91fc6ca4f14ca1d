// The pictures each scene names, which a scene change waits for while a page still fetches any
// of them: every scene must name every picture it loads, or it would start without one.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "fakes/test_environment.h"
#include "scenes/scene_manager.h"
#include "system/resource_ids.h"

namespace {

// The resources as the test's fakes have them, noting every bitmap asked for.
class NotingResources final : public IResources {
 public:
  explicit NotingResources(const IResources& all) : all_(all) {}
  std::span<const uint8_t> Find(ResourceType type, int id) const override {
    if (type == ResourceType::Bitmap) asked.insert(id);
    return all_.Find(type, id);
  }
  mutable std::set<int> asked;

 private:
  const IResources& all_;
};

class ScenePicturesTest : public GameTest {};

}  // namespace

TEST_F(ScenePicturesTest, EverySceneNamesEveryPictureItLoads) {
  const SceneId scenes[] = {Logo, Title, Rule,     Option,   CGRoom,     MusicRoom,
                            Info, Play,  Controls, GameOver, ReplayList, RankingSetup};
  for (SceneId id : scenes) {
    NotingResources noting(resources);
    g_resources = &noting;
    std::unique_ptr<CScene> scene = CreateScene(id);
    ASSERT_TRUE(scene->Init()) << id;
    scene->LoadResources(false);
    scene->ReleaseResources(false);
    g_resources = &resources;
    const std::vector<int> named = ScenePictures(id);
    EXPECT_FALSE(noting.asked.empty()) << id;
    for (int picture : noting.asked)
      EXPECT_NE(std::find(named.begin(), named.end(), picture), named.end())
          << "scene " << id << " loads picture " << picture << " it does not name";
  }
}

// A request waits while a picture of the scene asked for is on its way, and only then: not for
// a picture of another scene, nor to return to a suspended scene, which has its pictures.
TEST_F(ScenePicturesTest, ARequestWaitsForThePicturesOfItsSceneOnly) {
  resources.Hold(ResourceType::Bitmap, kBitmapPlayBackground);
  g_sceneManager.RequestScene(Option, false);
  EXPECT_FALSE(g_sceneManager.WaitsForPictures());
  g_sceneManager.RequestScene(Play, false);
  EXPECT_TRUE(g_sceneManager.WaitsForPictures());
  g_sceneManager.RequestScene(Pop, false);
  EXPECT_FALSE(g_sceneManager.WaitsForPictures());
  g_sceneManager.RequestScene(Play, false);
  resources.Arrive(ResourceType::Bitmap, kBitmapPlayBackground);
  EXPECT_FALSE(g_sceneManager.WaitsForPictures());
  g_sceneManager.requestedScene = None;
}

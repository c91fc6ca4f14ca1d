#include "scenes/scene_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/test_environment.h"

namespace {

// Every slot call of every recording scene, as "Name:Slot", in order.
std::vector<std::string> g_calls;

struct Behaviour {
  bool initFails = false;
  bool loadFails = false;
  bool updateResult = true;
  SceneId requestFromUpdate = None;
  bool keepOnRequest = false;
  SceneId requestFromInput = None;
};
Behaviour g_behaviour[16];

class RecordingScene : public CScene {
 public:
  explicit RecordingScene(SceneId id) : id_(id) { Log("new"); }
  ~RecordingScene() override { Log("delete"); }
  bool Init() override {
    Log("Init");
    return !g_behaviour[id_].initFails;
  }
  void Input(const CInput&) override {
    Log("Input");
    if (g_behaviour[id_].requestFromInput != None)
      RequestScene(g_behaviour[id_].requestFromInput, g_behaviour[id_].keepOnRequest);
  }
  bool Update() override {
    Log("Update");
    if (g_behaviour[id_].requestFromUpdate != None)
      RequestScene(g_behaviour[id_].requestFromUpdate, g_behaviour[id_].keepOnRequest);
    return g_behaviour[id_].updateResult;
  }
  void Draw(CFont* const*) override { Log("Draw"); }
  bool LoadResources(bool reset) override {
    Log(reset ? "Load(reset)" : "Load");
    return !g_behaviour[id_].loadFails;
  }
  void ReleaseResources(bool reset) override { Log(reset ? "Release(reset)" : "Release"); }
  void Resume() override { Log("Resume"); }

 private:
  void Log(const char* what) { g_calls.push_back(Name() + ":" + what); }
  std::string Name() const {
    switch (id_) {
      case Logo: return "Logo";
      case Title: return "Title";
      case Option: return "Option";
      case Play: return "Play";
      default: return "Scene" + std::to_string(int(id_));
    }
  }
  SceneId id_;
};

std::unique_ptr<CScene> RecordingFactory(SceneId id) {
  if (id == 9 || id == 10 || id < Logo || id > GameOver) return nullptr;
  return std::make_unique<RecordingScene>(id);
}

class SceneManagerTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_sceneManager.factory = RecordingFactory;
    g_calls.clear();
    for (Behaviour& b : g_behaviour) b = Behaviour{};
  }
  void TearDown() override {
    GameTest::TearDown();
    g_sceneManager.factory = CreateScene;
  }
  // The calls since the last look.
  std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    calls.swap(g_calls);
    return calls;
  }
  using Strings = std::vector<std::string>;
};

}  // namespace

TEST_F(SceneManagerTest, RequestFromUpdateWaitsForTheNextFrame) {
  RequestScene(Logo, false);
  g_behaviour[Logo].requestFromUpdate = Title;
  ASSERT_TRUE(RunFrame());
  // Created, set up, updated and drawn in its first frame.
  EXPECT_EQ(Calls(), (Strings{"Logo:new", "Logo:Init", "Logo:Load", "Logo:Update", "Logo:Draw"}));
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  ASSERT_TRUE(RunFrame());
  // One more Input for the logo, then it is gone before the title is even constructed.
  EXPECT_EQ(Calls(), (Strings{"Logo:Input", "Logo:Release", "Logo:delete", "Title:new",
                              "Title:Init", "Title:Load", "Title:Update", "Title:Draw"}));
  EXPECT_EQ(g_sceneManager.requestedScene, None);
}

TEST_F(SceneManagerTest, SuspendUnderTheTitleAndPopBack) {
  RequestScene(Play, false);
  ASSERT_TRUE(RunFrame());
  Calls();
  g_behaviour[Play].requestFromInput = Title;
  g_behaviour[Play].keepOnRequest = true;
  ASSERT_TRUE(RunFrame());
  // The play scene is pushed without any release, in the frame of its Input.
  EXPECT_EQ(Calls(), (Strings{"Play:Input", "Title:new", "Title:Init", "Title:Load", "Title:Update",
                              "Title:Draw"}));
  ASSERT_EQ(g_sceneManager.suspended.size(), 1u);
  EXPECT_FALSE(g_sceneManager.keepCurrent);

  ASSERT_TRUE(ReturnToSuspendedScene());
  EXPECT_EQ(g_sceneManager.requestedScene, Pop);
  ASSERT_TRUE(RunFrame());
  EXPECT_EQ(Calls(), (Strings{"Title:Input", "Title:Release", "Title:delete", "Play:Resume",
                              "Play:Update", "Play:Draw"}));
  EXPECT_TRUE(g_sceneManager.suspended.empty());
  EXPECT_FALSE(ReturnToSuspendedScene());
  EXPECT_EQ(g_sceneManager.requestedScene, None);
}

TEST_F(SceneManagerTest, ReplacingTheTopLeavesTheSuspendedScene) {
  RequestScene(Play, false);
  ASSERT_TRUE(RunFrame());
  RequestScene(Title, true);
  ASSERT_TRUE(RunFrame());
  RequestScene(Option, false);
  ASSERT_TRUE(RunFrame());
  ASSERT_EQ(g_sceneManager.suspended.size(), 1u);
  Calls();
  ASSERT_TRUE(ReturnToSuspendedScene());
  ASSERT_TRUE(RunFrame());
  EXPECT_EQ(Calls(), (Strings{"Option:Input", "Option:Release", "Option:delete", "Play:Resume",
                              "Play:Update", "Play:Draw"}));
}

TEST_F(SceneManagerTest, PopWithNothingSuspendedIsDropped) {
  RequestScene(Title, false);
  ASSERT_TRUE(RunFrame());
  Calls();
  RequestScene(Pop, false);
  ASSERT_TRUE(RunFrame());
  EXPECT_EQ(Calls(), (Strings{"Title:Input", "Title:Update", "Title:Draw"}));
  EXPECT_EQ(g_sceneManager.requestedScene, None);
}

TEST_F(SceneManagerTest, DeviceResetReloadsCurrentThenSuspended) {
  RequestScene(Play, false);
  ASSERT_TRUE(RunFrame());
  RequestScene(Title, true);
  ASSERT_TRUE(RunFrame());
  Calls();
  g_sceneManager.NotifyScenesRelease(true);
  g_sceneManager.NotifyScenesLoad(true);
  EXPECT_EQ(Calls(), (Strings{"Title:Release(reset)", "Play:Release(reset)", "Title:Load(reset)",
                              "Play:Load(reset)"}));
}

TEST_F(SceneManagerTest, IdWithoutAClassLeavesNoScene) {
  RequestScene(Title, false);
  ASSERT_TRUE(RunFrame());
  Calls();
  RequestScene(SceneId(9), false);
  EXPECT_TRUE(RunFrame());
  EXPECT_EQ(Calls(), (Strings{"Title:Input", "Title:Release", "Title:delete"}));
  EXPECT_EQ(Current(), nullptr);
  EXPECT_EQ(g_sceneManager.requestedScene, None);
  EXPECT_TRUE(RunFrame());  // frames run on with nothing
}

TEST_F(SceneManagerTest, FailedSetUpEndsTheProgram) {
  g_behaviour[Title].loadFails = true;
  RequestScene(Title, false);
  EXPECT_FALSE(RunFrame());
  EXPECT_EQ(Calls(),
            (Strings{"Title:new", "Title:Init", "Title:Load", "Title:Release", "Title:delete"}));
  EXPECT_EQ(Current(), nullptr);
  EXPECT_EQ(g_sceneManager.requestedScene, Title);

  g_behaviour[Logo].initFails = true;
  RequestScene(Logo, false);
  EXPECT_FALSE(RunFrame());
  // A failed Init skips the loading but still releases.
  EXPECT_EQ(Calls(), (Strings{"Logo:new", "Logo:Init", "Logo:Release", "Logo:delete"}));
}

TEST_F(SceneManagerTest, UpdateResultEndsTheProgram) {
  g_behaviour[Title].updateResult = false;
  RequestScene(Title, false);
  EXPECT_FALSE(RunFrame());
}

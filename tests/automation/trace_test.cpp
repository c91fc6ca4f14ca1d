#include "automation/trace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>

#include "fakes/test_environment.h"
#include "game/enemies.h"
#include "scenes/cg_room.h"
#include "scenes/game_over.h"
#include "scenes/logo.h"
#include "scenes/music_room.h"
#include "scenes/option.h"
#include "scenes/play.h"
#include "scenes/reading_scene.h"
#include "scenes/title.h"

namespace {

using nlohmann::json;

TEST(JsonWriter, PlacesCommasInNestedObjectsAndArrays) {
  JsonWriter w;
  w.BeginObject();
  w.IntField("a", -3);
  w.Key("list");
  w.BeginArray();
  w.BeginArray();
  w.EndArray();
  w.Int(1);
  w.BeginObject();
  w.EndObject();
  w.Null();
  w.EndArray();
  w.BoolField("b", false);
  w.EndObject();
  EXPECT_EQ(w.Text(), R"({"a":-3,"list":[[],1,{},null],"b":false})");

  w.Clear();
  w.BeginArray();
  w.Bool(true);
  w.EndArray();
  EXPECT_EQ(w.Text(), "[true]");
}

TEST(JsonWriter, EscapesStringsSoTheyParseBack) {
  std::string nasty = std::string("quote\" back\\ tab\t nl\n bell\x07 zero") + '\0' + "end";
  JsonWriter w;
  w.String(nasty);
  EXPECT_EQ(json::parse(w.Text()).get<std::string>(), nasty);
}

TEST(JsonWriter, FloatsReadBackExactly) {
  for (float value : {0.85f, 0.00374f, 2.72f, -0.0f, 1e-30f, 3.4028235e38f, 255.0f, 170.33333f,
                      std::numeric_limits<float>::denorm_min()}) {
    JsonWriter w;
    w.Float(value);
    float back = json::parse(w.Text()).get<float>();
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << w.Text();
  }
  JsonWriter w;
  w.BeginArray();
  w.Float(0.85f);
  w.Float(255.0f);
  w.EndArray();
  EXPECT_EQ(w.Text(), "[0.85,255.0]") << "no digits beyond what the float needs";
}

TEST(JsonWriter, NonFiniteFloatsBecomeNull) {
  JsonWriter w;
  w.BeginArray();
  w.Float(std::numeric_limits<float>::infinity());
  w.Float(std::nan(""));
  w.EndArray();
  EXPECT_EQ(w.Text(), "[null,null]");
}

class TraceTest : public GameTest {
 protected:
  json Frame(uint32_t frame) {
    JsonWriter w;
    WriteTraceFrame(w, frame);
    return json::parse(w.Text());
  }
};

TEST_F(TraceTest, NoSceneYet) {
  json line = Frame(1);
  EXPECT_EQ(line["frame"], 1);
  EXPECT_TRUE(line["scene"].is_null());
  EXPECT_EQ(line["suspended"], json::array());
  EXPECT_EQ(line["state"], json::object());
  EXPECT_TRUE(line["sounds"].is_array());
}

TEST_F(TraceTest, SaveRecordValues) {
  save.score = 12300;
  save.highScore = 99900;
  save.distance = 123;
  save.diamondChain = 4;
  save.fullScreen = 1;
  save.bgmVolume = -1500;
  save.seVolume = -700;
  save.ruleTopic = -1;
  save.inGameMenu = 1;
  json line = Frame(7);
  EXPECT_EQ(line["score"], 12300);
  EXPECT_EQ(line["highScore"], 99900);
  EXPECT_EQ(line["distance"], 123);
  EXPECT_EQ(line["diamondChain"], 4);
  EXPECT_EQ(line["fullScreen"], 1);
  EXPECT_EQ(line["bgmVolume"], -1500);
  EXPECT_EQ(line["seVolume"], -700);
  EXPECT_EQ(line["ruleTopic"], -1);
  EXPECT_EQ(line["inGameMenu"], 1);
}

TEST_F(TraceTest, SoundsPlayingNowInIncreasingOrder) {
  CSound music, cursor, idle;
  ASSERT_TRUE(LoadSound(music, 208, audio, true));
  ASSERT_TRUE(LoadSound(cursor, 205, audio, false));
  ASSERT_TRUE(LoadSound(idle, 206, audio, false));
  SoundPlay(music);
  SoundPlay(cursor);
  EXPECT_EQ(Frame(1)["sounds"], json::parse("[205,208]"));
  SoundStop(music);
  EXPECT_EQ(Frame(2)["sounds"], json::parse("[205]"));
}

TEST_F(TraceTest, PlaySceneStateAndLiveCharacters) {
  auto play = std::make_unique<CPlay>();
  play->phase = PhaseCaught;
  play->phaseFrame = 12;
  play->fade = -5;
  play->player.x = 255.5f;
  play->player.y = 170.25f;
  play->player.kind = PlayerCaught;
  play->player.pose = PoseFall;
  play->player.grounded = true;
  play->map.cursor = 7;
  play->map.scroll = 42.125f;
  play->map.speed = 0.85374f;
  for (CEnemySingle& enemy : g_enemies) enemy.Empty();
  for (CItemSingle& item : g_items) item.Empty();
  g_enemies[3].x = 600.5f;
  g_enemies[3].y = 42;
  g_enemies[3].kind = EnemyWing;
  g_items[15].x = 10;
  g_items[15].y = 20;
  g_items[15].kind = ItemDiamond;
  g_sceneManager.currentScene = std::move(play);

  json line = Frame(3);
  EXPECT_EQ(line["scene"], "Play");
  const json& state = line["state"];
  EXPECT_EQ(state["phase"], PhaseCaught);
  EXPECT_EQ(state["phaseFrame"], 12);
  EXPECT_EQ(state["fade"], -5);
  EXPECT_EQ(state["heroine"],
            json::parse(R"({"x":255.5,"y":170.25,"kind":2,"pose":1,"grounded":true})"));
  EXPECT_EQ(state["cursor"], 7);
  EXPECT_EQ(state["scroll"].get<float>(), 42.125f);
  EXPECT_EQ(state["speed"].get<float>(), 0.85374f);
  EXPECT_EQ(state["enemies"], json::parse("[[600.5,42,2]]"));
  EXPECT_EQ(state["items"], json::parse("[[10,20,1]]"));
  for (CEnemySingle& enemy : g_enemies) enemy.Empty();
  for (CItemSingle& item : g_items) item.Empty();
}

TEST_F(TraceTest, SuspendedScenesOldestFirstUnderTheCurrentOne) {
  g_sceneManager.suspended.push_back(std::make_unique<CPlay>());
  g_sceneManager.suspended.push_back(std::make_unique<CGameOver>());
  auto gameOver = std::make_unique<CGameOver>();
  gameOver->rank = 4;
  gameOver->phase = Waiting;
  g_sceneManager.currentScene = std::move(gameOver);
  json line = Frame(9);
  EXPECT_EQ(line["scene"], "GameOver");
  EXPECT_EQ(line["suspended"], json::parse(R"(["Play","GameOver"])"));
  EXPECT_EQ(line["state"], json::parse(R"({"rank":4,"phase":1,"ranking":"none","place":0})"));
}

TEST_F(TraceTest, EverySceneTheFactoryMakesIsNamedByItsId) {
  for (SceneId id : {Logo, Title, Rule, Option, CGRoom, MusicRoom, Info, Play, GameOver}) {
    g_sceneManager.currentScene = CreateScene(id);
    ASSERT_NE(g_sceneManager.currentScene, nullptr) << id;
    EXPECT_EQ(Frame(1)["scene"], std::string(SceneIdName(id)));
  }
}

TEST_F(TraceTest, MenuScenesState) {
  auto logo = std::make_unique<CLogo>();
  logo->counter = 41;
  g_sceneManager.currentScene = std::move(logo);
  EXPECT_EQ(Frame(1)["state"], json::parse(R"({"counter":41})"));

  auto title = std::make_unique<CTitle>();
  title->menuLevel = 2;
  title->topCursor = 6;
  title->subCursor = 3;
  g_sceneManager.currentScene = std::move(title);
  EXPECT_EQ(Frame(1)["state"], json::parse(R"({"menuLevel":2,"topCursor":6,"subCursor":3})"));

  auto option = std::make_unique<COption>();
  option->cursor = 2;
  g_sceneManager.currentScene = std::move(option);
  EXPECT_EQ(Frame(1)["state"], json::parse(R"({"cursor":2})"));

  auto gallery = std::make_unique<CCGRoom>();
  gallery->cursor = 12;
  g_sceneManager.currentScene = std::move(gallery);
  EXPECT_EQ(Frame(1)["state"], json::parse(R"({"cursor":12})"));

  auto music = std::make_unique<CMusicRoom>();
  music->cursor = 4;
  g_sceneManager.currentScene = std::move(music);
  EXPECT_EQ(Frame(1)["state"], json::parse(R"({"cursor":4})"));
}

TEST_F(TraceTest, ReadingScenesGiveTheFirstLineShown) {
  for (SceneId id : {Rule, Info}) {
    save.ruleTopic = 0;
    RequestScene(id, false);
    ASSERT_TRUE(RunFrame());
    auto* reading = CurrentAs<CReadingScene>();
    ASSERT_NE(reading, nullptr);
    ASSERT_NE(reading->window, nullptr);
    reading->window->firstLine = 3;
    json line = Frame(2);
    EXPECT_EQ(line["scene"], std::string(SceneIdName(id)));
    EXPECT_EQ(line["state"], json::parse(R"({"firstLine":3})"));
  }
  // The game releases the scenes still alive at exit; the fixture only drops them.
  Current()->ReleaseResources(false);
}

TEST(SceneIdName, NamesEverySceneAndNothingElse) {
  EXPECT_EQ(SceneIdName(Logo), "Logo");
  EXPECT_EQ(SceneIdName(CGRoom), "CGRoom");
  EXPECT_EQ(SceneIdName(MusicRoom), "MusicRoom");
  EXPECT_EQ(SceneIdName(GameOver), "GameOver");
  EXPECT_EQ(SceneIdName(Controls), "Controls");
  EXPECT_EQ(SceneIdName(RankingSetup), "RankingSetup");
  for (int32_t id : {0, 12, -1, 99}) EXPECT_TRUE(SceneIdName(id).empty()) << id;
}

}  // namespace

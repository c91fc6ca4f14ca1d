// The autoplayer over the real scenes: it starts games, plays them, reports how each ended,
// leaves a paused game alone, and tours the menus when asked.
#include "automation/autoplayer.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "automation/trace.h"
#include "fakes/fake_input.h"
#include "fakes/test_environment.h"
#include "scenes/play.h"
#include "scenes/title.h"

namespace {

class AutoplayerTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    // The options' return item writes the save file into the working directory.
    oldDirectory_ = std::filesystem::current_path();
    directory_ = std::filesystem::temp_directory_path() /
                 ("moravin_autoplayer_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory_);
    std::filesystem::current_path(directory_);
    log_ = std::tmpfile();
  }
  void TearDown() override {
    std::fclose(log_);
    std::filesystem::current_path(oldDirectory_);
    std::filesystem::remove_all(directory_);
    GameTest::TearDown();
  }

  // One frame: the autoplayer's keys through the keyboard's buttons, with the buttons a person
  // holds; then the autoplayer's look at the frame. True once the games asked for have ended.
  bool Frame(Autoplayer& autoplayer, std::initializer_list<Button> person = {}) {
    CDirectInput keyboard;
    lastKeys = autoplayer.KeysForFrame();
    KeysToState(lastKeys, keyboard.keyState);
    input.MapKeyboard(keyboard);
    RunFrame(person);
    return autoplayer.AfterFrame();
  }
  // Frames until the scene `id` is current (and a game is suspended or not); false after `limit`.
  bool RunUntil(Autoplayer& autoplayer, SceneId id, bool paused, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (SceneIdOf(Current()) == id && g_sceneManager.suspended.empty() != paused) return true;
      Frame(autoplayer);
    }
    return false;
  }
  // Frames until a game is being played; false after `limit`.
  bool RunUntilPlaying(Autoplayer& autoplayer, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (const CPlay* play = CurrentAs<CPlay>(); play && play->phase == PhasePlaying) return true;
      Frame(autoplayer);
    }
    return false;
  }
  // A beard monster on the heroine's head: she is caught in the next frame.
  static void Doom(CPlay& play) {
    g_enemies[0].kind = EnemyBeard;
    g_enemies[0].x = play.player.x;
    g_enemies[0].y = play.player.y;
  }
  std::string Log() {
    std::fflush(log_);
    std::rewind(log_);
    std::string text;
    for (int c; (c = std::fgetc(log_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  std::FILE* log_ = nullptr;
  KeySet lastKeys = 0;

 private:
  std::filesystem::path oldDirectory_, directory_;
};

TEST_F(AutoplayerTest, FromTheLogoItStartsAGameAndPlaysIt) {
  Autoplayer autoplayer({}, log_);
  g_sceneManager.RequestScene(Logo, false);
  ASSERT_TRUE(RunUntil(autoplayer, Play, false, 60)) << "the logo and the title were passed";
  CPlay* play = CurrentAs<CPlay>();
  int keyFrames = 0;
  for (int i = 0; i < 1500; ++i) {
    Frame(autoplayer);
    keyFrames += lastKeys != 0;
  }
  EXPECT_EQ(play->phase, PhasePlaying);
  EXPECT_GT(save.distance, 10);
  EXPECT_GT(keyFrames, 20) << "it moved the cursor and turned lines";
  EXPECT_EQ(Log(), "") << "no game has ended";
}

TEST_F(AutoplayerTest, ReportsEachEndedGameAndStartsTheNextUntilEnough) {
  Autoplayer autoplayer({2, 0}, log_);
  g_sceneManager.RequestScene(Title, false);
  for (int game = 1; game <= 2; ++game) {
    ASSERT_TRUE(RunUntilPlaying(autoplayer, 400)) << "game " << game << " began";
    CPlay* play = CurrentAs<CPlay>();
    for (int i = 0; i < 200; ++i) Frame(autoplayer);
    const int32_t distance = save.distance;
    Doom(*play);
    EXPECT_EQ(Frame(autoplayer), game == 2) << "the run ends with the second game";
    EXPECT_EQ(play->phase, PhaseCaught);
    EXPECT_EQ(autoplayer.GamesEnded(), static_cast<uint32_t>(game));
    const std::string line = "autoplay: game " + std::to_string(game) + " distance " +
                             std::to_string(distance) + " score " + std::to_string(save.score);
    EXPECT_NE(Log().find(line), std::string::npos) << Log();
  }
  const std::regex lines(
      "(autoplay: game \\d distance \\d+ score \\d+ chain [0-6] frames 20[0-9] end caught\n){2}");
  EXPECT_TRUE(std::regex_match(Log(), lines)) << Log();
}

TEST_F(AutoplayerTest, LeavesAPausedGameToThePersonAtTheKeyboard) {
  Autoplayer autoplayer({}, log_);
  g_sceneManager.RequestScene(Title, false);
  ASSERT_TRUE(RunUntil(autoplayer, Play, false, 100));
  for (int i = 0; i < 100; ++i) Frame(autoplayer);
  Frame(autoplayer, {Button3});  // Esc
  ASSERT_EQ(SceneIdOf(Current()), Title);
  ASSERT_FALSE(g_sceneManager.suspended.empty());
  for (int i = 0; i < 300; ++i) {
    Frame(autoplayer);
    ASSERT_EQ(lastKeys, 0u) << "frame " << i << " of the pause";
  }
  EXPECT_EQ(SceneIdOf(Current()), Title);
  Frame(autoplayer, {Back});
  Frame(autoplayer);
  ASSERT_EQ(SceneIdOf(Current()), Play) << "the person took the game up again";
  int keyFrames = 0;
  for (int i = 0; i < 300; ++i) {
    Frame(autoplayer);
    keyFrames += lastKeys != 0;
  }
  EXPECT_GT(keyFrames, 0) << "and the autoplayer plays on";
}

TEST_F(AutoplayerTest, MenuToursPauseAGameAndVisitTheOptionsAtTheNextTitle) {
  Autoplayer autoplayer({0, 400}, log_);
  g_sceneManager.RequestScene(Title, false);
  std::vector<std::pair<SceneId, bool>> visited;
  auto note = [&] {
    const std::pair<SceneId, bool> now{SceneIdOf(Current()), !g_sceneManager.suspended.empty()};
    if (visited.empty() || visited.back() != now) visited.push_back(now);
  };
  for (int i = 0; i < 700; ++i) {
    Frame(autoplayer);
    note();
  }
  ASSERT_EQ(SceneIdOf(Current()), Play);
  const int32_t distance = save.distance;
  Doom(*CurrentAs<CPlay>());
  for (int i = 0; i < 800 && visited.back().first != Title; ++i) {
    Frame(autoplayer);
    note();
  }
  for (int i = 0; i < 400 && visited.back().first != Play; ++i) {
    Frame(autoplayer);
    note();
  }
  const std::vector<std::pair<SceneId, bool>> expected = {
      {Title, false},  {Play, false},                     // the first game
      {Title, true},   {Rule, true},      {Title, true},  // paused: the help, and back
      {Play, false},   {GameOver, false}, {Title, false},
      {Option, false}, {Title, false},    {Play, false}};  // the options before the next game
  EXPECT_EQ(visited, expected);
  EXPECT_GE(distance, 1) << "the paused game went on where it stopped";
  EXPECT_TRUE(StoredSave().has_value()) << "the options' return item stored";
}

TEST_F(AutoplayerTest, ItsKeyboardHoldsThePersonsKeysBesideItsOwn) {
  Autoplayer autoplayer({}, log_);
  g_sceneManager.RequestScene(Logo, false);  // where the autoplayer presses Return
  FakeKeyboardState person;
  AutoplayKeyboard keyboard(std::make_unique<FakeKeyboard>(person), autoplayer);
  keyboard.Acquire();
  EXPECT_EQ(person.acquires, 1);
  RunFrame();
  person.Press(dik::Escape);
  uint8_t keys[256] = {};
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[dik::Escape], 0x80);
  EXPECT_EQ(keys[dik::Return], 0x80);

  // A keyboard that cannot be read leaves the autoplayer's keys alone.
  person.pollFails = true;
  ASSERT_TRUE(keyboard.Poll(keys));  // Return is not pressed twice in a row
  ASSERT_TRUE(keyboard.Poll(keys));
  EXPECT_EQ(keys[dik::Escape], 0);
  EXPECT_EQ(keys[dik::Return], 0x80);
}

}  // namespace

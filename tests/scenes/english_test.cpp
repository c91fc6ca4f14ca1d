// The scenes of a game started in English: the same scenes with English words, broken at spaces.
#include <string>

#include "fakes/test_environment.h"
#include "scenes/game_over.h"
#include "scenes/info.h"
#include "scenes/logo.h"
#include "scenes/play.h"
#include "scenes/rule.h"
#include "scenes/texts.h"
#include "scenes/title.h"

namespace {

class EnglishScenes : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    UseLanguage(Language::English);
  }
  template <class T>
  T* Open(SceneId id) {
    g_sceneManager.RequestScene(id, false);
    RunFrame();
    return CurrentAs<T>();
  }
};

TEST_F(EnglishScenes, TitleDescribesItsItemsInEnglish) {
  save.ruleTopic = -1;
  CTitle* title = Open<CTitle>(Title);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->window->breaking, LineBreaking::Words);
  EXPECT_EQ(title->window->text, EnglishTexts.titleTopDescriptions[0]);
  RunFrame({Down});
  EXPECT_EQ(title->window->text, EnglishTexts.titleTopDescriptions[1]);
  RunFrame();
  RunFrame({Confirm});
  RunFrame();
  ASSERT_EQ(title->menuLevel, 2);
  EXPECT_EQ(title->window->text, EnglishTexts.howToPlayDescriptions[0]);
  // The description types itself out, one letter a frame.
  RunFrames(3);
  const int32_t revealed = title->window->revealed;
  ASSERT_GT(revealed, 0);
  ASSERT_LT(revealed, title->window->lines[0].end);
  ASSERT_GE(device.TextsAbove(500).size(), 2u);  // the lines after the first are not typed yet
  EXPECT_EQ(device.TextsAbove(500)[0].sjis,
            std::string(EnglishTexts.howToPlayDescriptions[0], revealed));
  for (size_t k = 1; k < device.TextsAbove(500).size(); ++k)
    EXPECT_EQ(device.TextsAbove(500)[k].sjis, "");
}

TEST_F(EnglishScenes, ReadingScenesShowTheEnglishTexts) {
  for (int topic = 0; topic < 3; ++topic) {
    SCOPED_TRACE(topic);
    save.ruleTopic = topic;
    CRule* rule = Open<CRule>(Rule);
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->window->text, EnglishTexts.ruleTexts[topic]);
    EXPECT_EQ(rule->window->breaking, LineBreaking::Words);
    g_sceneManager.Clear();
  }
  CInfo* info = Open<CInfo>(Info);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->window->text, EnglishTexts.infoText);
  EXPECT_EQ(info->window->breaking, LineBreaking::Words);
}

TEST_F(EnglishScenes, GameOverCommentIsEnglishAndCentredByItsWidth) {
  save.score = 5000;
  ASSERT_NE(Open<CGameOver>(GameOver), nullptr);
  ASSERT_EQ(device.Texts().size(), 1u);
  const std::string comment = EnglishTexts.rankComments[5];
  EXPECT_EQ(device.Texts()[0].sjis, comment);
  // The fake font draws every byte 16 pixels wide.
  EXPECT_EQ(device.Texts()[0].left, (800 - 16 * static_cast<int>(comment.size())) / 2);
}

// Each failure names the screen it happened on, the sounds of the logo and the menus too.
TEST_F(EnglishScenes, LoadingFailuresAreReportedInEnglishWhereTheyHappen) {
  struct Case {
    SceneId scene;
    ResourceType type;
    int id;
    const char* text;
    const char* caption;
  };
  const FailureTexts& f = EnglishTexts.failures;
  const Case cases[] = {
      {Logo, ResourceType::Bitmap, 110, f.images, "Logo screen error"},
      {Logo, ResourceType::Wave, 206, f.sounds, "Logo screen error"},
      {Title, ResourceType::Bitmap, 116, f.images, "Title screen error"},
      {Title, ResourceType::Wave, 205, f.sounds, "Title screen error"},
      {Option, ResourceType::Wave, 206, f.sounds, "Options screen error"},
      {Rule, ResourceType::Bitmap, 128, f.images, "How to Play screen error"},
      {Info, ResourceType::Wave, 205, f.sounds, "News screen error"},
      {Play, ResourceType::Bitmap, 121, f.images, "Game screen error"},
      {GameOver, ResourceType::Wave, 210, f.sounds, "Game over screen error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    resources.Remove(c.type, c.id);
    messages.shown.clear();
    g_sceneManager.RequestScene(c.scene, false);
    RunFrame();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0].text, c.text);
    EXPECT_EQ(messages.shown[0].caption, c.caption);
    g_sceneManager.Clear();
    resources = FakeResources();
  }
}

TEST_F(EnglishScenes, JapaneseAgainIsTheGamesOwn) {
  UseLanguage(Language::Japanese);
  save.ruleTopic = 0;
  CRule* rule = Open<CRule>(Rule);
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(rule->window->text, RulesText);
  EXPECT_EQ(rule->window->breaking, LineBreaking::Bytes);
}

}  // namespace

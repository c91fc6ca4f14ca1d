// The rule scene: scrolling, arrows and the pictures that follow their lines.
#include "scenes/rule.h"

#include <vector>

#include "fakes/test_environment.h"
#include "scenes/title.h"
#include "system/shift_jis.h"

namespace {

class RuleTest : public GameTest {
 protected:
  CRule* Open(int topic) {
    save.ruleTopic = topic;
    g_sceneManager.RequestScene(Rule, false);
    RunFrame();
    return CurrentAs<CRule>();
  }
  void Press(Button b) {
    RunFrame({b});
    RunFrame();
  }
  static bool Hidden(const MotionSprite* s) { return (s->flags & MotionSprite::Hidden) != 0; }
};

TEST_F(RuleTest, StoryFitsSoTheArrowsStayHidden) {
  CRule* rule = Open(2);
  ASSERT_NE(rule, nullptr);
  EXPECT_TRUE(Hidden(rule->sprites[2]));
  EXPECT_TRUE(Hidden(rule->sprites[3]));
  Press(Down);
  Press(Up);
  EXPECT_EQ(rule->window->firstLine, 0);
}

TEST_F(RuleTest, FirstFrameShowsNoTextThenAllOfIt) {
  CRule* rule = Open(1);
  for (const DrawnText& t : device.TextsAbove(500)) EXPECT_EQ(t.sjis, "");
  RunFrame();
  ASSERT_EQ(device.TextsAbove(500).size(), 10u);
  EXPECT_EQ(device.TextsAbove(500)[0].sjis, "【タイトルメニュー画面中】"_sj);
  EXPECT_EQ(rule->window->revealed, rule->window->textLength);
}

TEST_F(RuleTest, RulesTextScrollsBetweenItsEnds) {
  CRule* rule = Open(0);
  CMessageWindow* window = rule->window;
  const int last = window->lineCount - 10 - 1;
  ASSERT_GT(last, 2);
  EXPECT_TRUE(Hidden(rule->sprites[2]));
  EXPECT_FALSE(Hidden(rule->sprites[3]));
  EXPECT_EQ(rule->sprites[3]->x, 400.0f);
  Press(Down);
  EXPECT_EQ(window->firstLine, 1);
  EXPECT_FALSE(Hidden(rule->sprites[2]));
  for (int i = 1; i < last + 3; ++i) Press(Down);
  EXPECT_EQ(window->firstLine, last);
  EXPECT_TRUE(Hidden(rule->sprites[3]));
  Press(Up);
  EXPECT_EQ(window->firstLine, last - 1);
  EXPECT_FALSE(Hidden(rule->sprites[3]));
  RunFrame({Up, Down});  // Up wins
  EXPECT_EQ(window->firstLine, last - 2);
}

TEST_F(RuleTest, HoldingDownRepeatsAfterTheDelay) {
  CRule* rule = Open(0);
  RunFrames(20, {Down});
  EXPECT_EQ(rule->window->firstLine, 5);  // frames 1, 11, 14, 17 and 20
}

TEST_F(RuleTest, PicturesFollowTheirLinesAndVanishAtTheEdges) {
  CRule* rule = Open(0);
  RunFrame();
  CMessageWindow* window = rule->window;
  int heroineLine = -1;
  for (int k = 0; k < window->lineCount; ++k) {
    if (window->lines[k].placeholder == 5) heroineLine = k;
  }
  ASSERT_GT(heroineLine, 0);
  const MotionSprite* heroine = rule->sprites[5];
  EXPECT_EQ(heroine->x, 32.0f);
  EXPECT_EQ(heroine->y, 96.0f + 32.0f * heroineLine);
  // Scroll until the picture's line is the first visible one: drawn, at the top of the area.
  for (int i = 0; i < 100 && window->firstLine < heroineLine; ++i) Press(Down);
  ASSERT_EQ(window->firstLine, heroineLine);
  RunFrame();
  EXPECT_EQ(heroine->y, 96.0f);
  bool drawn = false;
  for (const DrawnQuad& q : device.QuadsOfBitmap(115)) {
    drawn |= q.ScreenPixels() == DrawnQuad::PixelRect{32, 96, 85, 85};
  }
  EXPECT_TRUE(drawn);
  Press(Down);  // half out of the top edge: not drawn at all
  RunFrame();
  EXPECT_EQ(heroine->y, 64.0f);
  EXPECT_TRUE(device.QuadsOfBitmap(115).empty());
}

TEST_F(RuleTest, OnlyCancelLeavesWithTheDecideSound) {
  Open(1);
  RunFrame({Confirm});
  RunFrame({Button1});
  EXPECT_EQ(g_sceneManager.requestedScene, None);
  EXPECT_TRUE(audio->Plays().empty());
  RunFrame({Button2});
  EXPECT_EQ(g_sceneManager.requestedScene, Title);
  ASSERT_EQ(audio->Plays().size(), 1u);
  EXPECT_EQ(audio->Plays()[0].waveId, 206);
  EXPECT_EQ(save.ruleTopic, 1);  // kept, so the title reopens on its how-to-play page
  RunFrame();
  ASSERT_NE(CurrentAs<CTitle>(), nullptr);
  EXPECT_EQ(CurrentAs<CTitle>()->menuLevel, 2);
}

TEST_F(RuleTest, ATopicOutOfRangeShowsTheRules) {
  CRule* rule = Open(7);
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(rule->window->textLength, 1353);
}

TEST_F(RuleTest, CaptionFollowsTheTopic) {
  const DrawnQuad::PixelRect captions[3] = {
      {264, 16, 272, 48}, {288, 8, 224, 64}, {296, 16, 208, 48}};
  for (int topic = 0; topic < 3; ++topic) {
    Open(topic);
    bool found = false;
    for (const DrawnQuad& q : device.QuadsOfBitmap(116))
      found |= q.ScreenPixels() == captions[topic];
    EXPECT_TRUE(found) << topic;
    g_sceneManager.Clear();
  }
}

}  // namespace

// The menu texts are Shift-JIS with exact byte counts, since the window lays them out by bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "scenes/texts.h"
#include "system/shift_jis.h"

namespace {

int CountOf(const char* text, char c) {
  int n = 0;
  for (const char* p = text; *p != '\0'; ++p) n += *p == c;
  return n;
}

TEST(MenuTexts, HowToPlayTextsHaveTheirByteCounts) {
  EXPECT_EQ(std::strlen(RulesText), 1353u);
  EXPECT_EQ(std::strlen(ControlsText), 486u);
  EXPECT_EQ(std::strlen(StoryText), 209u);
  EXPECT_EQ(RuleTexts[0], RulesText);
  EXPECT_EQ(RuleTexts[1], ControlsText);
  EXPECT_EQ(RuleTexts[2], StoryText);
  for (const char* text : RuleTexts) EXPECT_EQ(text[std::strlen(text) - 1], '\n');
}

TEST(MenuTexts, ShiftJisBytesSurviveTheCompiler) {
  // "カーソル": the "ソ" has 0x5C, the backslash, as its second byte.
  EXPECT_NE(std::string(ControlsText).find("\x83\x4a\x81\x5b\x83\x5c\x83\x8b"), std::string::npos);
  EXPECT_EQ(std::string(StoryText).substr(0, 9), "#000000\x95\x73");  // 不
  EXPECT_EQ(std::string(ControlsText).back(), '\n');
  EXPECT_EQ(std::string(ControlsText).substr(std::strlen(ControlsText) - 2), " \n");
}

TEST(MenuTexts, RulesTextHasSevenPictureEntries) {
  const std::string rules = RulesText;
  EXPECT_EQ(rules.substr(0, 7), "#000000");
  for (int n = 5; n <= 11; ++n) {
    const std::string entry = "$" + std::to_string(n) + "\n\n\n#FF0000";
    EXPECT_NE(rules.find(entry), std::string::npos) << n;
  }
  EXPECT_NE(rules.find("\n\n\n〇キャラクターとか〇\n\n$5"_sj), std::string::npos);
  EXPECT_EQ(CountOf(RulesText, '$'), 7);
  EXPECT_NE(rules.substr(rules.size() - 2), "\n\n");  // no empty line after the last entry
}

TEST(MenuTexts, InfoTextIsEightPlainLines) {
  EXPECT_EQ(std::strlen(InfoText), 491u);
  EXPECT_EQ(CountOf(InfoText, '\n'), 8);
  EXPECT_EQ(CountOf(InfoText, '#'), 0);
  EXPECT_EQ(CountOf(InfoText, '$'), 0);
  EXPECT_EQ(InfoText[std::strlen(InfoText) - 1], '\n');
}

TEST(MenuTexts, TitleDescriptionsHaveTheirByteCounts) {
  const size_t top[7] = {25, 41, 27, 27, 39, 18, 31};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(std::strlen(TitleTopDescriptions[i]), top[i]) << i;
  const size_t sub[4] = {27, 21, 25, 14};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(std::strlen(HowToPlayDescriptions[i]), sub[i]) << i;
}

// The markup of a text in order: colour codes and picture anchors, each anchor with the line
// feeds that follow it (its line and the two empty lines the picture covers).
std::vector<std::string> Markup(const char* text) {
  std::vector<std::string> marks;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '#') marks.emplace_back(p, std::min<size_t>(7, std::strlen(p)));
    if (*p == '$') {
      size_t n = 1;
      while (p[n] >= '0' && p[n] <= '9') ++n;
      while (p[n] == '\n') ++n;
      marks.emplace_back(p, n);
    }
  }
  return marks;
}

bool PrintableAscii(const char* text) {
  for (const char* p = text; *p != '\0'; ++p)
    if (*p != '\n' && (*p < 0x20 || *p > 0x7E)) return false;
  return true;
}

// The English texts are ASCII, which Shift-JIS leaves as it is. The reading texts keep the
// Japanese ones' colours in the same order and their pictures on lines of their own; their
// paragraphs are their own.
TEST(MenuTexts, EnglishTextsArePlainAsciiWithTheJapaneseMarkup) {
  const GameTexts& ja = JapaneseTexts;
  const GameTexts& en = EnglishTexts;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Markup(en.ruleTexts[i]), Markup(ja.ruleTexts[i])) << i;
    EXPECT_EQ(en.ruleTexts[i][std::strlen(en.ruleTexts[i]) - 1], '\n') << i;
  }
  EXPECT_EQ(Markup(en.infoText), Markup(ja.infoText));

  std::vector<const char*> english = {en.windowTitle, en.infoText};
  english.insert(english.end(), en.ruleTexts.begin(), en.ruleTexts.end());
  english.insert(english.end(), en.titleTopDescriptions.begin(), en.titleTopDescriptions.end());
  english.insert(english.end(), en.howToPlayDescriptions.begin(), en.howToPlayDescriptions.end());
  english.insert(english.end(), en.rankComments.begin(), en.rankComments.end());
  const FailureTexts& f = en.failures;
  for (const char* text : {f.window, f.device, f.saveData, f.saveDataCaption, f.images, f.sounds})
    english.push_back(text);
  for (const LoadFailureCaptions& c : f.captions)
    english.insert(english.end(), {c.images, c.sounds});
  for (const char* text : english) EXPECT_TRUE(PrintableAscii(text)) << text;
  EXPECT_EQ(en.breaking, LineBreaking::Words);
  EXPECT_EQ(ja.breaking, LineBreaking::Bytes);
}

// Every scene that loads pictures and sounds has its captions in both languages; the English ones
// name the screen the failure happened on, whether its pictures or its sounds failed.
TEST(MenuTexts, EveryLoadingSceneHasItsFailureCaptions) {
  for (const GameTexts* texts : {&JapaneseTexts, &EnglishTexts}) {
    for (SceneId scene : {Logo, Title, Rule, Option, CGRoom, MusicRoom, Info, Play, GameOver})
      EXPECT_EQ(texts->failures.CaptionsOf(scene).scene, scene) << scene;
  }
  const FailureTexts& en = EnglishTexts.failures;
  std::set<std::string> captions;
  for (const LoadFailureCaptions& c : en.captions) {
    EXPECT_STREQ(c.images, c.sounds) << c.scene;
    captions.insert(c.images);
  }
  EXPECT_EQ(captions.size(), en.captions.size()) << "two screens share a caption";
}

}  // namespace

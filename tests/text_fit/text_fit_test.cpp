// The scenes' texts in both languages measured with the system's Japanese font, as the player
// sees them: every line of every message window stays inside its window, nothing is written over
// a picture, every character has a glyph, and the game over comment is centred.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/test_environment.h"
#include "scenes/game_over.h"
#include "scenes/info.h"
#include "scenes/rule.h"
#include "scenes/texts.h"
#include "scenes/title.h"
#include "system/sdl/sdl_font.h"
#include "system/sdl/sdl_test_platform.h"
#include "system/text_encoding.h"
#include "system/window.h"

namespace {

struct DrawnLine {
  std::string sjis;
  int left, top, width, bottom;
};

// The real font, measuring every line the scenes draw with it instead of drawing it.
class MeasuringFont : public IFont {
 public:
  explicit MeasuringFont(std::unique_ptr<IFont> real) : real_(std::move(real)) {}
  int Height() const override { return real_->Height(); }
  void DrawText(std::string_view sjis, int left, int top, uint32_t) override {
    if (sjis.empty()) return;
    lines.push_back(
        {std::string(sjis), left, top, real_->TextWidth(sjis), top + Sdl().DrawnBottom(sjis)});
  }
  int TextWidth(std::string_view sjis) override { return real_->TextWidth(sjis); }
  const SdlFont& Sdl() const { return dynamic_cast<const SdlFont&>(*real_); }

  std::vector<DrawnLine> lines;

 private:
  std::unique_ptr<IFont> real_;
};

constexpr int kTextFont = 3;  // the font of the message windows and the game over comment

const char* Name(Language language) {
  return language == Language::English ? "English" : "Japanese";
}

class TextFit : public GameTest, public ::testing::WithParamInterface<Language> {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    UseLanguage(GetParam());
    window_ = TestPlatform().CreateWindow(WindowDesc{});
    ASSERT_NE(window_, nullptr);
    std::unique_ptr<IFont> real =
        window_->Device()->CreateFont(FontHeights[kTextFont], Texts().typeface);
    ASSERT_NE(real, nullptr);
    auto measuring = std::make_unique<MeasuringFont>(std::move(real));
    measured_ = measuring.get();
    realFont_ = std::make_unique<CFont>(std::move(measuring), FontHeights[kTextFont]);
    fonts[kTextFont] = realFont_.get();  // g_fonts too: English lines break by this font
  }

  template <class T>
  T* Open(SceneId id) {
    g_sceneManager.RequestScene(id, false);
    RunFrame();
    return CurrentAs<T>();
  }

  // A window of the scene window's geometry and line breaking holding `text`, fully revealed.
  static void ShowIn(CMessageWindow& window, const CMessageWindow& scene, const char* text) {
    window.left = scene.left;
    window.top = scene.top;
    window.width = scene.width;
    window.height = scene.height;
    window.lineHeight = scene.lineHeight;
    window.fontIndex = scene.fontIndex;
    window.breaking = scene.breaking;
    window.state = 0;
    window.SetText(text);
    window.revealed = window.textLength;
  }

  // Shows each text in a window like the scene's at every scroll position, and checks every
  // line drawn against the window's four sides (once: a line is drawn at the same x at every
  // position). Every laid-out line must have been drawn.
  void ExpectEveryLineInside(const CMessageWindow& scene, std::vector<const char*> texts) {
    for (const char* text : texts) {
      CMessageWindow window;
      ShowIn(window, scene, text);
      std::set<std::string> drawn;
      const int visible = window.height / window.lineHeight;
      for (window.firstLine = 0; window.firstLine <= std::max(0, window.lineCount - visible);
           ++window.firstLine) {
        measured_->lines.clear();
        window.Draw(nullptr, 0, fonts);
        for (const DrawnLine& line : measured_->lines) {
          EXPECT_GE(line.top, window.top) << SjisToUtf8(line.sjis);
          EXPECT_LE(line.bottom, window.top + window.height) << SjisToUtf8(line.sjis);
          if (!drawn.insert(line.sjis).second) continue;  // seen at an earlier scroll position
          EXPECT_GE(line.left, window.left) << SjisToUtf8(line.sjis);
          EXPECT_LE(line.left + line.width, window.left + window.width)
              << SjisToUtf8(line.sjis) << " is " << line.width << " pixels wide";
        }
      }
      for (int k = 0; k < window.lineCount; ++k) {
        const LineRecord& line = window.lines[k];
        const std::string bytes(text + line.start, text + line.end);
        if (!bytes.empty()) {
          EXPECT_TRUE(drawn.count(bytes)) << "never drawn: " << SjisToUtf8(bytes);
        }
      }
    }
  }

  // The line count of `text` laid out in a window of the scene window's geometry.
  static int LinesOf(const CMessageWindow& scene, const char* text, LineBreaking breaking) {
    CMessageWindow window;
    ShowIn(window, scene, text);
    window.breaking = breaking;
    window.Layout();
    return window.lineCount;
  }

  std::unique_ptr<IWindow> window_;
  std::unique_ptr<CFont> realFont_;
  MeasuringFont* measured_ = nullptr;
};

TEST_P(TextFit, EveryTitleDescriptionStaysInsideTheBalloonWithoutScrolling) {
  save.ruleTopic = -1;
  CTitle* title = Open<CTitle>(Title);
  ASSERT_NE(title, nullptr);
  const GameTexts& texts = Texts();
  std::vector<const char*> all(texts.titleTopDescriptions.begin(),
                               texts.titleTopDescriptions.end());
  all.insert(all.end(), texts.howToPlayDescriptions.begin(), texts.howToPlayDescriptions.end());
  ExpectEveryLineInside(*title->window, all);
  // The balloon never scrolls: all of a description shows at once, in two lines at most.
  for (const char* text : all)
    EXPECT_LE(LinesOf(*title->window, text, texts.breaking), 2) << SjisToUtf8(text);
}

TEST_P(TextFit, EveryHowToPlayTextStaysInsideItsPanel) {
  for (int topic = 0; topic < 3; ++topic) {
    SCOPED_TRACE(topic);
    save.ruleTopic = topic;
    CRule* rule = Open<CRule>(Rule);
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->window->text, Texts().ruleTexts[topic]);
    ExpectEveryLineInside(*rule->window, {rule->window->text});
    g_sceneManager.Clear();
  }
}

TEST_P(TextFit, TheInformationTextStaysInsideItsPanel) {
  CInfo* info = Open<CInfo>(Info);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->window->text, Texts().infoText);
  ExpectEveryLineInside(*info->window, {info->window->text});
}

// A picture anchored by "$N" is 85 pixels high: its line and the two below it stay empty.
TEST_P(TextFit, NoTextIsWrittenOverAPicture) {
  save.ruleTopic = 0;
  CRule* rule = Open<CRule>(Rule);
  ASSERT_NE(rule, nullptr);
  const CMessageWindow& window = *rule->window;
  constexpr int kPictureHeight = 85;
  const int linesCovered = (kPictureHeight + window.lineHeight - 1) / window.lineHeight;
  int pictures = 0;
  for (int k = 0; k < window.lineCount; ++k) {
    if (window.lines[k].placeholder < 0) continue;
    ++pictures;
    for (int j = k; j < k + linesCovered && j < window.lineCount; ++j)
      EXPECT_EQ(window.lines[j].start, window.lines[j].end)
          << "line " << j << " under picture " << window.lines[k].placeholder;
  }
  EXPECT_EQ(pictures, 7);
}

TEST_P(TextFit, EveryRanksCommentIsCentredInItsBox) {
  // Box from x 16 to 784 and y 543 to 597, with a star at each end 60 pixels deep.
  constexpr int kClearLeft = 16 + 60, kClearRight = 784 - 60, kBoxBottom = 543 + 54;
  const int32_t scores[kRankCount] = {RankThresholds[0], RankThresholds[1], RankThresholds[2],
                                      RankThresholds[3], RankThresholds[4], 0};
  for (int32_t rank = 0; rank < kRankCount; ++rank) {
    SCOPED_TRACE(rank);
    save.score = scores[rank];
    measured_->lines.clear();
    CGameOver* over = Open<CGameOver>(GameOver);
    ASSERT_NE(over, nullptr);
    ASSERT_EQ(over->rank, rank);
    ASSERT_EQ(measured_->lines.size(), 1u);
    const DrawnLine& comment = measured_->lines[0];
    EXPECT_EQ(comment.sjis, Texts().rankComments[rank]);
    EXPECT_NEAR(comment.left + comment.width / 2.0, 400.0, 2.0) << SjisToUtf8(comment.sjis);
    EXPECT_GE(comment.left, kClearLeft);
    EXPECT_LE(comment.left + comment.width, kClearRight);
    EXPECT_LE(comment.bottom, kBoxBottom);
    g_sceneManager.Clear();
  }
}

// Every text the scenes write, so that none shows a missing-glyph box.
TEST_P(TextFit, EveryCharacterHasAGlyph) {
  const GameTexts& texts = Texts();
  std::vector<const char*> all = {texts.infoText};
  all.insert(all.end(), texts.ruleTexts.begin(), texts.ruleTexts.end());
  all.insert(all.end(), texts.titleTopDescriptions.begin(), texts.titleTopDescriptions.end());
  all.insert(all.end(), texts.howToPlayDescriptions.begin(), texts.howToPlayDescriptions.end());
  all.insert(all.end(), texts.rankComments.begin(), texts.rankComments.end());
  for (const char* text : all) {
    // Line feeds are markup: the window breaks the line there and draws nothing.
    std::string drawn(text);
    std::erase(drawn, '\n');
    const std::u32string missing = measured_->Sdl().MissingGlyphs(drawn);
    EXPECT_TRUE(missing.empty()) << missing.size() << " missing, the first U+" << std::hex
                                 << (missing.empty() ? 0u : static_cast<unsigned>(missing[0]))
                                 << ", in " << SjisToUtf8(text);
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, TextFit,
                         ::testing::Values(Language::Japanese, Language::English),
                         [](const auto& info) { return std::string(Name(info.param)); });

// The English pages with the real fonts, as a new player reads them.
class EnglishPages : public TextFit {
 protected:
  // The words of a text without its markup.
  static std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (size_t i = 0; i <= text.size(); ++i) {
      const char c = i < text.size() ? text[i] : ' ';
      if (c == '#' && word.empty()) {
        i += 6;  // "#RRGGBB"
      } else if (c == '$' && word.empty()) {
        while (i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]))) ++i;
      } else if (c == ' ' || c == '\n') {
        if (!word.empty()) words.push_back(word);
        word.clear();
      } else {
        word += c;
      }
    }
    return words;
  }
};

// The balloon's descriptions break where they were broken by hand and nowhere else, and no line
// holds a lone word.
TEST_P(EnglishPages, TitleDescriptionsBreakOnlyWhereTheyAreBroken) {
  save.ruleTopic = -1;
  CTitle* title = Open<CTitle>(Title);
  ASSERT_NE(title, nullptr);
  std::vector<const char*> all(EnglishTexts.titleTopDescriptions.begin(),
                               EnglishTexts.titleTopDescriptions.end());
  all.insert(all.end(), EnglishTexts.howToPlayDescriptions.begin(),
             EnglishTexts.howToPlayDescriptions.end());
  for (const char* text : all) {
    const std::string description = text;
    const int breaks = static_cast<int>(std::count(description.begin(), description.end(), '\n'));
    EXPECT_EQ(LinesOf(*title->window, text, LineBreaking::Words), breaks + 1) << description;
    std::istringstream lines(description);
    for (std::string line; std::getline(lines, line);)
      EXPECT_GE(Words(line).size(), 2u) << "a lone word: " << line;
  }
}

// A list item ("- " first) that wraps goes on under its text, never flush left.
TEST_P(EnglishPages, NoWrappedLineOfAListItemStartsFlushLeft) {
  save.ruleTopic = 0;
  CRule* rule = Open<CRule>(Rule);
  ASSERT_NE(rule, nullptr);
  const int indent = fonts[kTextFont]->TextWidth("- ");
  ASSERT_GT(indent, 0);
  int wrapped = 0;
  for (const char* text : {EnglishTexts.ruleTexts[0], EnglishTexts.ruleTexts[1],
                           EnglishTexts.ruleTexts[2], EnglishTexts.infoText}) {
    CMessageWindow window;
    ShowIn(window, *rule->window, text);
    bool inItem = false;
    for (int k = 0; k < window.lineCount; ++k) {
      const LineRecord& line = window.lines[k];
      const std::string bytes(text + line.start, text + line.end);
      if (k == 0 || text[window.lines[k - 1].end] == '\n') {
        inItem = bytes.starts_with("- ");
        EXPECT_EQ(line.xOffset, 0) << bytes;
      } else if (inItem) {
        ++wrapped;
        EXPECT_EQ(line.xOffset, indent) << bytes;
      }
    }
  }
  EXPECT_GT(wrapped, 0) << "no list item wraps: the test has nothing to check";
}

// What the rules page draws, page after page, reads back as the rules' English words in order:
// none lost, none cut in two, none but English letters, digits and punctuation.
TEST_P(EnglishPages, TheRulesPageReadsAsEnglish) {
  save.ruleTopic = 0;
  CRule* rule = Open<CRule>(Rule);
  ASSERT_NE(rule, nullptr);
  CMessageWindow window;
  const char* text = EnglishTexts.ruleTexts[0];
  ShowIn(window, *rule->window, text);
  const int visible = window.height / window.lineHeight;
  std::string read;
  for (window.firstLine = 0; window.firstLine < window.lineCount; window.firstLine += visible) {
    measured_->lines.clear();
    window.Draw(nullptr, 0, fonts);
    for (const DrawnLine& line : measured_->lines) read += line.sjis + "\n";
  }
  const std::vector<std::string> words = Words(read);
  EXPECT_EQ(words, Words(text));
  for (const std::string& word : words) {
    EXPECT_TRUE(std::all_of(word.begin(), word.end(), [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) || std::strchr(".,!?:;'()*+-", c);
    })) << word;
  }
  EXPECT_GT(words.size(), 300u);
}

INSTANTIATE_TEST_SUITE_P(English, EnglishPages, ::testing::Values(Language::English),
                         [](const auto& info) { return std::string(Name(info.param)); });

}  // namespace

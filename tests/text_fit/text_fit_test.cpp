// The scenes' texts measured with the system's Japanese font, as the player sees them: every
// line of every message window stays inside its window, and the game over comment is centred.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fakes/test_environment.h"
#include "scenes/game_over.h"
#include "scenes/info.h"
#include "scenes/rule.h"
#include "scenes/texts.h"
#include "scenes/title.h"
#include "system/sdl/sdl_test_platform.h"
#include "system/text_encoding.h"
#include "system/window.h"

namespace {

struct DrawnLine {
  std::string sjis;
  int left, top, width;
};

// The real font, measuring every line the scenes draw with it instead of drawing it.
class MeasuringFont : public IFont {
 public:
  explicit MeasuringFont(std::unique_ptr<IFont> real) : real_(std::move(real)) {}
  int Height() const override { return real_->Height(); }
  void DrawText(std::string_view sjis, int left, int top, uint32_t) override {
    if (!sjis.empty()) lines.push_back({std::string(sjis), left, top, real_->TextWidth(sjis)});
  }
  int TextWidth(std::string_view sjis) override { return real_->TextWidth(sjis); }

  std::vector<DrawnLine> lines;

 private:
  std::unique_ptr<IFont> real_;
};

constexpr int kTextFont = 3;  // the font of the message windows and the game over comment

class TextFit : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    window_ = TestPlatform().CreateWindow(WindowDesc{});
    ASSERT_NE(window_, nullptr);
    std::unique_ptr<IFont> real = window_->Device()->CreateFont(FontHeights[kTextFont]);
    ASSERT_NE(real, nullptr);
    auto measuring = std::make_unique<MeasuringFont>(std::move(real));
    measured_ = measuring.get();
    realFont_ = std::make_unique<CFont>(std::move(measuring), FontHeights[kTextFont]);
    fonts[kTextFont] = realFont_.get();
  }

  template <class T>
  T* Open(SceneId id) {
    g_sceneManager.RequestScene(id, false);
    RunFrame();
    return CurrentAs<T>();
  }

  // Shows each text in a window of the scene window's geometry, fully revealed, at every scroll
  // position, and checks every line drawn against the window's sides (once: the line is drawn
  // at the same x at every position). Every laid-out line must have been drawn.
  void ExpectEveryLineInside(const CMessageWindow& scene, std::vector<const char*> texts) {
    for (const char* text : texts) {
      CMessageWindow window;
      window.left = scene.left;
      window.top = scene.top;
      window.width = scene.width;
      window.height = scene.height;
      window.lineHeight = scene.lineHeight;
      window.fontIndex = scene.fontIndex;
      window.state = 0;
      window.SetText(text);
      window.revealed = window.textLength;
      std::set<std::string> drawn;
      const int visible = window.height / window.lineHeight;
      for (window.firstLine = 0; window.firstLine <= std::max(0, window.lineCount - visible);
           ++window.firstLine) {
        measured_->lines.clear();
        window.Draw(nullptr, 0, fonts);
        for (const DrawnLine& line : measured_->lines) {
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

  std::unique_ptr<IWindow> window_;
  std::unique_ptr<CFont> realFont_;
  MeasuringFont* measured_ = nullptr;
};

TEST_F(TextFit, EveryTitleDescriptionStaysInsideTheBalloon) {
  save.ruleTopic = -1;
  CTitle* title = Open<CTitle>(Title);
  ASSERT_NE(title, nullptr);
  std::vector<const char*> texts(std::begin(TitleTopDescriptions), std::end(TitleTopDescriptions));
  texts.insert(texts.end(), std::begin(HowToPlayDescriptions), std::end(HowToPlayDescriptions));
  ExpectEveryLineInside(*title->window, texts);
}

TEST_F(TextFit, EveryHowToPlayTextStaysInsideItsPanel) {
  for (int topic = 0; topic < 3; ++topic) {
    SCOPED_TRACE(topic);
    save.ruleTopic = topic;
    CRule* rule = Open<CRule>(Rule);
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->window->text, RuleTexts[topic]);
    ExpectEveryLineInside(*rule->window, {rule->window->text});
    g_sceneManager.Clear();
  }
}

TEST_F(TextFit, TheInformationTextStaysInsideItsPanel) {
  CInfo* info = Open<CInfo>(Info);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->window->text, InfoText);
  ExpectEveryLineInside(*info->window, {info->window->text});
}

TEST_F(TextFit, EveryRanksCommentIsCentredInItsBox) {
  // Box from x 16 to 784, with a star at each end 60 pixels deep.
  constexpr int kClearLeft = 16 + 60, kClearRight = 784 - 60;
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
    EXPECT_EQ(comment.sjis, RankComments[rank]);
    EXPECT_NEAR(comment.left + comment.width / 2.0, 400.0, 2.0) << SjisToUtf8(comment.sjis);
    EXPECT_GE(comment.left, kClearLeft);
    EXPECT_LE(comment.left + comment.width, kClearRight);
    g_sceneManager.Clear();
  }
}

}  // namespace

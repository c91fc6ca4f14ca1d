// One headless run that walks every scene a player can reach, checked through its trace, its
// screenshots and the save file it leaves.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace e2e {
namespace {

// Frames of the walk. A scene requested by a scene's Update appears one frame later; menus read
// their first input in the frame after they appear.
constexpr uint32_t kOptionsLeftByReturn = 74;  // the title follows at 75
constexpr uint32_t kSavedCheck = 200;          // idle on the title until 300
constexpr uint32_t kOptionsCancelled = 315;    // the title follows at 316
constexpr uint32_t kUnsavedCheck = 450;        // idle on the title until 500
constexpr uint32_t kPlayStarts = 501;
constexpr uint32_t kPause = 540;
constexpr uint32_t kResume = 546;      // cancel at 545 pops back in the step of 546
constexpr uint32_t kLastFrame = 4000;  // the walk quits from the title before it

int32_t Rank(int32_t score) {
  for (auto [rank, below] :
       {std::pair{5, 10000}, {4, 100000}, {3, 250000}, {2, 500000}, {1, 1000000}})
    if (score < below) return rank;
  return 0;
}

void ExpectBlack(const Picture& picture, const char* what) {
  EXPECT_LT(picture.MeanBrightness(0, 0, 800, 600), 8.0) << what;
}

// Many colours over the screen and in the region that shows the scene's own content.
void ExpectDrawn(const Picture& picture, int left, int top, int width, int height,
                 const char* what) {
  EXPECT_GT(picture.DistinctColours(0, 0, 800, 600), 200u) << what;
  EXPECT_GT(picture.DistinctColours(left, top, width, height), 20u) << what;
  EXPECT_GT(picture.MeanBrightness(0, 0, 800, 600), 40.0) << what;
}

size_t DifferentPixels(const Picture& a, const Picture& b, int left, int top, int width,
                       int height) {
  size_t count = 0;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) count += a.At(x, y) != b.At(x, y);
  return count;
}

class Walk : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    dir_->Write("walk.txt", Slurp(MORAVIN_WALK_SCRIPT));
    std::vector<std::string> args{
        "--seed",  "1",        "--fps",   "0",          "--frames", std::to_string(kLastFrame),
        "--input", "walk.txt", "--trace", "trace.jsonl"};
    for (auto [frame, name] : Shots()) {
      args.push_back("--screenshot");
      args.push_back(std::to_string(frame) + ":" + name + ".png");
    }
    std::vector<Checkpoint> checkpoints{
        {kSavedCheck, [] { savedAfterReturn_ = ReadSave(dir_->SavePath()); }},
        {kUnsavedCheck, [] { savedAfterCancel_ = ReadSave(dir_->SavePath()); }},
    };
    result_ = RunGame(*dir_, args, checkpoints);
    trace_ = ReadTrace(*dir_ / "trace.jsonl");
    RerunToTheGameOver();
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  // The game over frame is known only once the walk has run: the same walk again, in a fresh
  // directory, stops there with a screenshot (and must repeat the first run frame for frame).
  static void RerunToTheGameOver() {
    int gameOver = FirstFrameOf("GameOver", kPlayStarts);
    if (gameOver == 0) return;
    gameOverShot_ = static_cast<uint32_t>(gameOver) + 20;  // the fade-in has just ended
    TempDir again;
    again.Write("walk.txt", Slurp(MORAVIN_WALK_SCRIPT));
    RunGame(again, {"--seed", "1", "--fps", "0", "--frames", std::to_string(gameOverShot_),
                    "--input", "walk.txt", "--trace", "trace.jsonl", "--screenshot",
                    std::to_string(gameOverShot_) + ":" + (*dir_ / "gameover.png").string()});
    rerun_ = ReadTrace(again / "trace.jsonl");
  }

  static std::vector<std::pair<uint32_t, std::string>> Shots() {
    return {{1, "logo-dark"},
            {6, "logo"},
            {25, "rule"},
            {40, "title"},
            {47, "info"},
            {59, "option"},
            {kPlayStarts, "play-first"},
            {530, "play"},
            {kPause + 1, "pause"}};
  }

  // The trace line of a frame (frames count from 1).
  static const json& At(uint32_t frame) {
    static const json kMissing;
    return frame >= 1 && frame <= trace_.size() ? trace_[frame - 1] : kMissing;
  }
  static Picture Shot(const std::string& name) {
    std::optional<Picture> picture = ReadPng(*dir_ / (name + ".png"));
    EXPECT_TRUE(picture) << name;
    if (!picture) return Picture{800, 600, std::vector<uint32_t>(800 * 600)};
    EXPECT_EQ(picture->width, 800);
    EXPECT_EQ(picture->height, 600);
    return *picture;
  }
  static int FirstFrameOf(const char* scene, uint32_t from = 1) {
    int index = FindFrame(
        trace_, [&](const json& line) { return line["scene"] == scene; },
        static_cast<int>(from) - 1);
    return index + 1;  // 0 when none
  }

  static inline TempDir* dir_ = nullptr;
  static inline RunResult result_;
  static inline std::vector<json> trace_;
  static inline std::optional<SaveData> savedAfterReturn_;
  static inline std::optional<SaveData> savedAfterCancel_;
  static inline uint32_t gameOverShot_ = 0;
  static inline std::vector<json> rerun_;
};

TEST_F(Walk, QuitsThroughTheMenuWithExitCodeZero) {
  EXPECT_FALSE(result_.timedOut);
  EXPECT_EQ(result_.exitCode, 0) << result_.stderrText;
  ASSERT_FALSE(trace_.empty());
  EXPECT_LT(trace_.size(), kLastFrame) << "the frame limit ended the run, not the quit item";
  EXPECT_EQ(trace_.back()["scene"], "Title");
  EXPECT_EQ(trace_.back()["state"]["topCursor"], 5) << "the quit item";
  for (size_t i = 0; i < trace_.size(); ++i) ASSERT_EQ(trace_[i]["frame"], i + 1);
}

TEST_F(Walk, LogoIsSkippedByTwoPresses) {
  EXPECT_EQ(At(1)["scene"], "Logo");
  EXPECT_EQ(At(4)["state"]["counter"], 4);
  EXPECT_EQ(At(5)["state"]["counter"], 41) << "a press in the fade-in jumps to the full logo";
  EXPECT_EQ(At(8)["scene"], "Logo");
  EXPECT_EQ(At(9)["scene"], "Title");
  EXPECT_EQ(At(9)["ruleTopic"], -1);
  ExpectBlack(Shot("logo-dark"), "the first logo frame is under a nearly opaque black");
  EXPECT_GT(Shot("logo").MeanBrightness(0, 0, 800, 600), 100.0);
}

TEST_F(Walk, HowToPlayPagesScrollAndReturn) {
  EXPECT_EQ(At(14)["state"]["menuLevel"], 2);
  EXPECT_EQ(At(17)["scene"], "Rule");
  EXPECT_EQ(At(17)["ruleTopic"], 0);
  EXPECT_EQ(At(20)["state"]["firstLine"], 1);
  EXPECT_EQ(At(22)["state"]["firstLine"], 2);
  EXPECT_EQ(At(24)["state"]["firstLine"], 1);
  EXPECT_EQ(At(27)["scene"], "Title");
  EXPECT_EQ(At(27)["state"]["menuLevel"], 2) << "back from the rules onto the how-to-play page";
  EXPECT_EQ(At(32)["scene"], "Rule");
  EXPECT_EQ(At(32)["ruleTopic"], 1);
  EXPECT_EQ(At(35)["scene"], "Title");
  EXPECT_EQ(At(37)["state"]["menuLevel"], 0);
  ExpectDrawn(Shot("rule"), 32, 96, 736, 336, "rules text");
}

TEST_F(Walk, InformationAndBack) {
  EXPECT_EQ(At(43)["state"]["topCursor"], 6);
  EXPECT_EQ(At(46)["scene"], "Info");
  EXPECT_EQ(At(51)["scene"], "Title");
  Picture info = Shot("info");
  ExpectDrawn(info, 32, 96, 736, 336, "information text");
  Picture title = Shot("title");
  ExpectDrawn(title, 430, 250, 320, 250, "title menu");
  EXPECT_GT(DifferentPixels(info, title, 0, 0, 800, 600), 100000u);
}

TEST_F(Walk, OptionsLeftThroughReturnAreStoredAtOnce) {
  EXPECT_EQ(At(58)["scene"], "Option");
  EXPECT_EQ(At(62)["bgmVolume"], -2000);
  EXPECT_EQ(At(66)["seVolume"], -1000);
  EXPECT_EQ(At(70)["fullScreen"], 1);
  EXPECT_EQ(At(kOptionsLeftByReturn)["state"]["cursor"], 3);
  EXPECT_EQ(At(kOptionsLeftByReturn + 1)["scene"], "Title");
  ASSERT_TRUE(savedAfterReturn_) << "no valid save file while the title was shown";
  EXPECT_EQ(savedAfterReturn_->bgmVolume, -2000);
  EXPECT_EQ(savedAfterReturn_->seVolume, -1000);
  EXPECT_EQ(savedAfterReturn_->fullScreen, 1);
  ExpectDrawn(Shot("option"), 16, 64, 768, 408, "option panel");
}

TEST_F(Walk, OptionsLeftWithCancelAreNotStoredUntilShutdown) {
  EXPECT_EQ(At(309)["seVolume"], 0);
  EXPECT_EQ(At(313)["fullScreen"], 0);
  EXPECT_EQ(At(kOptionsCancelled + 1)["scene"], "Title");
  EXPECT_EQ(At(kUnsavedCheck)["seVolume"], 0) << "the changes stay in force";
  ASSERT_TRUE(savedAfterCancel_);
  EXPECT_EQ(savedAfterCancel_->seVolume, -1000) << "the file was written on cancel";
  EXPECT_EQ(savedAfterCancel_->fullScreen, 1) << "the file was written on cancel";
}

TEST_F(Walk, GameStartsShiftsAcceleratesPausesAndResumes) {
  const json& first = At(kPlayStarts);
  ASSERT_EQ(first["scene"], "Play");
  EXPECT_EQ(first["state"]["phase"], 1);
  EXPECT_EQ(first["state"]["cursor"], 5);
  EXPECT_EQ(At(507)["state"]["cursor"], 4);
  ExpectBlack(Shot("play-first"), "a game starts from black");
  ExpectDrawn(Shot("play"), 0, 0, 800, 90, "score bar");

  // Held Z scrolls 5.1 pixels a frame; without it the field moves at its slow speed.
  auto step = [](uint32_t frame) {
    float delta =
        At(frame)["state"]["scroll"].get<float>() - At(frame - 1)["state"]["scroll"].get<float>();
    return delta < 0 ? delta + 85 : delta;
  };
  EXPECT_NEAR(step(520), 5.1f, 1e-3);
  EXPECT_LT(step(535), 3.0f);

  const json& paused = At(kPause);
  EXPECT_EQ(paused["scene"], "Title");
  EXPECT_EQ(paused["suspended"], json::parse(R"(["Play"])"));
  EXPECT_EQ(paused["inGameMenu"], 1);
  EXPECT_EQ(paused["state"]["menuLevel"], 2) << "the pause menu opens on the how-to-play page";
  Picture pauseShot = Shot("pause");
  ExpectDrawn(pauseShot, 430, 250, 320, 200, "pause menu");
  EXPECT_GT(DifferentPixels(pauseShot, Shot("play"), 0, 90, 800, 510), 100000u);

  const json& before = At(kPause - 1)["state"];
  const json& after = At(kResume)["state"];
  EXPECT_EQ(At(kResume)["scene"], "Play");
  EXPECT_EQ(At(kResume)["suspended"], json::array());
  EXPECT_EQ(after["phaseFrame"], before["phaseFrame"].get<int>() + 1)
      << "the game goes on where it stopped";
  EXPECT_EQ(after["cursor"], before["cursor"]);
  EXPECT_EQ(At(kResume)["score"], At(kPause - 1)["score"]);
}

TEST_F(Walk, LosingLeadsToTheRankOfTheScoreAndBackToTheTitle) {
  int lost = FindFrame(
      trace_, [](const json& l) { return l["scene"] == "Play" && l["state"]["phase"] > 1; });
  ASSERT_GE(lost, 0) << "the heroine was never lost";
  int gameOver = FirstFrameOf("GameOver", kPlayStarts);
  ASSERT_GT(gameOver, 0);
  // Frame lost + 1 is the ending's first; its 101st update asks for the game over scene,
  // which appears one frame later.
  EXPECT_EQ(gameOver, (lost + 1) + 102);
  const json& line = At(gameOver);
  EXPECT_EQ(line["state"]["rank"], Rank(line["score"].get<int32_t>()));
  EXPECT_GT(line["score"].get<int32_t>(), 0);
  EXPECT_EQ(line["highScore"], line["score"]);
  int title = FirstFrameOf("Title", gameOver);
  ASSERT_GT(title, 0) << "the game over screen never left";
  EXPECT_EQ(At(title)["state"]["menuLevel"], 0);
  EXPECT_EQ(At(title)["inGameMenu"], 0);
}

TEST_F(Walk, GameOverScreenIsDrawn) {
  ASSERT_GT(gameOverShot_, 0u);
  ASSERT_EQ(At(gameOverShot_)["scene"], "GameOver");
  EXPECT_EQ(At(gameOverShot_)["state"]["phase"], 1)
      << "waiting for a press, the picture fully shown";
  Picture gameOver = Shot("gameover");
  ExpectDrawn(gameOver, 0, 90, 800, 510, "rank and reward");
  EXPECT_GT(DifferentPixels(gameOver, Shot("play"), 0, 90, 800, 510), 100000u);
}

TEST_F(Walk, ARerunRepeatsTheWalkFrameForFrame) {
  ASSERT_EQ(rerun_.size(), gameOverShot_);
  for (size_t i = 0; i < rerun_.size(); ++i) ASSERT_EQ(rerun_[i], trace_[i]) << "frame " << i + 1;
}

TEST_F(Walk, ShutdownStoresTheRecordAsTheGameLeftIt) {
  std::optional<SaveData> save = ReadSave(dir_->SavePath());
  ASSERT_TRUE(save);
  ASSERT_FALSE(trace_.empty());
  const json& last = trace_.back();
  EXPECT_EQ(save->score, last["score"]);
  EXPECT_EQ(save->highScore, last["highScore"]);
  EXPECT_EQ(save->distance, last["distance"]);
  EXPECT_EQ(save->diamondChain, last["diamondChain"]);
  EXPECT_EQ(save->fullScreen, 0);
  EXPECT_EQ(save->bgmVolume, -2000);
  EXPECT_EQ(save->seVolume, 0);
  EXPECT_EQ(save->ruleTopic, last["ruleTopic"]);
  EXPECT_EQ(save->inGameMenu, last["inGameMenu"]);
  EXPECT_GT(save->highScore, 0);
}

}  // namespace
}  // namespace e2e

// The whole game by pointer alone: one scripted run through every scene a finger or a mouse
// can reach, checked through its trace and screenshots, and its recording replayed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#include <sys/types.h>
#endif

#include "e2e_support.h"

namespace e2e {
namespace {

const char kTouchWalk[] = R"(# logo: a tap in its fade-in shows it whole, the next one ends it
5 Tap 400,300
8 Tap 400,300
# title: the mouse over the options, then a tap on "how to play", then on the rules
20 Move 590,373
25 Tap 590,325
30 Tap 590,277
# rules: a drag upwards scrolls down; a key shows the keys' help, the mouse its own again; a
# tap on the bottom bar goes back
40-50 Drag 400,400 400,200
52 Left
57 Move 400,300
60 Tap 400,550
# the how-to page again: its back item, then the options
65 Tap 590,421
70 Tap 590,373
# options: effects a step down (left half), music dragged to 30 %, full screen (right half),
# then the return item
80 Tap 100,230
85-95 Drag 600,180 380,180
100 Tap 600,340
105 Tap 400,460
# start
115 Tap 590,277
# play: pause and resume, pick line 6, drag it two cells down, hold the speed-up control
220 Tap 550,40
230 Tap 590,421
250 Tap 530,300
260-265 Drag 530,200 530,370
300-357 Press 360,40
360-417 Press 360,40
420-477 Press 360,40
# game over: a tap during its fade-in, then one that goes back to the title
495 Tap 400,300
515 Tap 400,300
)";
constexpr uint32_t kFrames = 560;
constexpr uint32_t kBeforeDrag = 255;
constexpr uint32_t kAfterDrag = 287;  // the line has moved; the cursor's animation is as at 255

class PointerWalk : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    dir_->Write("touch.txt", kTouchWalk);
    result_ = RunGame(*dir_, {"--seed",       "1",
                              "--fps",        "0",
                              "--frames",     std::to_string(kFrames),
                              "--input",      "touch.txt",
                              "--trace",      "trace.jsonl",
                              "--record",     "record.txt",
                              "--screenshot", Shot(kBeforeDrag),
                              "--screenshot", Shot(kAfterDrag),
                              "--screenshot", Shot(55),
                              "--screenshot", Shot(59)});
    trace_ = ReadTrace(*dir_ / "trace.jsonl");
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static std::string Shot(uint32_t frame) {
    return std::to_string(frame) + ":" + std::to_string(frame) + ".png";
  }
  static const json& At(uint32_t frame) {
    static const json kMissing;
    return frame >= 1 && frame <= trace_.size() ? trace_[frame - 1] : kMissing;
  }
  static std::string Scene(uint32_t frame) { return At(frame)["scene"].dump(); }

  static inline TempDir* dir_ = nullptr;
  static inline RunResult result_;
  static inline std::vector<json> trace_;
};

TEST_F(PointerWalk, EveryMenuAndPageAnswersTapsDragsAndTheMouse) {
  ASSERT_EQ(result_.exitCode, 0) << result_.stderrText;
  ASSERT_EQ(trace_.size(), kFrames);
  EXPECT_EQ(Scene(8), "\"Logo\"");
  EXPECT_EQ(Scene(9), "\"Title\"");
  EXPECT_EQ(At(20)["state"]["topCursor"], 2) << "the mouse over the options";
  EXPECT_EQ(At(25)["state"]["menuLevel"], 2);
  EXPECT_EQ(Scene(31), "\"Rule\"");
  EXPECT_GE(At(55)["state"]["firstLine"], 5) << "200 pixels of drag are six lines of 32";
  EXPECT_EQ(Scene(61), "\"Title\"");
  EXPECT_EQ(At(65)["state"]["menuLevel"], 0);
  EXPECT_EQ(Scene(71), "\"Option\"");
  EXPECT_EQ(At(80)["seVolume"], -1000);
  EXPECT_EQ(At(95)["bgmVolume"], -7000);
  EXPECT_EQ(At(100)["fullScreen"], 1);
  EXPECT_EQ(Scene(106), "\"Title\"");
  std::optional<SaveData> save = ReadSave(dir_->SavePath());
  ASSERT_TRUE(save);
  EXPECT_EQ(save->bgmVolume, -7000) << "the return item stored the options";
  EXPECT_EQ(Scene(116), "\"Play\"");
}

TEST_F(PointerWalk, PlayIsSteeredPausedAndSpedUpByThePointer) {
  EXPECT_EQ(Scene(220), "\"Title\"") << "the pause control";
  EXPECT_EQ(At(220)["suspended"][0], "Play");
  EXPECT_EQ(Scene(231), "\"Play\"") << "the back item of the pause menu resumes";
  EXPECT_EQ(At(250)["state"]["cursor"], 6) << "the tapped line is selected";
  auto step = [](uint32_t frame) {
    return At(frame)["state"]["scroll"].get<double>() -
           At(frame - 1)["state"]["scroll"].get<double>();
  };
  EXPECT_NEAR(step(320), 5.1, 0.001) << "the speed-up control held";
  EXPECT_NEAR(step(298), At(298)["state"]["speed"].get<double>(), 0.001) << "and not before";
  EXPECT_EQ(Scene(487), "\"GameOver\"");
  EXPECT_EQ(At(507)["state"]["phase"], 1) << "the tap during the fade-in did nothing";
  EXPECT_EQ(At(515)["state"]["phase"], 2);
  EXPECT_EQ(Scene(kFrames), "\"Title\"");
}

// Which of the six cells of the line under the cursor hold a stone (warm sandstone, where the
// sky behind is blue), the line standing still on its cells.
std::vector<bool> StonesOfTheSelectedLine(const Picture& picture, const json& state) {
  const int left =
      85 * state["cursor"].get<int>() - static_cast<int>(state["scroll"].get<double>());
  std::vector<bool> stones;
  for (int cell = 0; cell < 6; ++cell) {
    int warm = 0;
    for (int y = 90 + 85 * cell + 6; y < 90 + 85 * cell + 70; ++y)
      for (int x = left + 12; x < left + 73; ++x) {
        const uint32_t p = picture.At(x, y);
        warm += int(p >> 16) - int(p & 255) > 40;
      }
    stones.push_back(warm > 64 * 61 / 2);
  }
  return stones;
}

TEST_F(PointerWalk, TheDraggedLineMovedTwoCellsDown) {
  std::optional<Picture> before = ReadPng(*dir_ / (std::to_string(kBeforeDrag) + ".png"));
  std::optional<Picture> after = ReadPng(*dir_ / (std::to_string(kAfterDrag) + ".png"));
  ASSERT_TRUE(before && after);
  ASSERT_EQ(At(kBeforeDrag)["state"]["cursor"], At(kAfterDrag)["state"]["cursor"]);
  const std::vector<bool> was = StonesOfTheSelectedLine(*before, At(kBeforeDrag)["state"]);
  const std::vector<bool> is = StonesOfTheSelectedLine(*after, At(kAfterDrag)["state"]);
  ASSERT_NE(std::count(was.begin(), was.end(), true), 0);
  ASSERT_NE(std::count(was.begin(), was.end(), false), 0) << "a line that looks the same turned";
  for (int cell = 0; cell < 6; ++cell) EXPECT_EQ(is[(cell + 2) % 6], was[cell]) << cell;
}

// On the rules page: after a key the bar shows the keys, after a move of the mouse the
// pointer's hints; the text above stays as it was.
TEST_F(PointerWalk, TheKeyHelpFollowsTheDeviceUsedLast) {
  std::optional<Picture> keys = ReadPng(*dir_ / "55.png");
  std::optional<Picture> pointer = ReadPng(*dir_ / "59.png");
  ASSERT_TRUE(keys && pointer);
  // The text between the bobbing arrows, and the bar.
  size_t barDiffers = 0, textDiffers = 0;
  for (int x = 16; x < 784; ++x) {
    for (int y = 110; y < 460; ++y) textDiffers += keys->At(x, y) != pointer->At(x, y);
    for (int y = 512; y < 592; ++y) barDiffers += keys->At(x, y) != pointer->At(x, y);
  }
  EXPECT_GT(barDiffers, 2000u);
  EXPECT_EQ(textDiffers, 0u);
}

TEST_F(PointerWalk, ARecordingOfThePointerReplaysToTheSameTrace) {
  const std::string recorded = Slurp(*dir_ / "record.txt");
  EXPECT_NE(recorded.find(" Drag "), std::string::npos) << recorded;
  EXPECT_NE(recorded.find(" Tap "), std::string::npos);
  TempDir replay;
  replay.Write("record.txt", recorded);
  RunResult run = RunGame(replay, {"--seed", "1", "--fps", "0", "--frames", std::to_string(kFrames),
                                   "--input", "record.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(Slurp(replay / "trace.jsonl") == Slurp(*dir_ / "trace.jsonl"));
}

TEST(PointerScriptErrors, AMalformedPointerEntryStopsTheStartWithItsLine) {
  TempDir dir;
  dir.Write("touch.txt", "5 Tap 400,300\n9-12 Drag 400,300\n");
  RunResult run = RunGame(dir, {"--input", "touch.txt", "--trace", "trace.jsonl"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.stderrText.find("line 2"), std::string::npos) << run.stderrText;
  EXPECT_FALSE(std::filesystem::exists(dir / "trace.jsonl"));
}

#ifndef _WIN32
// A private X server (Xvfb) on a display of its own, for as long as the object lives.
class XServer {
 public:
  explicit XServer(const TempDir& dir) {
    const std::string displayFile = (dir / "display").string();
    const std::string command = "Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>'" +
                                displayFile + "' >/dev/null 2>&1 & echo $!";
    if (FILE* shell = popen(command.c_str(), "r")) {
      if (std::fscanf(shell, "%d", &pid_) != 1) pid_ = -1;
      pclose(shell);
    }
    for (int tries = 0; tries < 100 && display_.empty(); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      std::ifstream(displayFile) >> display_;
    }
  }
  ~XServer() {
    if (pid_ > 0) kill(pid_, SIGTERM);
  }
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  // ":N", empty when the server did not start.
  std::string Display() const { return display_.empty() ? "" : ":" + display_; }
  // Runs xdotool with `args` on this display; its output.
  std::string Xdotool(const std::string& args) const {
    std::string output;
    if (FILE* out = popen(("DISPLAY=" + Display() + " xdotool " + args).c_str(), "r")) {
      char buffer[256];
      while (std::fgets(buffer, sizeof buffer, out)) output += buffer;
      EXPECT_EQ(pclose(out), 0) << "xdotool " << args;
    }
    return output;
  }

 private:
  int pid_ = -1;
  std::string display_;
};

// The game in a real X window, widened so that the picture is scaled and has bars, played with
// the X server's own mouse events: a click through the logo and the title, a click on a line
// and a drag of it. The recording sees every click where it fell on the picture, and replays
// to the same game, in which the line has moved.
TEST(DesktopMouse, RealXEventsReachPlayThroughTheScalingAndTheBars) {
  TempDir dir;
  XServer x(dir);
  ASSERT_FALSE(x.Display().empty()) << "Xvfb did not start";
  // A 1000 x 690 window shows the picture 920 x 690, with bars of 40 beside it.
  std::string window;
  auto at = [](int gameX, int gameY) {
    return std::to_string(std::lround(40 + (gameX + 0.5) * 1.15)) + " " +
           std::to_string(std::lround((gameY + 0.5) * 1.15));
  };
  auto click = [&](int gameX, int gameY) {
    x.Xdotool("mousemove --window " + window + " " + at(gameX, gameY) + " click 1");
  };
  int lineX = 0;
  auto press = [&](const char* button, int gameY) {
    x.Xdotool("mousemove --window " + window + " " + at(lineX, gameY) + " " + button);
  };
  std::vector<Checkpoint> steps = {
      {3,
       [&] {
         window = x.Xdotool("search --sync --onlyvisible --class moravin");
         window = window.substr(0, window.find('\n'));
         // In the screen's corner, so that the screen has room for the whole window.
         x.Xdotool("windowmove " + window + " 0 0 windowsize " + window + " 1000 690");
       }},
      {6, [&] { click(400, 300); }},
      {10, [&] { click(400, 300); }},
      {30, [&] { click(590, 277); }},
      {180,
       [&] {
         const std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
         ASSERT_EQ(trace.back()["scene"], "Play");
         lineX = 85 * 6 + 42 - static_cast<int>(trace.back()["state"]["scroll"].get<double>()) - 5;
         click(lineX, 300);
       }},
      {190, [&] { press("mousedown 1", 200); }},
      {195, [&] { press("", 285); }},
      {200, [&] { press("", 370); }},
      {205, [&] { press("mouseup 1", 370); }},
  };
  RunOptions windowed;
  windowed.headless = false;
  windowed.environment = {
      {"DISPLAY", x.Display()}, {"SDL_VIDEODRIVER", "x11"}, {"SDL_AUDIODRIVER", "dummy"}};
  const RunResult run = RunGame(
      dir, {"--seed", "1", "--frames", "260", "--trace", "trace.jsonl", "--record", "record.txt"},
      steps, windowed);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const std::vector<json> live = ReadTrace(dir / "trace.jsonl");
  ASSERT_EQ(live.size(), 260u);

  // Every click was seen once, where it fell on the picture through the scaling and the bars.
  const std::string recorded = Slurp(dir / "record.txt");
  std::vector<std::pair<int, int>> taps;
  const std::regex tapLine(R"(\d+ Tap (\d+),(\d+))");
  for (std::sregex_iterator it(recorded.begin(), recorded.end(), tapLine), end; it != end; ++it)
    taps.emplace_back(std::stoi((*it)[1]), std::stoi((*it)[2]));
  ASSERT_EQ(taps.size(), 4u) << recorded;
  const std::pair<int, int> clicked[4] = {{400, 300}, {400, 300}, {590, 277}, {lineX, 300}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(taps[i].first, clicked[i].first, 1) << recorded;
    EXPECT_NEAR(taps[i].second, clicked[i].second, 1) << recorded;
  }
  EXPECT_EQ(live[185]["state"]["cursor"], 6) << "the clicked line is selected";

  // The drag's frames, from the recording: its presses, first to last.
  uint32_t dragFirst = 0, dragLast = 0;
  const std::regex pressLine(R"((\d+)(?:-(\d+))? (?:Press|Drag) )");
  for (std::sregex_iterator it(recorded.begin(), recorded.end(), pressLine), end; it != end; ++it) {
    const uint32_t first = std::stoul((*it)[1]);
    if (dragFirst == 0) dragFirst = first;
    dragLast = (*it)[2].matched ? std::stoul((*it)[2]) : first;
  }
  ASSERT_GT(dragLast, dragFirst) << recorded;
  const uint32_t before = dragFirst - 1, after = std::min<uint32_t>(dragLast + 30, 260);
  ASSERT_EQ(live[after - 1]["scene"], "Play");

  // Replayed headless, the recording gives the same game (the sounds still playing apart: the
  // window's run had a real audio device, the replay counts sound by the frame).
  TempDir replay;
  replay.Write("record.txt", recorded);
  const RunResult again = RunGame(
      replay, {"--seed", "1", "--fps", "0", "--frames", "260", "--input", "record.txt", "--trace",
               "trace.jsonl", "--screenshot", std::to_string(before) + ":before.png",
               "--screenshot", std::to_string(after) + ":after.png"});
  ASSERT_EQ(again.exitCode, 0) << again.stderrText;
  std::vector<json> replayed = ReadTrace(replay / "trace.jsonl");
  ASSERT_EQ(replayed.size(), live.size());
  for (size_t i = 0; i < live.size(); ++i) {
    json a = live[i], b = replayed[i];
    a.erase("sounds");
    b.erase("sounds");
    ASSERT_EQ(a, b) << "frame " << i + 1;
  }
  std::optional<Picture> was = ReadPng(replay / "before.png");
  std::optional<Picture> is = ReadPng(replay / "after.png");
  ASSERT_TRUE(was && is);
  const std::vector<bool> stonesWere = StonesOfTheSelectedLine(*was, live[before - 1]["state"]);
  const std::vector<bool> stonesAre = StonesOfTheSelectedLine(*is, live[after - 1]["state"]);
  ASSERT_NE(std::count(stonesWere.begin(), stonesWere.end(), true), 0);
  ASSERT_NE(std::count(stonesWere.begin(), stonesWere.end(), false), 0);
  for (int cell = 0; cell < 6; ++cell) EXPECT_EQ(stonesAre[(cell + 2) % 6], stonesWere[cell]);
}
#endif

}  // namespace
}  // namespace e2e

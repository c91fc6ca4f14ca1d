// Replays end to end: every game that ends is kept, watching it plays the same frames and leaves
// the save alone, the title shows a demo when left alone, and the committed replays verify to
// the byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

// Skip the logo, start a game at frame 13, shift lines and speed up; pause at frame 200 and
// resume from the pause menu with X at 260; then leave the heroine to her fate.
const char kPausedGame[] =
    "5 Return\n8 Return\n12 Return\n40 Up\n45-47 Right\n60-90 Z\n100 Down\n200 Escape\n260 X\n"
    "300-340 Z\n";

fs::path ReplayFolder(const TempDir& dir) { return dir.SavePath().parent_path() / "replays"; }

std::vector<fs::path> KeptIn(const TempDir& dir) {
  std::vector<fs::path> files;
  if (!fs::exists(ReplayFolder(dir))) return files;
  for (const auto& entry : fs::directory_iterator(ReplayFolder(dir))) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// What the play does in each of its frames, without frame numbers or the best score.
std::vector<json> PlayFrames(const std::vector<json>& trace) {
  std::vector<json> frames;
  for (const json& line : trace) {
    if (line["scene"] != "Play") continue;
    frames.push_back({line["state"], line["score"], line["distance"], line["diamondChain"]});
  }
  return frames;
}

bool ShowsTheGameOver(const std::vector<json>& trace) {
  return !trace.empty() && trace.back()["scene"] == "GameOver";
}

// A game played by `script` with `seed`, and the same game watched from the replay it left,
// each run for `frames` frames: enough to reach its game over screen, where it waits for a key.
void CheckKeptAndWatched(const std::string& script, const std::string& seed,
                         const std::string& frames) {
  TempDir played;
  played.Write("game.txt", script);
  RunResult run = RunGame(played, {"--fps", "0", "--frames", frames, "--seed", seed, "--input",
                                   "game.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const std::vector<fs::path> kept = KeptIn(played);
  ASSERT_EQ(kept.size(), 1u);
  const std::vector<json> playedTrace = ReadTrace(played / "trace.jsonl");
  ASSERT_TRUE(ShowsTheGameOver(playedTrace));
  const std::vector<json> original = PlayFrames(playedTrace);
  ASSERT_GT(original.size(), 300u);

  TempDir watched;
  fs::copy_file(kept[0], watched / "game.replay");
  SaveData record{};
  record.highScore = 12345;
  record.bgmVolume = -500;
  WriteSave(watched.SavePath(), record);
  const std::string saveBefore = Slurp(watched.SavePath());
  run = RunGame(watched, {"--fps", "0", "--frames", frames, "--replay", "game.replay", "--trace",
                          "trace.jsonl"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const std::vector<json> trace = ReadTrace(watched / "trace.jsonl");
  ASSERT_TRUE(ShowsTheGameOver(trace)) << "the watched game ends as it did";
  EXPECT_EQ(trace[0]["scene"], "Play") << "a watched replay starts with its game";
  EXPECT_EQ(PlayFrames(trace), original);
  EXPECT_NE(std::find_if(trace.begin(), trace.end(),
                         [](const json& line) { return line["scene"] == "Title"; }),
            trace.end())
      << "the pause menu is shown as it was";
  EXPECT_EQ(Slurp(watched.SavePath()), saveBefore) << "neither the best score nor anything else";
  EXPECT_TRUE(KeptIn(watched).empty()) << "watching keeps no replay";
}

// Played by keys with a pause (game over in frame 488), and by the pointer (in frame 619).
TEST(Replays, AGameIsKeptAndWatchingItPlaysTheSameFramesWithoutTouchingTheSave) {
  {
    SCOPED_TRACE("keys");
    CheckKeptAndWatched(kPausedGame, "21", "520");
  }
  {
    SCOPED_TRACE("pointer");
    CheckKeptAndWatched(Slurp(fs::path(MORAVIN_REPLAY_CORPUS) / "pointer.txt"), "32", "650");
  }
}

TEST(Replays, EscLeavesAWatchedReplayAndZRunsItFourTimesAsFastMarkedSo) {
  TempDir dir;
  fs::copy_file(fs::path(MORAVIN_REPLAY_CORPUS) / "paused.replay", dir / "game.replay");
  dir.Write("keys.txt", "20-39 Z\n60 Escape\n");
  RunResult run = RunGame(dir, {"--fps", "0", "--frames", "80", "--replay", "game.replay",
                                "--input", "keys.txt", "--trace", "trace.jsonl", "--screenshot",
                                "30:fast.png", "--screenshot", "50:normal.png"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_EQ(trace.size(), 80u);
  // The "x4" mark's dark box stands right of the replay mark only while Z is held.
  const std::optional<Picture> fast = ReadPng(dir / "fast.png");
  const std::optional<Picture> normal = ReadPng(dir / "normal.png");
  ASSERT_TRUE(fast && normal);
  EXPECT_LT(fast->MeanBrightness(489, 95, 6, 32), 110.0);
  EXPECT_GT(normal->MeanBrightness(489, 95, 6, 32), 150.0);
  EXPECT_EQ(trace[18]["state"]["phaseFrame"], 19);
  EXPECT_EQ(trace[38]["state"]["phaseFrame"], 19 + 4 * 20) << "four frames each while Z is held";
  EXPECT_EQ(trace[58]["state"]["phaseFrame"], 19 + 4 * 20 + 20);
  EXPECT_EQ(trace[59]["scene"], "Title") << "Esc goes to the title at once";
  EXPECT_EQ(trace[79]["scene"], "Title");
  EXPECT_EQ(trace[79]["highScore"], 0);
}

TEST(Replays, ABrokenReplayIsRefusedWithOneLine) {
  TempDir dir;
  std::string bytes = Slurp(fs::path(MORAVIN_REPLAY_CORPUS) / "idle.replay");
  ASSERT_FALSE(bytes.empty());
  dir.Write("cut.replay", bytes.substr(0, bytes.size() - 9));
  dir.Write("not.replay", "# keys recorded by moravin\n");
  struct Case {
    std::string file, message;
  };
  for (const Case& c : {Case{"cut.replay", "moravin: cut.replay: truncated: "},
                        Case{"not.replay", "moravin: not.replay: not a replay file\n"},
                        Case{"none.replay", "moravin: cannot read none.replay: "}}) {
    RunResult run = RunGame(dir, {"--replay", c.file});
    // Windows ends the lines of its error stream with a carriage return too.
    std::erase(run.stderrText, '\r');
    EXPECT_EQ(run.exitCode, 2) << c.file;
    EXPECT_EQ(run.stderrText.rfind(c.message, 0), 0u) << run.stderrText;
    EXPECT_EQ(std::count(run.stderrText.begin(), run.stderrText.end(), '\n'), 1) << c.file;
  }
  EXPECT_FALSE(fs::exists(dir.SavePath())) << "nothing started";
}

// Thirty seconds on the title without a key: the demo; a key (the kept replay's demo) or a tap
// (the autoplayer's): the title at once.
TEST(Replays, TheTitleShowsADemoWhenLeftAloneAndAKeyOrATapEndsIt) {
  for (const bool keptOne : {true, false}) {
    TempDir dir;
    SaveData record{};
    record.highScore = 777;
    record.ruleTopic = -1;  // as the title leaves it: the save then stores the same record
    WriteSave(dir.SavePath(), record);
    if (keptOne) {
      fs::create_directories(ReplayFolder(dir));
      fs::copy_file(fs::path(MORAVIN_REPLAY_CORPUS) / "keys.replay",
                    ReplayFolder(dir) / "20240101-000000.replay");
    }
    const std::string saveBefore = Slurp(dir.SavePath());
    dir.Write("keys.txt",
              std::string("5 Return\n8 Return\n") + (keptOne ? "1900 X\n" : "1900 Tap 100,100\n"));
    RunResult run = RunGame(
        dir, {"--fps", "0", "--frames", "1920", "--input", "keys.txt", "--trace", "trace.jsonl"});
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;
    const std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
    ASSERT_EQ(trace.size(), 1920u);
    const int title = FindFrame(trace, [](const json& l) { return l["scene"] == "Title"; });
    ASSERT_GE(title, 0);
    const int demo = FindFrame(trace, [](const json& l) { return l["scene"] == "Play"; });
    EXPECT_EQ(demo, title + 1500) << "kept one: " << keptOne;
    EXPECT_GT(trace[1898]["score"].get<int>(), 0) << "the demo plays; kept one: " << keptOne;
    EXPECT_EQ(trace[1899]["scene"], "Title") << "the input in frame 1900 ends it";
    EXPECT_EQ(trace[1919]["highScore"], 777);
    EXPECT_EQ(Slurp(dir.SavePath()), saveBefore) << "kept one: " << keptOne;
    EXPECT_EQ(KeptIn(dir).size(), keptOne ? 1u : 0u) << "a demo keeps no replay";
  }
}

// The title's replays item: the kept replays, newest first; one chosen is watched as it was
// played, and leaving it goes back to the list, then to the title.
TEST(Replays, AKeptReplayIsChosenFromTheTitleAndWatched) {
  TempDir dir;
  fs::create_directories(ReplayFolder(dir));
  fs::copy_file(fs::path(MORAVIN_REPLAY_CORPUS) / "paused.replay",
                ReplayFolder(dir) / "20240101-000000.replay");
  fs::copy_file(fs::path(MORAVIN_REPLAY_CORPUS) / "idle.replay",
                ReplayFolder(dir) / "20240102-000000.replay");
  // Skip the logo; down to the replays item and into the list; the second row (the older
  // game); leave it with Esc, and the list with X.
  dir.Write("keys.txt",
            "5 Return\n8 Return\n20 Down\n22 Down\n24 Down\n26 Down\n30 Return\n40 Down\n"
            "45 Return\n100 Escape\n110 X\n");
  RunResult run = RunGame(
      dir, {"--fps", "0", "--frames", "130", "--input", "keys.txt", "--trace", "trace.jsonl"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const std::vector<json> trace = ReadTrace(dir / "trace.jsonl");
  ASSERT_EQ(trace.size(), 130u);
  EXPECT_EQ(trace[28]["state"]["topCursor"], 7);
  ASSERT_EQ(trace[38]["scene"], "ReplayList");
  EXPECT_EQ(trace[38]["state"]["rows"], 2);
  EXPECT_EQ(trace[44]["state"]["cursor"], 1);
  const int play = FindFrame(trace, [](const json& l) { return l["scene"] == "Play"; });
  ASSERT_EQ(play, 45) << "frame 46, the one after the choice";

  TempDir played;
  fs::copy_file(fs::path(MORAVIN_REPLAY_CORPUS) / "paused.txt", played / "game.txt");
  run = RunGame(played, {"--fps", "0", "--frames", "80", "--seed", "32", "--input", "game.txt",
                         "--trace", "trace.jsonl"});
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const std::vector<json> original = PlayFrames(ReadTrace(played / "trace.jsonl"));
  const std::vector<json> watched =
      PlayFrames(std::vector<json>(trace.begin() + play, trace.begin() + 99));
  ASSERT_FALSE(watched.empty());
  EXPECT_EQ(watched, std::vector<json>(original.begin(), original.begin() + watched.size()))
      << "the game as it was played";
  EXPECT_EQ(trace[99]["scene"], "ReplayList") << "Esc goes back to the list";
  EXPECT_EQ(trace[99]["state"]["cursor"], 1) << "on the replay watched";
  EXPECT_EQ(trace[129]["scene"], "Title");
  EXPECT_EQ(KeptIn(dir).size(), 2u) << "watching keeps no replay";
}

// The committed replays play again to their recorded results, with the same output on every
// system the game is built for.
TEST(Replays, TheCommittedReplaysVerifyToTheByte) {
  TempDir dir;
  std::vector<std::string> args{"--verify"};
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(MORAVIN_REPLAY_CORPUS))
    if (entry.path().extension() == ".replay") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_GE(names.size(), 7u);
  for (const std::string& name : names) {
    fs::copy_file(fs::path(MORAVIN_REPLAY_CORPUS) / name, dir / name);
    args.push_back(name);
  }
  RunOptions options;
  options.headless = false;  // --verify needs no display: none is asked for
  RunResult run = RunGame(dir, args, {}, options);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(Slurp(dir / "stdout.txt"), Slurp(fs::path(MORAVIN_REPLAY_CORPUS) / "verified.jsonl"));
}

TEST(Replays, VerifyNamesWhatIsWrongWithEachFile) {
  TempDir dir;
  std::string bytes = Slurp(fs::path(MORAVIN_REPLAY_CORPUS) / "idle.replay");
  dir.Write("good.replay", bytes);
  std::string flipped = bytes;
  flipped[flipped.size() / 2] ^= 0x10;
  dir.Write("flipped.replay", flipped);
  RunResult run = RunGame(dir, {"--verify", "good.replay", "flipped.replay"});
  EXPECT_EQ(run.exitCode, 1);
  const std::string out = Slurp(dir / "stdout.txt");
  const size_t firstEnd = out.find('\n');
  ASSERT_NE(firstEnd, std::string::npos) << out;
  const json good = json::parse(out.substr(0, firstEnd));
  const json bad = json::parse(out.substr(firstEnd + 1));
  EXPECT_EQ(good["ok"], true);
  EXPECT_EQ(bad["ok"], false);
  EXPECT_EQ(bad["reason"], "damaged: its checksum does not match");
  EXPECT_EQ(bad["checkpoint"], nullptr);
}

}  // namespace
}  // namespace e2e

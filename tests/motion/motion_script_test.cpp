// The motion script language, frame by frame.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "motion/motion_sprite.h"
#include "system/random.h"

namespace {

constexpr float kTurn = 6.2831854820251465f;

struct ScriptTest : ::testing::Test {
  MotionSprite s;
  void SetUp() override { s.Init(0, 0, 0, 10, 10, 0, 0); }
  bool Ended() const { return s.wait == -1; }
  bool Has(uint32_t flag) const { return (s.flags & flag) != 0; }
};

TEST_F(ScriptTest, BobbingLoopRunsAFrameCycleThatNeverDrawsItsEnd) {
  s.SetScript("h0[m400,80m400,70,10w10]");
  EXPECT_FALSE(Has(MotionSprite::Hidden));
  std::vector<float> ys = {s.y};
  std::vector<bool> results;
  for (int step = 1; step <= 20; ++step) {
    results.push_back(s.Step());
    ys.push_back(s.y);
  }
  const std::vector<float> cycle = {80, 79, 78, 77, 76, 75, 74, 73, 72, 71};
  for (int step = 0; step <= 20; ++step) EXPECT_EQ(ys[step], cycle[step % 10]) << step;
  for (int step = 1; step <= 20; ++step) EXPECT_EQ(results[step - 1], step % 10 == 0) << step;
  EXPECT_EQ(s.x, 400.0f);
}

TEST_F(ScriptTest, TheLogoDropsInThenSwaysForEver) {
  s.SetScript("i1m400,-200m400,120,10r-0.01r0.01,50,1");
  EXPECT_EQ(s.depth, 1);
  EXPECT_EQ(s.y, -200.0f);
  EXPECT_TRUE(Ended());
  EXPECT_FLOAT_EQ(s.angle, -0.01f * kTurn);
  for (int step = 1; step <= 10; ++step) {
    s.Step();
    EXPECT_EQ(s.y, -200.0f + 32.0f * step) << step;
  }
  s.Step();
  EXPECT_EQ(s.y, 120.0f);
  for (int step = 12; step <= 50; ++step) s.Step();
  EXPECT_NEAR(s.angle, 0.01f * kTurn, 1e-5);
  for (int step = 51; step <= 100; ++step) s.Step();
  EXPECT_NEAR(s.angle, -0.01f * kTurn, 1e-5);
  EXPECT_TRUE(Has(MotionSprite::RotateBounce));
}

TEST_F(ScriptTest, FourCellPatternCyclesEvery33Frames) {
  s.SetScript("m180,416p0,0,8,1,0,8,3,3,8,4,3,8,-13");
  std::vector<std::pair<int, int>> cells;
  for (int step = 1; step <= 66; ++step) {
    s.Step();
    cells.emplace_back(s.cellColumn, s.cellRow);
  }
  std::vector<std::pair<std::pair<int, int>, int>> runs;  // cell and frames shown
  for (const auto& cell : cells) {
    if (runs.empty() || runs.back().first != cell) runs.push_back({cell, 0});
    ++runs.back().second;
  }
  const std::vector<std::pair<std::pair<int, int>, int>> expected = {
      {{0, 0}, 8}, {{1, 0}, 8}, {{3, 3}, 8}, {{4, 3}, 9},
      {{0, 0}, 8}, {{1, 0}, 8}, {{3, 3}, 8}, {{4, 3}, 9}};
  EXPECT_EQ(runs, expected);
  EXPECT_TRUE(Has(MotionSprite::Animating));
  s.SetScript("t2,1");
  for (int step = 0; step < 40; ++step) s.Step();
  EXPECT_EQ(s.cellColumn, 2);
  EXPECT_EQ(s.cellRow, 1);
  EXPECT_FALSE(Has(MotionSprite::Animating));
}

TEST_F(ScriptTest, HighlightPulsesInFrontUntilReturnedToNormal) {
  s.SetScript("z1.25,1.25,20,1i-1");
  EXPECT_EQ(s.depth, -1);
  EXPECT_EQ(s.scaleX, 1.0f);  // the Step of the assignment integrated the old, zero speed
  for (int step = 1; step <= 20; ++step) s.Step();
  EXPECT_NEAR(s.scaleX, 1.25f, 1e-5);
  EXPECT_NEAR(s.scaleY, 1.25f, 1e-5);
  for (int step = 21; step <= 30; ++step) s.Step();
  EXPECT_NEAR(s.scaleX, 1.125f, 1e-5);  // on its way back
  s.SetScript("z1,1i0");
  for (int step = 0; step < 30; ++step) s.Step();
  EXPECT_EQ(s.scaleX, 1.0f);
  EXPECT_EQ(s.scaleY, 1.0f);
  EXPECT_EQ(s.depth, 0);
  EXPECT_FALSE(Has(MotionSprite::ZoomBounce));
}

TEST_F(ScriptTest, ParametersPlaceTheSprite) {
  s.params[0] = 120;
  s.params[1] = 262;
  s.SetScript("m$0,$1");
  EXPECT_EQ(s.x, 120.0f);
  EXPECT_EQ(s.y, 262.0f);
  s.params[2] = 7;
  s.SetScript("m$,$+2");  // "$" alone is parameter 0; a sign may precede the number
  EXPECT_EQ(s.x, 120.0f);
  EXPECT_EQ(s.y, 7.0f);
}

TEST_F(ScriptTest, AScriptWithoutWaitEndsInItsFirstStep) {
  s.SetScript("m10,20");
  EXPECT_EQ(s.x, 10.0f);
  EXPECT_EQ(s.y, 20.0f);
  EXPECT_TRUE(Ended());
  EXPECT_FALSE(s.Step());
  EXPECT_FALSE(s.Step());
  MotionSprite none;
  none.Init(0, 0, 0, 1, 1, 0, 0);
  EXPECT_FALSE(none.Step());  // no script at all
}

TEST_F(ScriptTest, CountedLoopsRunTheirBodyCountTimesAndAtLeastOnce) {
  s.SetScript("[3w1]h1");
  int steps = 0;
  while (!Has(MotionSprite::Hidden) && steps < 10) {
    s.Step();
    ++steps;
  }
  EXPECT_EQ(steps, 3);
  s.SetScript("h0[0w1]h1");
  EXPECT_FALSE(Has(MotionSprite::Hidden));
  s.Step();
  EXPECT_TRUE(Has(MotionSprite::Hidden));
  EXPECT_EQ(s.blockTop, -1);
}

TEST_F(ScriptTest, TimedMovesArriveExactlyAndBounce) {
  s.SetScript("m400,80");
  s.SetScript("m400,70,10,1");
  for (int step = 1; step <= 10; ++step) s.Step();
  EXPECT_EQ(s.y, 70.0f);
  for (int step = 1; step <= 10; ++step) s.Step();
  EXPECT_EQ(s.y, 80.0f);
  s.SetScript("m400,80");  // stops the bounce
  s.SetScript("m400,60,10");
  for (int step = 1; step <= 15; ++step) s.Step();
  EXPECT_EQ(s.y, 60.0f);
  EXPECT_EQ(s.vy, 0.0f);
}

TEST_F(ScriptTest, ImmediateTurnLeavesARunningTurnInPlace) {
  s.SetScript("r0.5,10");
  const float speed = s.angleSpeed;
  ASSERT_NE(speed, 0.0f);
  s.SetScript("r0.25");
  EXPECT_EQ(s.angle, 0.25f * kTurn);
  EXPECT_EQ(s.angleSpeed, speed);
  EXPECT_EQ(s.rotateTimer, 9);
}

TEST_F(ScriptTest, HideTakesTheIntegerPartOfItsArgument) {
  s.SetScript("h1");
  EXPECT_TRUE(Has(MotionSprite::Hidden));
  s.SetScript("h0.5");
  EXPECT_FALSE(Has(MotionSprite::Hidden));
  s.SetScript("h1");
  s.SetScript("h");
  EXPECT_FALSE(Has(MotionSprite::Hidden));
}

TEST_F(ScriptTest, DepthIsSetAddedOrSubtracted) {
  s.SetScript("i2");
  EXPECT_EQ(s.depth, 2);
  s.SetScript("i5,1");
  EXPECT_EQ(s.depth, 7);
  s.SetScript("i5,-1");
  EXPECT_EQ(s.depth, 2);
  s.SetScript("i5,0");
  EXPECT_EQ(s.depth, 2);
  s.SetScript("i");
  EXPECT_EQ(s.depth, 2);
}

TEST_F(ScriptTest, NumbersKeepTheirDigitsInSinglePrecision) {
  s.SetScript("m1.25,-0.01");
  EXPECT_EQ(s.x, 1.25f);
  EXPECT_EQ(s.y, -0.01f);
  s.SetScript("m5.,-7");
  EXPECT_EQ(s.x, 5.0f);
  EXPECT_EQ(s.y, -7.0f);
}

TEST_F(ScriptTest, AssignmentContinuesAndParameterTargetsAreScratch) {
  s.SetScript(":$x,100h1");
  EXPECT_EQ(s.x, 100.0f);
  EXPECT_TRUE(Has(MotionSprite::Hidden));
  s.params[0] = 5;
  s.SetScript("+$0,1m$0,0");
  EXPECT_EQ(s.params[0], 5.0f);
  EXPECT_EQ(s.x, 5.0f);
  s.SetScript(":$q,3:$y,4");  // a letter that names no variable gives no target
  EXPECT_EQ(s.y, 4.0f);
}

TEST_F(ScriptTest, ArithmeticOnVariables) {
  struct Case {
    const char* script;
    float x;
  };
  for (Case c : {Case{":$x,2+$x,3", 5},   Case{"+$x,1,2,3", 6},    Case{":$x,4-$x", -4},
                 Case{":$x,4-$x,1", 3},   Case{"-$x,10,1,2", 7},   Case{":$x,3*$x,2", 6},
                 Case{"*$x,2,3,4", 24},   Case{":$x,4/$x", 0.25f}, Case{"/$x,12,2,3", 2},
                 Case{"%$x,7,3", 1},      Case{"%$x,-7,3", -1},    Case{":$x,17%$x,5", 2},
                 Case{"&$x,12,10", 8},    Case{"|$x,12,10", 14},   Case{"^$x,12,10", 6},
                 Case{":$x,6.9&$x,3", 2}, Case{"~$x,0", -1},       Case{":$x,5~$x", -6},
                 Case{":$x,9@$x,1", 9},   Case{":$x,9+$x", 9}}) {
    s.Init(0, 0, 0, 10, 10, 0, 0);
    s.SetScript(c.script);
    EXPECT_EQ(s.x, c.x) << c.script;
  }
  s.SetScript(":$u,2:$v,3:$w,4:$h,5:$r,6");
  EXPECT_EQ(s.vx, 2.0f);
  EXPECT_EQ(s.vy, 3.0f);
  EXPECT_EQ(s.scaleX, 4.0f);
  EXPECT_EQ(s.scaleY, 5.0f);
  EXPECT_EQ(s.angle, 6.0f);
}

TEST_F(ScriptTest, RandomValuesLieBetweenTheBounds) {
  GameSrand(7);
  for (int i = 0; i < 200; ++i) {
    s.SetScript(":$x,20?$x,10:$y,4?$y");
    EXPECT_GE(s.x, 10.0f);
    EXPECT_LT(s.x, 20.0f);
    EXPECT_GE(s.y, 0.0f);
    EXPECT_LT(s.y, 4.0f);
  }
  GameSrand(7);
  MotionSprite other;
  other.Init(0, 0, 0, 1, 1, 0, 0);
  other.SetScript(":$x,20?$x,10");
  GameSrand(7);
  s.SetScript(":$x,20?$x,10");
  EXPECT_EQ(other.x, s.x);
}

TEST_F(ScriptTest, ComparisonsSetTheCondition) {
  struct Case {
    const char* script;
    bool condition;
  };
  for (Case c :
       {Case{":$x,100<$x,100,1", true}, Case{":$x,100<$x,100", false}, Case{":$x,99<$x,100", true},
        Case{":$x,100>$x,100,1", true}, Case{":$x,100>$x,100", false}, Case{"=3,3", true},
        Case{"=3,4", false}, Case{"=0.5", true}, Case{"=2", false}, Case{"!3,4", true},
        Case{"!2", true}, Case{"!0", false}, Case{"=1,1!", false}, Case{"=1,2!", true}}) {
    s.flags = 0;
    s.SetScript(c.script);
    EXPECT_EQ(Has(MotionSprite::Condition), c.condition) << c.script;
  }
}

TEST_F(ScriptTest, NaNComparesFalseExceptForInequality) {
  for (const char* script : {"/$x,0=$x,$x", "/$x,0<$x,1", "/$x,0<$x,1,1", "/$x,0>$x,-1",
                             "/$x,0>$x,-1,1", "/$x,0=$x,0"}) {
    s.Init(0, 0, 0, 10, 10, 0, 0);
    s.flags = MotionSprite::Condition;
    s.SetScript(script);
    ASSERT_TRUE(std::isnan(s.x)) << script;
    EXPECT_FALSE(Has(MotionSprite::Condition)) << script;
  }
  s.flags = 0;
  s.SetScript("/$x,0!$x,$x");
  EXPECT_TRUE(Has(MotionSprite::Condition));
}

TEST_F(ScriptTest, DivisionByZeroGivesAnInfinitySignedByBothOperands) {
  struct Case {
    const char* script;
    float x;
  };
  const float infinity = std::numeric_limits<float>::infinity();
  for (Case c : {Case{":$x,5/$x,0", infinity}, Case{":$x,-5/$x,0", -infinity},
                 Case{":$x,5/$x,-1,0", -infinity}, Case{":$x,0/$x", infinity},
                 Case{":$x,2/$x,-4,0,0", -infinity}}) {
    s.Init(0, 0, 0, 10, 10, 0, 0);
    s.SetScript(c.script);
    EXPECT_EQ(s.x, c.x) << c.script;
  }
}

TEST_F(ScriptTest, ConditionalBlocksRunOrSkip) {
  s.SetScript(":$y,0=0{+$y,1}+$y,10");  // condition true: the block runs
  EXPECT_EQ(s.y, 11.0f);
  EXPECT_FALSE(Has(MotionSprite::Condition));  // the block's end clears it
  s.SetScript(":$y,0=1{+$y,1}+$y,10");         // condition false: the block is skipped
  EXPECT_EQ(s.y, 10.0f);
  EXPECT_FALSE(Has(MotionSprite::Skipping));
  // A block opened inside a skipped block is skipped too, and its end does not end the
  // skipping of the outer block.
  s.SetScript(":$y,0=1{=0{+$y,1}+$y,10}+$y,100");
  EXPECT_EQ(s.y, 100.0f);
  // An executed block with a skipped block inside it.
  s.SetScript(":$y,0=0{=1{+$y,1}+$y,10}+$y,100");
  EXPECT_EQ(s.y, 110.0f);
  EXPECT_EQ(s.blockTop, -1);
  EXPECT_EQ(s.blockMarker, -1);
}

TEST_F(ScriptTest, ConditionalBlocksInsideLoopsAndLoopsInsideBlocks) {
  // x counts 1..4; y gains 10 while x < 3. One wait per pass.
  s.SetScript(":$x,0:$y,0[4+$x,1<$x,3{+$y,10}w1]h1");
  for (int step = 0; step < 4; ++step) s.Step();
  EXPECT_EQ(s.x, 4.0f);
  EXPECT_EQ(s.y, 20.0f);
  EXPECT_TRUE(Has(MotionSprite::Hidden));
  EXPECT_EQ(s.blockTop, -1);
  // A loop inside an executed block repeats; inside a skipped block it is passed over once.
  s.SetScript(":$y,0=0{[3+$y,1]}+$y,10");
  EXPECT_EQ(s.y, 13.0f);
  s.SetScript(":$y,0=1{[3+$y,1]}+$y,10");
  EXPECT_EQ(s.y, 10.0f);
  // A counted loop closed outside any block leaves the condition alone.
  s.SetScript("=0[2]+$y,0");
  EXPECT_TRUE(Has(MotionSprite::Condition));
}

TEST_F(ScriptTest, RelativeJumpsCountFromAfterTheirArguments) {
  s.SetScript("h0j2h1m7,8");
  EXPECT_FALSE(Has(MotionSprite::Hidden));
  EXPECT_EQ(s.x, 7.0f);
  s.SetScript("m0,0+$x,1w1j-11");  // back to the "+" after every wait
  for (int step = 1; step <= 5; ++step) s.Step();
  EXPECT_EQ(s.x, 6.0f);
}

TEST_F(ScriptTest, SpacesMaySeparateCommands) {
  s.SetScript("m1,2 h1 i3");
  EXPECT_EQ(s.x, 1.0f);
  EXPECT_TRUE(Has(MotionSprite::Hidden));
  EXPECT_EQ(s.depth, 3);
}

// Malformed scripts: each has one defined, harmless outcome.
TEST_F(ScriptTest, FrameErrorsEndTheScript) {
  s.SetScript("[1[1[1[1w1]]]]h1");  // four frames are allowed
  s.Step();
  EXPECT_TRUE(Has(MotionSprite::Hidden));
  s.SetScript("h0[[[[[w1");  // a fifth frame
  EXPECT_TRUE(Ended());
  EXPECT_EQ(s.blockTop, 7);
  for (const char* script : {"]h1", "}h1", "[1]]h1", "=0{}}h1"}) {
    s.flags = 0;
    s.SetScript(script);
    EXPECT_TRUE(Ended()) << script;
    EXPECT_FALSE(Has(MotionSprite::Hidden)) << script;
  }
}

TEST_F(ScriptTest, JumpsOutsideTheTextEndTheScript) {
  for (const char* script : {"j100h1", "j-4h1", "m1,1j-9h1", "j2147483647h1", "j-2147483648h1"}) {
    s.flags = 0;
    s.SetScript(script);
    EXPECT_TRUE(Ended()) << script;
    EXPECT_FALSE(Has(MotionSprite::Hidden)) << script;
  }
}

TEST_F(ScriptTest, RemainderByZeroEndsTheScript) {
  s.SetScript(":$x,7%$x,0h1");
  EXPECT_TRUE(Ended());
  EXPECT_EQ(s.x, 7.0f);
  EXPECT_FALSE(Has(MotionSprite::Hidden));
  s.SetScript("%$x,-2147483648,-1");  // would trap as an integer division
  EXPECT_EQ(s.x, 0.0f);
}

TEST_F(ScriptTest, EndlessLoopWithoutWaitEndsInsteadOfFreezing) {
  s.SetScript("[+$x,1]");
  EXPECT_TRUE(Ended());
  EXPECT_GT(s.x, 1000.0f);
  EXPECT_FALSE(s.Step());
}

TEST_F(ScriptTest, OverlongNumbersSaturate) {
  s.SetScript("m99999999999999999999,-99999999999999999999");
  EXPECT_EQ(s.x, 2147483647.0f);
  EXPECT_EQ(s.y, -2147483647.0f);
  s.SetScript("m0.00000000000000000001,1");
  EXPECT_GE(s.x, 0.0f);
  EXPECT_LT(s.x, 1e-9f);
  s.SetScript("i99999999999,1w99999999999");  // integer parts of huge floats do not overflow
  EXPECT_NE(s.wait, 0);
}

TEST_F(ScriptTest, ParameterNumbersOutsideTheSlotsReadZero) {
  for (float& p : s.params) p = 9;
  s.SetScript("m$16,$-1");
  EXPECT_EQ(s.x, 0.0f);
  EXPECT_EQ(s.y, 0.0f);
  s.SetScript("m$99999999999,$15");
  EXPECT_EQ(s.x, 0.0f);
  EXPECT_EQ(s.y, 9.0f);
}

TEST_F(ScriptTest, PatternsThatRunOffTheirEntriesStopAnimating) {
  // Five triples and a lone 16th entry: no end within the 16 entries.
  s.SetScript("p0,0,1,1,0,1,2,0,1,3,0,1,4,0,1,5");
  for (int step = 0; step < 10; ++step) s.Step();
  EXPECT_FALSE(Has(MotionSprite::Animating));
  EXPECT_EQ(s.cellColumn, 4);
  s.SetScript("p-5");  // a jump to a negative index
  for (int step = 0; step < 3; ++step) s.Step();
  EXPECT_FALSE(Has(MotionSprite::Animating));
  s.SetScript("p1,2,3,-4");  // a jump back to entry 0 animates for ever
  for (int step = 0; step < 50; ++step) s.Step();
  EXPECT_TRUE(Has(MotionSprite::Animating));
}

TEST_F(ScriptTest, ANewScriptIsNotSkippedBecauseTheOldOneEndedInsideASkippedBlock) {
  s.SetScript("=1{");
  EXPECT_TRUE(Has(MotionSprite::Skipping));
  s.SetScript("h1");
  EXPECT_TRUE(Has(MotionSprite::Hidden));
}

// Random scripts from a fixed seed: none may crash, hang or touch memory it does not own
// (the sanitizer build checks the last).
TEST(MotionScriptFuzz, RandomScriptsEndHarmlessly) {
  const char alphabet[] = "mszrdahipjtw[]{}:+-*/%&|^~?@=!<>$xyuvwhr0123456789.,- Q";
  uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  char script[40];
  for (int round = 0; round < 10000; ++round) {
    const int length = static_cast<int>(next() % 39);
    for (int i = 0; i < length; ++i) script[i] = alphabet[next() % (sizeof(alphabet) - 1)];
    script[length] = '\0';
    MotionSprite sprite;
    sprite.Init(0, 0, 0, 8, 8, 4, 4);
    sprite.SetScript(script);
    for (int step = 0; step < 8; ++step) sprite.Step();
    ASSERT_GE(sprite.blockTop, -1) << script;
    ASSERT_LE(sprite.blockTop, 7) << script;
    ASSERT_TRUE(sprite.cursor >= script && sprite.cursor <= script + length) << script;
  }
}

}  // namespace

#include "automation/pointer_script.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "automation/input_script.h"

// Frames are printed as x,y and their flags when a test fails.
void PrintTo(const PointerFrame& f, std::ostream* out) {
  *out << f.x << ',' << f.y << " flags " << int{f.flags};
}

namespace {

InputScript Parsed(std::string_view text) {
  InputScript script;
  std::string error;
  EXPECT_TRUE(InputScript::Parse(text, script, error)) << error;
  return script;
}

std::string Error(std::string_view text) {
  InputScript script;
  std::string error;
  EXPECT_FALSE(InputScript::Parse(text, script, error)) << text;
  return error;
}

PointerFrame Frame(int16_t x, int16_t y, uint8_t flags) { return {x, y, flags}; }

TEST(PointerScript, TapDragPressAndMove) {
  const InputScript script = Parsed(
      "120 Tap 400,300\n"
      "130-150 drag 400,300 400,200\n"
      "140 Z\n"
      "200-260 Press 780,40\n"
      "300 Move 520,276\n");
  const PointerTrack& p = script.Pointer();
  EXPECT_EQ(p.At(1), Frame(0, 0, 0));
  EXPECT_EQ(p.At(120), Frame(400, 300, PointerTapped | PointerMoved));
  EXPECT_EQ(p.At(121), Frame(400, 300, 0));
  EXPECT_EQ(p.At(130), Frame(400, 300, PointerDown));
  EXPECT_EQ(p.At(140), Frame(400, 250, PointerDown | PointerMoved));
  EXPECT_EQ(p.At(150), Frame(400, 200, PointerDown | PointerMoved));
  EXPECT_EQ(p.At(151), Frame(400, 200, 0)) << "up in the first frame after the drag";
  EXPECT_EQ(script.KeysAt(140), KeyNamed("Z")) << "keys and the pointer go together";
  EXPECT_EQ(p.At(200), Frame(780, 40, PointerDown | PointerMoved));
  EXPECT_EQ(p.At(260), Frame(780, 40, PointerDown));
  EXPECT_EQ(p.At(261), Frame(780, 40, 0));
  EXPECT_EQ(p.At(300), Frame(520, 276, PointerMoved));
  EXPECT_EQ(p.At(UINT32_MAX), Frame(520, 276, 0));
}

TEST(PointerScript, ADragUpAndDownAcrossTheScreen) {
  const InputScript script = Parsed("1-4 Drag 0,599 799,0");
  const PointerTrack& p = script.Pointer();
  EXPECT_EQ(p.At(2), Frame(266, 400, PointerDown | PointerMoved));
  EXPECT_EQ(p.At(4), Frame(799, 0, PointerDown | PointerMoved));
}

TEST(PointerScript, MalformedEntriesAreReportedWithTheirLine) {
  EXPECT_EQ(Error("1 Z\n5 Tap 400\n").substr(0, 7), "line 2:");
  EXPECT_NE(Error("5 Tap 800,10").find("not a point"), std::string::npos);
  EXPECT_NE(Error("5 Tap 10,600").find("not a point"), std::string::npos);
  EXPECT_NE(Error("5 Tap -1,5").find("not a point"), std::string::npos);
  EXPECT_NE(Error("5-6 Tap 1,1").find("one frame"), std::string::npos);
  EXPECT_NE(Error("5 Drag 1,1 2,2").find("takes frames"), std::string::npos);
  EXPECT_NE(Error("5-9 Drag 1,1").find("two points"), std::string::npos);
  EXPECT_NE(Error("5 Press 1,1 2,2").find("one point"), std::string::npos);
  EXPECT_NE(Error("5 Move").find("one point"), std::string::npos);
  for (std::string_view bad : {"5 Tap 1,,1", "5 Tap 1;1", "5 Tap x,1", "5 Tap 1,1,", "5 Tap +1,1",
                               "5 Tap 1,99999999999", "0 Tap 1,1", "9-3 Press 1,1"})
    EXPECT_EQ(Error(bad).substr(0, 7), "line 1:") << bad;
}

TEST(PointerScript, OverlappingPointerEntriesAreRefused) {
  const std::string error = Error("10-20 Press 1,1\n30 Tap 5,5\n20-25 Drag 1,1 9,9\n");
  EXPECT_EQ(error.substr(0, 7), "line 3:") << error;
  EXPECT_NE(error.find("line 1"), std::string::npos) << error;
  Parsed("10-20 Press 1,1\n21-25 Drag 1,1 9,9\n15 Z\n");  // touching is fine, keys may overlap
}

std::string Recorded(const std::vector<PointerFrame>& frames) {
  std::ostringstream out;
  PointerRecorder recorder(out);
  for (size_t i = 0; i < frames.size(); ++i)
    recorder.Record(static_cast<uint32_t>(i + 1), frames[i]);
  recorder.Finish();
  return out.str();
}

TEST(PointerRecorder, WritesEvenRunsAsOneLine) {
  EXPECT_EQ(Recorded({Frame(0, 0, 0), Frame(10, 20, PointerTapped), Frame(10, 20, 0),
                      Frame(10, 20, PointerDown), Frame(10, 20, PointerDown),
                      Frame(10, 10, PointerDown), Frame(10, 0, PointerDown), Frame(10, 0, 0),
                      Frame(30, 0, 0), Frame(50, 0, 0), Frame(55, 0, 0)}),
            "2 Tap 10,20\n4-5 Press 10,20\n6-7 Drag 10,10 10,0\n9-10 Move 30,0 50,0\n"
            "11 Move 55,0\n");
}

// Any sequence a device can give (a tap never comes with a press) replays to the same frames.
TEST(PointerRecorder, ARecordingReplaysToTheSameFrames) {
  std::mt19937 random(31);
  for (int round = 0; round < 100; ++round) {
    std::vector<PointerFrame> frames(300);
    int16_t x = 0, y = 0;
    PointerFrame last;
    for (PointerFrame& f : frames) {
      const uint32_t r = random() % 16;
      if (r < 6) {  // go on as before, sometimes in an even line
        x = static_cast<int16_t>(std::clamp<int>(x + (r % 3) - 1, 0, 799));
      } else if (r < 9) {
        x = static_cast<int16_t>(random() % 800);
        y = static_cast<int16_t>(random() % 600);
      }
      uint8_t flags = last.flags & PointerDown;
      if (r == 9 || r == 10) flags ^= PointerDown;
      if (r == 11) flags = PointerTapped;
      if (x != last.x || y != last.y) flags |= PointerMoved;
      f = last = Frame(x, y, flags);
    }
    const std::string text = Recorded(frames);
    const InputScript replay = Parsed(text);
    for (size_t i = 0; i < frames.size(); ++i)
      ASSERT_EQ(replay.Pointer().At(static_cast<uint32_t>(i + 1)), frames[i])
          << "frame " << i + 1 << " of\n"
          << text;
  }
}

}  // namespace

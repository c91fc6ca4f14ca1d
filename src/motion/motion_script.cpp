// The motion script interpreter: MotionSprite::Step.
//
// Each command is one character followed by up to 16 comma-separated arguments, read afresh
// every time the command runs. Arithmetic is single precision, as the positions and speeds are
// floats that accumulate frame by frame.
//
// Scripts are data, so every way a script can go wrong has a harmless outcome: too many open
// frames, a close without a frame, a jump outside the text, a remainder by zero and a command
// run that never waits all end the script; numbers too long for 32 bits saturate; a parameter
// number outside 0..15 reads 0; a cell pattern that runs off its 16 entries stops animating.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "motion/motion_sprite.h"
#include "system/random.h"

namespace {

constexpr int kMaxArgs = 16;
constexpr int kParamCount = 16;
constexpr int kPatternSize = 16;
constexpr int kBlockSlots = 8;
constexpr float kRadiansPerTurn = 6.2831854820251465f;
// Commands one Step may run before it gives up: a loop that never waits would otherwise
// freeze the frame.
constexpr int kCommandBudget = 100000;

// Truncation toward zero. NaN and values outside the 32-bit range give INT32_MIN, as the
// processor's own conversion does, instead of undefined behaviour.
int32_t IntegerPart(float value) {
  if (!(value >= -2147483648.0f && value < 2147483648.0f)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// Two's-complement arithmetic, so that extreme script values wrap instead of overflowing.
int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads decimal digits into a saturating accumulator and returns how many there were.
int ReadDigits(const char*& p, int64_t& accumulator) {
  int digits = 0;
  for (; IsDigit(*p); ++p, ++digits) {
    accumulator = accumulator * 10 + (*p - '0');
    if (accumulator > INT32_MAX) accumulator = INT32_MAX;
  }
  return digits;
}

// "-12.5": all digits go into one integer that is then divided by 10 per fraction digit.
float ParseNumber(const char*& p) {
  const bool negative = *p == '-';
  if (negative) ++p;
  int64_t accumulator = 0;
  ReadDigits(p, accumulator);
  float divisor = 1.0f;
  if (*p == '.') {
    ++p;
    for (int digits = ReadDigits(p, accumulator); digits > 0; --digits) divisor *= 10.0f;
  }
  const auto whole = static_cast<int32_t>(negative ? -accumulator : accumulator);
  return static_cast<float>(whole) / divisor;
}

// The arguments of the command being run.
struct Arguments {
  float a[kMaxArgs] = {};
  int count = 0;
  float* target = nullptr;  // the variable named by a first-argument reference
  float parameterCopy = 0;  // a parameter target is a scratch copy: scripts never write params
};

// Runs the commands of one Step on one sprite.
class Interpreter {
 public:
  explicit Interpreter(MotionSprite& sprite) : s(sprite) {}

  // True when the run waited or ended.
  bool Run();

 private:
  MotionSprite& s;

  void ReadArguments(Arguments& args);
  float ReadReference(Arguments& args, bool first);
  float* Variable(char letter);

  // Each returns false when the command ends the script or waits.
  bool Execute(char command, Arguments& args);
  bool ExecuteArithmetic(char command, Arguments& args);
  bool ExecuteComparison(char command, const Arguments& args);
  bool PushFrame(int32_t first, int32_t second);
  bool CloseFrame();
  bool Jump(int32_t offset);

  void SetFlag(uint32_t flag, bool on) { s.flags = on ? (s.flags | flag) : (s.flags & ~flag); }
  bool HasFlag(uint32_t flag) const { return (s.flags & flag) != 0; }
  int32_t ScriptLength() const { return static_cast<int32_t>(std::strlen(s.script)); }
  int32_t CursorOffset() const { return static_cast<int32_t>(s.cursor - s.script); }
};

float* Interpreter::Variable(char letter) {
  switch (letter) {
    case 'x': return &s.x;
    case 'y': return &s.y;
    case 'u': return &s.vx;
    case 'v': return &s.vy;
    case 'w': return &s.scaleX;
    case 'h': return &s.scaleY;
    case 'r': return &s.angle;
    default: return nullptr;
  }
}

// "$x" names a variable; "$3" (or "$", "$-1") a parameter slot. The cursor is on the '$'.
float Interpreter::ReadReference(Arguments& args, bool first) {
  ++s.cursor;
  const char letter = *s.cursor;
  if (letter >= 'a' && letter <= 'z') {
    ++s.cursor;
    float* variable = Variable(letter);
    if (first) args.target = variable;
    return variable ? *variable : 0.0f;
  }
  const bool negative = *s.cursor == '-';
  if (*s.cursor == '-' || *s.cursor == '+') ++s.cursor;
  int64_t number = 0;
  ReadDigits(s.cursor, number);
  const float value = (!negative && number < kParamCount) ? s.params[number] : 0.0f;
  if (first) {
    args.parameterCopy = value;
    args.target = &args.parameterCopy;
  }
  return value;
}

void Interpreter::ReadArguments(Arguments& args) {
  while (args.count < kMaxArgs) {
    const char c = *s.cursor;
    if (c == '-' || IsDigit(c)) {
      args.a[args.count] = ParseNumber(s.cursor);
    } else if (c == '$') {
      args.a[args.count] = ReadReference(args, args.count == 0);
    } else {
      return;
    }
    ++args.count;
    if (*s.cursor != ',') return;
    ++s.cursor;
  }
}

bool Interpreter::Run() {
  for (int budget = kCommandBudget; budget > 0; --budget) {
    if (*s.cursor == ' ') ++s.cursor;
    const char command = *s.cursor;
    if (command == '\0') break;
    ++s.cursor;
    Arguments args;
    ReadArguments(args);
    const bool framing = command == '[' || command == ']' || command == '{' || command == '}';
    if (HasFlag(MotionSprite::Skipping) && !framing) continue;
    if (!Execute(command, args)) return true;
  }
  s.wait = -1;
  return true;
}

// "m x,y[,frames[,bounce]]" and "z sx,sy[,frames[,bounce]]": a timed (or bouncing) change of a
// pair of values, or an immediate one that also stops the running change.
void StartPairMotion(MotionSprite& s, const Arguments& args, float& first, float& second,
                     float& speedFirst, float& speedSecond, int32_t& timer, int32_t& frames,
                     uint32_t bounceFlag) {
  const int32_t n = args.count >= 3 ? IntegerPart(args.a[2]) : 0;
  const bool bounce = n != 0 && args.count >= 4 && args.a[3] != 0.0f;
  if (n != 0) {
    frames = timer = n;
    speedFirst = (args.a[0] - first) / static_cast<float>(n);
    speedSecond = (args.a[1] - second) / static_cast<float>(n);
  } else {
    first = args.a[0];
    second = args.a[1];
    speedFirst = speedSecond = 0.0f;
  }
  s.flags = bounce ? (s.flags | bounceFlag) : (s.flags & ~bounceFlag);
}

// "r turns[,frames[,bounce]]" and "a level[,frames[,bounce]]": a timed change of one value, or
// an immediate one that leaves a running change going.
void StartSingleMotion(MotionSprite& s, const Arguments& args, float goal, float& value,
                       float& speed, int32_t& timer, int32_t& frames, uint32_t bounceFlag) {
  const int32_t n = args.count >= 2 ? IntegerPart(args.a[1]) : 0;
  const bool bounce = n != 0 && args.count >= 3 && args.a[2] != 0.0f;
  if (n != 0) {
    frames = timer = n;
    speed = (goal - value) / static_cast<float>(n);
  } else {
    value = goal;
  }
  s.flags = bounce ? (s.flags | bounceFlag) : (s.flags & ~bounceFlag);
}

bool Interpreter::Execute(char command, Arguments& args) {
  const float* a = args.a;
  const int n = args.count;
  switch (command) {
    case 'm':
      StartPairMotion(s, args, s.x, s.y, s.vx, s.vy, s.moveTimer, s.moveFrames,
                      MotionSprite::MoveBounce);
      return true;
    case 'z':
      StartPairMotion(s, args, s.scaleX, s.scaleY, s.scaleSpeedX, s.scaleSpeedY, s.zoomTimer,
                      s.zoomFrames, MotionSprite::ZoomBounce);
      return true;
    case 's':
      s.vx = a[0];
      s.vy = a[1];
      SetFlag(MotionSprite::MoveBounce, false);
      return true;
    case 'd':
      s.x += a[0];
      s.y += a[1];
      s.vx = s.vy = 0.0f;
      SetFlag(MotionSprite::MoveBounce, false);
      return true;
    case 'r':
      StartSingleMotion(s, args, a[0] * kRadiansPerTurn, s.angle, s.angleSpeed, s.rotateTimer,
                        s.rotateFrames, MotionSprite::RotateBounce);
      return true;
    case 'a':
      StartSingleMotion(s, args, a[0], s.alpha, s.alphaSpeed, s.fadeTimer, s.fadeFrames,
                        MotionSprite::FadeBounce);
      return true;
    case 'h': SetFlag(MotionSprite::Hidden, n >= 1 && IntegerPart(a[0]) != 0); return true;
    case 'i':
      if (n == 1) {
        s.depth = IntegerPart(a[0]);
      } else if (n >= 2 && a[1] > 0.0f) {
        s.depth = WrapAdd(s.depth, IntegerPart(a[0]));
      } else if (n >= 2 && a[1] < 0.0f) {
        s.depth = WrapSub(s.depth, IntegerPart(a[0]));
      }
      return true;
    case 'p':
      for (int k = 0; k < n; ++k) s.pattern[k] = IntegerPart(a[k]);
      SetFlag(MotionSprite::Animating, true);
      s.patternIndex = 0;
      s.patternTimer = 0;
      return true;
    case 't':
      s.cellColumn = IntegerPart(a[0]);
      s.cellRow = IntegerPart(a[1]);
      SetFlag(MotionSprite::Animating, false);
      return true;
    case 'w': s.wait = IntegerPart(a[0]); return false;
    case 'j': return Jump(IntegerPart(a[0]));
    case '[': return PushFrame(CursorOffset(), n >= 1 ? IntegerPart(a[0]) : -1);
    case '{': {
      // A block opened inside a skipped block is an ordinary frame: it must not end the
      // skipping of the block around it when it closes.
      if (HasFlag(MotionSprite::Skipping)) return PushFrame(s.blockMarker, 0);
      if (!PushFrame(s.blockMarker, 0)) return false;
      s.blockMarker = s.blockTop - 1;
      if (!HasFlag(MotionSprite::Condition)) SetFlag(MotionSprite::Skipping, true);
      return true;
    }
    case ']':
    case '}': return CloseFrame();
    case '=':
    case '!':
    case '<':
    case '>': return ExecuteComparison(command, args);
    case ':':
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '&':
    case '|':
    case '^':
    case '~':
    case '?':
    case '@': return ExecuteArithmetic(command, args);
    default: s.wait = -1; return false;
  }
}

bool Interpreter::ExecuteComparison(char command, const Arguments& args) {
  const float* a = args.a;
  const int n = args.count;
  const bool orEqual = n >= 3 && IntegerPart(a[2]) != 0;
  switch (command) {
    case '=':
      if (n >= 2) SetFlag(MotionSprite::Condition, a[0] == a[1]);
      if (n == 1) SetFlag(MotionSprite::Condition, IntegerPart(a[0]) == 0);
      break;
    case '!':
      if (n >= 2) SetFlag(MotionSprite::Condition, a[0] != a[1]);
      if (n == 1) SetFlag(MotionSprite::Condition, IntegerPart(a[0]) != 0);
      if (n == 0) SetFlag(MotionSprite::Condition, !HasFlag(MotionSprite::Condition));
      break;
    case '<':
      if (n >= 2) SetFlag(MotionSprite::Condition, orEqual ? a[0] <= a[1] : a[0] < a[1]);
      break;
    case '>':
      if (n >= 2) SetFlag(MotionSprite::Condition, orEqual ? a[0] >= a[1] : a[0] > a[1]);
      break;
  }
  return true;
}

// Remainder with the sign of the dividend; false for a zero divisor.
bool Remainder(int32_t dividend, int32_t divisor, int32_t& result) {
  if (divisor == 0) return false;
  result = divisor == -1 ? 0 : dividend % divisor;  // INT32_MIN % -1 would trap
  return true;
}

int32_t Bitwise(char op, int32_t left, int32_t right) {
  if (op == '&') return left & right;
  if (op == '|') return left | right;
  return left ^ right;
}

// The quotient as the processor gives it, also for a zero divisor: an infinity with the sign of
// both operands, or NaN for 0 / 0 and NaN / 0. Scripts may rely on it (NaN compares unequal to
// everything), but C++ leaves a division by zero undefined, so it is spelled out.
float Quotient(float dividend, float divisor) {
  if (divisor != 0.0f) return dividend / divisor;
  if (dividend == 0.0f || std::isnan(dividend)) return std::numeric_limits<float>::quiet_NaN();
  const float infinity = std::numeric_limits<float>::infinity();
  return std::signbit(dividend) != std::signbit(divisor) ? -infinity : infinity;
}

float FloatOp(char op, float left, float right) {
  if (op == '+') return left + right;
  if (op == '-') return left - right;
  if (op == '*') return left * right;
  return Quotient(left, right);
}

// The commands on a variable: ":$x,1", "+$x,1", "%$0,$1,3" ... With three or more arguments
// the target becomes a1 op a2 op ...; with two, target op= a1.
bool Interpreter::ExecuteArithmetic(char command, Arguments& args) {
  float* t = args.target;
  if (t == nullptr) return true;
  const float* a = args.a;
  const int n = args.count;
  switch (command) {
    case ':':
      if (n >= 2) *t = a[1];
      break;
    case '+':
    case '-':
    case '*':
    case '/':
      if (n >= 3) {
        float value = a[1];
        for (int j = 2; j < n; ++j) value = FloatOp(command, value, a[j]);
        *t = value;
      } else if (n == 2) {
        *t = FloatOp(command, *t, a[1]);
      } else if (command == '-') {
        *t = -*t;
      } else if (command == '/') {
        *t = Quotient(1.0f, *t);
      }
      break;
    case '%': {
      if (n < 2) break;
      int32_t value = n >= 3 ? IntegerPart(a[1]) : IntegerPart(*t);
      for (int j = n >= 3 ? 2 : 1; j < n; ++j) {
        if (!Remainder(value, IntegerPart(a[j]), value)) {
          s.wait = -1;
          return false;
        }
      }
      *t = static_cast<float>(value);
      break;
    }
    case '&':
    case '|':
    case '^': {
      if (n < 2) break;
      int32_t value = n >= 3 ? IntegerPart(a[1]) : IntegerPart(*t);
      for (int j = n >= 3 ? 2 : 1; j < n; ++j) value = Bitwise(command, IntegerPart(a[j]), value);
      *t = static_cast<float>(value);
      break;
    }
    case '~': *t = static_cast<float>(~IntegerPart(n >= 2 ? a[1] : *t)); break;
    case '?': {
      const float r = static_cast<float>(GameRand()) / 32768.0f;
      *t = n >= 2 ? a[1] + r * (*t - a[1]) : r * *t;
      break;
    }
    default:  // '@' names a target and changes nothing
      break;
  }
  return true;
}

bool Interpreter::PushFrame(int32_t first, int32_t second) {
  if (s.blockTop + 2 >= kBlockSlots) {
    s.wait = -1;
    return false;
  }
  s.blockStack[++s.blockTop] = first;
  s.blockStack[++s.blockTop] = second;
  return true;
}

// "]" and "}": a loop frame repeats until its count runs out; a block frame, or any frame
// closed while skipping, is popped. Closing the innermost block frame ends its block.
bool Interpreter::CloseFrame() {
  if (s.blockTop < 1 || s.blockTop >= kBlockSlots) {
    s.wait = -1;
    return false;
  }
  int32_t& count = s.blockStack[s.blockTop];
  if (count > 0) --count;
  if (HasFlag(MotionSprite::Skipping) || count == 0) {
    const int32_t base = s.blockTop - 1;
    const int32_t saved = s.blockStack[base];
    s.blockTop -= 2;
    if (base == s.blockMarker) {
      if (HasFlag(MotionSprite::Skipping)) {
        SetFlag(MotionSprite::Skipping, false);
      } else {
        SetFlag(MotionSprite::Condition, false);
      }
      s.blockMarker = saved;
    }
    return true;
  }
  const int32_t offset = s.blockStack[s.blockTop - 1];
  if (offset < 0 || offset >= ScriptLength()) {
    s.wait = -1;
    return false;
  }
  s.cursor = s.script + offset;
  return true;
}

bool Interpreter::Jump(int32_t offset) {
  const int64_t destination = static_cast<int64_t>(CursorOffset()) + offset;
  if (destination < 0 || destination > ScriptLength()) {
    s.wait = -1;
    return false;
  }
  s.cursor = s.script + destination;
  return true;
}

// At the end of a timed motion a bouncing one turns round and any other stops.
enum class TimerEnd { Running, Reverse, Stop };

TimerEnd CountDown(int32_t& timer, int32_t frames, bool bounce) {
  if (timer <= 0 || --timer != 0) return TimerEnd::Running;
  if (!bounce) return TimerEnd::Stop;
  timer = frames;
  return TimerEnd::Reverse;
}

void ApplyTimerEnd(TimerEnd end, float& speed) {
  if (end == TimerEnd::Reverse) speed = -speed;
  if (end == TimerEnd::Stop) speed = 0.0f;
}

}  // namespace

void MotionSprite::AdvancePattern() {
  if (patternTimer > INT32_MIN) --patternTimer;
  if (patternTimer > 0) return;
  // A pattern must end in a jump or a final triple within its 16 entries; one that runs off
  // them simply stops animating.
  if (patternIndex < 0 || patternIndex >= kPatternSize) {
    flags &= ~Animating;
    return;
  }
  const int32_t entry = pattern[patternIndex++];
  if (entry < 0) {
    patternIndex = WrapAdd(patternIndex, entry);
    return;
  }
  if (patternIndex + 1 >= kPatternSize) {
    flags &= ~Animating;
    return;
  }
  cellColumn = entry;
  cellRow = pattern[patternIndex];
  patternTimer = pattern[patternIndex + 1];
  patternIndex += 2;
  if (patternTimer <= 0) flags &= ~Animating;
}

void MotionSprite::AdvanceMotions() {
  x += vx;
  y += vy;
  const TimerEnd move = CountDown(moveTimer, moveFrames, (flags & MoveBounce) != 0);
  ApplyTimerEnd(move, vx);
  ApplyTimerEnd(move, vy);

  angle += angleSpeed;
  ApplyTimerEnd(CountDown(rotateTimer, rotateFrames, (flags & RotateBounce) != 0), angleSpeed);

  scaleX += scaleSpeedX;
  scaleY += scaleSpeedY;
  const TimerEnd zoom = CountDown(zoomTimer, zoomFrames, (flags & ZoomBounce) != 0);
  ApplyTimerEnd(zoom, scaleSpeedX);
  ApplyTimerEnd(zoom, scaleSpeedY);
}

bool MotionSprite::Step() {
  if (script == nullptr) return false;
  if ((flags & Animating) != 0) AdvancePattern();
  AdvanceMotions();
  if (wait > 0) --wait;
  if (wait != 0) return false;
  return Interpreter(*this).Run();
}

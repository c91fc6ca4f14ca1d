// The replay file, little-endian:
//
//   "MORAVINR"        8 bytes, the magic
//   format            u16, 1
//   length            u32, the whole file's bytes, checksum included
//   version           u8 n, n ASCII bytes
//   seed              u32
//   hold counters     9 bytes
//   result            varints score, distance, longest chain, play frames; u8 end
//   input runs        varint count; each varint ((frames - 1) << 9 | buttons)
//   pauses            varint count; each varint (begin - previous resume), varint (resume - begin)
//   pointer           varint count; each varint (frame - previous frame), varint x, varint y,
//                     u8 flags
//   checkpoints       varint count; each u64
//   checksum          u32, CRC-32 of every byte before it
//
// Binary, not text: the input is runs of held buttons, two bytes for a run of up to 31 frames,
// so a 30-minute game of a busy player (a change of buttons every 10 frames) takes about 18 KB;
// the same runs as lines of an input script would take three to four times as much.
#include "replay/replay.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'M', 'O', 'R', 'A', 'V', 'I', 'N', 'R'};
constexpr uint16_t kFormat = 1;
constexpr size_t kHeaderBytes = sizeof kMagic + 2 + 4;
constexpr size_t kChecksumBytes = 4;
constexpr int kButtonBits = 9;
constexpr int32_t kMaxScore = 999'999'999;

// CRC-32 of IEEE 802.3 (zlib's), by a table built once.
uint32_t Crc32(std::span<const uint8_t> bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

class Writer {
 public:
  void Byte(uint8_t b) { bytes_.push_back(b); }
  void Fixed(uint64_t value, int size) {
    for (int i = 0; i < size; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
  }
  void Varint(uint64_t value) {
    for (; value >= 0x80; value >>= 7) Byte(static_cast<uint8_t>(value | 0x80));
    Byte(static_cast<uint8_t>(value));
  }
  void Bytes(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  std::vector<uint8_t>& Result() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// Reads what Writer wrote; any read past the end or a malformed varint leaves it failed.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint8_t Byte() {
    if (at_ >= bytes_.size()) {
      failed_ = true;
      return 0;
    }
    return bytes_[at_++];
  }
  uint64_t Fixed(int size) {
    uint64_t value = 0;
    for (int i = 0; i < size; ++i) value |= uint64_t{Byte()} << (8 * i);
    return value;
  }
  // Only the shortest form is read: one value has one encoding, so a file read and written
  // again gives the same bytes.
  uint64_t Varint() {
    uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const uint8_t b = Byte();
      if ((shift == 63 && b > 1) || (shift > 0 && b == 0)) break;
      value |= uint64_t{b & 0x7Fu} << shift;
      if (!(b & 0x80)) return value;
    }
    failed_ = true;
    return 0;
  }
  // A count of items of at least `itemBytes` bytes each: more than the bytes left could hold
  // fails, so that no count can make the reader reserve more than the file's size.
  size_t Count(size_t itemBytes) {
    const uint64_t count = Varint();
    if (count > Left() / itemBytes) failed_ = true;
    return failed_ ? 0 : static_cast<size_t>(count);
  }
  size_t Left() const { return bytes_.size() - at_; }
  bool Failed() const { return failed_; }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
  bool failed_ = false;
};

void WriteBody(const Replay& replay, Writer& out) {
  out.Byte(static_cast<uint8_t>(replay.gameVersion.size()));
  out.Bytes(replay.gameVersion.data(), replay.gameVersion.size());
  out.Fixed(replay.seed, 4);
  out.Bytes(replay.holdFrames, sizeof replay.holdFrames);
  const ReplayResult& result = replay.result;
  out.Varint(static_cast<uint32_t>(result.score));
  out.Varint(static_cast<uint32_t>(result.distance));
  out.Varint(static_cast<uint32_t>(result.longestChain));
  out.Varint(result.playFrames);
  out.Byte(static_cast<uint8_t>(result.end));
  out.Varint(replay.input.size());
  for (const InputRun& run : replay.input)
    out.Varint(uint64_t{run.frames - 1} << kButtonBits | run.buttons);
  out.Varint(replay.pauses.size());
  uint32_t previous = 0;
  for (const Pause& pause : replay.pauses) {
    out.Varint(pause.begin - previous);
    out.Varint(pause.resume - pause.begin);
    previous = pause.resume;
  }
  out.Varint(replay.pointer.size());
  uint32_t previousFrame = 0;
  for (const PointerSample& sample : replay.pointer) {
    out.Varint(sample.frame - previousFrame);
    out.Varint(sample.x);
    out.Varint(sample.y);
    out.Byte(sample.flags);
    previousFrame = sample.frame;
  }
  out.Varint(replay.checkpoints.size());
  for (uint64_t hash : replay.checkpoints) out.Fixed(hash, 8);
}

// A varint that must fit its field: beyond the limit fails.
uint32_t Bounded(Reader& in, uint64_t limit, bool& ok) {
  const uint64_t value = in.Varint();
  if (value > limit) ok = false;
  return static_cast<uint32_t>(value);
}

bool ReadBody(Reader& in, Replay& replay) {
  bool ok = true;
  const size_t versionBytes = in.Byte();
  if (versionBytes > Replay::kMaxVersionBytes || versionBytes > in.Left()) return false;
  for (size_t i = 0; i < versionBytes; ++i) replay.gameVersion += static_cast<char>(in.Byte());
  replay.seed = static_cast<uint32_t>(in.Fixed(4));
  for (uint8_t& counter : replay.holdFrames) counter = in.Byte();
  ReplayResult& result = replay.result;
  result.score = static_cast<int32_t>(Bounded(in, INT32_MAX, ok));
  result.distance = static_cast<int32_t>(Bounded(in, INT32_MAX, ok));
  result.longestChain = static_cast<int32_t>(Bounded(in, INT32_MAX, ok));
  result.playFrames = Bounded(in, UINT32_MAX, ok);
  result.end = static_cast<GameEnd>(in.Byte());

  replay.input.resize(in.Count(1));
  for (InputRun& run : replay.input) {
    const uint64_t value = in.Varint();
    if ((value >> kButtonBits) >= UINT32_MAX) ok = false;
    run.buttons = static_cast<uint16_t>(value & ((1u << kButtonBits) - 1));
    run.frames = static_cast<uint32_t>((value >> kButtonBits) + 1);
  }
  replay.pauses.resize(in.Count(2));
  uint64_t previous = 0;
  for (Pause& pause : replay.pauses) {
    const uint64_t begin = previous + Bounded(in, UINT32_MAX, ok);
    const uint64_t resume = begin + Bounded(in, UINT32_MAX, ok);
    if (resume > UINT32_MAX) ok = false;
    pause.begin = static_cast<uint32_t>(begin);
    pause.resume = static_cast<uint32_t>(resume);
    previous = resume;
  }
  replay.pointer.resize(in.Count(4));
  uint64_t previousFrame = 0;
  for (PointerSample& sample : replay.pointer) {
    previousFrame += Bounded(in, UINT32_MAX, ok);
    sample.frame = static_cast<uint32_t>(std::min<uint64_t>(previousFrame, UINT32_MAX));
    sample.x = static_cast<uint16_t>(Bounded(in, UINT16_MAX, ok));
    sample.y = static_cast<uint16_t>(Bounded(in, UINT16_MAX, ok));
    sample.flags = in.Byte();
  }
  replay.checkpoints.resize(in.Count(8));
  for (uint64_t& hash : replay.checkpoints) hash = in.Fixed(8);
  return ok && !in.Failed() && in.Left() == 0;
}

std::string Quantity(uint64_t count, const char* unit) {
  return std::to_string(count) + " " + unit;
}

std::string InputProblem(const Replay& replay) {
  uint64_t frames = 0;
  for (const InputRun& run : replay.input) {
    if (run.frames == 0) return "an input run of no frames";
    if (run.buttons >> kButtonBits) return "buttons that do not exist";
    frames += run.frames;
    if (frames > Replay::kMaxFrames)
      return "more than " + Quantity(Replay::kMaxFrames, "frames") + " in all";
  }
  if (frames == 0) return "no frames";
  return "";
}

std::string PauseProblem(const Replay& replay) {
  const uint32_t frames = replay.Frames();
  // A pause can begin only once the play has taken buttons: from frame 1, and from the frame
  // after a resume.
  uint32_t earliest = 1;
  for (const Pause& pause : replay.pauses) {
    if (pause.begin < earliest || pause.resume <= pause.begin || pause.resume > frames)
      return "a pause out of order (frames " + std::to_string(pause.begin) + " to " +
             std::to_string(pause.resume) + ")";
    earliest = pause.resume + 1;
  }
  return "";
}

std::string PointerProblem(const Replay& replay) {
  constexpr uint8_t kFlags = PointerSample::kDown | PointerSample::kTapped;
  const uint32_t frames = replay.Frames();
  for (size_t i = 0; i < replay.pointer.size(); ++i) {
    const PointerSample& sample = replay.pointer[i];
    if ((i > 0 && sample.frame <= replay.pointer[i - 1].frame) || sample.frame >= frames)
      return "pointer input out of order (frame " + std::to_string(sample.frame) + ")";
    if (sample.x >= Replay::kScreenWidth || sample.y >= Replay::kScreenHeight)
      return "pointer input off the screen (frame " + std::to_string(sample.frame) + ")";
    if ((sample.flags & ~kFlags) != 0 || sample.flags == kFlags)
      return "pointer input that cannot be (frame " + std::to_string(sample.frame) + ")";
  }
  return "";
}

std::string ResultProblem(const Replay& replay) {
  const ReplayResult& result = replay.result;
  if (result.score < 0 || result.score > kMaxScore || result.distance < 0 ||
      result.longestChain < 0)
    return "a result out of range";
  if (result.end != GameEnd::CutOff && result.end != GameEnd::Caught && result.end != GameEnd::Quit)
    return "an unknown end of game";
  if (result.playFrames > Replay::kMaxPlayFrames)
    return Quantity(result.playFrames, "play frames") + ", more than " +
           std::to_string(Replay::kMaxPlayFrames);
  if (result.playFrames != replay.PlayFramesOf())
    return "a result of " + Quantity(result.playFrames, "play frames") + " where its input has " +
           std::to_string(replay.PlayFramesOf());
  const bool endsPaused = !replay.pauses.empty() && replay.pauses.back().resume == replay.Frames();
  if (endsPaused && result.end != GameEnd::Quit) return "a game over under the pause menu";
  if (replay.checkpoints.size() != result.playFrames / Replay::kCheckpointFrames)
    return Quantity(replay.checkpoints.size(), "checkpoints") + " for " +
           Quantity(result.playFrames, "play frames");
  return "";
}

}  // namespace

uint32_t Replay::Frames() const {
  uint64_t frames = 0;
  for (const InputRun& run : input) frames += run.frames;
  return frames > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(frames);
}

uint32_t Replay::PlayFramesOf() const {
  // The frames from a pause's beginning up to its resume have no update.
  uint64_t paused = 0;
  for (const Pause& pause : pauses) paused += pause.resume - pause.begin;
  const uint32_t frames = Frames();
  return paused > frames ? 0 : frames - static_cast<uint32_t>(paused);
}

std::string ReplayProblem(const Replay& replay) {
  if (replay.gameVersion.size() > Replay::kMaxVersionBytes) return "a version too long";
  for (char c : replay.gameVersion)
    if (c < 0x21 || c > 0x7E) return "a version that is not printable";
  for (uint8_t counter : replay.holdFrames)
    if (counter > Replay::kMaxHoldFrames) return "a hold counter out of range";
  for (const std::string& problem :
       {InputProblem(replay), PauseProblem(replay), PointerProblem(replay)})
    if (!problem.empty()) return problem;
  return ResultProblem(replay);
}

std::vector<uint8_t> EncodeReplay(const Replay& replay) {
  Writer out;
  out.Bytes(kMagic, sizeof kMagic);
  out.Fixed(kFormat, 2);
  out.Fixed(0, 4);  // the length, filled in below
  WriteBody(replay, out);
  std::vector<uint8_t>& bytes = out.Result();
  const size_t length = bytes.size() + kChecksumBytes;
  for (int i = 0; i < 4; ++i)
    bytes[sizeof kMagic + 2 + i] = static_cast<uint8_t>(length >> (8 * i));
  const uint32_t crc = Crc32(bytes);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(crc >> (8 * i)));
  return std::move(bytes);
}

bool DecodeReplay(std::span<const uint8_t> bytes, Replay& replay, std::string& error) {
  replay = Replay{};
  if (bytes.empty() ||
      std::memcmp(bytes.data(), kMagic, std::min(bytes.size(), sizeof kMagic)) != 0) {
    error = "not a replay file";
    return false;
  }
  if (bytes.size() < kHeaderBytes) {
    error = "truncated: " + Quantity(bytes.size(), "bytes") + ", not even a header";
    return false;
  }
  Reader header(bytes.subspan(sizeof kMagic, 6));
  const auto format = static_cast<uint16_t>(header.Fixed(2));
  const uint64_t length = header.Fixed(4);
  if (format != kFormat) {
    error = "replay format " + std::to_string(format) + " is not one this version reads (" +
            std::to_string(kFormat) + ")" + (format > kFormat ? ": made by a newer version" : "");
    return false;
  }
  if (length > Replay::kMaxFileBytes || length < kHeaderBytes + kChecksumBytes) {
    error = "damaged: it claims " + Quantity(length, "bytes");
    return false;
  }
  if (bytes.size() < length) {
    error = "truncated: " + Quantity(bytes.size(), "bytes") + " of " + std::to_string(length);
    return false;
  }
  if (bytes.size() > length) {
    error = "damaged: " + Quantity(bytes.size() - length, "bytes") + " after its end";
    return false;
  }
  const auto body = bytes.subspan(0, length - kChecksumBytes);
  Reader tail(bytes.subspan(length - kChecksumBytes));
  if (Crc32(body) != tail.Fixed(4)) {
    error = "damaged: its checksum does not match";
    return false;
  }
  Reader in(body.subspan(kHeaderBytes));
  if (!ReadBody(in, replay)) {
    error = "damaged: its contents do not parse";
    replay = Replay{};
    return false;
  }
  if (const std::string problem = ReplayProblem(replay); !problem.empty()) {
    error = "impossible: " + problem;
    replay = Replay{};
    return false;
  }
  return true;
}

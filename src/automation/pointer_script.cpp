#include "automation/pointer_script.h"

#include <algorithm>
#include <charconv>

#include "automation/input_script.h"

namespace {

constexpr int kScriptScreenWidth = 800;
constexpr int kScriptScreenHeight = 600;

struct ActionName {
  std::string_view name;
  PointerAction action;
};
constexpr ActionName kActions[] = {{"Tap", PointerAction::Tap},
                                   {"Press", PointerAction::Press},
                                   {"Drag", PointerAction::Drag},
                                   {"Move", PointerAction::Move}};

std::string_view NameOf(PointerAction action) {
  for (const ActionName& a : kActions)
    if (a.action == action) return a.name;
  return {};
}

// The words of `text`, split at spaces and tabs.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while ((at = text.find_first_not_of(" \t", at)) != std::string_view::npos) {
    const size_t end = std::min(text.find_first_of(" \t", at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

bool ParseCoordinate(std::string_view text, int limit, int16_t& value) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  int parsed = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (ec != std::errc() || end != text.data() + text.size() || parsed >= limit) return false;
  value = static_cast<int16_t>(parsed);
  return true;
}

// "X,Y" on the screen; an empty result means success.
std::string ParsePoint(std::string_view text, int16_t& x, int16_t& y) {
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos ||
      !ParseCoordinate(text.substr(0, comma), kScriptScreenWidth, x) ||
      !ParseCoordinate(text.substr(comma + 1), kScriptScreenHeight, y)) {
    return "'" + std::string(text) + "' is not a point X,Y of the screen (0..799, 0..599)";
  }
  return {};
}

// How many points the action takes over a single frame or a range, 0 when it takes none.
size_t PointsWanted(PointerAction action, bool range) {
  switch (action) {
    case PointerAction::Tap: return range ? 0 : 1;
    case PointerAction::Press: return 1;
    case PointerAction::Drag: return range ? 2 : 0;
    case PointerAction::Move: return range ? 2 : 1;
  }
  return 0;
}

int16_t Between(int16_t from, int16_t to, uint32_t step, uint32_t steps) {
  if (steps == 0) return from;
  return static_cast<int16_t>(from + int64_t{to - from} * step / steps);
}

void WritePoint(std::ostream& out, int x, int y) { out << x << ',' << y; }

}  // namespace

bool IsPointerEntry(std::string_view words) {
  const std::vector<std::string_view> list = Words(words);
  if (list.empty()) return false;
  return std::any_of(std::begin(kActions), std::end(kActions),
                     [&](const ActionName& a) { return EqualsIgnoringCase(a.name, list[0]); });
}

std::string ParsePointerEntry(std::string_view words, uint32_t first, uint32_t last,
                              PointerEntry& entry) {
  const std::vector<std::string_view> list = Words(words);
  entry = PointerEntry{};
  entry.first = first;
  entry.last = last;
  for (const ActionName& a : kActions)
    if (!list.empty() && EqualsIgnoringCase(a.name, list[0])) entry.action = a.action;
  const std::string name(NameOf(entry.action));
  const size_t wanted = PointsWanted(entry.action, last > first);
  if (wanted == 0) {
    return entry.action == PointerAction::Tap ? "a tap is one frame: 'FRAME Tap X,Y'"
                                              : "a drag takes frames: 'FIRST-LAST Drag X,Y X,Y'";
  }
  if (list.size() != wanted + 1) {
    return "'" + name + "' over " + (last > first ? "a range" : "one frame") + " takes " +
           (wanted == 1 ? "one point X,Y" : "two points X,Y X,Y");
  }
  std::string error = ParsePoint(list[1], entry.x1, entry.y1);
  entry.x2 = entry.x1;
  entry.y2 = entry.y1;
  if (error.empty() && wanted == 2) error = ParsePoint(list[2], entry.x2, entry.y2);
  return error;
}

bool PointerTrack::Set(std::vector<PointerEntry> entries, std::string& error) {
  std::sort(entries.begin(), entries.end(),
            [](const PointerEntry& a, const PointerEntry& b) { return a.first < b.first; });
  for (size_t i = 1; i < entries.size(); ++i) {
    const PointerEntry& a = entries[i - 1];
    const PointerEntry& b = entries[i];
    if (b.first > a.last) continue;
    error = "line " + std::to_string(std::max(a.line, b.line)) +
            ": the pointer is in two places at once: the entry overlaps the one on line " +
            std::to_string(std::min(a.line, b.line));
    entries_.clear();
    return false;
  }
  entries_ = std::move(entries);
  return true;
}

const PointerEntry* PointerTrack::Covering(uint32_t frame, int16_t& x, int16_t& y) const {
  auto after = std::upper_bound(entries_.begin(), entries_.end(), frame,
                                [](uint32_t f, const PointerEntry& e) { return f < e.first; });
  if (after == entries_.begin()) {
    x = y = 0;
    return nullptr;
  }
  const PointerEntry& e = *std::prev(after);
  if (frame > e.last) {
    x = e.x2;
    y = e.y2;
    return nullptr;
  }
  x = Between(e.x1, e.x2, frame - e.first, e.last - e.first);
  y = Between(e.y1, e.y2, frame - e.first, e.last - e.first);
  return &e;
}

PointerFrame PointerTrack::At(uint32_t frame) const {
  PointerFrame pointer;
  const PointerEntry* entry = Covering(frame, pointer.x, pointer.y);
  if (entry && entry->action == PointerAction::Tap) pointer.flags |= PointerTapped;
  if (entry && (entry->action == PointerAction::Press || entry->action == PointerAction::Drag))
    pointer.flags |= PointerDown;
  int16_t lastX = 0, lastY = 0;
  if (frame > 1) Covering(frame - 1, lastX, lastY);
  if (pointer.x != lastX || pointer.y != lastY) pointer.flags |= PointerMoved;
  return pointer;
}

void PointerRecorder::Record(uint32_t frame, const PointerFrame& pointer) {
  if (frame <= lastFrame_) return;
  const bool moved = pointer.x != lastX_ || pointer.y != lastY_;
  const PointerAction action = pointer.Tapped() ? PointerAction::Tap
                               : pointer.Down() ? PointerAction::Press
                                                : PointerAction::Move;
  const int32_t stepX = pointer.x - lastX_, stepY = pointer.y - lastY_;
  // A run of presses or drags, or of moves, goes on while its position changes evenly.
  const bool sameKind = action != PointerAction::Tap &&
                        (action == PointerAction::Move) == (run_.action == PointerAction::Move);
  const bool continues = open_ && sameKind && frame == run_.last + 1 &&
                         (run_.first == run_.last || (stepX == stepX_ && stepY == stepY_)) &&
                         (action != PointerAction::Move || moved);
  if (continues) {
    stepX_ = stepX;
    stepY_ = stepY;
    run_.last = frame;
    run_.x2 = pointer.x;
    run_.y2 = pointer.y;
    if (action != PointerAction::Move && (stepX != 0 || stepY != 0))
      run_.action = PointerAction::Drag;
  } else {
    WriteRun();
    open_ = action != PointerAction::Move || moved;
    run_ = PointerEntry{frame, frame, action, pointer.x, pointer.y, pointer.x, pointer.y};
    if (action == PointerAction::Tap) WriteRun();
  }
  lastFrame_ = frame;
  lastX_ = pointer.x;
  lastY_ = pointer.y;
}

void PointerRecorder::Finish() { WriteRun(); }

void PointerRecorder::WriteRun() {
  if (!open_) return;
  open_ = false;
  out_ << run_.first;
  if (run_.last != run_.first) out_ << '-' << run_.last;
  out_ << ' ' << NameOf(run_.action) << ' ';
  WritePoint(out_, run_.x1, run_.y1);
  const bool twoPoints = run_.action == PointerAction::Drag ||
                         (run_.action == PointerAction::Move && run_.last != run_.first);
  if (twoPoints) {
    out_ << ' ';
    WritePoint(out_, run_.x2, run_.y2);
  }
  out_ << '\n';
  out_.flush();
}

PointerFrame RecordingPointer::Poll() {
  const PointerFrame pointer = inner_->Poll();
  recorder_.Record(counter_.Current(), pointer);
  return pointer;
}

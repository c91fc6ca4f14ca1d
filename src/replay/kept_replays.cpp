#include "replay/kept_replays.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

namespace {

bool HasExtension(const std::string& name) {
  const std::string extension = KeptReplays::kExtension;
  return name.size() > extension.size() && name.ends_with(extension);
}

int32_t ScoreOf(const std::optional<Replay>& replay) { return replay ? replay->result.score : -1; }

}  // namespace

KeptReplays::KeptReplays(FileAccess& files, std::string folder, Report report)
    : files_(files), folder_(std::move(folder)), report_(std::move(report)) {}

KeptReplays::~KeptReplays() { FinishKeeping(); }

std::string KeptReplays::PathOf(const std::string& name) const {
  return folder_.ends_with(files_.Separator()) ? folder_ + name
                                               : folder_ + files_.Separator() + name;
}

void KeptReplays::StartKeeping(const Replay& replay, const std::string& name) {
  FinishKeeping();
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  Keep(replay, name);
#else
  try {
    writing_ = std::thread([this, replay, name] { Keep(replay, name); });
  } catch (const std::system_error&) {  // no thread to be had: the frame waits after all
    Keep(replay, name);
  }
#endif
}

void KeptReplays::FinishKeeping() {
  if (writing_.joinable()) writing_.join();
}

void KeptReplays::Keep(const Replay& replay, const std::string& name) {
  if (const std::error_code error = files_.MakeFolders(folder_)) {
    report_("cannot keep the replay: cannot create the folder " + folder_ + ": " + error.message());
    return;
  }
  // Two games may end within the same second.
  std::string file = name + kExtension;
  std::error_code kindError;
  for (int n = 2; files_.Kind(PathOf(file), kindError) != FileKind::Missing && n < 100; ++n)
    file = name + "-" + std::to_string(n) + kExtension;
  if (const std::error_code error = files_.Replace(PathOf(file), EncodeReplay(replay))) {
    report_("cannot keep the replay " + PathOf(file) + ": " + error.message());
    return;
  }
  Prune(ReadFolder(true));
}

std::vector<KeptReplays::Entry> KeptReplays::ReadFolder(bool withReplays) {
  std::vector<std::string> names;
  if (const std::error_code error = files_.List(folder_, names)) {
    report_("cannot list the replays in " + folder_ + ": " + error.message());
    return {};
  }
  std::vector<Entry> entries;
  for (const std::string& name : names) {
    if (!HasExtension(name)) continue;
    std::vector<uint8_t> bytes;
    if (files_.Read(PathOf(name), Replay::kMaxFileBytes + 1, bytes)) continue;
    Entry entry{name, bytes.size(), std::nullopt};
    Replay replay;
    std::string error;
    if (withReplays && DecodeReplay(bytes, replay, error)) entry.replay = std::move(replay);
    entries.push_back(std::move(entry));
  }
  // The names begin with the time of the game: in name order, oldest first.
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

void KeptReplays::Prune(std::vector<Entry> entries) {
  const size_t count = entries.size();
  std::vector<bool> kept(count, false), best(count, false);
  for (size_t i = count > kLast ? count - kLast : 0; i < count; ++i) kept[i] = true;
  std::vector<size_t> byScore(count);
  for (size_t i = 0; i < count; ++i) byScore[i] = i;
  // The first to reach a score keeps its place.
  std::stable_sort(byScore.begin(), byScore.end(), [&](size_t a, size_t b) {
    return ScoreOf(entries[a].replay) > ScoreOf(entries[b].replay);
  });
  for (size_t k = 0; k < std::min(kBest, count); ++k) {
    if (!entries[byScore[k]].replay) break;
    kept[byScore[k]] = best[byScore[k]] = true;
  }
  uint64_t bytes = 0;
  for (size_t i = 0; i < count; ++i) bytes += kept[i] ? entries[i].bytes : 0;
  // Over the limit, the oldest of the last go first, then the lowest of the best; never the
  // newest, which was just played.
  std::vector<size_t> order;
  for (size_t i = 0; i < count; ++i)
    if (kept[i] && !best[i]) order.push_back(i);
  for (auto k = std::min(kBest, count); k-- > 0;)
    if (best[byScore[k]]) order.push_back(byScore[k]);
  for (size_t i : order) {
    if (bytes <= kMaxFolderBytes) break;
    if (i + 1 == count) continue;
    kept[i] = false;
    bytes -= entries[i].bytes;
  }
  for (size_t i = 0; i < count; ++i) {
    if (kept[i]) continue;
    if (const std::error_code error = files_.Remove(PathOf(entries[i].name)))
      report_("cannot delete the old replay " + PathOf(entries[i].name) + ": " + error.message());
  }
}

std::optional<Replay> KeptReplays::Best(const std::string& version) {
  FinishKeeping();
  std::optional<Replay> best;
  for (Entry& entry : ReadFolder(true)) {
    if (!entry.replay || entry.replay->gameVersion != version) continue;
    if (!best || entry.replay->result.score > best->result.score) best = std::move(entry.replay);
  }
  return best;
}

std::vector<KeptReplays::Entry> KeptReplays::List() {
  FinishKeeping();
  std::vector<Entry> entries = ReadFolder(true);
  std::reverse(entries.begin(), entries.end());
  return entries;
}

std::string ReplayNameAt(int64_t unixSeconds) {
  using namespace std::chrono;
  const sys_seconds time{seconds{unixSeconds}};
  const sys_days day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss clock{time - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

std::optional<int64_t> ReplayTimeOfName(const std::string& name) {
  using namespace std::chrono;
  constexpr size_t kLength = 15;  // "YYYYMMDD-HHMMSS"
  if (name.size() < kLength || name[8] != '-') return std::nullopt;
  int digits[kLength] = {};
  for (size_t i = 0; i < kLength; ++i) {
    if (i == 8) continue;
    if (name[i] < '0' || name[i] > '9') return std::nullopt;
    digits[i] = name[i] - '0';
  }
  const auto number = [&](size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) value = value * 10 + digits[i];
    return value;
  };
  const year_month_day date{year{number(0, 4)}, month{static_cast<unsigned>(number(4, 2))},
                            day{static_cast<unsigned>(number(6, 2))}};
  const int hours = number(9, 2), minutes = number(11, 2), secs = number(13, 2);
  if (!date.ok() || hours > 23 || minutes > 59 || secs > 59) return std::nullopt;
  const sys_seconds time = sys_days{date} + hours * 1h + minutes * 1min + secs * 1s;
  return time.time_since_epoch().count();
}

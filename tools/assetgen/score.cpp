#include "score.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

#include "synth.h"

namespace {

struct SynthDeleter {
  void operator()(fluid_synth_t* p) const { delete_fluid_synth(p); }
  void operator()(fluid_settings_t* p) const { delete_fluid_settings(p); }
};

void Quiet(int, const char*, void*) {}

std::unique_ptr<fluid_settings_t, SynthDeleter> MakeSettings(int rate) {
  std::unique_ptr<fluid_settings_t, SynthDeleter> settings(new_fluid_settings());
  fluid_settings_setnum(settings.get(), "synth.sample-rate", rate);
  fluid_settings_setint(settings.get(), "synth.chorus.active", 0);
  fluid_settings_setint(settings.get(), "synth.reverb.active", 1);
  fluid_settings_setint(settings.get(), "synth.cpu-cores", 1);
  fluid_settings_setint(settings.get(), "synth.polyphony", 256);
  fluid_settings_setnum(settings.get(), "synth.gain", 0.4);
  return settings;
}

struct Event {
  size_t frame;
  bool on;
  int channel, key, velocity;
};

std::vector<Event> Schedule(const Score& score, int rate) {
  std::vector<Event> events;
  const double framesPerBeat = score.secondsPerBeat * rate;
  for (const NoteEvent& n : score.notes) {
    const auto on = static_cast<size_t>(std::llround(n.beat * framesPerBeat));
    const auto off = static_cast<size_t>(std::llround((n.beat + n.length) * framesPerBeat));
    events.push_back({on, true, n.channel, n.key, n.velocity});
    events.push_back({std::max(off, on + 1), false, n.channel, n.key, 0});
  }
  // Note-offs before note-ons at the same frame, so a repeated key restarts cleanly.
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.frame != b.frame ? a.frame < b.frame : (!a.on && b.on);
  });
  return events;
}

void Render(fluid_synth_t* synth, Stereo& out, size_t from, size_t to) {
  while (from < to) {
    const int chunk = static_cast<int>(std::min<size_t>(to - from, 4096));
    fluid_synth_write_float(synth, chunk, out.left.data() + from, 0, 1, out.right.data() + from, 0,
                            1);
    from += chunk;
  }
}

}  // namespace

int ParseKey(std::string_view name) {
  static constexpr int kLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
    throw std::invalid_argument(std::string(name));
  int key = kLetter[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#')
    ++key, ++i;
  else if (name[i] == 'b')
    --key, ++i;
  if (i + 1 != name.size() || name[i] < '0' || name[i] > '9')
    throw std::invalid_argument(std::string(name));
  return key + 12 * (name[i] - '0' + 1);
}

void Score::AddNote(int channel, double beat, double length, int key, int velocity) {
  notes.push_back({beat, length, channel, key, velocity});
}

double Score::AddLine(int channel, double beat, std::string_view text, int velocity, double gate) {
  size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == ' ') {
      ++pos;
      continue;
    }
    const size_t end = std::min(text.find(' ', pos), text.size());
    const std::string_view token = text.substr(pos, end - pos);
    pos = end;
    const size_t colon = token.find(':');
    if (colon == std::string_view::npos) throw std::invalid_argument(std::string(token));
    const double length = std::stod(std::string(token.substr(colon + 1)));
    std::string_view keys = token.substr(0, colon);
    if (keys != "r") {
      while (!keys.empty()) {
        const size_t plus = std::min(keys.find('+'), keys.size());
        AddNote(channel, beat, length * gate, ParseKey(keys.substr(0, plus)), velocity);
        keys.remove_prefix(std::min(plus + 1, keys.size()));
      }
    }
    beat += length;
  }
  return beat;
}

namespace {

// Plays the score from silence for `total` frames.
Stereo Play(const Score& score, int rate, size_t total) {
  fluid_set_log_function(FLUID_WARN, Quiet, nullptr);
  fluid_set_log_function(FLUID_INFO, Quiet, nullptr);
  auto settings = MakeSettings(rate);
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
  if (!synth || fluid_synth_sfload(synth.get(), MORAVIN_SOUNDFONT, 1) == FLUID_FAILED)
    throw std::runtime_error("cannot load the sound font " MORAVIN_SOUNDFONT);
  fluid_synth_set_reverb_group_roomsize(synth.get(), -1, 0.45);
  fluid_synth_set_reverb_group_damp(synth.get(), -1, 0.4);
  fluid_synth_set_reverb_group_width(synth.get(), -1, 0.8);
  fluid_synth_set_reverb_group_level(synth.get(), -1, 0.7);
  for (const Instrument& in : score.instruments) {
    if (in.channel != kDrumChannel) fluid_synth_program_change(synth.get(), in.channel, in.program);
    fluid_synth_cc(synth.get(), in.channel, 7, in.volume);
    fluid_synth_cc(synth.get(), in.channel, 10, in.pan);
    fluid_synth_cc(synth.get(), in.channel, 91, in.reverb);
    fluid_synth_cc(synth.get(), in.channel, 93, 0);  // no chorus send
  }

  Stereo played(rate, total);
  size_t position = 0;
  for (const Event& e : Schedule(score, rate)) {
    if (e.frame >= total) break;
    Render(synth.get(), played, position, e.frame);
    position = e.frame;
    if (e.on)
      fluid_synth_noteon(synth.get(), e.channel, e.key, e.velocity);
    else
      fluid_synth_noteoff(synth.get(), e.channel, e.key);
  }
  Render(synth.get(), played, position, total);
  return played;
}

}  // namespace

Stereo PerformLoop(const Score& score, int rate, size_t frames, double tailSeconds) {
  const size_t total = frames + static_cast<size_t>(tailSeconds * rate);
  Stereo played = Play(score, rate, total);
  // Whatever still rings at the very end of the tail (a faint reverb) is faded out, so that
  // cutting it leaves no step inside the loop.
  FadeOutEnd(played, 0.5);
  Stereo out(rate, frames);
  for (size_t i = 0; i < total; ++i) {
    out.left[i % frames] += played.left[i];
    out.right[i % frames] += played.right[i];
  }
  return out;
}

Stereo PerformOnce(const Score& score, int rate, size_t frames, double fadeSeconds) {
  Stereo out = Play(score, rate, frames);
  FadeOutEnd(out, fadeSeconds);
  return out;
}

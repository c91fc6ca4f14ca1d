#include "automation/automation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "automation/read_file.h"
#include "system/png_writer.h"
#include "system/printable.h"
#include "system/process_memory.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// Frames of statistics room is taken for when the run has no frame limit: an hour at 50 frames
// per second. Longer runs grow the room, once an hour.
constexpr size_t kStatsFramesReserved = 50 * 60 * 60;

// An input script is a few kilobytes; anything near this is not one, and reading it whole
// (/dev/zero never ends) would only fill the memory.
constexpr uintmax_t kMaxScriptBytes = 16 * 1024 * 1024;
// Everything from the real platform, with the keyboard (and controller) automation chooses.
class AutomationPlatform : public IPlatform {
 public:
  AutomationPlatform(IPlatform& real, Automation& automation)
      : real_(real), automation_(automation) {}

  IClock& Clock() override { return real_.Clock(); }
  std::unique_ptr<IWindow> CreateWindow(const WindowDesc& desc) override {
    std::unique_ptr<IWindow> window = real_.CreateWindow(desc);
    automation_.SetWindow(window.get());
    return window;
  }
  std::unique_ptr<IAudioDevice> OpenAudio() override { return automation_.MakeAudio(real_); }
  std::unique_ptr<IKeyboardDevice> OpenKeyboard() override {
    return automation_.MakeKeyboard(real_);
  }
  // A scripted run reads no controller, so a pad lying on the desk cannot change it.
  std::unique_ptr<IJoystickDevice> OpenJoystick() override {
    return automation_.Scripted() ? nullptr : real_.OpenJoystick();
  }
  std::unique_ptr<IPointerDevice> OpenPointer() override { return automation_.MakePointer(real_); }
  std::string KeyName(uint16_t scancode) override { return real_.KeyName(scancode); }
  int AddControllerMappings(const std::string& path) override {
    return real_.AddControllerMappings(path);
  }

 private:
  IPlatform& real_;
  Automation& automation_;
};

}  // namespace

bool Automation::Start(Options& options, std::string& error) {
  frameLimit_ = options.frameLimit;
  screenshots_ = options.screenshots;
  if (options.headless) audioClock_ = std::make_shared<FrameAudioClock>();
  if (options.autoplay)
    autoplayer_ = std::make_unique<Autoplayer>(
        Autoplayer::Settings{options.games, options.menuTours}, stderr);
  return (options.inputPath.empty() || LoadScript(options.inputPath, error)) &&
         (options.recordPath.empty() || StartRecording(options, error)) &&
         (options.tracePath.empty() || StartTrace(options.tracePath, error)) &&
         (options.statsPath.empty() || StartStats(options, error));
}

bool Automation::LoadScript(const std::string& path, std::string& error) {
  std::string text;
  if (!ReadWholeFile(path, kMaxScriptBytes, "an input file", text, error)) return false;
  if (!InputScript::Parse(text, script_, error)) {
    error = path + ", " + error;
    return false;
  }
  scripted_ = true;
  return true;
}

bool Automation::StartRecording(Options& options, std::string& error) {
  recordFile_.open(options.recordPath, std::ios::binary | std::ios::trunc);
  if (!recordFile_) {
    error = "cannot create " + options.recordPath + ": " + std::strerror(errno);
    return false;
  }
  // A recording replays the same game only with the same seed: fix one and write it down.
  if (!options.run.seedGiven) {
    options.run.seedGiven = true;
    options.run.seed = std::random_device{}();
  }
  recordFile_ << "# input recorded by moravin; replay with: moravin --seed " << options.run.seed
              << " --input " << options.recordPath << "\n";
  recorder_ = std::make_unique<InputRecorder>(recordFile_);
  pointerRecorder_ = std::make_unique<PointerRecorder>(recordFile_);
  return true;
}

bool Automation::StartTrace(const std::string& path, std::string& error) {
  if (!trace_.Open(path)) {
    error = "cannot create " + path + ": " + std::strerror(errno);
    return false;
  }
  tracing_ = true;
  return true;
}

bool Automation::StartStats(const Options& options, std::string& error) {
  statsFile_.open(options.statsPath, std::ios::binary | std::ios::trunc);
  if (!statsFile_) {
    error = "cannot create " + options.statsPath + ": " + std::strerror(errno);
    return false;
  }
  statsPath_ = options.statsPath;
  stats_.Reserve(options.frameLimit ? options.frameLimit : kStatsFramesReserved);
  timing_ = true;
  return true;
}

std::unique_ptr<IPlatform> Automation::WrapPlatform(IPlatform& real) {
  return std::make_unique<AutomationPlatform>(real, *this);
}

std::unique_ptr<IKeyboardDevice> Automation::MakeKeyboard(IPlatform& real) {
  std::unique_ptr<IKeyboardDevice> keyboard =
      scripted_ ? std::make_unique<ScriptedKeyboard>(script_, counter_) : real.OpenKeyboard();
  if (autoplayer_) keyboard = std::make_unique<AutoplayKeyboard>(std::move(keyboard), *autoplayer_);
  if (recorder_ && keyboard)
    keyboard = std::make_unique<RecordingKeyboard>(std::move(keyboard), *recorder_, counter_);
  return keyboard;
}

std::unique_ptr<IPointerDevice> Automation::MakePointer(IPlatform& real) {
  std::unique_ptr<IPointerDevice> pointer =
      scripted_ ? std::make_unique<ScriptedPointer>(script_.Pointer(), counter_)
                : real.OpenPointer();
  if (pointerRecorder_)
    pointer = std::make_unique<RecordingPointer>(std::move(pointer), *pointerRecorder_, counter_);
  return pointer;
}

std::unique_ptr<IAudioDevice> Automation::MakeAudio(IPlatform& real) {
  if (audioClock_) return std::make_unique<FrameAudioDevice>(audioClock_);
  return real.OpenAudio();
}

void Automation::AfterFrame(uint32_t frame) {
  counter_.framesDone = frame;
  if (tracing_) trace_.WriteFrame(frame);
  TakeScreenshots(frame);
  if (audioClock_) audioClock_->AdvanceFrame();
  const bool gamesDone = autoplayer_ && autoplayer_->AfterFrame();
  if ((frame == frameLimit_ || gamesDone) && window_) window_->PostClose();
}

void Automation::FrameTimed(uint32_t frame, const FrameTimes& times) {
  if (!timing_) return;
  if (frame == 1 && window_ && window_->Device()) renderer_ = window_->Device()->Describe();
  stats_.Add(frame, CurrentSceneName(), times);
}

void Automation::TakeScreenshots(uint32_t frame) {
  for (const ScreenshotRequest& request : screenshots_) {
    if (request.frame != frame) continue;
    IRenderDevice* device = window_ ? window_->Device() : nullptr;
    std::string error;
    if (!device || !device->ReadPixels(pixels_)) {
      error = "the screen cannot be read";
    } else {
      WritePng(request.path, kScreenWidth, kScreenHeight, pixels_, error);
    }
    if (!error.empty())
      std::fprintf(stderr, "moravin: screenshot of frame %u: %s\n", frame, error.c_str());
  }
}

void Automation::Finish() {
  if (timing_) FinishStats();
  if (!recorder_) return;
  recorder_->Finish();
  pointerRecorder_->Finish();
  recordFile_ << "# " << counter_.framesDone << " frames ran; add --frames " << counter_.framesDone
              << " to end the replay on the same frame\n";
  recordFile_.flush();
}

void Automation::FinishStats() {
  const StatsSummary summary = stats_.Summarise();
  const StatsContext context{renderer_, PeakResidentKb()};
  statsFile_ << StatsJson(summary, context);
  statsFile_.flush();
  if (!statsFile_)
    std::fprintf(stderr, "moravin: cannot write %s: %s\n", Printable(statsPath_).c_str(),
                 std::strerror(errno));
  std::fputs(StatsTable(summary, context).c_str(), stderr);
}

// Ties the automation options to a run: the scripted, autoplayed or recorded keyboard and
// pointer handed to the game, the frame count, the trace, the screenshots and the frame or game
// limit.
#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/run_settings.h"
#include "automation/autoplayer.h"
#include "automation/frame_audio.h"
#include "automation/frame_stats.h"
#include "automation/input_script.h"
#include "automation/options.h"
#include "automation/trace.h"
#include "system/platform.h"

class Automation : public IFrameObserver {
 public:
  // Reads the input script and creates the record and trace files, before the game starts.
  // False, with a message naming the file, when one cannot be read or written or the script
  // is malformed. A recording without --seed gets a seed fixed here, so that it can be replayed.
  bool Start(Options& options, std::string& error);

  // The platform the game should use: `real`, except that the keyboard and the pointer are the
  // scripted ones (and no controller is read) when a script is given, and are recorded when
  // asked; a headless run's sounds are timed by its frames.
  std::unique_ptr<IPlatform> WrapPlatform(IPlatform& real);

  void AfterFrame(uint32_t frame) override;
  void FrameTimed(uint32_t frame, const FrameTimes& times) override;

  // Writes what the recorder still holds and the frame statistics. Call after the game loop
  // has ended.
  void Finish();

  // Used by the platform wrapper: the window the game created, the devices it opens.
  void SetWindow(IWindow* window) { window_ = window; }
  std::unique_ptr<IKeyboardDevice> MakeKeyboard(IPlatform& real);
  std::unique_ptr<IPointerDevice> MakePointer(IPlatform& real);
  std::unique_ptr<IAudioDevice> MakeAudio(IPlatform& real);
  bool Scripted() const { return scripted_; }

 private:
  bool LoadScript(const std::string& path, std::string& error);
  bool StartRecording(Options& options, std::string& error);
  bool StartTrace(const std::string& path, std::string& error);
  bool StartStats(const Options& options, std::string& error);
  void FinishStats();
  void TakeScreenshots(uint32_t frame);

  uint32_t frameLimit_ = 0;
  FrameCounter counter_;
  bool scripted_ = false;
  InputScript script_;
  std::ofstream recordFile_;
  std::unique_ptr<InputRecorder> recorder_;
  std::unique_ptr<PointerRecorder> pointerRecorder_;
  bool tracing_ = false;
  TraceFile trace_;
  bool timing_ = false;
  std::ofstream statsFile_;
  std::string statsPath_;
  FrameStats stats_;
  RendererDescription renderer_;  // the renderer of the first timed frame
  std::vector<ScreenshotRequest> screenshots_;
  std::vector<uint32_t> pixels_;
  IWindow* window_ = nullptr;
  std::shared_ptr<FrameAudioClock> audioClock_;  // set in headless runs
  std::unique_ptr<Autoplayer> autoplayer_;       // set with --autoplay
};

// The reusable shell under the game: window, render device, fonts, frame pacing and the one
// loop of the program. The game fills in the hooks.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/run_settings.h"
#include "app/time.h"
#include "media/font.h"
#include "system/window.h"

class CDirect3DApp {
 public:
  CDirect3DApp();
  virtual ~CDirect3DApp();
  CDirect3DApp(const CDirect3DApp&) = delete;
  CDirect3DApp& operator=(const CDirect3DApp&) = delete;

  // Configures the game, creates the window and its device and the six fonts. False (after a
  // message for window or device failures) when the program cannot start.
  bool Create();
  // The loop; returns the exit code.
  int Run();
  // The loop for hosts that call it back once per display refresh rather than let it block
  // (a browser): one pass takes the pending events and runs a frame when one is due. The first
  // pass starts the run and the last one ends it, as Run does; false once the loop has ended,
  // with the exit code in ExitCode().
  bool RunPass();
  int ExitCode() const { return exitCode_; }
  // Switches between a window and full screen, releasing and reloading device objects.
  bool SetWindowed(bool windowed);
  // Presents the frame; a lost device is reset here. False when the reset failed.
  bool PresentFrame();

  // The hooks, in the order the shell knows them.
  virtual bool Configure() { return true; }
  virtual void Shutdown() {}
  virtual bool AcquireDeviceObjects(bool afterReset) { return true; }
  virtual void ReleaseDeviceObjects(bool forReset) {}
  virtual bool Tick() { return true; }
  virtual bool Render() { return true; }
  // Work that can be done ahead of need (decoding what a coming scene will use). Called once a
  // frame has been drawn, only in a frame that has so far been short; each call should do one
  // short piece of work.
  virtual void WorkAhead() {}
  // Whether the next frame may run. While it may not (the game waits for resources still on
  // their way), the loop runs no frame and takes events only.
  virtual bool ReadyForFrame() { return true; }
  // First look at every window event; false swallows it.
  virtual bool HandleMessage(const WindowEvent& event) { return true; }

  const char* title = "Direct3D Application";  // Shift-JIS
  // What the message boxes say, with the title as their caption, when the window or its render
  // device cannot be created (Shift-JIS).
  const char* windowFailedText = "The window could not be created.";
  const char* deviceFailedText = "The render device could not be created.";
  CTime time;
  std::unique_ptr<IWindow> window;
  IRenderDevice* device = nullptr;  // the window's; null when there is none
  uint32_t width = 640;
  uint32_t height = 480;
  uint32_t refreshRate = 60;
  uint32_t wantedFormat = 21;  // A8R8G8B8
  bool windowed = true;
  DisplayMode fullScreenMode;  // chosen by ChooseDisplayMode
  DisplayMode desktopMode;
  CFont* fonts[6] = {};
  Typeface typeface = Typeface::Japanese;  // the face the six fonts are made in
  uint32_t clearColor = 0;
  std::vector<uint32_t> icon;  // iconSize x iconSize ARGB pixels, or empty
  int iconSize = 0;
  IFrameObserver* frameObserver = nullptr;  // told after every presented frame
  bool timeFrames = false;                  // hand the observer every frame's FrameTimes
  uint32_t framesRun = 0;
  int exitCode = 0;  // what Run returns; the game may set it up to its Shutdown

 private:
  DisplayMode WantedMode() const;
  bool InitDirect3D();
  bool ChooseDisplayMode();
  bool SetupDeviceState();
  void DeleteFonts();
  void ReleaseDirect3D();
  // Runs a window event through the hook and the shell; true when the loop must end.
  bool Dispatch(const WindowEvent& event);
  // Start and end of the loop, shared by Run and RunPass.
  bool BeginRun();
  int EndRun();
  // One frame; `wait` holds it to the frame rate (Run), a display-driven pass has waited.
  void RunFrame(bool wait);
  // The high-resolution clock when frames are timed, else 0 without reading it.
  uint64_t Stamp();
  // WorkAhead, when the frame that began at `begunUs` has time to spare.
  void WorkAheadIfShort(uint64_t begunUs);
  // The release, renderer reset, set-up and reload sequence after a loss or a mode switch.
  bool ResetDevice(bool switchMode);

  std::unique_ptr<CFont> fontObjects_[6];
  enum class PassState { NotStarted, Running, Ended } passState_ = PassState::NotStarted;
  int exitCode_ = 0;
};

// The one application object, set while it runs (between a successful Create and the end of Run).
extern CDirect3DApp* g_app;
// Whether the application is active; no frames run while it is not.
extern bool g_appActive;

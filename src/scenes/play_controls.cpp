#include "scenes/play_controls.h"

namespace {

// Where the controls are cut from the pointer sheet.
constexpr ScreenRect kPlateSource{0, 392, 388, 88};
constexpr ScreenRect kSpeedHeldSource{400, 398, 182, 76};
constexpr ScreenRect kPauseHeldSource{600, 398, 182, 76};
constexpr int32_t kPlateX = 265;  // the plate covers the top bar between score and distance

void DrawCut(CSprite& sheet, const ScreenRect& source, int32_t x, int32_t y) {
  SetSpriteRect(sheet, source.x, source.y, source.w, source.h);
  DrawSprite(g_device, sheet, x, y, 0.0f, 0, 0, 0.0f);
}

}  // namespace

void CPlayControls::Draw(const CPlayPointer& pointer) {
  if (!shown || !sheet_.texture) return;
  DrawCut(sheet_, kPlateSource, kPlateX, 0);
  const ScreenRect& speed = CPlayPointer::kSpeedButton;
  const ScreenRect& pause = CPlayPointer::kPauseButton;
  if (pointer.SpeedHeld()) DrawCut(sheet_, kSpeedHeldSource, speed.x, speed.y);
  if (pointer.PauseHeld()) DrawCut(sheet_, kPauseHeldSource, pause.x, pause.y);
}

bool CPlayControls::LoadResources() { return LoadSpriteImage(kSheetBitmap, sheet_); }

void CPlayControls::ReleaseResources() { ReleaseSpriteImage(sheet_); }

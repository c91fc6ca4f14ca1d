// The reading scenes (rule and info): one long marked-up text in a scrolling message window on
// a decorated panel, with bobbing arrows that show whether more text lies above or below.
#pragma once

#include <cstdint>
#include <span>

#include "media/sound.h"
#include "media/sprite.h"
#include "motion/motion_sprite.h"
#include "scenes/menu_pointer.h"
#include "scenes/menu_scene.h"
#include "scenes/message_window.h"
#include "scenes/scene.h"

class CReadingScene : public CScene {
 public:
  // Frees the window when the scene is dropped without ReleaseResources; the derived scenes
  // free their sprites.
  ~CReadingScene() override;
  void Input(const CInput& input) override;
  bool Update() override;
  void Draw(CFont* const* fonts) override;
  bool LoadResources(bool deviceReset) override;
  void ReleaseResources(bool deviceReset) override;

  CSound sounds[2];  // cursor (loaded, not played), decide
  CMessageWindow* window = nullptr;
  bool decideRequest = false;  // never set: Confirm does nothing here
  bool upRequest = false;
  bool downRequest = false;
  bool cancelRequest = false;
  // The derived scene's images, the bitmaps they load, and its sprites.
  std::span<CSprite> images;
  std::span<const int> imageIds;
  std::span<MotionSprite*> sprites;
  CKeyHelp keyHelp;

 protected:
  CReadingScene(SceneId scene, std::span<CSprite> images, std::span<const int> imageIds,
                std::span<MotionSprite*> sprites);

  // Creates the panel, caption, arrows and bar, and the window showing the text.
  void CreateReadingScreen(const MotionSpriteDef& caption, const char* text);
  // The sprites the window places at its "$N" lines; none by default.
  virtual std::span<MotionSprite* const> Pictures() const { return {}; }

 private:
  SceneId scene;  // its own id, which names it in the captions of its failures
  int32_t VisibleLines() const { return window->height / window->lineHeight; }
  int32_t LastFirstLine() const { return window->lineCount - VisibleLines() - 1; }
  void Scroll();
  // A drag moves the text with the finger, one line a frame like a held key.
  void FollowDrag(const PointerState& pointer);

  int32_t dragFirstLine_ = 0;  // the first line shown when the drag began
};

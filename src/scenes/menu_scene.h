// Pieces shared by the menu scenes (title, option, rule, info, CG room, music room): motion
// sprites built from a table, the loading and release of images and sounds with the scenes'
// error messages, and the full-screen background.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "media/font.h"
#include "media/sound.h"
#include "media/sprite.h"
#include "motion/motion_sprite.h"
#include "scenes/key_help.h"
#include "scenes/menu_pointer.h"
#include "scenes/scene.h"
#include "system/resource_ids.h"

// One row of a scene's sprite table: image index, source rectangle, pivot and first script.
struct MotionSpriteDef {
  int32_t image;
  int32_t x, y, width, height;
  int32_t pivotX, pivotY;
  const char* script;  // null: the caller assigns the scripts
};

// Allocates and initialises a sprite, stores the two parameters its script may read, then
// assigns the script.
MotionSprite* NewMotionSprite(const MotionSpriteDef& def, float param0 = 0.0f, float param1 = 0.0f);
void ReleaseMotionSprites(std::span<MotionSprite*> sprites);
void StepMotionSprites(std::span<MotionSprite* const> sprites);

// Gives the selected sprite of a list one script and every other sprite another.
void Highlight(std::span<MotionSprite* const> items, int selected, const char* selectedScript,
               const char* otherScript);

// Loads every image (going on after a failure) and reports failures with one message box,
// captioned with the scene.
bool LoadMenuImages(std::span<CSprite> images, std::span<const int> ids, SceneId scene);

struct SoundLoad {
  int id;
  bool music;  // looping, at the music volume; effects play once at the effect volume
};
// The two sounds of every menu: the cursor moving and an item chosen.
constexpr SoundLoad kMenuSounds[2] = {{kWaveCursor, false}, {kWaveDecide, false}};
// Loads every sound at its volume from the save data, reporting failures with one message box.
bool LoadMenuSounds(std::span<CSound> sounds, std::span<const SoundLoad> loads, SceneId scene);

// Both of the above; false when anything failed.
bool LoadMenuResources(std::span<CSprite> images, std::span<const int> ids,
                       std::span<CSound> sounds, std::span<const SoundLoad> loads, SceneId scene);
void ReleaseMenuResources(std::span<CSprite> images, std::span<CSound> sounds);

// The scene's full-screen picture behind everything else.
void DrawBackground(CSprite& image);
// A box of one colour (ARGB) on the screen.
void FillRect(const ScreenRect& rect, uint32_t argb);
// Text (Shift-JIS) that must fit a width, cut down to what fits, a whole character at a time.
std::string Fitted(CFont* font, std::string text, int32_t width);

// The shape shared by the option scene and the two rooms: a background, motion sprites over it,
// and four images and a few sounds loaded from fixed tables.
template <int SoundCount, int SpriteCount>
class CSpriteMenuScene : public CScene {
 public:
  static constexpr int kSpriteCount = SpriteCount;

  // Frees the sprites when the scene is dropped without ReleaseResources.
  ~CSpriteMenuScene() override { ReleaseMotionSprites(sprites); }
  void Draw(CFont* const* fonts) override {
    DrawBackground(images[0]);
    DrawMotionSprites(sprites, images, SpriteCount);
    keyHelp.Draw(bar, fonts);
  }
  bool LoadResources(bool deviceReset) override {
    const bool helpLoaded = keyHelp.LoadResources(scene);
    return LoadMenuResources(images, imageIds, sounds, soundLoads, scene) && helpLoaded;
  }
  void ReleaseResources(bool deviceReset) override {
    if (!deviceReset) ReleaseMotionSprites(sprites);
    ReleaseMenuResources(images, sounds);
    keyHelp.ReleaseResources();
  }

  CSound sounds[SoundCount];
  CSprite images[4];
  MotionSprite* sprites[SpriteCount] = {};
  CKeyHelp keyHelp;

 protected:
  CSpriteMenuScene(SceneId id, const int (&ids)[4], const SoundLoad (&loads)[SoundCount],
                   KeyHelpBar helpBar)
      : scene(id), imageIds(ids), soundLoads(loads), bar(helpBar) {}

 private:
  SceneId scene;
  std::span<const int> imageIds;
  std::span<const SoundLoad> soundLoads;
  KeyHelpBar bar;  // the scene's key help
};

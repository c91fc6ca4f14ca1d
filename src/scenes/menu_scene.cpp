// Shared pieces of the menu scenes.
#include "scenes/menu_scene.h"

#include "save/save_data.h"
#include "scenes/texts.h"
#include "system/message_box.h"
#include "system/text_encoding.h"

MotionSprite* NewMotionSprite(const MotionSpriteDef& def, float param0, float param1) {
  auto* sprite = new MotionSprite;
  sprite->Init(def.image, def.x, def.y, def.width, def.height, def.pivotX, def.pivotY);
  sprite->params[0] = param0;
  sprite->params[1] = param1;
  if (def.script != nullptr) sprite->SetScript(def.script);
  return sprite;
}

void ReleaseMotionSprites(std::span<MotionSprite*> sprites) {
  for (MotionSprite*& sprite : sprites) {
    MotionSprite::Release(sprite);
    sprite = nullptr;
  }
}

void StepMotionSprites(std::span<MotionSprite* const> sprites) {
  for (MotionSprite* sprite : sprites) {
    if (sprite != nullptr) sprite->Step();
  }
}

void Highlight(std::span<MotionSprite* const> items, int selected, const char* selectedScript,
               const char* otherScript) {
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    if (items[i] != nullptr) items[i]->SetScript(i == selected ? selectedScript : otherScript);
  }
}

bool LoadMenuImages(std::span<CSprite> images, std::span<const int> ids, SceneId scene) {
  bool loaded = true;
  for (size_t i = 0; i < images.size() && i < ids.size(); ++i) {
    if (!LoadSpriteImage(ids[i], images[i])) loaded = false;
  }
  if (!loaded) ShowMessage(Texts().failures.images, Texts().failures.CaptionsOf(scene).images);
  return loaded;
}

bool LoadMenuSounds(std::span<CSound> sounds, std::span<const SoundLoad> loads, SceneId scene) {
  IAudioDevice* device = g_soundBank != nullptr ? g_soundBank->device.get() : nullptr;
  bool loaded = true;
  for (size_t i = 0; i < sounds.size() && i < loads.size(); ++i) {
    const SoundLoad& load = loads[i];
    if (LoadSound(sounds[i], load.id, device, load.music)) {
      SetSoundVolume(sounds[i], load.music ? g_saveData->bgmVolume : g_saveData->seVolume);
    } else {
      loaded = false;
    }
  }
  if (!loaded) ShowMessage(Texts().failures.sounds, Texts().failures.CaptionsOf(scene).sounds);
  return loaded;
}

bool LoadMenuResources(std::span<CSprite> images, std::span<const int> ids,
                       std::span<CSound> sounds, std::span<const SoundLoad> loads, SceneId scene) {
  const bool imagesLoaded = LoadMenuImages(images, ids, scene);
  const bool soundsLoaded = LoadMenuSounds(sounds, loads, scene);
  return imagesLoaded && soundsLoaded;
}

void ReleaseMenuResources(std::span<CSprite> images, std::span<CSound> sounds) {
  for (CSprite& image : images) ReleaseSpriteImage(image);
  for (CSound& sound : sounds) SoundRelease(sound);
}

void DrawBackground(CSprite& image) {
  SetSpriteRect(image, 0, 0, 800, 600);
  DrawSprite(g_device, image, 0, 0, 0.0f, 0, 0, 0.0f);
}

void FillRect(const ScreenRect& rect, uint32_t argb) {
  CSprite box;  // no texture: the colour alone
  box.colour = argb;
  DrawSprite(g_device, box, rect.x, rect.y, 0.0f, rect.w, rect.h, 0.0f);
}

std::string Fitted(CFont* font, std::string text, int32_t width) {
  while (!text.empty() && font->TextWidth(text) > width) {
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i += size_t(SjisCharacterBytes(uint8_t(text[i])))) last = i;
    text.resize(last);
  }
  return text;
}

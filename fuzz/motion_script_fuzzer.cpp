// Motion scripts: any text runs frame after frame without leaving the text or the frame stack,
// an ended script stays ended, and the sprite still draws.
#include <cstring>
#include <memory>

#include "fuzz_check.h"
#include "fuzz_platform.h"
#include "media/sprite.h"
#include "motion/motion_sprite.h"
#include "system/random.h"

namespace {

constexpr int kFrames = 48;

struct Stage {
  FuzzDevice device;
  FuzzResources resources;
  CSprite sheet;
  Stage() {
    g_device = &device;
    g_resources = &resources;
    FUZZ_CHECK(LoadSpriteImage(101, sheet));
  }
};

void CheckState(const MotionSprite& s, size_t length) {
  FUZZ_CHECK(s.cursor >= s.script && s.cursor <= s.script + length);
  FUZZ_CHECK(s.blockTop == -1 || (s.blockTop >= 1 && s.blockTop <= 7 && s.blockTop % 2 == 1));
  FUZZ_CHECK(s.blockMarker >= -1 && s.blockMarker <= 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Stage stage;
  // The script as the game holds one: a NUL-terminated text, here in a block of its exact size
  // so that reading past its end is caught. A NUL inside the input ends the script there.
  const auto text = std::make_unique<char[]>(size + 1);
  std::memcpy(text.get(), data, size);
  text[size] = '\0';
  const size_t length = std::strlen(text.get());

  GameSrand(7);
  MotionSprite* sprite = new MotionSprite;
  sprite->Init(0, 0, 0, 64, 64, 32, 32);
  for (int i = 0; i < 16; ++i) sprite->params[i] = float(i * 37 - 100);
  sprite->clipLeft = 32, sprite->clipTop = 96, sprite->clipRight = 768, sprite->clipBottom = 432;
  sprite->SetScript(text.get());
  CheckState(*sprite, length);

  for (int frame = 0; frame < kFrames; ++frame) {
    const bool ended = sprite->wait < 0;
    const char* cursor = sprite->cursor;
    const bool ran = sprite->Step();
    CheckState(*sprite, length);
    if (ended) FUZZ_CHECK(!ran && sprite->cursor == cursor && sprite->wait < 0);

    const size_t quadsBefore = stage.device.quads;
    MotionSprite* list[1] = {sprite};
    DrawMotionSprites(list, &stage.sheet, 1);
    FUZZ_CHECK(stage.device.quads - quadsBefore <= 1);
    if (sprite->flags & MotionSprite::Hidden) FUZZ_CHECK(stage.device.quads == quadsBefore);
  }
  MotionSprite::Release(sprite);
  return 0;
}

#include "sdl_test_platform.h"

#include <cstdlib>
#include <memory>

#include "system/sdl/sdl_platform.h"

IPlatform& TestPlatform() {
  static const std::unique_ptr<IPlatform> platform = [] {
    bool noDisplay = false;
    auto created = CreateSdlPlatform(SdlOptions{.headless = true}, noDisplay);
    if (!created) std::abort();  // nothing here can run without SDL
    return created;
  }();
  return *platform;
}

QuadCorners Rectangle(float x, float y, float w, float h, uint32_t argb) {
  return {{{x, y, 0, 1, argb, 0, 0},
           {x + w, y, 0, 1, argb, 1, 0},
           {x, y + h, 0, 1, argb, 0, 1},
           {x + w, y + h, 0, 1, argb, 1, 1}}};
}

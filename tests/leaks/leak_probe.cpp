// A program linked like the game, with the SDL platform and the leaks it lets libraries keep:
// it starts SDL, opens a window with its renderer, draws a texture and some text, and shuts
// everything down. Given --forget-surface it also leaves one SDL surface unfreed, a leak of ours
// although SDL allocated it: the leak checker must report it.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "system/sdl/sdl_platform.h"

namespace {

// Kept out of line so that the leak report names it as the allocation's caller.
[[gnu::noinline]] SDL_Surface* MakeSurface() {
  return SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_ARGB8888);
}

// Everything the game does with SDL and fontconfig, freed as the game frees it.
bool DrawAFrame(IPlatform& platform) {
  std::unique_ptr<IWindow> window = platform.CreateWindow(WindowDesc{});
  if (!window) return false;
  IRenderDevice& device = *window->Device();
  const uint32_t pixels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  std::unique_ptr<ITexture> texture = device.CreateTexture(2, 2, pixels);
  std::unique_ptr<IFont> font = device.CreateFont(16, Typeface::Japanese);
  std::unique_ptr<IFont> proportional = device.CreateFont(16, Typeface::Proportional);
  if (!texture || !font || !proportional || !device.BeginScene()) return false;
  device.Clear(0xFF000000);
  font->DrawText("leak", 0, 0, 0xFFFFFFFF);
  proportional->DrawText("leak", 0, 16, 0xFFFFFFFF);
  device.EndScene();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const bool forget = argc > 1 && std::strcmp(argv[1], "--forget-surface") == 0;
  bool noDisplay = false;
  std::unique_ptr<IPlatform> platform = CreateSdlPlatform(SdlOptions{.headless = true}, noDisplay);
  if (!platform || !DrawAFrame(*platform)) {
    std::fprintf(stderr, "leak_probe: SDL did not start\n");
    return 2;
  }
  SDL_Surface* surface = MakeSurface();
  if (!surface) return 2;
  if (!forget) SDL_FreeSurface(surface);
  return 0;
}

// Text through SDL2_ttf with a Japanese sans-serif font or its proportional sibling (Typeface):
// the system's, found by fontconfig, or where there is no fontconfig, the ones carried inside the
// program (Font resources).
#pragma once

#include <SDL_ttf.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "system/render_device.h"
#include "system/sdl/sdl_render_device.h"

#ifdef MORAVIN_SYSTEM_FONT
// The file of fontconfig's best match for a pattern such as "sans:lang=ja"; empty when none.
std::string MatchFontFile(const char* pattern);
#endif

// The font library's faces, one per typeface and pixel height, each set to the glyph size of
// that height. A renderer reset (every display-mode switch) makes the game's six fonts
// again; opening and sizing their faces anew took more than a millisecond of that frame, so the
// device keeps the faces across its renderers. A font shares its face, which lives as long as
// the longer-lived of the two.
class FontFaces {
 public:
  FontFaces() = default;
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;

  // The face for that typeface and height, opened on first use; null (after a message on
  // stderr) when its font cannot be opened.
  std::shared_ptr<TTF_Font> Get(int pixelHeight, Typeface typeface);

 private:
  struct Face {
    int pixelHeight;
    Typeface typeface;
    std::shared_ptr<TTF_Font> font;
  };
  std::vector<Face> faces_;
};

class SdlFont final : public IFont, public RendererResource {
 public:
  // Null (after a message on stderr) when the typeface's font cannot be opened.
  static std::unique_ptr<SdlFont> Open(SdlRenderDevice& device, int pixelHeight, Typeface typeface);
  ~SdlFont() override;

  int Height() const override { return pixelHeight_; }
  // Draws the glyphs centred in the line's height.
  void DrawText(std::string_view sjis, int left, int top, uint32_t argb) override;
  int TextWidth(std::string_view sjis) override;
  void DropTextures() override;

  // The characters of `sjis` that the font has no glyph for (they would be drawn as boxes).
  std::u32string MissingGlyphs(std::string_view sjis) const;
  // How far below the `top` it is drawn at a line of `sjis` reaches, in pixels.
  int DrawnBottom(std::string_view sjis) const;

  // How many strings were rendered by the font library (cache misses).
  uint64_t RenderCount() const { return renderCount_; }

 private:
  // A rendered string, white on transparent: the colour is applied when it is drawn, so one
  // entry serves every colour the string is drawn in.
  struct CachedText {
    std::string sjis;
    SDL_Texture* texture = nullptr;
    int width = 0;
    int height = 0;
    uint64_t lastUse = 0;
  };
  static constexpr size_t kCacheSize = 64;

  SdlFont(SdlRenderDevice& device, std::shared_ptr<TTF_Font> font, int pixelHeight);
  const CachedText* Find(std::string_view sjis);
  const CachedText* Render(std::string_view sjis);

  std::shared_ptr<TTF_Font> font_;
  int pixelHeight_;
  int glyphTop_;  // rows of leading above the glyphs
  std::vector<CachedText> cache_;
  uint64_t useClock_ = 0;
  uint64_t renderCount_ = 0;
};

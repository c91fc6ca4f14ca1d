#include "system/sdl/sdl_font.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>

#include "system/text_encoding.h"

std::string MatchFontFile(const char* pattern) {
  std::string file;
  FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
  if (!wanted) return file;
  FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
  FcDefaultSubstitute(wanted);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, wanted, &result)) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
      file = reinterpret_cast<const char*>(path);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(wanted);
  return file;
}

namespace {

const std::string& JapaneseFontFile() {
  static const std::string file = MatchFontFile("sans:lang=ja");
  return file;
}

// Chooses the size whose line height (ascent plus descent) is the wanted pixel height, as the
// cell height of a font asked for by its pixel height.
void FitLineHeight(TTF_Font* font, int pixelHeight) {
  const int measured = TTF_FontHeight(font);
  if (measured <= 0 || measured == pixelHeight) return;
  int size = std::max(1, pixelHeight * pixelHeight / measured);
  TTF_SetFontSize(font, size);
  while (size > 1 && TTF_FontHeight(font) > pixelHeight) TTF_SetFontSize(font, --size);
}

}  // namespace

std::unique_ptr<SdlFont> SdlFont::Open(SdlRenderDevice& device, int pixelHeight) {
  const std::string& file = JapaneseFontFile();
  if (pixelHeight <= 0 || file.empty()) return nullptr;
  TTF_Font* font = TTF_OpenFont(file.c_str(), pixelHeight);
  if (!font) {
    std::fprintf(stderr, "moravin: cannot open font %s: %s\n", file.c_str(), TTF_GetError());
    return nullptr;
  }
  FitLineHeight(font, pixelHeight);
  return std::unique_ptr<SdlFont>(new SdlFont(device, font, pixelHeight));
}

SdlFont::SdlFont(SdlRenderDevice& device, TTF_Font* font, int pixelHeight)
    : RendererResource(device), font_(font), pixelHeight_(pixelHeight) {
  cache_.reserve(kCacheSize);
}

SdlFont::~SdlFont() {
  DropTextures();
  TTF_CloseFont(font_);
}

void SdlFont::DropTextures() {
  for (CachedText& entry : cache_) SDL_DestroyTexture(entry.texture);
  cache_.clear();
}

const SdlFont::CachedText* SdlFont::Find(std::string_view sjis) {
  for (CachedText& entry : cache_) {
    if (entry.sjis == sjis) {
      entry.lastUse = ++useClock_;
      return &entry;
    }
  }
  return nullptr;
}

const SdlFont::CachedText* SdlFont::Render(std::string_view sjis) {
  SDL_Renderer* renderer = Device() ? Device()->Renderer() : nullptr;
  if (!renderer) return nullptr;
  SDL_Surface* surface =
      TTF_RenderUTF8_Blended(font_, SjisToUtf8(sjis).c_str(), SDL_Color{255, 255, 255, 255});
  if (!surface) return nullptr;
  ++renderCount_;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
  CachedText entry{std::string(sjis), texture, surface->w, surface->h, ++useClock_};
  SDL_FreeSurface(surface);
  if (!texture) return nullptr;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);

  if (cache_.size() < kCacheSize) {
    cache_.push_back(std::move(entry));
    return &cache_.back();
  }
  auto oldest = std::min_element(
      cache_.begin(), cache_.end(),
      [](const CachedText& a, const CachedText& b) { return a.lastUse < b.lastUse; });
  SDL_DestroyTexture(oldest->texture);
  *oldest = std::move(entry);
  return &*oldest;
}

void SdlFont::DrawText(std::string_view sjis, int left, int top, uint32_t argb) {
  if (sjis.empty() || !Device() || !Device()->Renderer()) return;
  const CachedText* text = Find(sjis);
  if (!text) text = Render(sjis);
  if (!text) return;
  const SDL_FRect dst{static_cast<float>(left), static_cast<float>(top),
                      static_cast<float>(text->width), static_cast<float>(text->height)};
  Device()->CopyModulated(text->texture, nullptr, dst, argb);
}

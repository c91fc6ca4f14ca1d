#include "system/sdl/sdl_font.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>

#include "system/embedded_resources.h"
#include "system/resources.h"
#include "system/sdl/library_leaks.h"
#include "system/text_encoding.h"

#ifdef MORAVIN_SYSTEM_FONT
#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

std::string MatchFontFile(const char* pattern) {
  // fontconfig loads its configuration on the first call and keeps it until exit, with blocks
  // the leak checker cannot see it hold.
  static const bool loaded = [] {
    bool done = false;
    IgnoringLibraryLeaks([&done] { done = FcInit() == FcTrue; });
    return done;
  }();
  std::string file;
  if (!loaded) return file;
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
#endif

namespace {

// Opens a font file that lies in memory. FreeType then reads a glyph's outline with a copy,
// where from a file it took a seek and a read (two system calls) for every glyph that SDL_ttf
// had not cached yet: 40 % of the time spent drawing a page of new text.
TTF_Font* OpenFontInMemory(std::span<const uint8_t> file, int pixelHeight) {
  SDL_RWops* stream = file.empty() ? nullptr : SDL_RWFromConstMem(file.data(), int(file.size()));
  return stream ? TTF_OpenFontRW(stream, 1, pixelHeight) : nullptr;
}

#ifdef MORAVIN_SYSTEM_FONT
// The whole file mapped read-only for the rest of the run, as FreeType maps the fonts it opens
// itself: its pages are the system's file cache, shared with every program that uses the font.
// Empty when the file cannot be mapped.
std::span<const uint8_t> MapFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat info {};
  void* data = MAP_FAILED;
  if (fstat(fd, &info) == 0 && info.st_size > 0 && info.st_size <= INT32_MAX)
    data = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (data == MAP_FAILED) return {};
  return {static_cast<const uint8_t*>(data), size_t(info.st_size)};
}

// A font file of the system, found by fontconfig and mapped when it can be.
struct SystemFont {
  std::string file;  // empty when fontconfig found none
  std::span<const uint8_t> mapped;
};

SystemFont FindSystemFont(const char* pattern) {
  SystemFont font{MatchFontFile(pattern), {}};
  if (!font.file.empty()) font.mapped = MapFile(font.file);
  return font;
}

// The system's Japanese sans-serif font, or IPA's proportional Gothic, which the Debian package
// of the Japanese one carries too. Each is looked up and mapped on its first use only.
const SystemFont& SystemFontOf(Typeface typeface) {
  if (typeface == Typeface::Proportional) {
    static const SystemFont proportional = FindSystemFont("IPAPGothic");
    return proportional;
  }
  static const SystemFont japanese = FindSystemFont("sans:lang=ja");
  return japanese;
}

// The typeface's font, from memory when its file could be mapped.
TTF_Font* OpenFont(int pixelHeight, Typeface typeface) {
  const SystemFont& system = SystemFontOf(typeface);
  if (system.file.empty()) return nullptr;
  TTF_Font* font = system.mapped.empty() ? TTF_OpenFont(system.file.c_str(), pixelHeight)
                                         : OpenFontInMemory(system.mapped, pixelHeight);
  if (!font)
    std::fprintf(stderr, "moravin: cannot open font %s: %s\n", system.file.c_str(), TTF_GetError());
  return font;
}
#else
// The fonts carried inside the program: taken from the program's own resources, not the
// game's current set (which a test may replace), since no language or test changes the fonts.
TTF_Font* OpenFont(int pixelHeight, Typeface typeface) {
  const int id = typeface == Typeface::Proportional ? kProportionalFontResourceId : kFontResourceId;
  TTF_Font* font = OpenFontInMemory(EmbeddedResources().Find(ResourceType::Font, id), pixelHeight);
  if (!font) std::fprintf(stderr, "moravin: cannot open the embedded font: %s\n", TTF_GetError());
  return font;
}
#endif

// A full-width character, one em wide, takes 29/32 of the line height; the rest is leading
// above and below. The message windows break Japanese lines by counting bytes, each half a line
// height wide, and a line may run two bytes past its budget: in the narrowest window (320
// pixels, 22 bytes) eleven full-width characters of 29 pixels still fit. The proportional face
// takes the same em, so that its letters stand as tall as the Japanese face's.
constexpr int kFullWidthShare = 29;
constexpr int kFullWidthShareOf = 32;

// Sets the glyph size of that em, or a smaller one when the ascent plus descent would not fit
// the line. The glyphs are rendered at that size: nothing is scaled afterwards, so they stay
// crisp.
void ChooseGlyphSize(TTF_Font* font, int pixelHeight) {
  int size = std::max(1, pixelHeight * kFullWidthShare / kFullWidthShareOf);
  TTF_SetFontSize(font, size);
  while (size > 1 && TTF_FontHeight(font) > pixelHeight) TTF_SetFontSize(font, --size);
}

// The code points of well-formed UTF-8 (SjisToUtf8 writes nothing else).
std::u32string CodePoints(const std::string& utf8) {
  std::u32string points;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length && i + k < utf8.size(); ++k)
      point = (point << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    points.push_back(point);
    i += length;
  }
  return points;
}

}  // namespace

std::shared_ptr<TTF_Font> FontFaces::Get(int pixelHeight, Typeface typeface) {
  for (const Face& face : faces_)
    if (face.pixelHeight == pixelHeight && face.typeface == typeface) return face.font;
  TTF_Font* opened = OpenFont(pixelHeight, typeface);
  if (!opened) return nullptr;
  ChooseGlyphSize(opened, pixelHeight);
  std::shared_ptr<TTF_Font> font(opened, TTF_CloseFont);
  faces_.push_back({pixelHeight, typeface, font});
  return font;
}

std::unique_ptr<SdlFont> SdlFont::Open(SdlRenderDevice& device, int pixelHeight,
                                       Typeface typeface) {
  if (pixelHeight <= 0) return nullptr;
  std::shared_ptr<TTF_Font> font = device.Faces().Get(pixelHeight, typeface);
  if (!font) return nullptr;
  return std::unique_ptr<SdlFont>(new SdlFont(device, std::move(font), pixelHeight));
}

SdlFont::SdlFont(SdlRenderDevice& device, std::shared_ptr<TTF_Font> font, int pixelHeight)
    : RendererResource(device),
      font_(std::move(font)),
      pixelHeight_(pixelHeight),
      glyphTop_(std::max(0, pixelHeight - TTF_FontHeight(font_.get())) / 2) {
  cache_.reserve(kCacheSize);
}

SdlFont::~SdlFont() { DropTextures(); }

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
      TTF_RenderUTF8_Blended(font_.get(), SjisToUtf8(sjis).c_str(), SDL_Color{255, 255, 255, 255});
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
  const SDL_FRect dst{static_cast<float>(left), static_cast<float>(top + glyphTop_),
                      static_cast<float>(text->width), static_cast<float>(text->height)};
  Device()->CopyModulated(text->texture, nullptr, dst, argb);
}

std::u32string SdlFont::MissingGlyphs(std::string_view sjis) const {
  std::u32string missing;
  for (char32_t point : CodePoints(SjisToUtf8(sjis)))
    if (!TTF_GlyphIsProvided32(font_.get(), point)) missing.push_back(point);
  return missing;
}

int SdlFont::DrawnBottom(std::string_view sjis) const {
  int width = 0, height = 0;
  if (sjis.empty() || TTF_SizeUTF8(font_.get(), SjisToUtf8(sjis).c_str(), &width, &height) != 0)
    return 0;
  return glyphTop_ + height;
}

int SdlFont::TextWidth(std::string_view sjis) {
  if (sjis.empty()) return 0;
  int width = 0, height = 0;
  if (TTF_SizeUTF8(font_.get(), SjisToUtf8(sjis).c_str(), &width, &height) != 0) return 0;
  return width;
}

// Resources carried inside the executable, looked up by type and id. A browser's page fetches
// all but the first scene's after the game has started.
#pragma once

#include <cstdint>
#include <span>

#include "system/language.h"

enum class ResourceType { Bitmap, Wave, Icon, Font };

// The fonts carried by builds for systems without a font service (fontconfig): the Japanese
// face and its proportional sibling (Typeface in system/render_device.h).
inline constexpr int kFontResourceId = 1;
inline constexpr int kProportionalFontResourceId = 2;

class IResources {
 public:
  virtual ~IResources() = default;
  // The resource's bytes, or an empty span when there is none.
  virtual std::span<const uint8_t> Find(ResourceType type, int id) const = 0;
  // Told that `bytes`, found here, have been read and are not needed again soon. Resources in
  // the executable's own pages give that memory back; the next read fetches them again.
  virtual void Forget(std::span<const uint8_t> bytes) const { (void)bytes; }
  // Whether the resource is one of the program's but its bytes have not arrived yet: Find gives
  // nothing until they have.
  virtual bool Pending(ResourceType type, int id) const { return false; }
  // How many times resources have arrived so far: what was pending may be there once it grew.
  virtual uint32_t Arrivals() const { return 0; }
};

// A bitmap with words in it is carried once per language: the Japanese one under its own id,
// the English one this much higher (124 and 1124), as a resource script numbers a second set.
constexpr int kEnglishBitmapOffset = 1000;
constexpr int EnglishBitmapId(int id) { return id + kEnglishBitmapOffset; }

// The resources as the game of one language sees them: a bitmap asked for by its id comes from
// that language's set where the set has it, everything else is shared.
class LanguageResources final : public IResources {
 public:
  LanguageResources(const IResources& all, Language language) : all_(all), language_(language) {}
  std::span<const uint8_t> Find(ResourceType type, int id) const override;
  void Forget(std::span<const uint8_t> bytes) const override { all_.Forget(bytes); }
  bool Pending(ResourceType type, int id) const override;
  uint32_t Arrivals() const override { return all_.Arrivals(); }

 private:
  // The id a bitmap is carried under in this language: its English copy where there is one.
  int IdInLanguage(ResourceType type, int id) const;

  const IResources& all_;
  Language language_;
};

// The program's resources; set by the entry point (or a test).
extern const IResources* g_resources;

std::span<const uint8_t> FindResource(ResourceType type, int id);
void ForgetResource(std::span<const uint8_t> bytes);
bool ResourcePending(ResourceType type, int id);
uint32_t ResourceArrivals();

#include "system/renderer_choice.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
  return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         }) != text.end();
}

}  // namespace

bool IsSoftwareRasteriser(std::string_view glRenderer) {
  for (std::string_view name : {"llvmpipe", "softpipe", "swrast", "software rasterizer",
                                "gdi generic", "swiftshader", "microsoft basic render"}) {
    if (ContainsIgnoringCase(glRenderer, name)) return true;
  }
  return false;
}

bool PreferSoftwareRenderer(std::string_view rendererName, std::string_view glRenderer,
                            bool userChoseRenderer) {
  // SDL's OpenGL renderers are "opengl" and "opengles2" (and "opengles").
  return !userChoseRenderer && rendererName.starts_with("opengl") &&
         IsSoftwareRasteriser(glRenderer);
}

bool HasGpuDevice(const std::filesystem::path& devices) {
  std::error_code error;
  const auto hasEntry = [&](const std::filesystem::path& folder, auto isGpu) {
    for (auto it = std::filesystem::directory_iterator(folder, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
      if (isGpu(it->path().filename().string())) return true;
    }
    return false;
  };
  return hasEntry(devices / "dri",
                  [](const std::string& name) {
                    return name.starts_with("card") || name.starts_with("renderD");
                  }) ||
         hasEntry(devices, [](const std::string& name) { return name.starts_with("nvidia"); });
}

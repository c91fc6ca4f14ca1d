#include "system/renderer_choice.h"

#include <algorithm>
#include <cctype>

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
  return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         }) != text.end();
}

}  // namespace

bool IsSoftwareRasteriser(std::string_view glRenderer) {
  for (std::string_view name :
       {"llvmpipe", "softpipe", "swrast", "software rasterizer", "gdi generic"}) {
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

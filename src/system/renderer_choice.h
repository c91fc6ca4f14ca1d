// Which renderer suits a machine without a GPU. Decided from strings, so it is tested
// without one.
#pragma once

#include <string_view>

// Whether an OpenGL renderer string (GL_RENDERER) names a rasteriser that runs on the CPU:
// Mesa's llvmpipe, softpipe and swrast, or Windows' generic GDI implementation.
bool IsSoftwareRasteriser(std::string_view glRenderer);

// Whether the accelerated renderer that SDL chose should give way to SDL's own software
// renderer: when it is OpenGL drawn by the CPU, that costs several times the CPU of the
// software renderer for the same picture. A user who chose the render driver or the
// framebuffer acceleration keeps the choice.
bool PreferSoftwareRenderer(std::string_view rendererName, std::string_view glRenderer,
                            bool userChoseRenderer);

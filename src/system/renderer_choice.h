// Which renderer suits a machine without a GPU. Decided from strings, so it is tested
// without one.
#pragma once

#include <filesystem>
#include <string_view>

// Whether an OpenGL renderer string (GL_RENDERER, or a browser's unmasked WebGL renderer) names
// a rasteriser that runs on the CPU: Mesa's llvmpipe, softpipe and swrast, Windows' generic GDI
// implementation and its Basic Render Driver, or the SwiftShader of browsers without a GPU.
bool IsSoftwareRasteriser(std::string_view glRenderer);

// Whether the accelerated renderer that SDL chose should give way to SDL's own software
// renderer: when it is OpenGL drawn by the CPU, that costs several times the CPU of the
// software renderer for the same picture. A user who chose the render driver or the
// framebuffer acceleration keeps the choice.
bool PreferSoftwareRenderer(std::string_view rendererName, std::string_view glRenderer,
                            bool userChoseRenderer);

// Whether a Linux machine shows programs a GPU: a DRM device (dri/card*, dri/renderD*) or one
// of NVIDIA's own (nvidia*) in `devices`. Without one, OpenGL can only be drawn by the CPU, and
// trying it costs more than the time: the driver's compiler stays loaded, about 60 MB.
bool HasGpuDevice(const std::filesystem::path& devices = "/dev");

// The application icons a Linux desktop shows in its menus and task bars, and those of the
// installable web page: the window icon's painter drawn afresh at every size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The pixel sizes of the PNG icons, smallest first.
const std::vector<int>& DesktopIconSizes();

// Writes DIR/hicolor/NxN/apps/NAME.png for every size and DIR/hicolor/scalable/apps/NAME.svg.
void WriteDesktopIcons(const std::filesystem::path& dir, const std::string& name);

// The icons of the web page's manifest, in DIR: icon-192.png and icon-512.png, the icon on a
// clear background, and icon-maskable-512.png, on a full square of `backgroundRgb` with the
// picture inside the circle that every launcher's mask keeps (the middle 80 %).
void WriteWebIcons(const std::filesystem::path& dir, uint32_t backgroundRgb);

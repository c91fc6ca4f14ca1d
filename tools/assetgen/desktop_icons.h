// The application icons a Linux desktop shows in its menus and task bars: the window icon's
// painter drawn afresh at every size of the hicolor theme, and once more as a vector drawing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The pixel sizes of the PNG icons, smallest first.
const std::vector<int>& DesktopIconSizes();

// Writes DIR/hicolor/NxN/apps/NAME.png for every size and DIR/hicolor/scalable/apps/NAME.svg.
void WriteDesktopIcons(const std::filesystem::path& dir, const std::string& name);

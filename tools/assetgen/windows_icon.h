// The icon of the Windows executable: the window icon's painter drawn afresh at every size
// Explorer and the task bar ask for, stored as PNG images in one .ico file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// The pixel sizes in the icon, smallest first.
const std::vector<int>& WindowsIconSizes();

// The bytes of the .ico file.
std::vector<uint8_t> MakeWindowsIcon();

// Writes MakeWindowsIcon() to `path`.
void WriteWindowsIcon(const std::filesystem::path& path);

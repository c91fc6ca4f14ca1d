// What the small text files beside the save (the settings, the ranking's) have in common: where
// they are, how they are read and replaced, and how a line splits into words.
#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "system/file_access.h"

// The path of `name` in `folder`; `name` alone for an empty folder (the working directory).
std::string PathInFolder(const FileAccess& files, const std::string& folder, const char* name);

enum class TextRead { Missing, Read, Failed };
// Reads a file of at most `maxBytes`: Missing when there is none, Failed (with the reason in
// `wrong`) when it cannot be read or is bigger.
TextRead ReadSmallText(FileAccess& files, const std::string& path, size_t maxBytes,
                       std::string& text, std::string& wrong);

// Replaces the file durably with `text`.
std::error_code ReplaceText(FileAccess& files, const std::string& path, std::string_view text);

// The words of a line, split at spaces and tabs.
std::vector<std::string_view> Words(std::string_view line);

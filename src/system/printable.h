// Bytes from outside the program (a file's contents, a path, an argument) made safe to print
// on a terminal, where a stray control character could move the cursor, change colours or
// retitle the window.
#pragma once

#include <string>
#include <string_view>

// The bytes with every control character (C0, DEL, C1) and every byte that is not part of
// valid UTF-8 written as an escape: \n, \r, \t or \xHH. Valid UTF-8 text stays as it is.
std::string Printable(std::string_view bytes);

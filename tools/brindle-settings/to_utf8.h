#pragma once

#include <string>
#include <string_view>

namespace brindle {

// Shift_JIS bytes to UTF-8; a byte that does not form a character becomes U+FFFD.
std::string ToUtf8(std::string_view sjis);

// A command-line argument as bytes of the ANSI code page: converted from UTF-8 on POSIX systems (kept
// unchanged when it is no valid UTF-8 or has no Shift_JIS form), taken as it is on Windows.
std::string ArgumentToAnsi(const char* argument);

}  // namespace brindle

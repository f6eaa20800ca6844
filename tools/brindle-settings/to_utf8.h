#pragma once

#include <string>
#include <string_view>

namespace brindle {

// Shift_JIS bytes to UTF-8; a byte that does not form a character becomes U+FFFD.
std::string ToUtf8(std::string_view sjis);

}  // namespace brindle

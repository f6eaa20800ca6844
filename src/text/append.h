#pragma once

#include <charconv>
#include <cstdint>
#include <string>

// Fast appends for building large texts in memory (printf costs ten times as much per line).
namespace brindle::text {

inline void AppendInt(std::string& out, int32_t value) {
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

inline void AppendText(std::string& out, const char* text) {
    if (text) out.append(text);
}

// `value` in decimal, at least `width` digits with leading zeros (printf's "%0*d" for value >= 0).
inline void AppendZeroPadded(std::string& out, int value, int width) {
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    for (int n = static_cast<int>(result.ptr - digits); n < width; ++n) out.push_back('0');
    out.append(digits, result.ptr);
}

}  // namespace brindle::text

#pragma once

#include <cstddef>
#include <string_view>

// Shift_JIS (code page 932) byte rules. Texts are bytes of the ANSI code page, and every search for a
// delimiter must step over double-byte characters so that a trail byte (0x40-0xFC, which includes
// '[', ']', '\\' and '|') is never taken for one.
namespace brindle::sjis {

// First byte of a double-byte character: 0x81-0x9F or 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Second byte of a double-byte character: 0x40-0x7E or 0x80-0xFC.
constexpr bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length in bytes of the character starting at text[pos]: 2 for a lead byte followed by a trail byte,
// else 1. A lead byte at the end of the text, or before a byte that cannot follow it (such as ',' or
// '"'), counts as one byte: a broken character never swallows a delimiter or reads past the end.
constexpr size_t CharLength(std::string_view text, size_t pos) {
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
                   IsTrailByte(static_cast<unsigned char>(text[pos + 1]))
               ? 2
               : 1;
}

// Position of the first single-byte character `c` at a character boundary, or npos.
size_t FindChar(std::string_view text, char c, size_t from = 0);

// Position of the first character of `set` at a character boundary, or npos.
size_t FindAnyOf(std::string_view text, std::string_view set, size_t from = 0);

// Compares two NUL-terminated texts character by character, as the run-time's multibyte comparison does
// under code page 932: a lead byte and the byte after it form one character valued (lead << 8) | trail, a
// single-byte character is valued by its byte, and a lead byte before the terminator ends the text.
// Negative, zero or positive. So half-width katakana (0xA1-0xDF) sort before every double-byte
// character, where a byte comparison would put them after those with lead bytes 0x81-0x9F.
int Compare(const char* a, const char* b);

// The longest prefix of `text` of at most `maxBytes` bytes that does not split a double-byte character.
std::string_view CutAtBoundary(std::string_view text, size_t maxBytes);

}  // namespace brindle::sjis

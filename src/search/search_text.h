#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The search's one form of text: bytes of code page 932 in which every character that a user would call
// "the same letter" has one spelling. Latin letters are lower case and half width; full-width Latin
// letters and digits are ASCII; half-width katakana and hiragana are full-width katakana with their voiced
// marks composed (カ゛ and ｶﾞ are ガ); the full-width blank is ' '. The result is always whole characters:
// a lead byte is always followed by its trail byte, and a broken lead byte becomes kBrokenByte, so a
// search that steps from character to character never meets a trail byte where a character starts.
namespace brindle::search {

constexpr char kBrokenByte = 0x7F;

// Appends the folded form of `text` to `out`. With `origins`, appends for every byte added to `out` the
// offset in `text` of the character it came from (for marking matched characters in the original text).
void Fold(std::string_view text, std::string& out, std::vector<uint16_t>* origins = nullptr);

std::string Folded(std::string_view text);

// Length of the folded character at text[pos] (folded text is whole characters).
inline size_t FoldedCharLength(std::string_view text, size_t pos) {
    unsigned char c = static_cast<unsigned char>(text[pos]);
    return ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && pos + 1 < text.size() ? 2 : 1;
}

// What kind of character starts at folded text[pos]: a word starts where the kind changes or after a
// separator.
enum class CharKind : uint8_t { Separator, Latin, Kana, Other };
CharKind KindAt(std::string_view folded, size_t pos);

// A 64-bit summary of the characters in a folded text: a text can hold a needle only when its summary
// has every bit of the needle's.
uint64_t CharMask(std::string_view folded);

}  // namespace brindle::search

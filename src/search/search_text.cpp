#include "search/search_text.h"

#include "text/sjis.h"

namespace brindle::search {
namespace {

// Half-width katakana and punctuation 0xA1-0xDF as full-width characters (0xDE and 0xDF are the
// voiced marks ゛ and ゜, composed with the character before them by Fold).
constexpr uint16_t kHalfWidth[0xDF - 0xA1 + 1] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,  // ｡-ｫ
    0x8383, 0x8385, 0x8387, 0x8362, 0x815B,                                                  // ｬ-ｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349,                                                  // ｱ-ｵ
    0x834A, 0x834C, 0x834E, 0x8350, 0x8352,                                                  // ｶ-ｺ
    0x8354, 0x8356, 0x8358, 0x835A, 0x835C,                                                  // ｻ-ｿ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367,                                                  // ﾀ-ﾄ
    0x8369, 0x836A, 0x836B, 0x836C, 0x836D,                                                  // ﾅ-ﾉ
    0x836E, 0x8371, 0x8374, 0x8377, 0x837A,                                                  // ﾊ-ﾎ
    0x837D, 0x837E, 0x8380, 0x8381, 0x8382,                                                  // ﾏ-ﾓ
    0x8384, 0x8386, 0x8388,                                                                  // ﾔ-ﾖ
    0x8389, 0x838A, 0x838B, 0x838C, 0x838D,                                                  // ﾗ-ﾛ
    0x838F, 0x8393, 0x814A, 0x814B,                                                          // ﾜﾝﾞﾟ
};

constexpr uint16_t kVoicedMark = 0x814A;      // ゛
constexpr uint16_t kSemiVoicedMark = 0x814B;  // ゜

// Full-width katakana with ゛ or ゜ after it, as one character; 0 when they do not compose.
uint16_t Compose(uint16_t kana, uint16_t mark) {
    if (kana == 0x8345 && mark == kVoicedMark)
        return 0x8394;                                                         // ウ゛: ヴ
    const bool ka_to = (kana >= 0x834A && kana <= 0x8360 && kana % 2 == 0) ||  // カ キ ... チ (even codes)
                       kana == 0x8363 || kana == 0x8365 || kana == 0x8367;     // ツ テ ト
    if (mark == kVoicedMark && ka_to)
        return kana + 1;
    const bool ha_ho = kana >= 0x836E && kana <= 0x837A && (kana - 0x836E) % 3 == 0;
    if (ha_ho)
        return mark == kVoicedMark ? kana + 1 : kana + 2;
    return 0;
}

// A double-byte character in its folded form, or 0 for a single byte.
uint16_t FoldDouble(uint16_t c, char& single) {
    if (c >= 0x8260 && c <= 0x8279) {  // Ａ-Ｚ
        single = static_cast<char>('a' + (c - 0x8260));
        return 0;
    }
    if (c >= 0x8281 && c <= 0x829A) {  // ａ-ｚ
        single = static_cast<char>('a' + (c - 0x8281));
        return 0;
    }
    if (c >= 0x824F && c <= 0x8258) {  // ０-９
        single = static_cast<char>('0' + (c - 0x824F));
        return 0;
    }
    if (c == 0x8140) {  // the full-width blank
        single = ' ';
        return 0;
    }
    if (c >= 0x829F && c <= 0x82F1) {  // hiragana: katakana has no character at 0x837F
        uint16_t k = static_cast<uint16_t>(c - 0x829F + 0x8340);
        return k >= 0x837F ? k + 1 : k;
    }
    return c;
}

}  // namespace

void Fold(std::string_view text, std::string& out, std::vector<uint16_t>* origins) {
    size_t lastDouble = std::string::npos;  // where in `out` the last double-byte character went
    for (size_t pos = 0; pos < text.size();) {
        const size_t length = sjis::CharLength(text, pos);
        const unsigned char c = static_cast<unsigned char>(text[pos]);
        uint16_t wide = 0;
        char single = 0;
        if (length == 2) {
            wide = FoldDouble(static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(text[pos + 1])), single);
        } else if (c >= 0xA1 && c <= 0xDF) {
            wide = kHalfWidth[c - 0xA1];
        } else if (sjis::IsLeadByte(c)) {
            single = kBrokenByte;
        } else {
            single = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        }
        if ((wide == kVoicedMark || wide == kSemiVoicedMark) && lastDouble != std::string::npos &&
            lastDouble + 2 == out.size()) {
            const uint16_t before = static_cast<uint16_t>(static_cast<unsigned char>(out[lastDouble]) << 8 |
                                                          static_cast<unsigned char>(out[lastDouble + 1]));
            if (uint16_t composed = Compose(before, wide)) {
                out[lastDouble + 1] = static_cast<char>(composed & 0xFF);
                out[lastDouble] = static_cast<char>(composed >> 8);
                pos += length;
                continue;  // the mark belongs to the character before it
            }
        }
        const uint16_t origin = static_cast<uint16_t>(pos < 0xFFFF ? pos : 0xFFFF);
        if (wide) {
            lastDouble = out.size();
            out += static_cast<char>(wide >> 8);
            out += static_cast<char>(wide & 0xFF);
            if (origins)
                origins->insert(origins->end(), 2, origin);
        } else {
            out += single;
            if (origins)
                origins->push_back(origin);
        }
        pos += length;
    }
}

std::string Folded(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    Fold(text, out);
    return out;
}

CharKind KindAt(std::string_view folded, size_t pos) {
    const unsigned char c = static_cast<unsigned char>(folded[pos]);
    if (FoldedCharLength(folded, pos) == 1) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80)
            return CharKind::Latin;
        return CharKind::Separator;
    }
    const uint16_t wide = static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(folded[pos + 1]));
    if ((wide >= 0x8340 && wide <= 0x8396) || wide == 0x815B)  // katakana and the long-vowel mark
        return CharKind::Kana;
    if (wide >= 0x8140 && wide <= 0x81FC && wide != 0x8158)  // symbols, but 々 belongs to its kanji
        return CharKind::Separator;
    return CharKind::Other;
}

uint64_t CharMask(std::string_view folded) {
    uint64_t mask = 0;
    for (size_t pos = 0; pos < folded.size();) {
        const size_t length = FoldedCharLength(folded, pos);
        uint32_t code = static_cast<unsigned char>(folded[pos]);
        if (length == 2)
            code = code << 8 | static_cast<unsigned char>(folded[pos + 1]);
        mask |= uint64_t{1} << ((code * 0x9E3779B1u) >> 26);
        pos += length;
    }
    return mask;
}

}  // namespace brindle::search

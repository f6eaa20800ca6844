#include "store/settings_encoding.h"

#include <cstring>

#include "store/code_page_932.h"
#include "text/sjis.h"

namespace brindle::settings_encoding {
namespace {

constexpr char kBinaryText[] = "NUL文字を含んでいるため、テキストとして読めません。";
constexpr char kUnfitText[] = "行目にShift_JISで表せない文字があります。";
constexpr char kMalformedText[] = "として正しくない文字があります。";
constexpr size_t kShownLineBytes = 120;  // of the line quoted in a message

// The code point of the well-formed UTF-8 sequence at bytes[pos] in `cp`, and its length; 0 when malformed.
size_t ReadUtf8(std::string_view bytes, size_t pos, char32_t& cp) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + pos;
    const size_t left = bytes.size() - pos;
    size_t length;
    char32_t least;
    if (p[0] < 0x80) {
        cp = p[0];
        return 1;
    } else if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        length = 2, least = 0x80, cp = p[0] & 0x1F;
    } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
        length = 3, least = 0x800, cp = p[0] & 0x0F;
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        length = 4, least = 0x10000, cp = p[0] & 0x07;
    } else {
        return 0;
    }
    if (left < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (p[i] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Well-formed UTF-8 into UTF-16. On a malformed sequence false, with `out` holding the text before it.
bool DecodeUtf8(std::string_view bytes, std::u16string& out) {
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t cp;
        size_t length = ReadUtf8(bytes, pos, cp);
        if (length == 0)
            return false;
        AppendUtf16(out, cp);
        pos += length;
    }
    return true;
}

// UTF-16 in either byte order, surrogates in pairs. On an odd last byte or a lone surrogate false, with
// `out` holding the text before it.
bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& out) {
    out.reserve(bytes.size() / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t units = bytes.size() / 2;
    auto unit = [p, bigEndian](size_t i) {
        return static_cast<char16_t>(bigEndian ? p[2 * i] << 8 | p[2 * i + 1] : p[2 * i + 1] << 8 | p[2 * i]);
    };
    for (size_t i = 0; i < units; ++i) {
        char16_t c = unit(i);
        if (c >= 0xDC00 && c <= 0xDFFF)
            return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == units || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF)
                return false;
            out += c;
            c = unit(++i);
        }
        out += c;
    }
    return bytes.size() % 2 == 0;
}

bool IsLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// The 1-based number of the line that `text` ends in, line ends counted as the reader counts them (CR LF,
// LF or a bare CR).
size_t LineNumberAtEnd(std::u16string_view text) {
    size_t line = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')))
            ++line;
    }
    return line;
}

// The line for a message: each character without a Shift_JIS form becomes '?'.
std::string ShownLine(std::u16string_view line) {
    std::string shown;
    for (size_t i = 0; i < line.size() && shown.size() < kShownLineBytes;) {
        size_t length = line[i] >= 0xD800 && line[i] <= 0xDBFF && i + 1 < line.size() ? 2 : 1;
        std::string character;
        shown += code_page_932::FromUtf16(line.substr(i, length), character) ? character : "?";
        i += length;
    }
    return std::string(sjis::CutAtBoundary(shown, kShownLineBytes));
}

// Why a decoded text does not convert: the first line with a character that has no Shift_JIS form.
std::string FirstUnfitLine(std::u16string_view text, const char* encodingName) {
    size_t number = 1;
    for (size_t start = 0; start <= text.size();) {
        size_t end = start;
        while (end < text.size() && !IsLineBreak(text[end]))
            ++end;
        std::u16string_view line = text.substr(start, end - start);
        std::string ignored;
        if (!code_page_932::FromUtf16(line, ignored)) {
            const std::string n = std::to_string(number);
            return std::string(encodingName) + "のファイルです。" + n + kUnfitText + "\n" + n +
                   "行目: " + ShownLine(line);
        }
        if (end == text.size())
            break;
        start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
        ++number;
    }
    return std::string(encodingName) + "のファイルです。" + kUnfitText;  // not reached: some line fails
}

}  // namespace

bool LooksLikeUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        char32_t cp;
        size_t length = ReadUtf8(bytes, pos, cp);
        if (length == 0)
            return false;
        multiByte = true;
        pos += length;
    }
    return multiByte;
}

Encoding Detect(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return Encoding::Utf8WithMark;
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return Encoding::Utf16LE;
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return Encoding::Utf16BE;
    if (std::memchr(bytes.data(), '\0', bytes.size()))
        return Encoding::Binary;
    return LooksLikeUtf8(bytes) ? Encoding::Utf8 : Encoding::ShiftJis;
}

bool ToShiftJis(std::string& bytes, std::string& why) {
    const Encoding encoding = Detect(bytes);
    std::u16string wide;
    bool wellFormed = true;
    const char* name = "UTF-8";
    switch (encoding) {
        case Encoding::ShiftJis:
            return true;
        case Encoding::Binary:
            why = kBinaryText;
            return false;
        case Encoding::Utf8:
            wellFormed = DecodeUtf8(bytes, wide);
            break;
        case Encoding::Utf8WithMark:
            wellFormed = DecodeUtf8(std::string_view(bytes).substr(3), wide);
            break;
        case Encoding::Utf16LE:
        case Encoding::Utf16BE:
            name = "UTF-16";
            wellFormed = DecodeUtf16(std::string_view(bytes).substr(2), encoding == Encoding::Utf16BE, wide);
            break;
    }
    if (!wellFormed) {
        why = std::string(name) + "のファイルですが、" + std::to_string(LineNumberAtEnd(wide)) + "行目に" + name +
              kMalformedText;
        return false;
    }
    if (wide.find(u'\0') != std::u16string::npos) {
        why = kBinaryText;
        return false;
    }
    std::string converted;
    converted.reserve(wide.size() * 2);
    if (!code_page_932::FromUtf16(wide, converted)) {
        why = FirstUnfitLine(wide, name);
        return false;
    }
    bytes = std::move(converted);
    return true;
}

}  // namespace brindle::settings_encoding

#include "text/sjis.h"

namespace brindle::sjis {

size_t FindChar(std::string_view text, char c, size_t from) {
    for (size_t i = from; i < text.size(); i += CharLength(text, i)) {
        if (text[i] == c) {
            return i;
        }
    }
    return std::string_view::npos;
}

size_t FindAnyOf(std::string_view text, std::string_view set, size_t from) {
    for (size_t i = from; i < text.size(); i += CharLength(text, i)) {
        if (set.find(text[i]) != std::string_view::npos) {
            return i;
        }
    }
    return std::string_view::npos;
}

namespace {

// The character at `text` and the step past it; 0 at the end of the text.
unsigned NextChar(const unsigned char*& text) {
    unsigned c = *text;
    if (c == 0)
        return 0;
    ++text;
    if (IsLeadByte(static_cast<unsigned char>(c))) {
        if (*text == 0)
            return 0;
        c = (c << 8) | *text++;
    }
    return c;
}

}  // namespace

int Compare(const char* a, const char* b) {
    auto* left = reinterpret_cast<const unsigned char*>(a);
    auto* right = reinterpret_cast<const unsigned char*>(b);
    for (;;) {
        const unsigned x = NextChar(left), y = NextChar(right);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

std::string_view CutAtBoundary(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + CharLength(text, end);
        if (next > maxBytes) {
            break;
        }
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace brindle::sjis

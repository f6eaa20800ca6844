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

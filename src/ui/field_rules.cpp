#include "ui/field_rules.h"

#include <algorithm>

namespace brindle::ui {

std::optional<int> ParseIntegerField(const std::string& text, int minimum, int maximum) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    size_t end = text.size();
    while (end > at && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    if (at == end)
        return std::nullopt;
    // Accumulated in a wide type and stopped as soon as it leaves the range, so no digit count overflows.
    const long long low = minimum;
    const long long high = maximum;
    const long long limit = std::max(low < 0 ? -low : low, high < 0 ? -high : high);
    long long magnitude = 0;
    for (size_t i = at; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value < low || value > high)
        return std::nullopt;
    return static_cast<int>(value);
}

bool IsAcceptedHotKey(unsigned virtualKey, unsigned modifiers) {
    if (virtualKey == 0)
        return true;
    return (modifiers & (hotkey::kControl | hotkey::kAlt)) != 0;
}

}  // namespace brindle::ui

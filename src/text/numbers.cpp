#include "text/numbers.h"

namespace brindle::numbers {
namespace {

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

struct Parsed {
    bool negative = false;
    bool overflow = false;  // the magnitude does not fit 32 bits
    uint32_t magnitude = 0;
    const char* end = nullptr;
};

Parsed Parse(const char* text, int base) {
    Parsed result;
    result.end = text;
    const char* p = text;
    while (IsBlank(*p)) ++p;
    if (*p == '-' || *p == '+') {
        result.negative = *p == '-';
        ++p;
    }
    if ((base == 0 || base == 16) && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && DigitValue(p[2]) < 16) {
        p += 2;
        base = 16;
    } else if (base == 0) {
        base = *p == '0' ? 8 : 10;
    }
    if (base < 2 || base > 36) {
        return result;
    }
    const char* digits = p;
    uint64_t value = 0;
    for (; DigitValue(*p) < base; ++p) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(*p));
        if (value > UINT32_MAX) {
            result.overflow = true;
            value = UINT32_MAX;
        }
    }
    if (p == digits) {
        return result;  // no conversion: end stays at the start of the text
    }
    result.magnitude = static_cast<uint32_t>(value);
    result.end = p;
    return result;
}

}  // namespace

int32_t StrToL(const char* text, const char** end, int base) {
    Parsed parsed = Parse(text, base);
    if (end) *end = parsed.end;
    if (parsed.negative) {
        if (parsed.overflow || parsed.magnitude > 0x80000000u) return INT32_MIN;
        return static_cast<int32_t>(0u - parsed.magnitude);
    }
    if (parsed.overflow || parsed.magnitude > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(parsed.magnitude);
}

uint32_t StrToUL(const char* text, const char** end, int base) {
    Parsed parsed = Parse(text, base);
    if (end) *end = parsed.end;
    if (parsed.overflow) return UINT32_MAX;
    return parsed.negative ? 0u - parsed.magnitude : parsed.magnitude;
}

int32_t AtoI(const char* text) {
    return StrToL(text, nullptr, 10);
}

}  // namespace brindle::numbers

namespace brindle::text {

std::string FormatThousands(uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
    return out;
}

}  // namespace brindle::text

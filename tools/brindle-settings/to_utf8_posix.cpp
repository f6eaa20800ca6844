#include <iconv.h>

#include <cerrno>

#include "to_utf8.h"

namespace brindle {

std::string ToUtf8(std::string_view sjis) {
    static iconv_t converter = iconv_open("UTF-8", "CP932");
    std::string out;
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::string(sjis);
    }
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(sjis.data());
    size_t inLeft = sjis.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";  // EILSEQ or EINVAL (a lone lead byte at the end)
            ++in;
            --inLeft;
        }
    }
    return out;
}

std::string ArgumentToAnsi(const char* argument) {
    static iconv_t converter = iconv_open("CP932", "UTF-8");
    std::string text(argument);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string out(text.size() * 2 + 1, '\0');
    char* in = text.data();
    size_t inLeft = text.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        return text;
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace brindle

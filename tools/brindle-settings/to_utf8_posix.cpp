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

}  // namespace brindle

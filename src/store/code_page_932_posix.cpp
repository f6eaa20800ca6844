#include <iconv.h>

#include <cerrno>

#include "store/code_page_932.h"

namespace brindle::code_page_932 {
namespace {

// One iconv conversion of the whole input; false on any character it cannot convert.
bool Convert(const char* to, const char* from, std::string_view input, std::string& out) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    bool done = true;
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            done = false;
            break;
        }
    }
    iconv_close(converter);
    return done;
}

}  // namespace

bool FromUtf16(std::u16string_view text, std::string& out) {
    std::string littleEndian;
    littleEndian.reserve(text.size() * 2);
    for (char16_t c : text) {
        littleEndian += static_cast<char>(c & 0xFF);
        littleEndian += static_cast<char>(c >> 8);
    }
    std::string bytes;
    if (!Convert("CP932", "UTF-16LE", littleEndian, bytes)) {
        return false;
    }
    // glibc maps some characters to a look-alike ("〜" U+301C to the bytes of "～" U+FF5E); such a
    // character does not come back from the bytes, and has no exact form.
    std::string back;
    if (!Convert("UTF-16LE", "CP932", bytes, back) || back != littleEndian) {
        return false;
    }
    out += bytes;
    return true;
}

}  // namespace brindle::code_page_932

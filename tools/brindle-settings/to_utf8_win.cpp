#include <windows.h>

#include "to_utf8.h"

namespace brindle {

std::string ToUtf8(std::string_view sjis) {
    if (sjis.empty()) {
        return {};
    }
    int wideLength = MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), nullptr, 0);
    std::wstring wide(wideLength, L'\0');
    MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
    return out;
}

std::string ArgumentToAnsi(const char* argument) {
    return argument;
}

}  // namespace brindle

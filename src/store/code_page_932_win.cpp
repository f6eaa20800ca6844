#include <windows.h>

#include "store/code_page_932.h"

namespace brindle::code_page_932 {

bool FromUtf16(std::u16string_view text, std::string& out) {
    if (text.empty()) {
        return true;
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    int needed = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) {
        return false;
    }
    std::string bytes(needed, '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), needed, nullptr, &usedDefault);
    // The bytes must read back to the same characters: no look-alike stood in for one.
    int back = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), needed, nullptr, 0);
    std::wstring again(back > 0 ? back : 0, L'\0');
    if (back <= 0 || usedDefault ||
        MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), needed, again.data(), back) != back ||
        again.compare(0, again.size(), wide, text.size()) != 0) {
        return false;
    }
    out += bytes;
    return true;
}

}  // namespace brindle::code_page_932

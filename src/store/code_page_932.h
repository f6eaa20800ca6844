#pragma once

#include <string>
#include <string_view>

// UTF-16 text to code page 932 (Shift_JIS) bytes. code_page_932_win.cpp converts with the system,
// code_page_932_posix.cpp with iconv.
namespace brindle::code_page_932 {

// Converts `text` (UTF-16 code units) and appends the bytes to `out`. False when a character has no exact
// code page 932 form: no best-fit substitutes ("〜" U+301C is not taken for "～" U+FF5E, nor "¥" for '\'),
// so a converted text always reads back to the characters it came from. `out` is unspecified then.
bool FromUtf16(std::u16string_view text, std::string& out);

}  // namespace brindle::code_page_932

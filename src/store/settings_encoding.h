#pragma once

#include <string>
#include <string_view>

// What a settings file's bytes are, and their conversion to the Shift_JIS text the reader takes. Files are
// written in Shift_JIS only; the other encodings come from editors ("Unicode", "UTF-8" with or without a
// byte-order mark) and are converted when every character has a code page 932 form.
namespace brindle::settings_encoding {

enum class Encoding {
    ShiftJis,
    Utf8,          // no mark: told apart from Shift_JIS by LooksLikeUtf8
    Utf8WithMark,  // EF BB BF
    Utf16LE,       // FF FE
    Utf16BE,       // FE FF
    Binary,        // no mark and a NUL byte: a truncated download, a disk error, not text at all
};

// The rule, in this order: a byte-order mark decides; without one a NUL byte makes the file binary; else
// LooksLikeUtf8 makes it UTF-8; everything else is Shift_JIS.
Encoding Detect(std::string_view bytes);

// True when `bytes` holds at least one byte above 0x7F and every such byte belongs to a well-formed UTF-8
// sequence (shortest form, no surrogates, at most U+10FFFF). Shift_JIS text almost never passes: its kana,
// full-width letters and most kanji start with bytes 0x81-0x9F, which UTF-8 uses only inside a sequence
// (the default font name "ＭＳ 明朝" alone fails it). It passes only when every non-ASCII character happens
// to line up as UTF-8, such as a file whose one non-ASCII text is the half-width "ﾃｽ".
bool LooksLikeUtf8(std::string_view bytes);

// Makes a settings file's bytes the Shift_JIS text the reader takes, converting them when they are in
// another encoding. False when the file cannot be read as settings: `why` (ANSI text) then says so in the
// program's words, for a converted file with the first line that holds a character without a Shift_JIS
// form (or a malformed sequence). `bytes` is left as it was on failure.
bool ToShiftJis(std::string& bytes, std::string& why);

}  // namespace brindle::settings_encoding

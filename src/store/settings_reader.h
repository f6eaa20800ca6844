#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/records.h"

namespace brindle {

class SettingsStore;

// Where the line that starts at `line` ends: at its first CR or LF, or at the NUL that ends the text.
// Nothing past that point is read, so a text is split into lines in one pass whatever its line ends.
const char* FindLineEnd(const char* line);

// Reads the text of a settings file into a store: one pass over NUL-terminated lines.
class SettingsReader {
public:
    explicit SettingsReader(SettingsStore& store) : store_(store) {}

    // `text` is the file's bytes, with text[length] writable; it is changed in place (line ends become NULs).
    void Read(char* text, size_t length);

private:
    enum class Section { None, Brindle, Page, Other };

    void ReadLine(std::string_view line);
    void ReadHeader(std::string_view line);
    void ReadPreference(std::string_view line);
    void ReadPageLine(const char* line);
    void ReadShortcutKey(std::string_view line);
    void FinishShortcut();
    void DiscardPending();
    static ShortcutRecord NewPending();
    void DelimiterError();
    int32_t ReadRectNumber(const char*& p, bool commaFollows);

    SettingsStore& store_;
    Section section_ = Section::None;
    bool shortcutOpen_ = false;
    int keyCount_ = 0;
    ShortcutRecord pending_ = NewPending();
};

}  // namespace brindle

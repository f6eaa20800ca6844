#pragma once

#include <cstddef>
#include <cstdint>

#include "store/records.h"

namespace brindle {

class SettingsStore;

// Reads the text of a settings file into a store: one pass over NUL-terminated lines.
class SettingsReader {
public:
    explicit SettingsReader(SettingsStore& store) : store_(store) {}

    // `text` is the file's bytes; it is changed in place (line ends become NULs).
    void Read(char* text, size_t length);

private:
    enum class Section { None, Brindle, Page, Other };

    void ReadHeader(const char* line);
    void ReadPreference(const char* line);
    void ReadPageLine(const char* line);
    void ReadShortcutKey(const char* line);
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

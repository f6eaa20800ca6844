#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace brindle {

// Same layout as the platform's LOGFONTA, so the Windows half can copy it over directly.
struct FontSpec {
    int32_t lfHeight;
    int32_t lfWidth;
    int32_t lfEscapement;
    int32_t lfOrientation;
    int32_t lfWeight;
    uint8_t lfItalic;
    uint8_t lfUnderline;
    uint8_t lfStrikeOut;
    uint8_t lfCharSet;
    uint8_t lfOutPrecision;
    uint8_t lfClipPrecision;
    uint8_t lfQuality;
    uint8_t lfPitchAndFamily;
    char lfFaceName[32];
};

// Same layout as the platform's RECT.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

using ColorRef = uint32_t;  // 0x00BBGGRR

// The global options, in the order of the [Brindle] keys of the settings file. Always copied whole.
struct Preferences {
    uint32_t ListStyle;
    int32_t Page;
    FontSpec font;
    ColorRef clrTreeText;
    ColorRef clrTreeMark;
    ColorRef clrTreeBack;
    ColorRef clrTreeSelT;
    ColorRef clrTreeSelB;
    ColorRef clrTreeNfcT;
    ColorRef clrTreeNfcB;
    ColorRef clrListText;
    ColorRef clrListTxBk;
    ColorRef clrListBack;
    ColorRef clrListSelT;
    ColorRef clrListSelB;
    ColorRef clrListNfcT;
    ColorRef clrListNfcB;
    Rect winMainFrame;
    Rect winAboutBox;
    Rect winTaskSelect;
    int32_t winSeparator;
    int32_t dwHotkeyFocus;
    int32_t dwHotkeyTray;
    int32_t dwHotkeyTask;
    int32_t dwHotkeyWin;  // bits 0, 1, 2: the Windows key belongs to the focus, tray, task hot key
    int32_t iChkLoadIcon;
    int32_t bCopyPaste;
    int32_t bCutDelete;
    int32_t bChkTaskhide;
    int32_t bRelativePaths;  // shortcuts made or edited store paths on the program's drive drive-relative
    Rect winSearch;          // the search window; empty until it was first shown
    int32_t dwHotkeySearch;  // the search window's hot key (WIN bit 3 of dwHotkeyWin)
};

Preferences DefaultPreferences();

// How a [Brindle] value is read and written.
enum class PrefKind {
    Unsigned,  // strtoul base 10; written as signed decimal
    Signed,    // atoi
    Byte,      // atoi keeping the low 8 bits
    FaceName,  // the rest of the line, at most 31 bytes
    Rectangle, // four strtol numbers joined by ','
    Ignored,   // recognised and never written
};

struct PrefKey {
    const char* key;  // with its '='
    PrefKind kind;
    size_t offset;  // into Preferences
};

// A field of Preferences by its offset (from the key table).
template <typename T>
T ReadField(const Preferences& prefs, size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const char*>(&prefs) + offset, sizeof value);
    return value;
}
template <typename T>
void WriteField(Preferences& prefs, size_t offset, T value) {
    std::memcpy(reinterpret_cast<char*>(&prefs) + offset, &value, sizeof value);
}

// The [Brindle] keys in match and write order; 46 entries, one of them ignored.
extern const PrefKey kPrefKeys[];
extern const size_t kPrefKeyCount;

}  // namespace brindle

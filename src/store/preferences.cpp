#include "store/preferences.h"

#include <cstring>

namespace brindle {

Preferences DefaultPreferences() {
    Preferences p{};
    p.font.lfHeight = -12;
    p.font.lfWeight = 400;
    p.font.lfCharSet = 128;  // SHIFTJIS_CHARSET
    std::strcpy(p.font.lfFaceName, "ＭＳ 明朝");
    p.clrTreeMark = 0x800000;
    p.clrTreeBack = 0xFFFFFF;
    p.clrTreeSelT = 0xFFFFFF;
    p.clrTreeSelB = 0x0000FF;
    p.clrTreeNfcB = 0xC8C8C8;
    p.clrListTxBk = 0xFFFFFF;
    p.clrListBack = 0xFFFFFF;
    p.clrListSelT = 0xFFFFFF;
    p.clrListSelB = 0x0000FF;
    p.clrListNfcB = 0xC8C8C8;
    return p;
}

#define BRINDLE_PREF(key, kind, field) {key, PrefKind::kind, offsetof(Preferences, field)}

const PrefKey kPrefKeys[] = {
    BRINDLE_PREF("ListStyle=", Unsigned, ListStyle),
    BRINDLE_PREF("Page=", Signed, Page),
    BRINDLE_PREF("lfHeight=", Signed, font.lfHeight),
    BRINDLE_PREF("lfWidth=", Signed, font.lfWidth),
    BRINDLE_PREF("lfEscapement=", Signed, font.lfEscapement),
    BRINDLE_PREF("lfOrientation=", Signed, font.lfOrientation),
    BRINDLE_PREF("lfWeight=", Signed, font.lfWeight),
    BRINDLE_PREF("lfItalic=", Byte, font.lfItalic),
    BRINDLE_PREF("lfUnderline=", Byte, font.lfUnderline),
    BRINDLE_PREF("lfStrikeOut=", Byte, font.lfStrikeOut),
    BRINDLE_PREF("lfCharSet=", Byte, font.lfCharSet),
    BRINDLE_PREF("lfOutPrecision=", Byte, font.lfOutPrecision),
    BRINDLE_PREF("lfClipPrecision=", Byte, font.lfClipPrecision),
    BRINDLE_PREF("lfQuality=", Byte, font.lfQuality),
    BRINDLE_PREF("lfPitchAndFamily=", Byte, font.lfPitchAndFamily),
    BRINDLE_PREF("lfFaceName=", FaceName, font.lfFaceName),
    BRINDLE_PREF("clrTreeText=", Unsigned, clrTreeText),
    BRINDLE_PREF("clrTreeMark=", Unsigned, clrTreeMark),
    BRINDLE_PREF("clrTreeBack=", Unsigned, clrTreeBack),
    BRINDLE_PREF("clrTreeSelT=", Unsigned, clrTreeSelT),
    BRINDLE_PREF("clrTreeSelB=", Unsigned, clrTreeSelB),
    BRINDLE_PREF("clrTreeNfcT=", Unsigned, clrTreeNfcT),
    BRINDLE_PREF("clrTreeNfcB=", Unsigned, clrTreeNfcB),
    BRINDLE_PREF("clrListText=", Unsigned, clrListText),
    BRINDLE_PREF("clrListTxBk=", Unsigned, clrListTxBk),
    BRINDLE_PREF("clrListBack=", Unsigned, clrListBack),
    BRINDLE_PREF("clrListSelT=", Unsigned, clrListSelT),
    BRINDLE_PREF("clrListSelB=", Unsigned, clrListSelB),
    BRINDLE_PREF("clrListNfcT=", Unsigned, clrListNfcT),
    BRINDLE_PREF("clrListNfcB=", Unsigned, clrListNfcB),
    BRINDLE_PREF("winMainFrame=", Rectangle, winMainFrame),
    BRINDLE_PREF("winAboutBox=", Rectangle, winAboutBox),
    BRINDLE_PREF("winTaskSelect=", Rectangle, winTaskSelect),
    BRINDLE_PREF("winSeparator=", Signed, winSeparator),
    BRINDLE_PREF("dwHotkeyFocus=", Signed, dwHotkeyFocus),
    BRINDLE_PREF("dwHotkeyTray=", Signed, dwHotkeyTray),
    BRINDLE_PREF("dwHotkeyTask=", Signed, dwHotkeyTask),
    BRINDLE_PREF("dwHotkeyWin=", Signed, dwHotkeyWin),
    BRINDLE_PREF("iChkLoadIcon=", Signed, iChkLoadIcon),
    BRINDLE_PREF("bCopyPaste=", Signed, bCopyPaste),
    BRINDLE_PREF("bCutDelete=", Signed, bCutDelete),
    {"bAltTab=", PrefKind::Ignored, 0},
    BRINDLE_PREF("bChkTaskhide=", Signed, bChkTaskhide),
    BRINDLE_PREF("bRelativePaths=", Signed, bRelativePaths),
    BRINDLE_PREF("winSearch=", Rectangle, winSearch),
    BRINDLE_PREF("dwHotkeySearch=", Signed, dwHotkeySearch),
};

#undef BRINDLE_PREF

const size_t kPrefKeyCount = sizeof(kPrefKeys) / sizeof(kPrefKeys[0]);

static_assert(sizeof(FontSpec) == 60, "FontSpec must match LOGFONTA");
static_assert(sizeof(Rect) == 16, "Rect must match RECT");

}  // namespace brindle

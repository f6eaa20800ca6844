#include "preferences/preferences_control_tab.h"

#include <commctrl.h>

#include <cstring>

#include "resource.h"
#include "ui/dpi_win.h"
#include "ui/pickers_win.h"

namespace brindle {

const ColourButton kColourButtons[14] = {
    {IDC_TREE_TEXT_COLOR, &Preferences::clrTreeText},
    {IDC_TREE_MARK_COLOR, &Preferences::clrTreeMark},
    {IDC_TREE_BACK_COLOR, &Preferences::clrTreeBack},
    {IDC_TREE_SELECTED_TEXT_COLOR, &Preferences::clrTreeSelT},
    {IDC_TREE_SELECTED_BACK_COLOR, &Preferences::clrTreeSelB},
    {IDC_TREE_NO_FOCUS_TEXT_COLOR, &Preferences::clrTreeNfcT},
    {IDC_TREE_NO_FOCUS_BACK_COLOR, &Preferences::clrTreeNfcB},
    {IDC_LIST_TEXT_COLOR, &Preferences::clrListText},
    {IDC_LIST_TEXT_BACK_COLOR, &Preferences::clrListTxBk},
    {IDC_LIST_BACK_COLOR, &Preferences::clrListBack},
    {IDC_LIST_SELECTED_TEXT_COLOR, &Preferences::clrListSelT},
    {IDC_LIST_SELECTED_BACK_COLOR, &Preferences::clrListSelB},
    {IDC_LIST_NO_FOCUS_TEXT_COLOR, &Preferences::clrListNfcT},
    {IDC_LIST_NO_FOCUS_BACK_COLOR, &Preferences::clrListNfcB},
};

PreferencesControlTab::PreferencesControlTab(Preferences& prefs) : ui::Dialog(IDD_CONTROL_TAB), prefs_(prefs) {}

BOOL PreferencesControlTab::OnInitDialog() {
    previews_.SetUp(Item(IDC_PREVIEW_TREE), Item(IDC_PREVIEW_LIST), prefs_.ListStyle, Dpi());
    ApplyPreviews();
    return TRUE;
}

bool PreferencesControlTab::OnCommand(int id, int code, HWND /*control*/) {
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_FONT_CHOOSE) {
        ChooseFont();
        return true;
    }
    for (const ColourButton& button : kColourButtons) {
        if (button.id == id) {
            ChooseColour(prefs_.*button.field);
            return true;
        }
    }
    return false;
}

// The picker starts from the font being edited, so that OK without a change keeps it; it edits the face,
// size, weight, slant and character set, and the font's other fields stay as they were. The picker
// counts heights at the system DPI; the font is kept at 96 DPI.
void PreferencesControlTab::ChooseFont() {
    FontSpec& font = prefs_.font;
    FontChoice choice;
    choice.face.assign(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName - 1));
    choice.height = ui::ScaleToDpi(font.lfHeight, ui::SystemDpi());
    choice.weight = font.lfWeight;
    choice.italic = font.lfItalic != 0;
    choice.charset = font.lfCharSet;
    if (ui::AppPickers().ChooseFont(choice) && choice.face.size() < sizeof font.lfFaceName) {
        std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
        std::memcpy(font.lfFaceName, choice.face.data(), choice.face.size());
        font.lfHeight = ui::ScaleFromDpi(choice.height, ui::SystemDpi());
        font.lfWeight = choice.weight;
        font.lfItalic = choice.italic ? 1 : 0;
        font.lfCharSet = static_cast<uint8_t>(choice.charset);
    }
    ApplyPreviews();
}

// The picker starts from the colour being edited; Cancel keeps it.
void PreferencesControlTab::ChooseColour(ColorRef& colour) {
    unsigned chosen = colour;
    if (ui::AppPickers().ChooseColor(chosen))
        colour = chosen;
    ApplyPreviews();
}

void PreferencesControlTab::ApplyPreviews() {
    if (const std::optional<std::string> text = previews_.Apply(prefs_, Dpi()))
        SetDlgItemTextA(Hwnd(), IDC_FONT_TEXT, text->c_str());
}

void PreferencesControlTab::RebuildForDpi(unsigned, unsigned newDpi) {
    previews_.SetImageSizes(newDpi);
    ApplyPreviews();  // the font at the new size
}

bool PreferencesControlTab::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.code != static_cast<UINT>(NM_CUSTOMDRAW))
        return false;
    if (header.idFrom == IDC_PREVIEW_TREE) {
        result = DrawTreeItem(reinterpret_cast<NMTVCUSTOMDRAW&>(header), header.hwndFrom, TreeItemColours(prefs_));
        return true;
    }
    if (header.idFrom == IDC_PREVIEW_LIST) {
        result = listPainter_.Draw(reinterpret_cast<NMLVCUSTOMDRAW&>(header), header.hwndFrom, ListItemColours(prefs_));
        return true;
    }
    return false;
}

}  // namespace brindle

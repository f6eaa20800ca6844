#include "preferences/preferences_previews.h"

#include <commctrl.h>

#include <cstring>

#include "preferences/preferences_rules.h"
#include "store/preferences.h"
#include "ui/dpi_win.h"
#include "views/own_images_win.h"
#include "views/shortcut_list_win.h"

namespace brindle {
namespace {

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const char* text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = 0;
    insert.item.iSelectedImage = 1;
    return TreeView_InsertItem(tree, &insert);
}

}  // namespace

void PreferencesPreviews::SetUp(HWND tree, HWND list, uint32_t listStyle, unsigned dpi) {
    tree_ = tree;
    list_ = list;

    const LONG style = GetWindowLongA(list, GWL_STYLE);
    SetWindowLongA(list, GWL_STYLE, (style & ~LVS_TYPEMASK) | (listStyle & LVS_TYPEMASK));
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    ApplyColumnRule(list, columnsInserted_);  // the main list's titles

    SetImageSizes(dpi);

    HTREEITEM root1 = AddTreeItem(tree, TVI_ROOT, "Root1");
    HTREEITEM child1 = AddTreeItem(tree, root1, "Child1");
    AddTreeItem(tree, child1, "Child2-1");
    AddTreeItem(tree, child1, "Child2-2");
    HTREEITEM root2 = AddTreeItem(tree, TVI_ROOT, "Root2");
    TreeView_SetInsertMark(tree, root2, FALSE);

    const char* names[] = {"Test1_URL", "Test1_Unknown", "Test1_EXE", "Test1_DIR"};
    for (int i = 0; i < 4; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = const_cast<char*>(names[i]);
        item.iImage = i;
        ListView_InsertItem(list, &item);
    }
}

// The main window's pictures at the sizes it draws them at on this scale. The controls take the new lists
// before the former ones go.
void PreferencesPreviews::SetImageSizes(unsigned dpi) {
    const int small = ui::MetricForDpi(SM_CXSMICON, dpi), large = ui::MetricForDpi(SM_CXICON, dpi);
    ui::UniqueImageList tree(views::OwnStripImageList(views::OwnStrip::Tree, small));
    ui::UniqueImageList smallClasses(views::OwnStripImageList(views::OwnStrip::Classes, small));
    ui::UniqueImageList largeClasses(views::OwnStripImageList(views::OwnStrip::Classes, large));
    TreeView_SetImageList(tree_, tree.Get(), TVSIL_NORMAL);
    ListView_SetImageList(list_, smallClasses.Get(), LVSIL_SMALL);
    ListView_SetImageList(list_, largeClasses.Get(), LVSIL_NORMAL);
    treeImages_ = std::move(tree);
    smallImages_ = std::move(smallClasses);
    largeImages_ = std::move(largeClasses);
}

std::optional<std::string> PreferencesPreviews::Apply(const Preferences& prefs, unsigned dpi) {
    // The new font is made and handed to the controls before the old one goes, so no control is ever
    // left holding a deleted font; one that cannot be made leaves the old one in place.
    LOGFONTA logFont;
    static_assert(sizeof logFont == sizeof prefs.font, "FontSpec mirrors LOGFONTA");
    std::memcpy(&logFont, &prefs.font, sizeof logFont);
    logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    const LONG storedHeight = logFont.lfHeight;
    logFont.lfHeight = ui::ScaleToDpi(logFont.lfHeight, dpi);
    logFont.lfWidth = ui::ScaleToDpi(logFont.lfWidth, dpi);
    std::optional<std::string> fontText;
    if (HFONT font = CreateFontIndirectA(&logFont)) {
        for (HWND preview : {tree_, list_})
            SendMessageA(preview, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        font_.Reset(font);
        // Points of the height kept: it is at 96 DPI whatever the screen.
        fontText = dialogs::FontText(logFont.lfFaceName, storedHeight, static_cast<int>(ui::kBaseDpi));
    }

    // The columns fit the sample items in the font they are shown in.
    ApplyColumnRule(list_, columnsInserted_);

    TreeView_SetTextColor(tree_, prefs.clrTreeText);
    TreeView_SetInsertMarkColor(tree_, prefs.clrTreeMark);
    TreeView_SetBkColor(tree_, prefs.clrTreeBack);
    ListView_SetTextColor(list_, prefs.clrListText);
    ListView_SetTextBkColor(list_, prefs.clrListTxBk);
    ListView_SetBkColor(list_, prefs.clrListBack);
    // The selected and no-focus colours act through custom draw, at the next paint.
    InvalidateRect(tree_, nullptr, TRUE);
    InvalidateRect(list_, nullptr, TRUE);
    return fontText;
}

}  // namespace brindle

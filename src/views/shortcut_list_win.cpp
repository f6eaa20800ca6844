#include "views/shortcut_list_win.h"

#include <array>
#include <cstring>
#include <string>

#include "store/settings_store.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

constexpr int kColumns = kListColumns;
constexpr const char* kTitles[kColumns] = {"表示名",    "ﾘﾝｸ先(ｺﾏﾝﾄﾞﾗｲﾝ)", "読込ｱｲｺﾝ",
                                           "作業ﾌｫﾙﾀﾞ", "実行時の大きさ",  "ｺﾒﾝﾄ"};

// The widths at which the column titles show whole: each text in the header's font, with the header's
// margin on both sides.
std::array<int, kColumns> TitleWidths(HWND list) {
    std::array<int, kColumns> widths{};
    HWND header = ListView_GetHeader(list);
    HDC dc = GetDC(header);
    if (!dc)
        return widths;
    const int saved = SaveDC(dc);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0)))
        SelectObject(dc, font);
    int margin = static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
    if (margin <= 0)
        margin = 3 * GetSystemMetrics(SM_CXEDGE);
    for (int i = 0; i < kColumns; ++i) {
        SIZE size{};
        GetTextExtentPoint32A(dc, kTitles[i], static_cast<int>(std::strlen(kTitles[i])), &size);
        widths[i] = size.cx + 2 * margin;
    }
    RestoreDC(dc, saved);
    ReleaseDC(header, dc);
    return widths;
}

}  // namespace

ColumnSizer::~ColumnSizer() {
    if (measure_ && IsWindow(measure_))
        DestroyWindow(measure_);
}

bool ColumnSizer::Widths(HWND list, const ColumnTexts& widest, ColumnWidths& widths) {
    if (measure_ && (!IsWindow(measure_) || GetParent(measure_) != GetParent(list)))
        measure_ = nullptr;
    if (!measure_) {
        // Hidden, beside the list; it shares the list's image list and never destroys it.
        measure_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SHAREIMAGELISTS, 0, 0, 0, 0,
                                   GetParent(list), nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!measure_)
            return false;
        for (int i = 0; i < kColumns; ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_FMT | LVCF_SUBITEM;
            column.fmt = LVCFMT_LEFT;
            column.iSubItem = i;
            ListView_InsertColumn(measure_, i, &column);
        }
        LVITEMA row{};
        row.mask = LVIF_TEXT;
        row.pszText = const_cast<char*>("");
        if (ListView_InsertItem(measure_, &row) != 0) {
            DestroyWindow(measure_);
            measure_ = nullptr;
            return false;
        }
    }
    SendMessageA(measure_, WM_SETFONT, SendMessageA(list, WM_GETFONT, 0, 0), FALSE);
    ListView_SetImageList(measure_, ListView_GetImageList(list, LVSIL_SMALL), LVSIL_SMALL);
    ListView_SetExtendedListViewStyle(measure_, ListView_GetExtendedListViewStyle(list));
    for (int i = 0; i < kColumns; ++i) {
        ListView_SetItemText(measure_, 0, i, const_cast<char*>(widest[static_cast<size_t>(i)].c_str()));
        ListView_SetColumnWidth(measure_, i, LVSCW_AUTOSIZE);
        widths[static_cast<size_t>(i)] = ListView_GetColumnWidth(measure_, i);
    }
    return true;
}

void ApplyColumnRule(HWND list, bool& columnsInserted, const ColumnWidths* cellWidths) {
    if (!columnsInserted) {
        for (int i = 0; i < kColumns; ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
            column.fmt = LVCFMT_LEFT;
            column.pszText = const_cast<char*>(kTitles[i]);
            column.iSubItem = i;
            ListView_InsertColumn(list, i, &column);
        }
        columnsInserted = true;
    }
    if (ListView_GetItemCount(list) == 0) {
        for (int i = 0; i < kColumns; ++i)
            ListView_SetColumnWidth(list, i, LVSCW_AUTOSIZE_USEHEADER);
        return;
    }
    // Sized to the cells; a column whose cells are narrower than its title (all empty, say) keeps the
    // title whole.
    const std::array<int, kColumns> titles = TitleWidths(list);
    for (int i = 0; i < kColumns; ++i) {
        ListView_SetColumnWidth(list, i, cellWidths ? (*cellWidths)[static_cast<size_t>(i)] : LVSCW_AUTOSIZE);
        if (ListView_GetColumnWidth(list, i) < titles[i])
            ListView_SetColumnWidth(list, i, titles[i]);
    }
}

void LayOutWithoutDrawing(HWND list) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return;
    if (HRGN nothing = CreateRectRgn(0, 0, 0, 0)) {
        SelectClipRgn(dc, nothing);
        DeleteObject(nothing);
        SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    DeleteDC(dc);
}

bool RenameShortcut(SettingsStore& store, int index, const NMLVDISPINFOA& info) {
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText) {
        return false;  // the edit was cancelled
    }
    if (!views::ShortcutNameAllowed(info.item.pszText)) {
        return false;
    }
    ShortcutRecord s;
    if (!store.GetShortcutAt(index, s))
        return false;
    return store.ReplaceShortcutAt(index, info.item.pszText, s.commandLine, s.icon, s.workFolder, s.showType, s.pageId,
                                   s.readIcon, s.check, s.comment);
}

}  // namespace brindle

#include "views/shortcut_list_model_win.h"

#include <cstring>
#include <string>

#include "launch/classify.h"
#include "launch/system.h"
#include "store/settings_store.h"
#include "text/sjis.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

// Rows worked out at a fill at most, whatever the window's size.
constexpr int kMostRowsInView = 1000;
// The list reads a cell's text into 260 characters to size its column.
constexpr size_t kMeasuredBytes = 259;

std::wstring Widen(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

// LVFI_PARTIAL: the name begins with the text; otherwise the whole name is the text. Either ignores case,
// as the list's own search does.
bool NameMatches(const std::wstring& name, const std::wstring& text, bool partial) {
    if (partial && name.size() < text.size())
        return false;
    const int compared = static_cast<int>(partial ? text.size() : name.size());
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.data(), compared, text.data(),
                          static_cast<int>(text.size())) == CSTR_EQUAL;
}

// The text of a column: absent fields are empty.
const char* ColumnText(const ShortcutRecord& s, int column, std::string& showType) {
    switch (column) {
        case 0:
            return s.name ? s.name : "";
        case 1:
            return s.commandLine ? s.commandLine : "";
        case 2:
            return s.icon ? s.icon : "";
        case 3:
            return s.workFolder ? s.workFolder : "";
        case 4:
            showType = views::ShowTypeText(s.showType);
            return showType.c_str();
        case 5:
            return s.comment ? s.comment : "";
        default:
            return "";
    }
}

void CopyText(const char* text, LVITEMA& item) {
    if (!item.pszText || item.cchTextMax <= 0)
        return;
    const std::string_view shown = sjis::CutAtBoundary(text ? text : "", static_cast<size_t>(item.cchTextMax) - 1);
    std::memcpy(item.pszText, shown.data(), shown.size());
    item.pszText[shown.size()] = '\0';
}

}  // namespace

ShortcutListModel::ShortcutListModel(const SettingsStore& store, System& system, IconReader& reader)
    : store_(store), system_(system), icons_(reader) {}

void ShortcutListModel::Fill(HWND list, int32_t pageId) {
    // The overlay (target missing) is asked for with the image.
    ListView_SetCallbackMask(list, LVIS_OVERLAYMASK);
    // Emptied first: the view goes back to its top, nothing selected.
    Clear(list);
    rows_.Fill(store_, pageId);
    icons_.Reset(ListView_GetImageList(list, LVSIL_SMALL), ListView_GetImageList(list, LVSIL_NORMAL));
    ListView_SetItemCountEx(list, rows_.Count(), LVSICF_NOSCROLL);
    if (rows_.Count() > 0)
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ResolveRowsInView(list);
}

void ShortcutListModel::Clear(HWND list) {
    ListView_DeleteAllItems(list);
    rows_.Clear();
}

// The rows the first paint will show, from the top of the view until a row lies outside it.
void ShortcutListModel::ResolveRowsInView(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    const bool columns = (GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_LIST;
    const int top = ListView_GetTopIndex(list);
    for (int row = top < 0 ? 0 : top; row < rows_.Count() && row - top < kMostRowsInView; ++row) {
        RECT bounds{};
        if (!ListView_GetItemRect(list, row, &bounds, LVIR_ICON))
            break;
        if (columns ? bounds.left >= client.right : bounds.top >= client.bottom)
            break;
        views::ShortcutRow* shown = rows_.At(row);
        if (shown->image == views::ShortcutRow::kUnknown)
            Resolve(*shown);
    }
}

// The image lists are made again without a fill (a change of display scale, the preferences): the icons
// read so far are not in the new lists, so every row is worked out again as it is shown.
void ShortcutListModel::FollowImageLists(HWND list) {
    HIMAGELIST small = ListView_GetImageList(list, LVSIL_SMALL), large = ListView_GetImageList(list, LVSIL_NORMAL);
    if (icons_.Uses(small, large))
        return;
    icons_.Reset(small, large);
    rows_.ForgetImages();
}

void ShortcutListModel::Resolve(views::ShortcutRow& row) {
    ShortcutRecord s;
    if (!store_.GetShortcutAt(row.index, s)) {
        row.image = target::kFile;
        row.overlay = 0;
        return;
    }
    const int kind = ClassifyTarget(s.commandLine, s.check, store_, system_);
    int pair = -1;
    if (s.readIcon) {
        // An empty key names no file; nothing is read for it.
        const std::string key = views::IconKey(s, system_);
        const int image = key.empty() ? -1 : icons_.ImageOf(key);
        pair = image >= 0 ? image - kFirstListIcon : -1;
    }
    const views::ItemImage image = views::ListItemImage(s.readIcon != 0, pair, kind);
    row.image = image.image;
    row.overlay = image.overlay;
}

ColumnTexts ShortcutListModel::WidestTexts(HWND list) const {
    ColumnTexts widest;
    HDC dc = GetDC(list);
    if (!dc)
        return widest;
    const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    ColumnWidths widths{};
    std::string showType;
    ShortcutRecord s;
    for (int row = 0; row < rows_.Count(); ++row) {
        if (!store_.GetShortcutAt(rows_.IndexAt(row), s))
            continue;
        for (int column = 0; column < kListColumns; ++column) {
            // As much of the text as the list reads to measure a cell.
            const std::string_view text = sjis::CutAtBoundary(ColumnText(s, column, showType), kMeasuredBytes);
            SIZE size{};
            if (text.empty() || !GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size))
                continue;
            const auto at = static_cast<size_t>(column);
            if (size.cx > widths[at]) {
                widths[at] = size.cx;
                widest[at] = text;
            }
        }
    }
    SelectObject(dc, font);
    ReleaseDC(list, dc);
    return widest;
}

void ShortcutListModel::SortByColumn(HWND list, int column) {
    const int selected = IndexAt(ListView_GetNextItem(list, -1, LVNI_SELECTED));
    const int focused = IndexAt(ListView_GetNextItem(list, -1, LVNI_FOCUSED));
    rows_.SortByColumn(store_, column);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (const int row = RowOf(selected); row >= 0)
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    if (const int row = RowOf(focused); row >= 0)
        ListView_SetItemState(list, row, LVIS_FOCUSED, LVIS_FOCUSED);
    InvalidateRect(list, nullptr, FALSE);
}

void ShortcutListModel::AnswerDisplayInfo(HWND list, NMLVDISPINFOA& info) {
    LVITEMA& item = info.item;
    views::ShortcutRow* row = rows_.At(item.iItem);
    ShortcutRecord s;
    if (!row || !store_.GetShortcutAt(row->index, s)) {
        if (item.mask & LVIF_TEXT)
            CopyText("", item);
        return;
    }
    if (item.mask & LVIF_TEXT) {
        std::string showType;
        CopyText(ColumnText(s, item.iSubItem, showType), item);
    }
    if (item.iSubItem != 0) {
        if (item.mask & LVIF_IMAGE)
            item.iImage = 0;  // no images in the other columns
        return;
    }
    if (!(item.mask & (LVIF_IMAGE | LVIF_STATE)))
        return;
    FollowImageLists(list);
    if (row->image == views::ShortcutRow::kUnknown)
        Resolve(*row);
    if (item.mask & LVIF_IMAGE)
        item.iImage = row->image;
    if (item.mask & LVIF_STATE) {
        const UINT mask = item.stateMask & LVIS_OVERLAYMASK;
        item.state = (item.state & ~mask) | (INDEXTOOVERLAYMASK(row->overlay) & mask);
    }
}

// `find` is LVFINDINFOA or, from Wine's own type-ahead, LVFINDINFOW: the same layout with a wide text.
int ShortcutListModel::FindRow(const LVFINDINFOA& find, int start, bool wide) {
    const int count = rows_.Count();
    if (find.flags & LVFI_PARAM)
        return RowOf(static_cast<int>(find.lParam));
    if (count == 0 || !(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.psz)
        return -1;
    const std::wstring text = wide ? std::wstring(reinterpret_cast<const wchar_t*>(find.psz)) : Widen(find.psz);
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    if (start < 0 || start >= count)
        start = 0;
    for (int step = 0; step < count; ++step) {
        int row = start + step;
        if (row >= count) {
            if (!(find.flags & LVFI_WRAP))
                break;
            row -= count;
        }
        ShortcutRecord s;
        if (store_.GetShortcutAt(IndexAt(row), s) && NameMatches(Widen(s.name ? s.name : ""), text, partial))
            return row;
    }
    return -1;
}

bool ShortcutListModel::OnNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case LVN_GETDISPINFOA:
            AnswerDisplayInfo(header.hwndFrom,
                              const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)));
            result = 0;
            return true;
        case LVN_ODFINDITEMA:
        case LVN_ODFINDITEMW: {
            const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
            result = FindRow(find.lvfi, find.iStart, header.code == LVN_ODFINDITEMW);
            return true;
        }
        case LVN_DELETEITEM:
            rows_.Erase(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
            result = 0;
            return true;
        case LVN_DELETEALLITEMS:
            rows_.Clear();
            result = TRUE;  // no LVN_DELETEITEM for each row
            return true;
        default:
            return false;
    }
}

}  // namespace brindle

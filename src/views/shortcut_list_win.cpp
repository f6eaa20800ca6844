#include "views/shortcut_list_win.h"

#include <string>

#include "store/settings_store.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

void SetColumnText(HWND list, int item, int column, const char* text) {
    LVITEMA data{};
    data.iSubItem = column;
    data.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&data));
}

struct SortContext {
    const SettingsStore* store;
    int column;
};

int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    ShortcutRecord first, second;
    sort.store->GetShortcutAt(static_cast<int>(a), first);
    sort.store->GetShortcutAt(static_cast<int>(b), second);
    return views::CompareShortcuts(first, second, sort.column);
}

}  // namespace

void FillListItem(HWND list, int item, int index, const ShortcutRecord& s, int image, int overlay) {
    const char* columns[] = {s.name, s.commandLine, s.icon, s.workFolder, nullptr, s.comment};
    const std::string showType = views::ShowTypeText(s.showType);
    if (s.showType != -1) columns[4] = showType.c_str();
    for (int column = 0; column < 6; ++column) {
        if (columns[column]) SetColumnText(list, item, column, columns[column]);
    }
    LVITEMA data{};
    data.mask = LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
    data.iItem = item;
    data.lParam = index;
    data.iImage = image;
    data.state = INDEXTOOVERLAYMASK(overlay);
    data.stateMask = LVIS_OVERLAYMASK;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
}

void ApplyColumnRule(HWND list, bool& columnsInserted) {
    if (!columnsInserted) {
        static const char* const titles[] = {"表示名", "ﾘﾝｸ先(ｺﾏﾝﾄﾞﾗｲﾝ)", "読込ｱｲｺﾝ", "作業ﾌｫﾙﾀﾞ", "実行時の大きさ", "ｺﾒﾝﾄ"};
        for (int i = 0; i < 6; ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
            column.fmt = LVCFMT_LEFT;
            column.pszText = const_cast<char*>(titles[i]);
            column.iSubItem = i;
            ListView_InsertColumn(list, i, &column);
        }
        columnsInserted = true;
    }
    const int width = ListView_GetItemCount(list) > 0 ? LVSCW_AUTOSIZE : LVSCW_AUTOSIZE_USEHEADER;
    for (int i = 0; i < 6; ++i) ListView_SetColumnWidth(list, i, width);
}

void SortListByColumn(HWND list, const SettingsStore& store, int column) {
    SortContext context{&store, column};
    ListView_SortItems(list, CompareItems, reinterpret_cast<LPARAM>(&context));
}

bool RenameShortcut(SettingsStore& store, HWND list, const NMLVDISPINFOA& info) {
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText) {
        return false;  // the edit was cancelled
    }
    LVITEMA data{};
    data.mask = LVIF_PARAM;
    data.iItem = info.item.iItem;
    if (!ListView_GetItem(list, &data)) return false;
    const int index = static_cast<int>(data.lParam);
    if (!views::ShortcutNameAllowed(info.item.pszText)) {
        return false;
    }
    ShortcutRecord s;
    if (!store.GetShortcutAt(index, s)) return false;
    return store.ReplaceShortcutAt(index, info.item.pszText, s.commandLine, s.icon, s.workFolder, s.showType,
                                   s.pageId, s.readIcon, s.check, s.comment);
}

}  // namespace brindle

// The two views of the main window under Wine, each against the bare controls doing what the view shows,
// measured alternately in one run:
//   - refill of the shortcut list for a page of 1,000 shortcuts (icons and existence checks off), in
//     report view and in list view, against a bare list view of the same size, font and image list
//     given the same items with the same six texts, the columns sized the same way (report view) or
//     the items arranged (list view);
//   - build of the page tree from 2,000 pages (clear and build) against a bare tree view given the same
//     items under the same parents and a bare combo box given the same 2,000 path texts in the order
//     the program's build puts them.
//   - a page switch between two pages of 1,000 shortcuts each (chosen in the page combo: the tree's
//     caret moves and the list is refilled) against the bare tree's caret moved and the bare list given
//     the other page's items, columns sized the same way.
//   views_bench FOLDER [RUNS]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../main_window_idle.h"
#include "../silent_messages.h"
#include "../win_timing.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace {

using bench::Median;
using bench::Now;
using bench::SilentMessages;

// The title of a header's column.
std::string HeaderTitle(HWND header, int index) {
    char title[64] = "";
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    Header_GetItem(header, index, &item);
    return title;
}

using brindle::MainDialog;
using brindle::SettingsStore;

constexpr int kShortcuts = 1000;
constexpr int kPages = 2000;
constexpr int kTopPages = 100;

std::string PageName(int p) {
    return "ページ" + std::to_string(p);
}
std::string ShortcutName(int s) {
    return "ショートカット" + std::to_string(s);
}
int ParentOf(int p) {
    return p < kTopPages ? -1 : p % kTopPages;
}

// Page 0 holds the 1,000 shortcuts; the other pages are empty. With `secondPage`, page 1 holds 1,000
// more, named from 1,000 on.
void WriteSettings(const std::string& path, bool secondPage = false) {
    SilentMessages messages;
    SettingsStore store(messages, path);
    for (int p = 0; p < kPages; ++p) {
        const std::string name = PageName(p);
        brindle::PageRecord page;
        page.name = name.c_str();
        page.id = p;
        page.parentId = ParentOf(p);
        store.AddPage(page);
    }
    for (int s = 0; s < kShortcuts; ++s) {
        const std::string n = std::to_string(s);
        store.AddShortcut(ShortcutName(s).c_str(), ("C:\\windows\\notepad.exe " + n).c_str(), nullptr, nullptr, 0, 0, 0,
                          0, ("コメント" + n).c_str());
    }
    for (int s = kShortcuts; secondPage && s < 2 * kShortcuts; ++s) {
        const std::string n = std::to_string(s);
        store.AddShortcut(ShortcutName(s).c_str(), ("C:\\windows\\notepad.exe " + n).c_str(), nullptr, nullptr, 0, 1, 0,
                          0, ("コメント" + n).c_str());
    }
    brindle::Preferences prefs;
    store.GetPreferences(prefs);
    prefs.Page = 0;
    prefs.ListStyle = 1;  // report view: the most work per item
    prefs.iChkLoadIcon = 1;
    store.SetPreferencesAndSave(prefs);
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The texts of one shortcut's six columns, as the program shows them.
struct Row {
    std::string name, commandLine, showType, comment;
};

Row RowOf(int s) {
    const std::string n = std::to_string(s);
    return {ShortcutName(s), "C:\\windows\\notepad.exe " + n, "通常", "コメント" + n};
}

// A bare list view, tree view and combo box in a visible window of their own, of the program's sizes,
// styles, font and image lists, doing what the program's views show without the program: the same
// items and texts, the same column sizing, the same entries in the combo.
struct BareControls {
    HWND frame, list, tree, combo;
    BareControls(HWND programList, HWND programTree, HWND programCombo) {
        RECT listSize, treeSize;
        GetClientRect(programList, &listSize);
        GetClientRect(programTree, &treeSize);
        frame = CreateWindowExA(0, "STATIC", "bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200, 700, nullptr,
                                nullptr, nullptr, nullptr);
        list = CreateWindowExA(
            0, WC_LISTVIEWA, "",
            WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
            treeSize.right + 4, 30, listSize.right, listSize.bottom, frame, nullptr, nullptr, nullptr);
        ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        ListView_SetImageList(list, ListView_GetImageList(programList, LVSIL_SMALL), LVSIL_SMALL);
        ListView_SetImageList(list, ListView_GetImageList(programList, LVSIL_NORMAL), LVSIL_NORMAL);
        const HWND header = ListView_GetHeader(programList);
        for (int i = 0; i < 6; ++i) {
            std::string title = HeaderTitle(header, i);
            LVCOLUMNA column{};
            column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
            column.pszText = title.data();
            column.iSubItem = i;
            ListView_InsertColumn(list, i, &column);
        }
        tree = CreateWindowExA(0, WC_TREEVIEWA, "",
                               WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT |
                                   TVS_SHOWSELALWAYS | TVS_FULLROWSELECT,
                               0, 0, treeSize.right, treeSize.bottom, frame, nullptr, nullptr, nullptr);
        TreeView_SetImageList(tree, TreeView_GetImageList(programTree, TVSIL_NORMAL), TVSIL_NORMAL);
        combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                                treeSize.right + 4, 0, listSize.right, 300, frame, nullptr, nullptr, nullptr);
        const WPARAM font = SendMessageA(programList, WM_GETFONT, 0, 0);
        for (HWND control : {list, tree, combo})
            SendMessageA(control, WM_SETFONT, font, FALSE);
        (void)programCombo;
    }
    ~BareControls() { DestroyWindow(frame); }

    // The same items with the same six texts and image, then each column sized to its cells, or to its
    // title where the cells are narrower (report view); arranged (other views).
    void FillList(const std::vector<Row>& rows, DWORD view) {
        SetWindowLongA(list, GWL_STYLE, (GetWindowLongA(list, GWL_STYLE) & ~LVS_TYPEMASK) | view);
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(list);
        for (size_t i = 0; i < rows.size(); ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<char*>(rows[i].name.c_str());
            item.lParam = static_cast<LPARAM>(i);
            item.iImage = 2;
            const int at = ListView_InsertItem(list, &item);
            ListView_SetItemText(list, at, 1, const_cast<char*>(rows[i].commandLine.c_str()));
            ListView_SetItemText(list, at, 4, const_cast<char*>(rows[i].showType.c_str()));
            ListView_SetItemText(list, at, 5, const_cast<char*>(rows[i].comment.c_str()));
        }
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        if (view != LVS_REPORT) {
            ListView_Arrange(list, LVA_DEFAULT);
            return;
        }
        HWND header = ListView_GetHeader(list);
        for (int i = 0; i < 6; ++i) {
            ListView_SetColumnWidth(list, i, LVSCW_AUTOSIZE);
            const int cells = ListView_GetColumnWidth(list, i);
            // The header's own width for the title, where the cells are narrower (as the program does).
            if (cells < ListView_GetStringWidth(list, HeaderTitle(header, i).c_str()))
                ListView_SetColumnWidth(list, i, LVSCW_AUTOSIZE_USEHEADER);
        }
    }

    // The same items under the same parents, and the combo with the same path texts in their order.
    void FillTree(const std::vector<std::string>& names, const std::vector<std::string>& sortedPaths) {
        SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
        TreeView_DeleteItem(tree, TVI_ROOT);
        std::vector<HTREEITEM> items(names.size());
        for (size_t p = 0; p < names.size(); ++p) {
            TVINSERTSTRUCTA insert{};
            const int parent = ParentOf(static_cast<int>(p));
            insert.hParent = parent < 0 ? TVI_ROOT : items[parent];
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            insert.item.pszText = const_cast<char*>(names[p].c_str());
            insert.item.lParam = static_cast<LPARAM>(p);
            insert.item.iImage = 0;
            insert.item.iSelectedImage = 1;
            items[p] = TreeView_InsertItem(tree, &insert);
        }
        SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        SendMessageA(combo, CB_INITSTORAGE, sortedPaths.size(), 0);
        for (size_t i = 0; i < sortedPaths.size(); ++i) {
            const LRESULT at = SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(sortedPaths[i].c_str()));
            SendMessageA(combo, CB_SETITEMDATA, at, static_cast<LPARAM>(i));
        }
        SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
        SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree, nullptr, TRUE);
        TreeView_SelectItem(tree, items[0]);
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
    }
};

void Report(const char* what, double measured, double floor) {
    std::printf("%-34s %10.2fms %10.2fms %8.2f %5.1fx %s\n", what, measured, floor, measured / floor, 1.5,
                measured / floor <= 1.5 ? "met" : "MISSED");
}

// The combo entry whose item data is the tree entry of page `pageId`.
int ComboEntryOfPage(MainDialog& dialog, int32_t pageId) {
    const int entry = dialog.Pages().EntryOfPage(pageId);
    return entry < 0 ? -1 : dialog.Pages().ComboIndexOf(entry);
}

// Page 0 and page 1, 1,000 shortcuts each, shown in turn by a choice in the page combo, as a user makes
// it, against the bare controls doing what the user sees change: the tree's caret and the list's items.
// Returns false when the program's views do not show what was measured.
bool MeasurePageSwitch(const std::string& settings, int runs, double& measured, double& floor) {
    WriteSettings(settings, true);
    SilentMessages messages;
    SettingsStore store(messages, settings);
    if (!store.Load())
        return false;
    MainDialog dialog(store, messages, MainDialog::Options{});
    if (!dialog.Create(nullptr))
        return false;
    ShowWindow(dialog.Hwnd(), SW_SHOW);
    Pump();
    if (!bench::WaitForIdleWork(dialog))
        return false;
    BareControls bare(dialog.Item(IDC_LIST), dialog.Item(IDC_TREE), dialog.Item(IDC_PAGE_COMBO));
    std::vector<std::string> names;
    for (int p = 0; p < kPages; ++p)
        names.push_back(PageName(p));
    std::vector<std::string> paths(names.begin(), names.end());
    bare.FillTree(names, paths);
    std::vector<Row> pageRows[2];
    for (int s = 0; s < 2 * kShortcuts; ++s)
        pageRows[s / kShortcuts].push_back(RowOf(s));
    HWND combo = dialog.Item(IDC_PAGE_COMBO);
    const int comboOf[2] = {ComboEntryOfPage(dialog, 0), ComboEntryOfPage(dialog, 1)};
    if (comboOf[0] < 0 || comboOf[1] < 0)
        return false;
    Pump();

    // Pages 0 and 1 are the first two top-level items of the bare tree.
    HTREEITEM first = TreeView_GetRoot(bare.tree), second = TreeView_GetNextSibling(bare.tree, first);
    std::vector<double> switches, floors;
    for (int i = 0; i < 2 * runs; ++i) {
        const int page = (i + 1) % 2;  // page 0 is shown first
        double start = Now();
        TreeView_SelectItem(bare.tree, page ? second : first);
        bare.FillList(pageRows[page], LVS_REPORT);
        UpdateWindow(bare.tree);
        UpdateWindow(bare.list);
        floors.push_back(Now() - start);

        start = Now();
        SendMessageA(combo, CB_SETCURSEL, comboOf[page], 0);
        SendMessageA(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PAGE_COMBO, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(combo));
        UpdateWindow(dialog.Item(IDC_TREE));
        UpdateWindow(dialog.Item(IDC_LIST));
        switches.push_back(Now() - start);
        Pump();

        char first[64] = "";
        ListView_GetItemText(dialog.Item(IDC_LIST), 0, 0, first, sizeof first);
        if (ListView_GetItemCount(dialog.Item(IDC_LIST)) != kShortcuts || pageRows[page][0].name != first)
            return false;
    }
    dialog.Destroy();
    measured = Median(switches);
    floor = Median(floors);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: views_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string settings = std::string(argv[1]) + "\\views-bench.INI";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 11;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WriteSettings(settings);

    SilentMessages messages;
    SettingsStore store(messages, settings);
    if (!store.Load())
        return 1;
    MainDialog dialog(store, messages, MainDialog::Options{});
    if (!dialog.Create(nullptr)) {
        std::fprintf(stderr, "views_bench: the main window did not come up\n");
        return 1;
    }
    ShowWindow(dialog.Hwnd(), SW_SHOW);
    Pump();
    if (!bench::WaitForIdleWork(dialog)) {
        std::fprintf(stderr, "views_bench: the main window's work once idle did not end\n");
        return 1;
    }
    BareControls bare(dialog.Item(IDC_LIST), dialog.Item(IDC_TREE), dialog.Item(IDC_PAGE_COMBO));
    Pump();

    std::vector<Row> rows;
    for (int s = 0; s < kShortcuts; ++s)
        rows.push_back(RowOf(s));
    std::vector<std::string> pageNames;
    for (int p = 0; p < kPages; ++p)
        pageNames.push_back(PageName(p));
    // The combo's entries as the program's build leaves them: its order is the floor's starting point.
    std::vector<std::string> sortedPaths;
    HWND combo = dialog.Item(IDC_PAGE_COMBO);
    for (int i = 0; i < static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)); ++i) {
        char path[256] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(path));
        sortedPaths.push_back(path);
    }

    std::vector<double> refill, listFloor, build, treeFloor;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        bare.FillList(rows, LVS_REPORT);
        UpdateWindow(bare.list);
        listFloor.push_back(Now() - start);

        start = Now();
        dialog.RefillList();
        UpdateWindow(dialog.Item(IDC_LIST));
        refill.push_back(Now() - start);

        start = Now();
        bare.FillTree(pageNames, sortedPaths);
        UpdateWindow(bare.tree);
        treeFloor.push_back(Now() - start);

        start = Now();
        dialog.ClearTree();
        dialog.BuildTree();
        UpdateWindow(dialog.Item(IDC_TREE));
        build.push_back(Now() - start);
        Pump();
    }
    // The same refill in list view, where the columns are not sized (they exist in report view only).
    SendMessageA(dialog.Hwnd(), WM_COMMAND, ID_VIEW_LIST, 0);
    std::vector<double> refillListView, listViewFloor;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        bare.FillList(rows, LVS_LIST);
        UpdateWindow(bare.list);
        listViewFloor.push_back(Now() - start);

        start = Now();
        dialog.RefillList();
        UpdateWindow(dialog.Item(IDC_LIST));
        refillListView.push_back(Now() - start);
    }
    if (ListView_GetItemCount(dialog.Item(IDC_LIST)) != kShortcuts ||
        TreeView_GetCount(dialog.Item(IDC_TREE)) != static_cast<UINT>(kPages) ||
        static_cast<int>(sortedPaths.size()) != kPages) {
        std::fprintf(stderr, "views_bench: the views do not hold what was measured\n");
        return 1;
    }
    dialog.Destroy();
    double pageSwitch = 0, pageSwitchFloor = 0;
    if (!MeasurePageSwitch(std::string(argv[1]) + "\\views-bench-switch.INI", runs, pageSwitch, pageSwitchFloor)) {
        std::fprintf(stderr, "views_bench: the page switch did not show the other page\n");
        return 1;
    }
    std::printf("views under Wine, median of %d runs\n", runs);
    std::printf("%-34s %12s %12s %8s %6s\n", "ratio", "measured", "floor", "ratio", "goal");
    Report("refill list, 1,000 shortcuts", Median(refill), Median(listFloor));
    Report("  the same in list view", Median(refillListView), Median(listViewFloor));
    Report("build tree, 2,000 pages", Median(build), Median(treeFloor));
    Report("page switch, 2 x 1,000 shortcuts", pageSwitch, pageSwitchFloor);
    return 0;
}

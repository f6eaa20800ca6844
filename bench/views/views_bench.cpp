// The two views of the main window under Wine, each against the bare control doing the same inserts,
// measured alternately in one run:
//   - refill of the shortcut list for a page of 1,000 shortcuts (icons and existence checks off), in
//     report view and in list view, against inserting the same 1,000 names into a bare list view;
//   - build of the page tree from 2,000 pages (clear and build) against inserting the same 2,000
//     items, under the same parents, into a bare tree view.
//   views_bench FOLDER [RUNS]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace {

using brindle::MainDialog;
using brindle::SettingsStore;

class SilentMessages : public brindle::Messages {
public:
    int Show(const std::string&, unsigned) override { return 1; }
    void RequestQuit(int) override {}
};

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

// Page 0 holds the 1,000 shortcuts; the other pages are empty.
void WriteSettings(const std::string& path) {
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

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// A bare list view and tree view in a visible window of their own, styled as the program's.
struct BareControls {
    HWND frame, list, tree;
    BareControls() {
        frame = CreateWindowExA(0, "STATIC", "bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 480, nullptr, nullptr,
                                nullptr, nullptr);
        list = CreateWindowExA(0, WC_LISTVIEWA, "",
                               WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 200,
                               0, 480, 440, frame, nullptr, nullptr, nullptr);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>("name");
        column.cx = 200;
        ListView_InsertColumn(list, 0, &column);
        tree = CreateWindowExA(0, WC_TREEVIEWA, "",
                               WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT |
                                   TVS_SHOWSELALWAYS | TVS_FULLROWSELECT,
                               0, 0, 200, 440, frame, nullptr, nullptr, nullptr);
    }
    ~BareControls() { DestroyWindow(frame); }

    void FillList(const std::vector<std::string>& names) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(list);
        for (size_t i = 0; i < names.size(); ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<char*>(names[i].c_str());
            ListView_InsertItem(list, &item);
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }

    void FillTree(const std::vector<std::string>& names) {
        SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
        TreeView_DeleteItem(tree, TVI_ROOT);
        std::vector<HTREEITEM> items(names.size());
        for (size_t p = 0; p < names.size(); ++p) {
            TVINSERTSTRUCTA insert{};
            const int parent = ParentOf(static_cast<int>(p));
            insert.hParent = parent < 0 ? TVI_ROOT : items[parent];
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT;
            insert.item.pszText = const_cast<char*>(names[p].c_str());
            items[p] = TreeView_InsertItem(tree, &insert);
        }
        SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree, nullptr, TRUE);
    }
};

void Report(const char* what, double measured, double floor) {
    std::printf("%-34s %10.2fms %10.2fms %8.2f %5.1fx %s\n", what, measured, floor, measured / floor, 1.5,
                measured / floor <= 1.5 ? "met" : "MISSED");
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
    BareControls bare;
    Pump();

    std::vector<std::string> shortcutNames, pageNames;
    for (int s = 0; s < kShortcuts; ++s)
        shortcutNames.push_back(ShortcutName(s));
    for (int p = 0; p < kPages; ++p)
        pageNames.push_back(PageName(p));

    std::vector<double> refill, listFloor, build, treeFloor;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        bare.FillList(shortcutNames);
        UpdateWindow(bare.list);
        listFloor.push_back(Now() - start);

        start = Now();
        dialog.RefillList();
        UpdateWindow(dialog.Item(IDC_LIST));
        refill.push_back(Now() - start);

        start = Now();
        bare.FillTree(pageNames);
        UpdateWindow(bare.tree);
        treeFloor.push_back(Now() - start);

        start = Now();
        dialog.ClearTree();
        dialog.BuildTree();
        UpdateWindow(dialog.Item(IDC_TREE));
        build.push_back(Now() - start);
        Pump();
    }
    // The same refill in list view, where the six columns are not sized (they exist in report view only).
    SendMessageA(dialog.Hwnd(), WM_COMMAND, ID_VIEW_LIST, 0);
    std::vector<double> refillListView;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        dialog.RefillList();
        UpdateWindow(dialog.Item(IDC_LIST));
        refillListView.push_back(Now() - start);
    }
    if (ListView_GetItemCount(dialog.Item(IDC_LIST)) != kShortcuts ||
        TreeView_GetCount(dialog.Item(IDC_TREE)) != static_cast<UINT>(kPages)) {
        std::fprintf(stderr, "views_bench: the views do not hold what was measured\n");
        return 1;
    }
    std::printf("views under Wine, median of %d runs\n", runs);
    std::printf("%-34s %12s %12s %8s %6s\n", "ratio", "measured", "floor", "ratio", "goal");
    Report("refill list, 1,000 shortcuts", Median(refill), Median(listFloor));
    Report("  the same in list view", Median(refillListView), Median(listFloor));
    Report("build tree, 2,000 pages", Median(build), Median(treeFloor));
    dialog.Destroy();
    return 0;
}

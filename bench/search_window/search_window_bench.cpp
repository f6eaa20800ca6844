// The search window under Wine: from its hot key to the painted window, over 16,383 shortcuts (a third
// of them Japanese) with the previous text "me" in its edit box, so the list paints found rows. The floor
// is a bare dialog of the same template shown the same way (shown, brought to the front, the keyboard
// in its edit box, painted with its children), measured alternately in one run. Its list holds as many
// rows as the search finds, without a column to draw them in: it paints the same vertical scroll bar, which
// under Wine costs about twice the rest of the bare dialog's paint. The same dialog with an empty list, and
// the openings that follow a change of the store (a launch, which ranks the shortcuts anew), are printed
// beside it for reference.
//   search_window_bench [RUNS]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../main_window_idle.h"
#include "../silent_messages.h"
#include "../win_timing.h"
#include "mainwnd/hot_keys.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace {

using bench::Median;
using bench::Now;
using bench::SilentMessages;

constexpr double kGoal = 1.2;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

INT_PTR CALLBACK BareProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// Shown as the program shows the search window, then painted with every child.
void ShowAndPaint(HWND window, HWND edit) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Fill(brindle::SettingsStore& store) {
    const char* const latin[] = {"note", "pad", "visual", "studio", "code", "mail", "memo", "media", "player"};
    const char* const japanese[] = {"メモ", "帳", "秀丸", "エディタ", "ファイル", "管理", "画像", "設定", "電卓"};
    for (int p = 0; p < 200; ++p) {
        const std::string name = "ページ" + std::to_string(p);
        brindle::PageRecord page;
        page.name = name.c_str();
        page.id = p;
        page.parentId = p < 10 ? -1 : p / 10 - 1;
        store.AddPage(page);
    }
    for (int s = 0; s < 16383; ++s) {
        std::string name;
        for (int piece = 0; piece <= s % 5; ++piece) {
            name += s % 3 == 0 ? japanese[(s / 3 + piece * 7) % std::size(japanese)]
                               : latin[(s + piece * 5) % std::size(latin)];
            if (s % 3)
                name += ' ';
        }
        name += std::to_string(s);
        store.AddShortcut(name.c_str(), "C:\\tools\\app.exe", nullptr, nullptr, 0, s % 200, 0, 1, nullptr);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    SilentMessages messages;
    brindle::SettingsStore store(messages, "unused.ini");
    Fill(store);
    brindle::MainDialog::Options options;
    options.instanceName = "INI.search_window_bench";
    brindle::MainDialog dialog(store, messages, options);
    if (!dialog.Create(nullptr)) {
        std::fprintf(stderr, "search_window_bench: the main window did not come up\n");
        return 1;
    }
    ShowWindow(dialog.Hwnd(), SW_SHOW);
    bench::WaitForIdleWork(dialog);
    HWND search = dialog.SearchWindow();
    if (!search) {
        std::fprintf(stderr, "search_window_bench: the search window did not come up\n");
        return 1;
    }
    SetDlgItemTextA(search, IDC_SEARCH_TEXT, "me");  // the previous text, found again when it opens
    // The first opening reads the store; the openings after a change are measured below.
    SendMessageA(dialog.Hwnd(), WM_HOTKEY, brindle::kHotKeySearch, 0);
    ShowWindow(search, SW_HIDE);
    Pump();
    const int found = ListView_GetItemCount(GetDlgItem(search, IDC_SEARCH_RESULTS));
    HWND bare = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SEARCH), nullptr, BareProc, 0);
    HWND empty = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SEARCH), nullptr, BareProc, 0);
    if (!bare || !empty) {
        std::fprintf(stderr, "search_window_bench: the bare dialog did not come up\n");
        return 1;
    }
    ListView_SetItemCountEx(GetDlgItem(bare, IDC_SEARCH_RESULTS), found, 0);
    Pump();

    std::vector<double> measured, floor, emptyFloor, changed;
    auto timeBare = [](HWND window, std::vector<double>& into) {
        const double start = Now();
        ShowAndPaint(window, GetDlgItem(window, IDC_SEARCH_TEXT));
        into.push_back(Now() - start);
        ShowWindow(window, SW_HIDE);
        Pump();
    };
    auto timeSearch = [&](std::vector<double>& into) {
        const double start = Now();
        SendMessageA(dialog.Hwnd(), WM_HOTKEY, brindle::kHotKeySearch, 0);
        RedrawWindow(search, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        into.push_back(Now() - start);
        ShowWindow(search, SW_HIDE);
        Pump();
    };
    for (int i = 0; i < runs; ++i) {
        timeBare(bare, floor);
        timeSearch(measured);
        timeBare(empty, emptyFloor);
        store.NoteLaunch(i * 97 % 16383, 1700000000 + i);
        timeSearch(changed);
    }
    const double m = Median(measured), f = Median(floor), e = Median(emptyFloor), c = Median(changed);
    std::printf("search window from its hot key to painted, 16,383 shortcuts, %d found, median of %d runs\n", found,
                runs);
    std::printf("%-34s %12s %12s %8s %6s\n", "ratio", "measured", "floor", "ratio", "goal");
    std::printf("%-34s %10.2fms %10.2fms %8.2f %5.1fx %s\n", "hot key to painted search window", m, f, m / f, kGoal,
                m / f <= kGoal ? "met" : "MISSED");
    std::printf("%-34s %10.2fms %10.2fms %8.2f (for reference)\n", "  the same, floor with empty list", m, e, m / e);
    std::printf("%-34s %10.2fms %10.2fms %8.2f (for reference)\n", "  after a launch changed the store", c, f, c / f);
    DestroyWindow(empty);
    DestroyWindow(bare);
    return 0;
}

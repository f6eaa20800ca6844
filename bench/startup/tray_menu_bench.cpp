// Building the tray menu of 16,383 shortcuts on 1,000 pages (icons off) against the floor of appending
// the same number of owner-drawn items to bare menus, measured alternately in one run. (That build and
// discard release every object is tested in tray_menu_win_test.cpp.)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../silent_messages.h"
#include "../win_timing.h"
#include "launch/system_win.h"
#include "store/settings_store.h"
#include "traymenu/tray_menu_win.h"
#include "ui/messages.h"

namespace {

using bench::Median;
using bench::Now;
using bench::SilentMessages;

class PlainHost : public brindle::TrayMenuHost {
public:
    void BeginBuild() override {}
    void Progress(const std::string&) override {}
    void EndBuild() override {}
    void PageImages(int, int& image, int& selected) override { image = 0, selected = 1; }
    int IconCacheIndex(const brindle::ShortcutRecord&) override { return -1; }
    std::vector<HICON> CachedSmallIcons() override { return {}; }
    void ClearIconCache() override {}
};

// The floor: 1,000 submenus under a root and 16,383 owner-drawn items spread over them.
double BareMenus() {
    const double start = Now();
    HMENU root = CreatePopupMenu();
    std::vector<HMENU> pages;
    for (int p = 0; p < 1000; ++p) {
        pages.push_back(CreateMenu());
        AppendMenuA(root, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(pages.back()),
                    reinterpret_cast<LPCSTR>(static_cast<LONG_PTR>(p)));
    }
    for (int s = 0; s < 16383; ++s) {
        AppendMenuA(pages[s % 1000], MF_OWNERDRAW, 16384 + s,
                    reinterpret_cast<LPCSTR>(static_cast<LONG_PTR>(1000 + s)));
    }
    const double elapsed = Now() - start;
    DestroyMenu(root);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    SilentMessages messages;
    brindle::SettingsStore store(messages, "unused.ini");
    for (int p = 0; p < 1000; ++p) {
        std::string name = "ページ" + std::to_string(p);
        brindle::PageRecord page;
        page.name = name.c_str();
        page.id = p;
        page.parentId = p < 20 ? -1 : p / 20 - 1;
        store.AddPage(page);
    }
    for (int s = 0; s < 16383; ++s) {
        store.AddShortcut(("ショートカット" + std::to_string(s)).c_str(), "C:\\tools\\app.exe /x", nullptr, nullptr, 0,
                          s % 1000, 0, 0, nullptr);
    }
    brindle::WinSystem system;
    PlainHost host;
    brindle::TrayMenu menu;

    std::vector<double> measured, floor;
    for (int i = 0; i < runs; ++i) {
        floor.push_back(BareMenus());
        HMENU root = CreatePopupMenu();
        const double start = Now();
        menu.Build(root, store, system, messages, host);
        measured.push_back(Now() - start);
        menu.Discard();
        DestroyMenu(root);
    }
    const double m = Median(measured), f = Median(floor);
    std::printf("tray menu build, 16,383 shortcuts on 1,000 pages, icons off, median of %d runs\n", runs);
    std::printf("%-22s %12s %12s %8s %6s\n", "ratio", "measured", "floor", "ratio", "goal");
    std::printf("%-22s %10.1fms %10.1fms %8.2f %5.1fx %s\n", "tray menu build", m, f, m / f, 1.5,
                m / f <= 1.5 ? "met" : "MISSED");
    return 0;
}

// Start-up time of brindle.exe, from process start until its main window is shown and idle
// (WaitForInputIdle), against a bare dialog program built the same way, measured alternately in one run:
// Wine sets a process idle the first time any of its threads waits for a message with an empty queue.
// The bare dialog's one thread does that after its first paint; brindle.exe fills its tree and list
// before its first paint and starts its other thread (the keyboard hook's) by a timer that fires once
// its window has waited for input, so both figures end after the first paint of what the user sees.
// with 1,000 shortcuts on 50 pages and with 16,383 shortcuts on 2,000 pages. Then the memory of both
// programs once idle (1,000 shortcuts): resident (working set) and private bytes.
// With BARE_MAIN.exe (the main window's template shown with its controls empty), also its start-up:
// the part of the figure that is the platform's making and showing of those controls.
// With BARE_FILLED.exe (that template showing the same content as brindle.exe, made by the platform's
// calls alone), also its start-up on both sizes: the platform's part of the picture, and brindle.exe
// against it.
//   startup_bench BRINDLE.exe BARE.exe FOLDER [RUNS [BARE_MAIN.exe [BARE_FILLED.exe]]]
// FOLDER receives the two settings files.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../silent_messages.h"
#include "../win_timing.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace {

using bench::Median;
using bench::SilentMessages;

// `shortcuts` shortcuts spread over `pages` pages; the first ten pages are at the top, the others under
// them.
void WriteSettings(const std::string& path, int pages, int shortcuts) {
    SilentMessages messages;
    brindle::SettingsStore store(messages, path);
    for (int p = 0; p < pages; ++p) {
        std::string name = "ページ" + std::to_string(p);
        brindle::PageRecord page;
        page.name = name.c_str();
        page.id = p;
        page.parentId = p < 10 ? -1 : p % 10;
        store.AddPage(page);
    }
    for (int s = 0; s < shortcuts; ++s) {
        std::string n = std::to_string(s);
        store.AddShortcut(("ショートカット" + n).c_str(), ("C:\\windows\\notepad.exe " + n).c_str(), nullptr, nullptr,
                          0, s % pages, 0, 0, ("コメント" + n).c_str());
    }
    store.Save();
}

struct DialogSearch {
    DWORD id;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    DWORD owner = 0;
    char name[16] = "";
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, name, sizeof name);
    if (owner != search->id || !IsWindowVisible(window) || std::string(name) != "#32770")
        return TRUE;
    search->found = window;
    return FALSE;
}

// The visible dialog of process `id`, or null.
HWND DialogOf(DWORD id) {
    DialogSearch search{id, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits until the program's list shows its items. The list answers only from its thread's message loop,
// so the count also waits for any work then under way (the search window is made once idle).
bool WaitForFilledList(DWORD id) {
    for (int i = 0; i < 10000; ++i) {
        HWND dialog = DialogOf(id);
        HWND list = dialog ? FindWindowExA(dialog, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
        DWORD_PTR count = 0;
        if (list && SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 30000, &count) && count > 0)
            return true;
        Sleep(1);
    }
    return false;
}

struct Memory {
    double residentMb = 0, privateMb = 0;
};

// Milliseconds from CreateProcess until the program's window is up and idle; -1 on failure. With
// `memory`, the program's memory is read once it has been idle for a while.
// With `filled`, also the milliseconds until its list shows its items (see WaitForFilledList).
double TimeStart(const std::string& program,
                 const std::string& arguments,
                 Memory* memory = nullptr,
                 double* filled = nullptr) {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    DWORD waited = WaitForInputIdle(process.hProcess, 30000);
    QueryPerformanceCounter(&end);
    if (filled && waited == 0) {
        LARGE_INTEGER full;
        const bool shown = WaitForFilledList(process.dwProcessId);
        QueryPerformanceCounter(&full);
        *filled = shown ? 1000.0 * static_cast<double>(full.QuadPart - begin.QuadPart) /
                              static_cast<double>(frequency.QuadPart)
                        : -1;
    }
    if (memory && waited == 0) {
        // Whatever the program does once idle (timers, deferred work) has its time to run.
        Sleep(1500);
        WaitForInputIdle(process.hProcess, 30000);
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                 sizeof counters)) {
            memory->residentMb = static_cast<double>(counters.WorkingSetSize) / (1 << 20);
            // Wine leaves PrivateUsage at 0 and gives the private (anonymous) memory as PagefileUsage.
            const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
            memory->privateMb = static_cast<double>(privateBytes) / (1 << 20);
        }
    }
    // The measurement is over: end the program without letting it save.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (waited != 0)
        return -1;
    return 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PrintRatio(const char* what, double measured, double floor, const char* unit, double goal) {
    std::printf("%-34s %10.1f%s %10.1f%s %8.2f %5.1fx %s\n", what, measured, unit, floor, unit, measured / floor, goal,
                measured / floor <= goal ? "met" : "MISSED");
}

struct Starts {
    double measured = 0, floor = 0, filled = 0, bareMain = 0, bareFilled = 0;
};

// A reference program and its command line; no program: not started.
struct Reference {
    std::string program, arguments;
};

// Start-ups of the bare dialog and of brindle.exe on `settings` (and of the references when named),
// alternately; false when one failed.
bool TimeStarts(const std::string& brindle,
                const std::string& bare,
                const Reference& bareMain,
                const Reference& bareFilled,
                const std::string& settings,
                int runs,
                Starts& starts) {
    std::vector<double> program, bareDialog, full, mainTemplate, sameContent;
    TimeStart(brindle, "\"" + settings + "\"");  // the first start on a file pays for reading it from the disk
    for (int i = 0; i < runs; ++i) {
        const double b = TimeStart(bare, "");
        double f = -1;
        const double m = TimeStart(brindle, "\"" + settings + "\"", nullptr, &f);
        const double t = bareMain.program.empty() ? 0 : TimeStart(bareMain.program, bareMain.arguments);
        const double c = bareFilled.program.empty() ? 0 : TimeStart(bareFilled.program, bareFilled.arguments);
        if (b < 0 || m < 0 || t < 0 || c < 0)
            return false;
        bareDialog.push_back(b);
        program.push_back(m);
        mainTemplate.push_back(t);
        sameContent.push_back(c);
        if (f >= 0)  // a list that did not answer in time leaves this run out of the second figure
            full.push_back(f);
    }
    starts.measured = Median(program);
    starts.filled = Median(full);
    starts.floor = Median(bareDialog);
    starts.bareMain = Median(mainTemplate);
    starts.bareFilled = Median(sameContent);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: startup_bench BRINDLE.exe BARE.exe FOLDER [RUNS [BARE_MAIN.exe [BARE_FILLED.exe]]]\n");
        return 2;
    }
    const std::string brindle = argv[1], bare = argv[2], folder = argv[3];
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 15;
    const std::string bareMain = argc > 5 ? argv[5] : "";
    const std::string bareFilled = argc > 6 ? argv[6] : "";
    const std::string settings = folder + "\\startup-bench.INI";
    const std::string large = folder + "\\startup-bench-large.INI";
    WriteSettings(settings, 50, 1000);
    WriteSettings(large, 2000, 16383);

    TimeStart(bare, "");  // the first start of anything pays for loading the system's libraries
    Starts small, big;
    // The filled template is given the settings' numbers of pages and shortcuts.
    const Reference noReference, mainTemplate{bareMain, ""};
    const Reference smallContent{bareFilled, bareFilled.empty() ? "" : "50 1000"};
    const Reference largeContent{bareFilled, bareFilled.empty() ? "" : "2000 16383"};
    if (!TimeStarts(brindle, bare, mainTemplate, smallContent, settings, runs, small) ||
        !TimeStarts(brindle, bare, noReference, largeContent, large, runs, big)) {
        std::fprintf(stderr, "startup_bench: a program did not come up\n");
        return 1;
    }
    // Memory once idle, the median of a few starts of each.
    std::vector<double> resident, residentFloor, privateBytes, privateFloor;
    for (int i = 0; i < 3; ++i) {
        Memory program, bareDialog;
        if (TimeStart(bare, "", &bareDialog) < 0 || TimeStart(brindle, "\"" + settings + "\"", &program) < 0) {
            std::fprintf(stderr, "startup_bench: a program did not come up\n");
            return 1;
        }
        resident.push_back(program.residentMb);
        privateBytes.push_back(program.privateMb);
        residentFloor.push_back(bareDialog.residentMb);
        privateFloor.push_back(bareDialog.privateMb);
    }

    std::printf("start-up to shown and idle, median of %d runs of each\n", runs);
    std::printf("%-34s %12s %12s %8s %6s\n", "ratio", "measured", "floor", "ratio", "goal");
    // Both idles follow the first paint; the rows below each start-up add what brindle.exe does right
    // after it, until its list answers (no goal of their own).
    auto printFilled = [](double filledMs, double floorMs) {
        if (filledMs <= 0) {
            std::printf("%-34s %12s\n", "  the same until the list is filled", "n/a");
            return;
        }
        std::printf("%-34s %10.1fms %10.1fms %8.2f   (no goal)\n", "  the same until the list is filled", filledMs,
                    floorMs, filledMs / floorMs);
    };
    PrintRatio("start-up, 1,000 on 50 pages", small.measured, small.floor, "ms", 1.5);
    printFilled(small.filled, small.floor);
    if (!bareMain.empty()) {
        std::printf("%-34s %10.1fms %10.1fms %8.2f   (no goal)\n", "  bare main template, no content", small.bareMain,
                    small.floor, small.bareMain / small.floor);
    }
    // The same content made by the platform's calls alone, against the bare dialog, and brindle.exe
    // against it.
    auto printSameContent = [&](const Starts& starts) {
        if (bareFilled.empty())
            return;
        std::printf("%-34s %10.1fms %10.1fms %8.2f   (no goal)\n", "  bare main template, same content",
                    starts.bareFilled, starts.floor, starts.bareFilled / starts.floor);
        std::printf("%-34s %10.1fms %10.1fms %8.2f   (no goal)\n", "  brindle against that", starts.measured,
                    starts.bareFilled, starts.measured / starts.bareFilled);
    };
    printSameContent(small);
    PrintRatio("start-up, 16,383 on 2,000 pages", big.measured, big.floor, "ms", 2.0);
    printFilled(big.filled, big.floor);
    printSameContent(big);
    PrintRatio("resident at idle, 1,000", Median(resident), Median(residentFloor), "MB", 1.3);
    std::printf("%-34s %10.1fMB %10.1fMB %8.2f   (no goal)\n", "  private bytes at idle", Median(privateBytes),
                Median(privateFloor), Median(privateBytes) / Median(privateFloor));
    return 0;
}

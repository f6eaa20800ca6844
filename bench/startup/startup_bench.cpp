// Start-up time of brindle.exe, from process start until its main window is shown and idle
// (WaitForInputIdle), against a bare dialog program built the same way, measured alternately in one run.
//   startup_bench BRINDLE.exe BARE.exe FOLDER [RUNS]
// FOLDER receives a settings file of 1,000 shortcuts on 50 pages.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "store/settings_store.h"
#include "ui/messages.h"

namespace {

class SilentMessages : public brindle::Messages {
public:
    int Show(const std::string&, unsigned) override { return 1; }
    void RequestQuit(int) override {}
};

void WriteSettings(const std::string& path) {
    SilentMessages messages;
    brindle::SettingsStore store(messages, path);
    for (int p = 0; p < 50; ++p) {
        std::string name = "ページ" + std::to_string(p);
        brindle::PageRecord page;
        page.name = name.c_str();
        page.id = p;
        page.parentId = p < 10 ? -1 : p % 10;
        store.AddPage(page);
    }
    for (int s = 0; s < 1000; ++s) {
        std::string n = std::to_string(s);
        store.AddShortcut(("ショートカット" + n).c_str(), ("C:\\windows\\notepad.exe " + n).c_str(), nullptr,
                          nullptr, 0, s % 50, 0, 0, ("コメント" + n).c_str());
    }
    store.Save();
}

// Milliseconds from CreateProcess until the program's window is up and idle; -1 on failure.
double TimeStart(const std::string& program, const std::string& arguments) {
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
    // The measurement is over: end the program without letting it save.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (waited != 0) return -1;
    return 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench BRINDLE.exe BARE.exe FOLDER [RUNS]\n");
        return 2;
    }
    const std::string brindle = argv[1], bare = argv[2], folder = argv[3];
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 15;
    const std::string settings = folder + "\\startup-bench.INI";
    WriteSettings(settings);

    std::vector<double> measured, floor;
    TimeStart(bare, "");  // the first start of anything pays for loading the system's libraries
    TimeStart(brindle, "\"" + settings + "\"");
    for (int i = 0; i < runs; ++i) {
        double b = TimeStart(bare, "");
        double m = TimeStart(brindle, "\"" + settings + "\"");
        if (b < 0 || m < 0) {
            std::fprintf(stderr, "startup_bench: a program did not come up\n");
            return 1;
        }
        floor.push_back(b);
        measured.push_back(m);
    }
    const double m = Median(measured), f = Median(floor);
    std::printf("start-up to shown and idle, median of %d runs (1,000 shortcuts on 50 pages)\n", runs);
    std::printf("%-22s %12s %12s %8s %6s\n", "ratio", "measured", "floor", "ratio", "goal");
    std::printf("%-22s %10.1fms %10.1fms %8.2f %5.1fx %s\n", "brindle.exe start-up", m, f, m / f, 1.5,
                m / f <= 1.5 ? "met" : "MISSED");
    return 0;
}

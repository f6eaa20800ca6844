// Load and Save of a large settings file against the bare cost of reading and writing its bytes.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"
#include "silent_messages.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace {

using bench::SilentMessages;

const std::string& BenchFolder() {
    static const std::string folder = [] {
        auto path = std::filesystem::temp_directory_path() / "brindle-bench";
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
}

// 2,000 pages and 16,383 shortcuts with every field present.
const std::string& LargeFile() {
    static const std::string path = [] {
        std::string file = BenchFolder() + "/large.ini";
        SilentMessages messages;
        brindle::SettingsStore store(messages, file);
        for (int i = 0; i < 2000; ++i) {
            std::string name = "ページ" + std::to_string(i);
            std::string icon = "C:\\Icons\\page" + std::to_string(i) + ".ico>1";
            brindle::PageRecord page;
            page.name = name.c_str();
            page.id = i;
            page.parentId = i < 20 ? -1 : i / 20 - 1;
            page.expanded = i % 2;
            page.useIcons = 1;
            page.normalIcon = icon.c_str();
            page.selectedIcon = icon.c_str();
            store.AddPage(page);
        }
        for (int i = 0; i < 16383; ++i) {
            std::string n = std::to_string(i);
            store.AddShortcut(("ショートカット " + n).c_str(),
                              ("\"C:\\Program Files\\アプリ" + n + "\\app.exe\" /open \"%1\"").c_str(),
                              ("C:\\Program Files\\アプリ" + n + "\\app.exe>0").c_str(),
                              ("C:\\Users\\利用者\\作業" + n).c_str(), i % 3, i % 2000, 1, 0,
                              ("説明のコメント " + n).c_str());
        }
        store.Save();
        return file;
    }();
    return path;
}

std::string FileBytes(const std::string& path) {
    std::string bytes(std::filesystem::file_size(path), '\0');
    FILE* file = std::fopen(path.c_str(), "rb");
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    bytes.resize(got);
    return bytes;
}

// The same file with bare CR line ends, as some editors of old Mac origin write it.
const std::string& BareCrFile() {
    static const std::string path = [] {
        std::string bytes = FileBytes(LargeFile());
        std::string bare;
        bare.reserve(bytes.size());
        for (char c : bytes) {
            if (c != '\n')
                bare += c;
        }
        std::string file = BenchFolder() + "/bare-cr.ini";
        FILE* out = std::fopen(file.c_str(), "wb");
        std::fwrite(bare.data(), 1, bare.size(), out);
        std::fclose(out);
        return file;
    }();
    return path;
}

void Load(benchmark::State& state, const std::string& path) {
    SilentMessages messages;
    for (auto _ : state) {
        brindle::SettingsStore store(messages, path);
        store.Load();
        benchmark::DoNotOptimize(store.ShortcutCount());
    }
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}

// Floor: read the same bytes into one buffer and split them into lines at `lineEnd` with memchr.
void LoadFloor(benchmark::State& state, const std::string& path, char lineEnd) {
    const size_t size = std::filesystem::file_size(path);
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "rb");
        std::string bytes(size + 1, '\0');
        size_t got = std::fread(bytes.data(), 1, size, file);
        std::fclose(file);
        size_t lines = 0;
        const char* p = bytes.data();
        const char* end = p + got;
        while (const char* eol = static_cast<const char*>(std::memchr(p, lineEnd, end - p))) {
            ++lines;
            p = eol + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void BM_Load(benchmark::State& state) {
    Load(state, LargeFile());
}
void BM_LoadFloor(benchmark::State& state) {
    LoadFloor(state, LargeFile(), '\n');
}
void BM_LoadBareCr(benchmark::State& state) {
    Load(state, BareCrFile());
}
void BM_LoadBareCrFloor(benchmark::State& state) {
    LoadFloor(state, BareCrFile(), '\r');
}

void BM_Save(benchmark::State& state) {
    SilentMessages messages;
    brindle::SettingsStore store(messages, LargeFile());
    store.Load();
    store.SetSettingsPath(BenchFolder() + "/saved.ini");
    for (auto _ : state) {
        if (!store.Save())
            state.SkipWithError("save failed");
    }
}

// Floor: write the same bytes to a file in one write and flush them to the disk, as a save does.
void BM_SaveFloor(benchmark::State& state) {
    const std::string bytes = FileBytes(LargeFile());
    const std::string path = BenchFolder() + "/floor.ini";
    for (auto _ : state) {
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            state.SkipWithError("write failed");
        }
        fsync(fd);
        close(fd);
    }
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBareCr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBareCrFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFloor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("settings file: %s, %zu bytes\n", LargeFile().c_str(),
                static_cast<size_t>(std::filesystem::file_size(LargeFile())));
    RatioReporter reporter({{"BM_Load", "BM_LoadFloor", 4.0},
                            {"BM_LoadBareCr", "BM_LoadBareCrFloor", 4.0},
                            {"BM_Save", "BM_SaveFloor", 2.0}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

// One key press in the search window over 16,383 shortcuts (names of 1 to 40 characters, a third of them
// Japanese): parsing the typed text with its romaji readings, filtering and ranking, against a plain
// memcmp scan of the same names for the same typed bytes. With Migemo's dictionary, the same key press
// with its kanji readings, Migemo asked afresh each time (as for a word just typed).
#include <malloc.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"
#include "search/migemo_readings.h"
#include "search/search_index.h"
#include "search/search_query.h"
#include "silent_messages.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace {

using bench::SilentMessages;

const char* const kLatin[] = {"note",   "pad",   "visual", "studio", "code",  "fire", "fox",   "term", "mail",  "zip",
                              "player", "photo", "edit",   "word",   "excel", "git",  "shell", "calc", "paint", "x"};
const char* const kJapanese[] = {"メモ",    "帳", "秀丸",   "エディタ", "ﾒﾓﾘ",  "ファイル", "管理", "てすと", "画像",
                                 "ﾌﾟﾛｸﾞﾗﾑ", "表", "ソフト", "ポータル", "設定", "電卓",     "ー",   "辞書",   "音楽"};

struct Fixture {
    SilentMessages messages;
    brindle::SettingsStore store{messages, "unused.ini"};
    brindle::search::SearchIndex index;
    std::vector<std::string> names;

    Fixture() {
        std::mt19937 random(22);
        auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        for (int p = 0; p < 200; ++p) {
            std::string name = "ページ" + std::to_string(p);
            brindle::PageRecord page;
            page.name = name.c_str();
            page.id = p;
            page.parentId = p < 10 ? -1 : p / 10 - 1;
            store.AddPage(page);
        }
        for (int i = 0; i < 16383; ++i) {
            const bool japanese = i % 3 == 0;
            const size_t length = 1 + pick(40);  // characters
            std::string name;
            size_t characters = 0;
            while (characters < length) {
                const char* piece = japanese ? kJapanese[pick(std::size(kJapanese))] : kLatin[pick(std::size(kLatin))];
                name += piece;
                characters += japanese ? std::strlen(piece) / 2 : std::strlen(piece);
                if (!japanese && characters < length)
                    name += ' ', ++characters;
            }
            names.push_back(name);
            const std::string command = "C:\\Programs\\" + std::to_string(i) + "\\app.exe";
            store.AddShortcut(name.c_str(), command.c_str(), nullptr, nullptr, 0, i % 200, 0, 1, nullptr);
        }
        index.Build(store);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// The typed texts, one per key press of a user typing.
const char* const kQueries[] = {"m", "me", "mem", "memo", "note", "vis stu", "ntpd", "ﾒﾓ", "秀丸", "zzzq"};

void Search(benchmark::State& state, const char* typed) {
    Fixture& f = Shared();
    int found = 0;
    for (auto _ : state) {
        found = f.index.Search(brindle::search::ParseQuery(typed));
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
    state.counters["index_bytes"] = static_cast<double>(f.index.MemoryBytes());
}

#ifdef BRINDLE_MIGEMO_DICT
// Each letter of "hidemaru" as typed, and other words of two kana or more.
const char* const kRomaji[] = {"hi",       "hid", "hide", "hidem",   "hidema",   "hidemar",
                               "hidemaru", "kan", "shin", "toukyou", "memo note"};

brindle::search::MigemoReadings* g_migemo = nullptr;

void SearchWithReadings(benchmark::State& state, const char* typed) {
    Fixture& f = Shared();
    const brindle::search::ReadingExpander expander = [](std::string_view word, std::vector<std::string>& out) {
        g_migemo->Expand(word, out);
    };
    int found = 0;
    for (auto _ : state) {
        g_migemo->Forget();
        found = f.index.Search(brindle::search::ParseQuery(typed, expander));
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
}

// Loads the dictionary and says what it cost: time and the heap Migemo holds (apart from the index).
void LoadMigemo() {
    const size_t before = mallinfo2().uordblks;
    timespec start{}, end{};  // <chrono> holds a character the code page 932 build cannot take
    clock_gettime(CLOCK_MONOTONIC, &start);
    g_migemo = brindle::search::MigemoReadings::Load(BRINDLE_MIGEMO_DICT).release();
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double ms = (end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6;
    if (!g_migemo) {
        std::printf("Migemo: no dictionary at %s\n", BRINDLE_MIGEMO_DICT);
        return;
    }
    std::printf("Migemo's dictionary: loaded in %.0f ms, %zu bytes of heap\n", ms, mallinfo2().uordblks - before);
}
#endif

// The floor: the typed bytes looked for with memcmp at every byte of every name.
void Floor(benchmark::State& state, const char* typed) {
    Fixture& f = Shared();
    const size_t length = std::strlen(typed);
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (const std::string& name : f.names) {
            for (size_t at = 0; at + length <= name.size(); ++at) {
                if (std::memcmp(name.data() + at, typed, length) == 0) {
                    ++found;
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(found);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::vector<RatioReporter::Pair> pairs;
    for (const char* typed : kQueries) {
        const std::string measured = std::string("BM_KeyPress/") + typed;
        const std::string floor = std::string("BM_MemcmpScan/") + typed;
        benchmark::RegisterBenchmark(measured.c_str(), Search, typed)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(floor.c_str(), Floor, typed)->Unit(benchmark::kMicrosecond);
        pairs.push_back({measured, floor, 8.0});
    }
#ifdef BRINDLE_MIGEMO_DICT
    // Migemo's share of a key press goes within 5 ms where the rest goes within 2: its goal is 2.5 times
    // the plain one's.
    LoadMigemo();
    for (const char* typed : kRomaji) {
        if (!g_migemo)
            break;
        const std::string measured = std::string("BM_KeyPressMigemo/") + typed;
        const std::string floor = std::string("BM_MemcmpScan/") + typed;
        benchmark::RegisterBenchmark(measured.c_str(), SearchWithReadings, typed)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(floor.c_str(), Floor, typed)->Unit(benchmark::kMicrosecond);
        pairs.push_back({measured, floor, 20.0});
    }
#endif
    std::printf("index over %d shortcuts: %zu bytes\n", Shared().index.ShortcutCount(), Shared().index.MemoryBytes());
    RatioReporter reporter(pairs);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

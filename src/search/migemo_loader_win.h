#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "search/migemo_readings.h"
#include "search/search_query.h"

namespace brindle {

// Migemo's dictionary for the search window, loaded when the first romaji word is typed, on a thread of
// its own (it takes about a second): until it is there, and for good when it is missing, the search goes
// on without kanji readings. When it arrives, `message` is posted to `window` so the window asks again.
class MigemoLoader {
public:
    MigemoLoader(std::string dictFile, HWND window, UINT message);
    ~MigemoLoader();  // waits for a load under way
    MigemoLoader(const MigemoLoader&) = delete;
    MigemoLoader& operator=(const MigemoLoader&) = delete;

    // dict\migemo-dict beside the program (its module's folder, never the current folder).
    static std::string DictionaryBesideProgram();

    // For the window's thread: starts the load on the first call, then gives the readings once loaded.
    search::ReadingExpander Expander();
    bool Loaded() const { return state_.load(std::memory_order_acquire) == State::Loaded; }
    // No dictionary, or one that could not be read: no readings until the program starts again.
    bool Missing() const { return state_.load(std::memory_order_acquire) == State::Missing; }

private:
    enum class State { Idle, Loading, Loaded, Missing };
    void Expand(std::string_view word, std::vector<std::string>& out);

    std::string dictFile_;
    HWND window_;
    UINT message_;
    std::atomic<State> state_{State::Idle};
    std::unique_ptr<search::MigemoReadings> readings_;  // written by the loading thread before Loaded
    std::thread thread_;
};

}  // namespace brindle

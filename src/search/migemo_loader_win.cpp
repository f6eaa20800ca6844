#include "search/migemo_loader_win.h"

#include <vector>

namespace brindle {

MigemoLoader::MigemoLoader(std::string dictFile, HWND window, UINT message)
    : dictFile_(std::move(dictFile)), window_(window), message_(message) {}

MigemoLoader::~MigemoLoader() {
    if (thread_.joinable())
        thread_.join();
}

std::string MigemoLoader::DictionaryBesideProgram() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size() - 1) {
            std::string folder(path.data(), length);
            // The last '\' that is not a trail byte ends the folder.
            size_t cut = std::string::npos;
            for (size_t at = 0; at < folder.size(); at += IsDBCSLeadByte(static_cast<BYTE>(folder[at])) ? 2 : 1) {
                if (folder[at] == '\\' || folder[at] == '/')
                    cut = at;
            }
            if (cut == std::string::npos)
                return {};
            return folder.substr(0, cut + 1) + "dict\\migemo-dict";
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

search::ReadingExpander MigemoLoader::Expander() {
    return [this](std::string_view word, std::vector<std::string>& out) { Expand(word, out); };
}

void MigemoLoader::Expand(std::string_view word, std::vector<std::string>& out) {
    switch (state_.load(std::memory_order_acquire)) {
        case State::Loaded:
            readings_->Expand(word, out);
            return;
        case State::Idle:
            break;
        default:
            return;
    }
    if (dictFile_.empty() || GetFileAttributesA(dictFile_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        state_.store(State::Missing, std::memory_order_release);
        return;
    }
    state_.store(State::Loading, std::memory_order_release);
    try {
        thread_ = std::thread([this] {
            readings_ = search::MigemoReadings::Load(dictFile_);
            state_.store(readings_ ? State::Loaded : State::Missing, std::memory_order_release);
            if (readings_)
                PostMessageA(window_, message_, 0, 0);
        });
    } catch (const std::system_error&) {
        state_.store(State::Missing, std::memory_order_release);  // no thread: no readings
    }
}

}  // namespace brindle

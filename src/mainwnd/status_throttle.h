#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace brindle {

// Progress texts for the status line during long fills: painting each one would cost more than the
// work it reports, so a text is shown only when 50 ms have passed since the last one, and Flush shows
// the last text that was held back.
class StatusThrottle {
public:
    static constexpr DWORD kInterval = 50;

    explicit StatusThrottle(std::function<void(const std::string&)> show) : show_(std::move(show)) {}

    void Text(const std::string& text) {
        if (GetTickCount() - shownAt_ >= kInterval) {
            show_(text);
            shownAt_ = GetTickCount();
            held_.clear();
        } else {
            held_ = text;
        }
    }
    void Flush() {
        if (!held_.empty())
            show_(held_);
        held_.clear();
    }

private:
    std::function<void(const std::string&)> show_;
    DWORD shownAt_ = GetTickCount() - kInterval;
    std::string held_;
};

}  // namespace brindle

#include "launch/environment_posix.h"

#include <cstdlib>

namespace brindle {

bool PosixEnvironment::Expand(const std::string& text, std::string& out) {
    out.clear();
    size_t at = 0;
    while (at < text.size()) {
        size_t open = text.find('%', at);
        size_t close = open == std::string::npos ? std::string::npos : text.find('%', open + 1);
        if (close == std::string::npos) {
            out.append(text, at, std::string::npos);
            break;
        }
        out.append(text, at, open - at);
        std::string name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            out += value;
        } else {
            out.append(text, open, close + 1 - open);
        }
        at = close + 1;
    }
    return true;
}

}  // namespace brindle

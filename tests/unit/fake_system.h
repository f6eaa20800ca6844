#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "launch/system.h"

namespace brindle::testing {

// The system as a test sets it up: variables, the matches of each search pattern, keys held down.
// Records every search made.
class FakeSystem : public System {
public:
    bool Expand(const std::string& text, std::string& out) override {
        ++expansions;
        if (failExpansion) {
            return false;
        }
        out.clear();
        for (size_t at = 0; at < text.size();) {
            size_t open = text.find('%', at), close = open == std::string::npos ? open : text.find('%', open + 1);
            if (close == std::string::npos) {
                out.append(text, at);
                break;
            }
            auto value = variables.find(text.substr(open + 1, close - open - 1));
            out.append(text, at, open - at);
            out += value != variables.end() ? value->second : text.substr(open, close + 1 - open);
            at = close + 1;
        }
        return true;
    }
    std::vector<FoundFile> FindFiles(const std::string& pattern) override {
        searches.push_back(pattern);
        auto found = files.find(pattern);
        return found == files.end() ? std::vector<FoundFile>{} : found->second;
    }
    bool IsKeyDown(int virtualKey) override { return keysDown.count(virtualKey) != 0; }
    std::string ModulePath() override { return modulePath; }

    std::map<std::string, std::string> variables;
    bool failExpansion = false;
    int expansions = 0;
    std::map<std::string, std::vector<FoundFile>> files;
    std::set<int> keysDown;
    std::string modulePath;  // empty: paths relative to the program stay as written
    std::vector<std::string> searches;
};

}  // namespace brindle::testing

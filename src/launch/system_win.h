#pragma once

#include "launch/system.h"

namespace brindle {

// The system seam on Windows: ExpandEnvironmentStringsA, FindFirstFileA, GetKeyState, GetModuleFileNameA.
class WinSystem : public System {
public:
    bool Expand(const std::string& text, std::string& out) override;
    std::vector<FoundFile> FindFiles(const std::string& pattern) override;
    bool IsKeyDown(int virtualKey) override;
    std::string ModulePath() override;
};

}  // namespace brindle

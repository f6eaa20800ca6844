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

// Sets BRINDLE_DIR (the program's folder) and BRINDLE_DRIVE (its drive) in the program's environment,
// and so in every program it starts, for settings that must work from any drive letter.
void SetProgramPathVariables();

}  // namespace brindle

#pragma once

#include <string>
#include <vector>

// What the launch logic needs from the system, so that it runs and is tested natively. The Windows
// program uses WinSystem (system_win.h); tests use fakes.
namespace brindle {

class Environment {
public:
    virtual ~Environment() = default;
    // Replaces %NAME% references by the values of environment variables. False when the system could
    // not expand the text; `out` then means nothing.
    virtual bool Expand(const std::string& text, std::string& out) = 0;
    // The full path of the running program ("E:\\Tools\\brindle.exe"): paths written relative to the
    // program are resolved against its folder. Empty where there is no such program (then they are not).
    virtual std::string ModulePath() = 0;
};

// One match of a file search.
struct FoundFile {
    std::string name;  // the match's own name, without its folder
    std::string root;  // the folder that holds the match ("C:\" for a match at the top of a drive)
    bool directory = false;
};

class System : public Environment {
public:
    // Every match of `pattern` (a path whose last part may hold the wildcards * and ?), in the order
    // the file system lists them; none when nothing matches.
    virtual std::vector<FoundFile> FindFiles(const std::string& pattern) = 0;
    // Whether the key with this virtual-key code is held down at this moment.
    virtual bool IsKeyDown(int virtualKey) = 0;
};

constexpr int kVirtualKeyControl = 0x11;  // VK_CONTROL

}  // namespace brindle

#include "launch/system_win.h"

#include <windows.h>

#include <cstring>

#include "platform/platform_win.h"
#include "launch/program_relative.h"
#include "text/sjis.h"

namespace brindle {

// Wine counts characters, not bytes, for double-byte text, so the result's size is not to be trusted:
// the buffer holds twice the count the call asks for, and the result is taken up to its NUL.
bool WinSystem::Expand(const std::string& text, std::string& out) {
    std::string buffer(1024, '\0');
    for (int round = 0; round < 8; ++round) {
        DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0) {
            return false;
        }
        if (size_t(needed) * 2 <= buffer.size()) {
            const char* end = static_cast<const char*>(std::memchr(buffer.data(), '\0', buffer.size()));
            if (end) {
                out.assign(buffer.c_str(), end);
                return true;
            }
        }
        buffer.assign(std::max<size_t>(buffer.size() * 2, size_t(needed) * 2 + 2), '\0');
    }
    return false;
}

namespace {

// The full path of `pattern` up to its last separator: the folder its matches are in.
std::string RootOf(const std::string& pattern) {
    std::string full(MAX_PATH, '\0');
    DWORD length = GetFullPathNameA(pattern.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.assign(length + 1, '\0');
        length = GetFullPathNameA(pattern.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(length < full.size() ? length : 0);
    size_t cut = std::string::npos;
    for (size_t at = sjis::FindAnyOf(full, "\\/"); at != std::string::npos; at = sjis::FindAnyOf(full, "\\/", at + 1)) {
        cut = at;
    }
    if (cut == std::string::npos) {
        return full;
    }
    // A match at the top of a drive is in "C:\", not in "C:" (the drive's current folder).
    return full.substr(0, cut == 2 && full[1] == ':' ? cut + 1 : cut);
}

}  // namespace

std::vector<FoundFile> WinSystem::FindFiles(const std::string& pattern) {
    std::vector<FoundFile> matches;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return matches;
    }
    std::string root = RootOf(pattern);
    do {
        matches.push_back({found.cFileName, root, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return matches;
}

bool WinSystem::IsKeyDown(int virtualKey) {
    return brindle::IsKeyDown(virtualKey);
}

std::string WinSystem::ModulePath() {
    return brindle::ModulePath();
}

void SetProgramPathVariables() {
    const std::string folder = ProgramFolderOf(brindle::ModulePath());
    SetEnvironmentVariableA("BRINDLE_DIR", folder.c_str());
    SetEnvironmentVariableA("BRINDLE_DRIVE", DriveOf(folder).c_str());
}

}  // namespace brindle

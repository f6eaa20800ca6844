#include "launch/classify.h"

#include <cctype>

#include "launch/command_line.h"
#include "launch/system.h"
#include "store/settings_store.h"
#include "text/sjis.h"

namespace brindle {

bool TargetAccessAllowed(const SettingsStore& store, System& system) {
    Preferences prefs;
    store.GetPreferences(prefs);
    switch (prefs.iChkLoadIcon) {
        case 0:
            return !system.IsKeyDown(kVirtualKeyControl);
        case 1:
            return false;
        default:
            return true;
    }
}

bool IsWebAddress(const std::string& file) {
    for (const char* prefix : {"http://", "https://", "ftp://", "gopher://", "file://"}) {
        if (file.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

namespace {

// Whether the last character (not a trail byte) of `path` is a backslash.
bool EndsWithBackslash(std::string_view path) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); i += sjis::CharLength(path, i)) {
        last = i;
    }
    return last != std::string_view::npos && path[last] == '\\';
}

bool EndsWithExe(const std::string& file) {
    if (file.size() < 4) {
        return false;
    }
    std::string_view tail(file.data() + file.size() - 4, 4);
    const char exe[] = ".exe";
    for (size_t i = 0; i < 4; ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != exe[i]) {
            return false;
        }
    }
    return true;
}

// On disk: a folder, some other file, or nothing.
int LookUp(const std::string& file, System& system) {
    std::vector<FoundFile> matches = system.FindFiles(file);
    if (matches.empty()) {
        std::string inside = file + (EndsWithBackslash(file) ? "*.*" : "\\*.*");
        return system.FindFiles(inside).empty() ? target::kMissing : target::kFolder;
    }
    return matches.back().directory ? target::kFolder : target::kFile;
}

}  // namespace

bool IsProgramName(const std::string& file) {
    return !IsWebAddress(file) && EndsWithExe(file);
}

int ClassifyTarget(const char* commandLine, int32_t check, const SettingsStore& store, System& system) {
    std::string file, parameters;
    SplitCommandLine(commandLine, file, parameters, system);
    if (IsWebAddress(file)) {
        return target::kWebAddress;
    }
    if (check != 0 && TargetAccessAllowed(store, system)) {
        // An empty file part names nothing; searched, "\*.*" would find the top of the current drive.
        int found = file.empty() ? target::kMissing : LookUp(file, system);
        if (found == target::kMissing || found == target::kFolder) {
            return found;
        }
    }
    return EndsWithExe(file) ? target::kProgram : target::kFile;
}

std::string FolderOfCommandLine(const char* commandLine, System& system) {
    std::string file, parameters;
    SplitCommandLine(commandLine, file, parameters, system);
    if (file.empty() || IsWebAddress(file)) {
        return {};
    }
    std::vector<FoundFile> matches = system.FindFiles(file);
    return matches.empty() ? std::string() : matches.back().root;
}

}  // namespace brindle

#include "launch/program_relative.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "text/sjis.h"

namespace brindle {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool HasDriveLetter(std::string_view path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

bool IsUnc(std::string_view path) {
    return path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

// The position of the last separator at a character boundary, or npos.
size_t LastSeparator(std::string_view path) {
    size_t last = std::string_view::npos;
    for (size_t at = sjis::FindAnyOf(path, "\\/"); at != std::string_view::npos;
         at = sjis::FindAnyOf(path, "\\/", at + 1)) {
        last = at;
    }
    return last;
}

// Whether `path` begins with `part` ("." or "..") followed by a separator or its end; the length taken.
size_t LeadingPart(std::string_view path, std::string_view part) {
    if (!path.starts_with(part)) {
        return 0;
    }
    if (path.size() == part.size()) {
        return part.size();
    }
    return IsSeparator(path[part.size()]) ? part.size() + 1 : 0;
}

}  // namespace

std::string ProgramFolderOf(const std::string& modulePath) {
    size_t cut = LastSeparator(modulePath);
    return cut == std::string::npos ? std::string() : modulePath.substr(0, cut);
}

std::string DriveOf(const std::string& path) {
    if (HasDriveLetter(path)) {
        return path.substr(0, 2);
    }
    if (!IsUnc(path)) {
        return {};
    }
    // "\\server\share": up to the separator after the share's name.
    size_t server = sjis::FindAnyOf(path, "\\/", 2);
    if (server == std::string::npos) {
        return {};
    }
    size_t share = sjis::FindAnyOf(path, "\\/", server + 1);
    return path.substr(0, share);
}

std::string ResolveProgramRelative(const std::string& path, const std::string& programFolder) {
    const std::string drive = DriveOf(programFolder);
    if (drive.empty()) {
        return path;
    }
    std::string_view rest(path);
    if (rest.size() >= 1 && rest[0] == '\\' && (rest.size() == 1 || !IsSeparator(rest[1]))) {
        return drive + path;
    }
    if (!LeadingPart(rest, ".") && !LeadingPart(rest, "..")) {
        return path;
    }
    std::string folder = programFolder;
    while (!rest.empty()) {
        if (size_t dotDot = LeadingPart(rest, "..")) {
            // Up one folder, never above the drive.
            size_t cut = LastSeparator(folder);
            if (folder.size() > drive.size() && cut != std::string::npos && cut >= drive.size()) {
                folder.resize(cut);
            }
            rest.remove_prefix(dotDot);
        } else if (size_t dot = LeadingPart(rest, ".")) {
            rest.remove_prefix(dot);
        } else {
            break;
        }
    }
    if (rest.empty()) {
        // The folder itself; a bare drive would mean that drive's current folder.
        return folder.size() == drive.size() && HasDriveLetter(folder) ? folder + '\\' : folder;
    }
    return folder + '\\' + std::string(rest);
}

std::string MakeDriveRelative(const std::string& path, const std::string& programFolder) {
    const std::string drive = DriveOf(programFolder);
    if (drive.empty() || path.size() <= drive.size() || path[drive.size()] != '\\') {
        return path;
    }
    for (size_t i = 0; i < drive.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(path[i])) != std::tolower(static_cast<unsigned char>(drive[i]))) {
            return path;
        }
    }
    // A UNC share matches only up to its name's end, not a longer share name with the same start.
    return path.substr(drive.size());
}

std::string MakeCommandLineDriveRelative(const std::string& commandLine, const std::string& programFolder) {
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        if (close != std::string::npos) {
            return '"' + MakeDriveRelative(commandLine.substr(1, close - 1), programFolder) + commandLine.substr(close);
        }
    }
    return MakeDriveRelative(commandLine, programFolder);
}

}  // namespace brindle

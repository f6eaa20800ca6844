#include "platform/system_library.h"

namespace brindle {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

bool IsSystemLibraryName(std::string_view name) {
    if (name.empty() || name.front() == '.') {
        return false;
    }
    for (char c : name) {
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '.' && c != '_' && c != '-') {
            return false;
        }
    }
    return true;
}

bool IsAbsoluteWindowsPath(std::string_view path) {
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) {
        return true;
    }
    // A double-byte character never starts a path, so a leading 0x5C is always a backslash.
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
}

}  // namespace brindle

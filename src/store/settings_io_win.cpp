#include <windows.h>

#include <cwchar>
#include <string>

#include "store/settings_io.h"

namespace brindle::settings_io {
namespace {

struct FileCloser {
    HANDLE handle;
    ~FileCloser() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length ? std::string(text, length) : "Error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) {
        result.pop_back();
    }
    return result;
}

std::string Explain(const std::string& path, DWORD code) {
    return path + "\n" + SystemErrorText(code);
}

// The path for the wide file functions. The ANSI ones stop at 260 characters; a longer settings path
// (a deep folder) is made absolute and given the "\\?\" prefix, which lifts that limit.
std::wstring WidePath(const std::string& path) {
    int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(wcslen(wide.c_str()));
    if (wide.rfind(L"\\\\?\\", 0) == 0) {
        return wide;
    }
    DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed ? needed : 1, L'\0');
    DWORD got = needed ? GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr) : 0;
    if (got == 0 || got >= needed || got < MAX_PATH) {
        return wide;  // short enough as it is
    }
    full.resize(got);
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\...
    }
    return L"\\\\?\\" + full;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    FileCloser file{CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size) || size.QuadPart > 0x7FFFFFFF) {
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && !ReadFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        return false;
    }
    bytes.resize(got);
    return true;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string& errorText) {
    const std::string temp = path + ".new";
    {
        FileCloser file{CreateFileW(WidePath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (file.handle == INVALID_HANDLE_VALUE) {
            errorText = Explain(temp, GetLastError());
            return false;
        }
        DWORD written = 0;
        if (!WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            DWORD code = GetLastError();
            CloseHandle(file.handle);
            file.handle = INVALID_HANDLE_VALUE;
            DeleteFileW(WidePath(temp).c_str());
            errorText = Explain(path, code ? code : ERROR_DISK_FULL);
            return false;
        }
    }
    // Windows refuses to replace a read-only file; Wine does not. Refuse here, so a file the user
    // protected stays as it is on both.
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        errorText = Explain(path, ERROR_ACCESS_DENIED);
        DeleteFileW(WidePath(temp).c_str());
        return false;
    }
    if (!MoveFileExW(WidePath(temp).c_str(), WidePath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        errorText = Explain(path, GetLastError());
        DeleteFileW(WidePath(temp).c_str());
        return false;
    }
    return true;
}

std::string ResolveSettingsPath(const std::string& pattern) {
    // The folder part of the pattern, made absolute, is where the matches lie.
    DWORD needed = GetFullPathNameA(pattern.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return pattern;
    }
    std::string full(needed, '\0');
    char* namePart = nullptr;
    DWORD length = GetFullPathNameA(pattern.c_str(), needed, full.data(), &namePart);
    if (length == 0 || length >= needed) {
        return pattern;
    }
    std::string folder = namePart ? full.substr(0, namePart - full.data()) : full;
    full.resize(length);

    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return pattern;
    }
    std::string result = pattern;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            result = folder + found.cFileName;
            break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return result;
}

}  // namespace brindle::settings_io

#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/platform_win.h"
#include "store/settings_io.h"

namespace brindle::settings_io {
namespace {

struct FileCloser {
    HANDLE handle;
    ~FileCloser() {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

std::string Explain(const std::string& path, DWORD code) {
    return path + "\n" + SystemErrorText(code);
}

// The absolute path for the wide file functions. The ANSI ones stop at 260 characters; a longer settings
// path (a deep folder) is given the "\\?\" prefix, which lifts that limit.
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
    if (got == 0 || got >= needed) {
        return wide;
    }
    full.resize(got);
    // Always absolute: Wine's ReplaceFileW fails on a relative name (ERROR_DIRECTORY).
    if (got < MAX_PATH) {
        return full;
    }
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\...
    }
    return L"\\\\?\\" + full;
}

constexpr int kHeldRetries = 20;  // 50 ms apart: about a second
constexpr DWORD kHeldRetryPause = 50;

// Opens the file for reading. A sync client or a virus scanner holds a file without sharing for a moment:
// a sharing violation is tried again for about a second.
HANDLE OpenForReading(const std::wstring& path) {
    for (int attempt = 0;; ++attempt) {
        HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD code = GetLastError();
        if (handle != INVALID_HANDLE_VALUE || code != ERROR_SHARING_VIOLATION || attempt == kHeldRetries) {
            SetLastError(code);
            return handle;
        }
        Sleep(kHeldRetryPause);
    }
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::string& errorText) {
    FileCloser file{OpenForReading(WidePath(path))};
    if (file.handle == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            return ReadResult::kNotFound;
        }
        errorText = Explain(path, code);
        return ReadResult::kFailed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size)) {
        errorText = Explain(path, GetLastError());
        return ReadResult::kFailed;
    }
    if (size.QuadPart > 0x7FFFFFFF) {
        errorText = Explain(path, ERROR_FILE_TOO_LARGE);
        return ReadResult::kFailed;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && !ReadFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        errorText = Explain(path, GetLastError());
        bytes.clear();
        return ReadResult::kFailed;
    }
    bytes.resize(got);
    return ReadResult::kRead;
}

namespace {

// Writes the whole text to a new file and flushes it to the disk. A failure leaves no file behind.
bool WriteNewFile(const std::wstring& temp, std::string_view bytes, DWORD& code) {
    FileCloser file{
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        code = GetLastError();
        return false;
    }
    DWORD written = 0;
    bool whole = WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                 written == bytes.size() && FlushFileBuffers(file.handle);
    if (!whole) {
        code = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
        CloseHandle(file.handle);
        file.handle = INVALID_HANDLE_VALUE;
        DeleteFileW(temp.c_str());
    }
    return whole;
}

// After these failures of ReplaceFileW the new file still has to be moved in place: the call is not
// supported there, or the old file is already gone (or renamed away) while the new one kept its name.
bool MoveStillSafeAfter(DWORD code) {
    switch (code) {
        case ERROR_CALL_NOT_IMPLEMENTED:
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_FUNCTION:
        case ERROR_INVALID_PARAMETER:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
            return true;
        default:
            return false;  // the old file is as it was (held, locked, access denied): keep it
    }
}

}  // namespace

bool ReplaceWholeFile(const std::string& path,
                      std::string_view bytes,
                      std::string& errorText,
                      const std::string& backupPath) {
    const std::wstring target = WidePath(path);
    const std::wstring backup = backupPath.empty() ? std::wstring() : WidePath(backupPath);
    const std::wstring temp = WidePath(path + ".new");
    DWORD code = 0;
    if (!WriteNewFile(temp, bytes, code)) {
        errorText = Explain(path, code);
        return false;
    }
    // Windows refuses to replace a read-only file; Wine does not. Refuse here, so a file the user
    // protected stays as it is on both.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        errorText = Explain(path, ERROR_ACCESS_DENIED);
        DeleteFileW(temp.c_str());
        return false;
    }
    // ReplaceFileW keeps the old file's security and creation time, and on Windows its attributes; Wine's
    // does not, nor does a move, so the new file takes them on before it goes in place.
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(temp.c_str(), attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
        if (ReplaceFileW(target.c_str(), temp.c_str(), backup.empty() ? nullptr : backup.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
            return true;
        }
        code = GetLastError();
        if (!MoveStillSafeAfter(code)) {
            errorText = Explain(path, code);
            DeleteFileW(temp.c_str());
            return false;
        }
        // The move below keeps no backup: a copy of the old file, when it is still there, stands for it.
        if (!backup.empty() && GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
            CopyFileW(target.c_str(), backup.c_str(), FALSE);
        }
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        errorText = Explain(path, GetLastError());
        if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileW(temp.c_str());  // else the new file is all that is left: it stays
        }
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

#include "platform/system_library_win.h"

#include "platform/system_library.h"

namespace brindle {

namespace {

// The LOAD_LIBRARY_SEARCH_ flags came with AddDllDirectory (Windows 8, and Windows 7 with KB2533623).
bool HasLibrarySearchFlags() {
    static const bool has = GetProcAddress(GetModuleHandleA("kernel32.dll"), "AddDllDirectory") != nullptr;
    return has;
}

}  // namespace

std::string SystemFolder() {
    std::string folder(MAX_PATH, '\0');
    UINT length = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.assign(length + 1, '\0');
        length = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
    }
    folder.resize(length < folder.size() ? length : 0);
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

HMODULE LoadSystemLibrary(const char* name) {
    const std::string folder = SystemFolder();
    if (!name || !IsSystemLibraryName(name) || folder.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // The full path rather than the bare name: a bare name is matched against the libraries already in the
    // process first, and one of that name may have come from anywhere.
    const std::string path = folder + "\\" + name;
    return LoadLibraryExA(path.c_str(), nullptr,
                          HasLibrarySearchFlags() ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE LoadLibraryAtPath(const std::string& path) {
    if (!IsAbsoluteWindowsPath(path)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryExA(path.c_str(), nullptr,
                          HasLibrarySearchFlags() ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                                                  : LOAD_WITH_ALTERED_SEARCH_PATH);
}

void ProtectLibrarySearch() {
    SetDllDirectoryA("");
    using SetSearchPathModeFn = BOOL(WINAPI*)(DWORD);
    auto setSearchPathMode = ProcAddress<SetSearchPathModeFn>(GetModuleHandleA("kernel32.dll"), "SetSearchPathMode");
    if (setSearchPathMode) {
        setSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
    }
}

}  // namespace brindle

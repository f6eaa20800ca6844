#include "platform/folder_browser_win.h"

#include <cstring>

#include "platform/com.h"
#include "platform/platform_win.h"

namespace brindle {

using ui::ComPtr;

const char kBrowseCaption[] = "Brindle - フォルダ選択";

ComPtr<IMalloc> ShellAllocator() {
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(&allocator))) {
        allocator.Reset();
    }
    return allocator;
}

namespace {

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM initial) {
    if (message == BFFM_INITIALIZED) {
        SetWindowTextA(dialog, kBrowseCaption);
        if (initial) {
            SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, initial);
        }
    } else if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH] = "";
        if (!param || !SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(param), path)) {
            path[0] = '\0';
        }
        SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
    return 0;
}

}  // namespace

bool BrowseForFolder(HWND owner,
                     std::string& out,
                     const char* root,
                     const char* initial,
                     const char* title,
                     UINT flags) {
    out.clear();
    ComPtr<IMalloc> allocator = ShellAllocator();
    if (!allocator) {
        return false;
    }
    LPITEMIDLIST rootList = ParsePath(root);
    LPITEMIDLIST initialList = ParsePath(initial);
    char displayName[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = rootList;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = flags | BIF_STATUSTEXT;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initialList);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(chosen, path)) {
            out = path;
        }
        allocator->Free(chosen);
    }
    if (rootList)
        allocator->Free(rootList);
    if (initialList)
        allocator->Free(initialList);
    return !out.empty();
}

LPITEMIDLIST ParsePath(const char* path) {
    if (!path || !*path) {
        return nullptr;
    }
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop))) {
        return nullptr;
    }
    std::wstring wide = Widen(path);
    LPITEMIDLIST list = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &list, nullptr))) {
        return nullptr;
    }
    return list;
}

LPITEMIDLIST CopyItem(LPCITEMIDLIST item) {
    ComPtr<IMalloc> allocator = ShellAllocator();
    if (!allocator || !item) {
        return nullptr;
    }
    USHORT size = item->mkid.cb;
    auto* copy = static_cast<BYTE*>(allocator->Alloc(size + 2));
    if (!copy) {
        return nullptr;
    }
    std::memcpy(copy, item, size);
    copy[size] = 0;
    copy[size + 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(copy);
}

}  // namespace brindle

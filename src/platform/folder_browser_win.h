#pragma once

#include <shlobj.h>
#include <windows.h>

#include <string>

#include "platform/com.h"

namespace brindle {

// The caption of the folder browser.
extern const char kBrowseCaption[];

// Runs the shell's folder browser. `root` (null or empty: the desktop) limits the tree, `initial` is
// selected at the start; `flags` are added to BIF_STATUSTEXT. True when a file-system folder was chosen;
// `out` then holds its path.
bool BrowseForFolder(HWND owner,
                     std::string& out,
                     const char* root,
                     const char* initial,
                     const char* title,
                     UINT flags);

// The shell allocator, or null when the shell offers none.
ui::ComPtr<IMalloc> ShellAllocator();

// The shell's item id list of `path`, or null (also for a null or empty path). Free it with the shell
// allocator.
LPITEMIDLIST ParsePath(const char* path);

// A new list holding only `item` (the first item of an item id list), from the shell allocator.
LPITEMIDLIST CopyItem(LPCITEMIDLIST item);

}  // namespace brindle

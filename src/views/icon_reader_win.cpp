#include "views/icon_reader_win.h"

#include <shellapi.h>

#include "launch/classify.h"
#include "launch/command_line.h"
#include "launch/system.h"
#include "views/icon_source.h"

namespace brindle {

WinIconReader::WinIconReader(const SettingsStore& store, System& system, ExtractFunction extract)
    : store_(store), system_(system), extract_(extract) {}

// Both icons of `file` at `edges` (MAKELONG(large, small)), or false with none. When nothing was
// extracted the outputs are not ours: Wine has left whatever its stack held there, which can be the
// handle of an icon the program holds; destroying it would take it from its owner.
bool WinIconReader::ExtractPair(const char* file, int index, UINT edges, HICON& large, HICON& small) const {
    HICON bigIcon = nullptr, smallIcon = nullptr;
    if (extract_(file, index, 0, &bigIcon, &smallIcon, edges) != S_OK) {
        large = small = nullptr;
        return false;
    }
    if (!bigIcon || !smallIcon) {
        if (bigIcon)
            DestroyIcon(bigIcon);
        if (smallIcon)
            DestroyIcon(smallIcon);
        large = small = nullptr;
        return false;
    }
    large = bigIcon;
    small = smallIcon;
    return true;
}

void WinIconReader::Read(const std::string& source, IconSizes sizes, IconHandle& large, IconHandle& small) {
    large = small = nullptr;
    std::string file, parameters;
    SplitCommandLine(source.c_str(), file, parameters, system_);
    if (!TargetAccessAllowed(store_, system_)) {
        return;
    }
    ++reads_;
    const IconLocation location = ParseIconSource(file);
    const int largeEdge = sizes.large > 0 ? sizes.large : GetSystemMetrics(SM_CXICON);
    const int smallEdge = sizes.small > 0 ? sizes.small : GetSystemMetrics(SM_CXSMICON);
    const UINT edges = MAKELONG(largeEdge, smallEdge);
    HICON bigIcon = nullptr, smallIcon = nullptr;
    if (!ExtractPair(location.file.c_str(), location.index, edges, bigIcon, smallIcon)) {
        // A file without icon resources (a document, a folder) shows the icon the shell gives it: read
        // from where the shell keeps it at the asked sizes, else the shell's own icons at its sizes (a
        // handler that draws its icons itself names no file).
        SHFILEINFOA where{};
        if (!SHGetFileInfoA(location.file.c_str(), 0, &where, sizeof where, SHGFI_ICONLOCATION) ||
            where.szDisplayName[0] == '\0' || where.szDisplayName[0] == '*' ||
            !ExtractPair(where.szDisplayName, where.iIcon, edges, bigIcon, smallIcon)) {
            SHFILEINFOA info{};
            if (SHGetFileInfoA(location.file.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SHELLICONSIZE)) {
                bigIcon = info.hIcon;
            }
            info = {};
            if (SHGetFileInfoA(location.file.c_str(), 0, &info, sizeof info,
                               SHGFI_ICON | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON)) {
                smallIcon = info.hIcon;
            }
        }
    }
    large = bigIcon;
    small = smallIcon;
}

void WinIconReader::Destroy(IconHandle icon) {
    if (icon)
        DestroyIcon(static_cast<HICON>(icon));
}

void IconsToTreeImageList(const PageIconCache& cache, HIMAGELIST tree) {
    if (cache.Icons().empty() || !tree) {
        return;
    }
    ImageList_SetImageCount(tree, kFirstTreeIcon);
    for (IconHandle icon : cache.Icons()) {
        ImageList_ReplaceIcon(tree, -1, static_cast<HICON>(icon));
    }
}

}  // namespace brindle

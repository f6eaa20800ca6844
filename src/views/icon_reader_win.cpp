#include "views/icon_reader_win.h"

#include <shellapi.h>

#include "launch/classify.h"
#include "launch/command_line.h"
#include "launch/system.h"
#include "views/icon_source.h"

namespace brindle {

WinIconReader::WinIconReader(const SettingsStore& store, System& system, ExtractFunction extract)
    : store_(store), system_(system), extract_(extract) {}

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
    HICON bigIcon = nullptr, smallIcon = nullptr;
    const HRESULT extracted = extract_(location.file.c_str(), location.index, 0, &bigIcon, &smallIcon,
                                       MAKELONG(largeEdge, smallEdge));
    if (extracted != S_OK) {
        // Nothing was extracted, and the outputs are not ours: Wine copies whatever its stack held there,
        // which can be the handle of an icon the program holds; destroying it would take it from its owner.
        bigIcon = smallIcon = nullptr;
        // A file without icon resources (a document, a folder) shows the icon the shell gives it.
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
    large = bigIcon;
    small = smallIcon;
}

void WinIconReader::Destroy(IconHandle icon) {
    if (icon)
        DestroyIcon(static_cast<HICON>(icon));
}

void IconsToListImageLists(const IconCache& cache, HIMAGELIST small, HIMAGELIST large) {
    if (cache.Pairs().empty() || !small || !large) {
        return;
    }
    ImageList_SetImageCount(small, kFirstListIcon);
    ImageList_SetImageCount(large, kFirstListIcon);
    for (const IconCache::Pair& pair : cache.Pairs()) {
        ImageList_ReplaceIcon(small, -1, static_cast<HICON>(pair.small));
        ImageList_ReplaceIcon(large, -1, static_cast<HICON>(pair.large));
    }
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

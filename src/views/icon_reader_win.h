#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "views/icon_cache.h"

namespace brindle {

class SettingsStore;
class System;

// Reads icons from files at the asked sizes: SHDefExtractIconA (the file's own image of that size, not a
// 16-pixel one stretched), and when the file has no icon resources the icon the shell shows for it
// (read at the asked sizes from the place SHGetFileInfoA names, or at the shell's sizes). Nothing is read while the
// icon policy forbids disk access (TargetAccessAllowed), which is asked at every read.
class WinIconReader : public IconReader {
public:
    // SHDefExtractIconA's form; tests give a stand-in that answers as Wine does.
    using ExtractFunction =
        HRESULT(WINAPI*)(LPCSTR file, int index, UINT flags, HICON* large, HICON* small, UINT sizes);

    WinIconReader(const SettingsStore& store, System& system, ExtractFunction extract = SHDefExtractIconA);
    void Read(const std::string& source, IconSizes sizes, IconHandle& large, IconHandle& small) override;
    void Destroy(IconHandle icon) override;
    // How many reads reached the file system.
    int Reads() const { return reads_; }

private:
    bool ExtractPair(const char* file, int index, UINT edges, HICON& large, HICON& small) const;

    const SettingsStore& store_;
    System& system_;
    ExtractFunction extract_;
    int reads_ = 0;
};

// Hand-over of a tree build's icons: page icon n becomes image n + 2 of the tree image list. Earlier
// icons beyond the base images are dropped first. With no icons the image list is left as it is.
void IconsToTreeImageList(const PageIconCache& cache, HIMAGELIST tree);

}  // namespace brindle

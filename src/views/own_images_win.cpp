#include "views/own_images_win.h"

#include "resource.h"
#include "ui/handles.h"
#include "views/own_image_sizes.h"

namespace brindle::views {
namespace {

struct StripSet {
    int ids[std::size(kOwnImageSizes)];
    COLORREF mask;
};

constexpr StripSet kTree{{IDB_TREE, IDB_TREE_20, IDB_TREE_24, IDB_TREE_32, IDB_TREE_40, IDB_TREE_48}, RGB(0, 0, 128)};
constexpr StripSet kClasses{{IDB_CLASS_SMALL, IDB_CLASS_20, IDB_CLASS_24, IDB_CLASS_LARGE, IDB_CLASS_40, IDB_CLASS_48},
                            RGB(255, 0, 0)};

int StripId(const StripSet& set, int drawnSize) {
    for (size_t i = 0; i < std::size(kOwnImageSizes); ++i) {
        if (kOwnImageSizes[i] == drawnSize)
            return set.ids[i];
    }
    return set.ids[0];
}

// The strip scaled to `size` pixels high. Nearest-neighbour copying keeps the background exactly the mask
// colour, so the mask still cuts it out.
HBITMAP Stretched(HBITMAP strip, int size) {
    BITMAP info{};
    if (!GetObjectA(strip, sizeof info, &info) || info.bmHeight <= 0)
        return nullptr;
    const int count = info.bmWidth / info.bmHeight;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HBITMAP result = CreateCompatibleBitmap(screen, count * size, size);
    if (from && to && result) {
        HGDIOBJ oldFrom = SelectObject(from, strip), oldTo = SelectObject(to, result);
        SetStretchBltMode(to, COLORONCOLOR);
        StretchBlt(to, 0, 0, count * size, size, from, 0, 0, count * info.bmHeight, info.bmHeight, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    if (from)
        DeleteDC(from);
    if (to)
        DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return result;
}

}  // namespace

HIMAGELIST OwnStripImageList(OwnStrip which, int size) {
    const StripSet& set = which == OwnStrip::Tree ? kTree : kClasses;
    const int drawn = NearestOwnImageSize(size);
    ui::UniqueBitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(StripId(set, drawn))));
    if (!bitmap)
        return nullptr;
    if (drawn != size) {
        HBITMAP stretched = Stretched(bitmap.Get(), size);
        if (!stretched)
            return nullptr;
        bitmap.Reset(stretched);
    }
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLORDDB | ILC_MASK, 8, 8);
    if (list && ImageList_AddMasked(list, bitmap.Get(), set.mask) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    return list;
}

HICON LoadOwnIcon(int id, int size) {
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace brindle::views

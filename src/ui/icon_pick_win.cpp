#include "ui/icon_pick_win.h"

namespace brindle::ui {

int IconEdge(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    int edge = 0;
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap))
        edge = bitmap.bmWidth;
    else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bitmap, &bitmap))
        edge = bitmap.bmWidth;  // a monochrome icon: the mask is as wide as the picture
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return edge;
}

HICON IconForSize(HICON small, HICON big, int wanted) {
    switch (PickIcon(IconEdge(small), IconEdge(big), wanted)) {
        case IconPick::Small:
            return small;
        case IconPick::Big:
            return big;
        case IconPick::None:
            break;
    }
    return small ? small : big;
}

}  // namespace brindle::ui

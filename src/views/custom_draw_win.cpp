#include "views/custom_draw_win.h"

namespace brindle {

LRESULT DrawTreeItem(NMTVCUSTOMDRAW& draw, HWND tree, const ItemColours& colours) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            if (draw.nmcd.uItemState & CDIS_SELECTED) {
                const bool focused = GetFocus() == tree;
                draw.clrText = focused ? colours.selectedText : colours.noFocusText;
                draw.clrTextBk = focused ? colours.selectedBack : colours.noFocusBack;
            } else {
                draw.clrText = colours.text;
                draw.clrTextBk = colours.back;
            }
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}

namespace {

constexpr UINT kSingleLine =
    DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
constexpr UINT kWrappedWhole = DT_CENTER | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX | DT_EDITCONTROL;
constexpr UINT kWrapped = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;

// The image centred in `r`, without its overlay.
void PlaceImage(HDC dc, HIMAGELIST images, int image, const RECT& r) {
    IMAGEINFO info{};
    if (!images || !ImageList_GetImageInfo(images, 0, &info)) {
        return;
    }
    const int w = info.rcImage.right - info.rcImage.left, h = info.rcImage.bottom - info.rcImage.top;
    const int x = r.left + ((r.right - r.left) - w) / 2;
    const int y = r.top + ((r.bottom - r.top) - h) / 2;
    ImageList_Draw(images, image, dc, x, y, ILD_TRANSPARENT);
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    if (HBRUSH brush = CreateSolidBrush(colour)) {
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
}

}  // namespace

LRESULT DrawListItem(NMLVCUSTOMDRAW& draw, HWND list, const ItemColours& colours) {
    const DWORD view = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & LVS_TYPEMASK;
    const int item = static_cast<int>(draw.nmcd.dwItemSpec);
    const int column = draw.iSubItem;
    const DWORD stage = draw.nmcd.dwDrawStage;

    if (stage == CDDS_PREPAINT) {
        return view == LVS_REPORT ? CDRF_NOTIFYSUBITEMDRAW : CDRF_NOTIFYITEMDRAW;
    }
    if (view == LVS_REPORT && stage == CDDS_ITEMPREPAINT) {
        return CDRF_NOTIFYSUBITEMDRAW;
    }
    const bool subItem = stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM);
    if (view == LVS_REPORT ? !subItem : stage != CDDS_ITEMPREPAINT) {
        return CDRF_DODEFAULT;
    }

    const bool selected = ListView_GetNextItem(list, -1, LVNI_SELECTED) == item;
    const bool focused = (draw.nmcd.uItemState & CDIS_FOCUS) != 0;
    if (selected) {
        draw.clrText = focused ? colours.selectedText : colours.noFocusText;
        draw.clrTextBk = focused ? colours.selectedBack : colours.noFocusBack;
    } else {
        draw.clrText = colours.text;
        draw.clrTextBk = colours.back;
    }
    LVITEMA entry{};
    entry.mask = LVIF_IMAGE;
    entry.iItem = item;
    const int image = ListView_GetItem(list, &entry) ? entry.iImage : -1;
    HIMAGELIST images = ListView_GetImageList(list, view == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);

    char text[1024] = "";
    HDC dc = draw.nmcd.hdc;
    if (view == LVS_REPORT) {
        ListView_GetItemText(list, item, column, text, sizeof text);
        RECT icon{}, bounds{};
        ListView_GetSubItemRect(list, item, column, LVIR_ICON, &icon);
        ListView_GetSubItemRect(list, item, column, LVIR_BOUNDS, &bounds);
        if (column == 0) {
            Fill(dc, bounds, draw.clrTextBk);  // column 0's bounds are the whole row
            PlaceImage(dc, images, image, icon);
            RECT next{};
            ListView_GetSubItemRect(list, item, 1, LVIR_BOUNDS, &next);
            bounds.left = icon.right + 2;
            bounds.right = next.left;
        }
        SetTextColor(dc, draw.clrText);
        SetBkColor(dc, draw.clrTextBk);
        DrawTextA(dc, text, -1, &bounds, kSingleLine);
        return CDRF_SKIPDEFAULT;
    }

    ListView_GetItemText(list, item, 0, text, sizeof text);
    RECT icon{}, label{};
    ListView_GetItemRect(list, item, &icon, LVIR_ICON);
    ListView_GetItemRect(list, item, &label, LVIR_LABEL);
    Fill(dc, label, draw.clrTextBk);
    PlaceImage(dc, images, image, icon);
    SetTextColor(dc, draw.clrText);
    SetBkColor(dc, draw.clrTextBk);
    InflateRect(&label, -1, -1);
    UINT format = kSingleLine;
    if (view != LVS_LIST)
        format = selected && focused ? kWrappedWhole : kWrapped;
    DrawTextA(dc, text, -1, &label, format);
    return CDRF_SKIPDEFAULT;
}

}  // namespace brindle

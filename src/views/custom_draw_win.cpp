#include "views/custom_draw_win.h"

#include "store/preferences.h"

namespace brindle {

ItemColours TreeItemColours(const Preferences& p) {
    return {p.clrTreeText, p.clrTreeBack, p.clrTreeSelT, p.clrTreeSelB, p.clrTreeNfcT, p.clrTreeNfcB};
}

ItemColours ListItemColours(const Preferences& p) {
    return {p.clrListText, p.clrListTxBk, p.clrListSelT, p.clrListSelB, p.clrListNfcT, p.clrListNfcB};
}

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

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    // The DC's background colour fills without a brush to make and delete.
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

const char kEmptyPageHint[] =
    "このページにはショートカットがありません。\n"
    "Ctrl+Shift+A で追加するか、ファイルをここにドロップするか、Ctrl+I でフォルダを取り込んでください。";

// Below the header in the report view, centred, wrapped to the list's width.
void ListPainter::DrawEmptyHint(const NMLVCUSTOMDRAW& draw, const ItemColours& colours) {
    RECT area;
    GetClientRect(list_, &area);
    if (HWND header = ListView_GetHeader(list_); header && IsWindowVisible(header)) {
        RECT headerRect;
        GetWindowRect(header, &headerRect);
        area.top += headerRect.bottom - headerRect.top;
    }
    InflateRect(&area, -8, -8);
    area.top += 8;
    const int mode = SetBkMode(draw.nmcd.hdc, TRANSPARENT);
    const COLORREF colour = SetTextColor(draw.nmcd.hdc, colours.text);
    DrawTextA(draw.nmcd.hdc, kEmptyPageHint, -1, &area, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SetTextColor(draw.nmcd.hdc, colour);
    SetBkMode(draw.nmcd.hdc, mode);
}

LRESULT ListPainter::Draw(NMLVCUSTOMDRAW& draw, HWND list, const ItemColours& colours) {
    const DWORD stage = draw.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) {
        StartPaint(list, draw.nmcd.hdc);
        // A list with no item is an empty page: the hint is drawn once the list has painted.
        const LRESULT post = ListView_GetItemCount(list) == 0 ? CDRF_NOTIFYPOSTPAINT : 0;
        return post | (view_ == LVS_REPORT ? CDRF_NOTIFYSUBITEMDRAW : CDRF_NOTIFYITEMDRAW);
    }
    if (stage == CDDS_POSTPAINT) {
        if (ListView_GetItemCount(list) == 0)
            DrawEmptyHint(draw, colours);
        return CDRF_DODEFAULT;
    }
    if (stage != CDDS_ITEMPREPAINT && stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
        return CDRF_DODEFAULT;
    if (list != list_ || draw.nmcd.hdc != dc_)
        StartPaint(list, draw.nmcd.hdc);  // an item drawn outside the paint this painter saw start
    if (stage == CDDS_ITEMPREPAINT) {
        StartRow(draw, colours);
        draw.clrText = text_;
        draw.clrTextBk = back_;
        if (view_ == LVS_REPORT)
            return CDRF_NOTIFYSUBITEMDRAW;
        DrawIconItem(draw);
        return CDRF_SKIPDEFAULT;
    }
    if (view_ != LVS_REPORT)
        return CDRF_DODEFAULT;
    if (static_cast<int>(draw.nmcd.dwItemSpec) != item_)
        StartRow(draw, colours);  // a cell whose row start this painter did not see
    draw.clrText = text_;
    draw.clrTextBk = back_;
    DrawCell(draw);
    return CDRF_SKIPDEFAULT;
}

void ListPainter::StartPaint(HWND list, HDC dc) {
    list_ = list;
    dc_ = dc;
    view_ = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & LVS_TYPEMASK;
    images_ = ListView_GetImageList(list, view_ == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);
    IMAGEINFO info{};
    if (images_ && ImageList_GetImageInfo(images_, 0, &info)) {
        imageSize_ = {info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top};
    } else {
        images_ = nullptr;
    }
    selected_ = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    listBack_ = ListView_GetBkColor(list);
    item_ = -1;
}

// The row's image centred in `r`, without its overlay, on `back`: the colour under it.
void ListPainter::PlaceImage(HDC dc, COLORREF back, const RECT& r) {
    if (!images_ || image_ < 0)
        return;
    const int x = r.left + ((r.right - r.left) - imageSize_.cx) / 2;
    const int y = r.top + ((r.bottom - r.top) - imageSize_.cy) / 2;
    auto draw = [this](HDC into, int atX, int atY) {
        ImageList_Draw(images_, image_, into, atX, atY, ILD_TRANSPARENT);
    };
    if (back == CLR_NONE) {
        draw(dc, x, y);
        return;
    }
    imageStrip_.Draw(dc, x, y, imageSize_.cx, imageSize_.cy, {images_, image_, back}, draw);
}

void ListPainter::StartRow(const NMLVCUSTOMDRAW& draw, const ItemColours& colours) {
    item_ = static_cast<int>(draw.nmcd.dwItemSpec);
    focused_ = (draw.nmcd.uItemState & CDIS_FOCUS) != 0;
    if (item_ == selected_) {
        text_ = focused_ ? colours.selectedText : colours.noFocusText;
        back_ = focused_ ? colours.selectedBack : colours.noFocusBack;
    } else {
        text_ = colours.text;
        back_ = colours.back;
    }
    LVITEMA entry{};
    entry.mask = LVIF_IMAGE;
    entry.iItem = item_;
    image_ = ListView_GetItem(list_, &entry) ? entry.iImage : -1;
    firstColumnEnd_ = 0;
    if (view_ == LVS_REPORT) {
        RECT next{};
        ListView_GetSubItemRect(list_, item_, 1, LVIR_BOUNDS, &next);
        firstColumnEnd_ = next.left;
    }
}

void ListPainter::DrawCell(NMLVCUSTOMDRAW& draw) {
    char text[1024] = "";
    const int column = draw.iSubItem;
    ListView_GetItemText(list_, item_, column, text, sizeof text);
    HDC dc = draw.nmcd.hdc;
    RECT bounds{};
    ListView_GetSubItemRect(list_, item_, column, LVIR_BOUNDS, &bounds);
    if (column == 0) {
        RECT icon{};
        ListView_GetSubItemRect(list_, item_, 0, LVIR_ICON, &icon);
        Fill(dc, bounds, back_);  // column 0's bounds are the whole row
        PlaceImage(dc, back_, icon);
        bounds.left = icon.right + 2;
        bounds.right = firstColumnEnd_;
    }
    SetTextColor(dc, text_);
    SetBkColor(dc, back_);
    DrawTextA(dc, text, -1, &bounds, kSingleLine);
}

void ListPainter::DrawIconItem(NMLVCUSTOMDRAW& draw) {
    char text[1024] = "";
    ListView_GetItemText(list_, item_, 0, text, sizeof text);
    HDC dc = draw.nmcd.hdc;
    RECT icon{}, label{};
    ListView_GetItemRect(list_, item_, &icon, LVIR_ICON);
    ListView_GetItemRect(list_, item_, &label, LVIR_LABEL);
    Fill(dc, label, back_);
    PlaceImage(dc, listBack_, icon);
    SetTextColor(dc, text_);
    SetBkColor(dc, back_);
    InflateRect(&label, -1, -1);
    UINT format = kSingleLine;
    if (view_ != LVS_LIST)
        format = item_ == selected_ && focused_ ? kWrappedWhole : kWrapped;
    DrawTextA(dc, text, -1, &label, format);
}

}  // namespace brindle

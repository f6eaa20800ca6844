#include "search/search_results_win.h"

#include <cstdint>

#include "launch/classify.h"
#include "launch/system.h"
#include "search/search_host.h"
#include "search/search_match.h"
#include "store/settings_store.h"
#include "ui/dpi_win.h"
#include "ui/icon_pick_win.h"
#include "views/icon_cache.h"
#include "views/icon_reader_win.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

constexpr int kGap = 4;     // between the icon, the name and the path, at 96 DPI
constexpr int kMargin = 2;  // left of the icon
constexpr int8_t kNotClassified = INT8_MIN;  // target::kMissing is -1

// Draws `text` from `x` and returns where it ended.
int DrawPiece(HDC dc, int x, const RECT& row, const char* text, size_t length) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(length), &size);
    RECT place{x, row.top, row.right, row.bottom};
    DrawTextA(dc, text, static_cast<int>(length), &place, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return x + size.cx;
}

}  // namespace

SearchResultPainter::SearchResultPainter(SearchHost& host)
    : host_(host),
      reader_(std::make_unique<WinIconReader>(host.SearchStore(), host.SearchSystem())),
      icons_(std::make_unique<IconCache>(*reader_)) {}

SearchResultPainter::~SearchResultPainter() = default;

void SearchResultPainter::Reset() {
    icons_->Clear();
    kinds_.assign(static_cast<size_t>(host_.SearchStore().ShortcutCount()), kNotClassified);
}

void SearchResultPainter::SetDpi(unsigned dpi, int iconSize) {
    dpi_ = dpi;
    iconSize_ = iconSize;
    // Icons read at the sizes of this scale from now on (a change of size lets the former ones go).
    icons_->SetSizes({ui::MetricForDpi(SM_CXICON, dpi), iconSize});
}

LRESULT SearchResultPainter::Draw(NMLVCUSTOMDRAW& draw, const search::SearchIndex& index, const search::Query& query) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            const int result = static_cast<int>(draw.nmcd.dwItemSpec);
            if (result < 0 || result >= index.ResultCount())
                return CDRF_DODEFAULT;
            RECT row{};
            ListView_GetItemRect(draw.nmcd.hdr.hwndFrom, result, &row, LVIR_BOUNDS);
            const bool selected = ListView_GetItemState(draw.nmcd.hdr.hwndFrom, result, LVIS_SELECTED) != 0;
            DrawRow(draw.nmcd.hdc, row, result, selected, index, query);
            return CDRF_SKIPDEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

void SearchResultPainter::DrawRow(HDC dc,
                                  const RECT& row,
                                  int result,
                                  bool selected,
                                  const search::SearchIndex& index,
                                  const search::Query& query) {
    const int storeIndex = index.StoreIndexOf(result);
    ShortcutRecord s;
    if (!host_.SearchStore().GetShortcutAt(storeIndex, s))
        return;
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SetBkColor(dc, back);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
    const int margin = ui::ScaleToDpi(kMargin, dpi_), gap = ui::ScaleToDpi(kGap, dpi_);
    DrawIcon(dc, row.left + margin, row, storeIndex);

    // The name, the matched ranges on the marker colour.
    const std::string_view name = s.name ? s.name : "";
    int x = row.left + margin + iconSize_ + gap;
    size_t at = 0;
    SetBkMode(dc, OPAQUE);
    for (const auto& [from, to] : search::MatchedRanges(name, query)) {
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        x = DrawPiece(dc, x, row, name.data() + at, from - at);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, kMarker);
        x = DrawPiece(dc, x, row, name.data() + from, to - from);
        at = to;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    x = DrawPiece(dc, x, row, name.data() + at, name.size() - at);

    const std::string& path = index.PagePathOf(result);
    if (!path.empty()) {
        SetTextColor(dc, selected ? text : GetSysColor(COLOR_GRAYTEXT));
        DrawPiece(dc, x + 3 * gap, row, path.data(), path.size());
    }
}

void SearchResultPainter::DrawIcon(HDC dc, int x, const RECT& row, int storeIndex) {
    ShortcutRecord s;
    if (!host_.SearchStore().GetShortcutAt(storeIndex, s))
        return;
    const bool known = storeIndex >= 0 && static_cast<size_t>(storeIndex) < kinds_.size();
    int kind = known ? kinds_[storeIndex] : kNotClassified;
    if (kind == kNotClassified) {
        kind = ClassifyTarget(s.commandLine, s.check, host_.SearchStore(), host_.SearchSystem());
        if (known)
            kinds_[storeIndex] = static_cast<int8_t>(kind);
    }
    int cached = -1;
    if (s.readIcon) {
        const std::string key = views::IconKey(s, host_.SearchSystem());
        if (!key.empty())
            cached = icons_->Lookup(key);
    }
    const views::ItemImage image = views::ListItemImage(s.readIcon != 0, cached, kind);
    if (image.image >= kFirstListIcon && image.image - kFirstListIcon < static_cast<int>(icons_->Pairs().size())) {
        // The small icon as read, or the large one drawn smaller when the small one is smaller than the
        // DPI asks (read at the system's small size on a monitor of a larger scale).
        const IconCache::Pair& pair = icons_->Pairs()[image.image - kFirstListIcon];
        HICON icon = ui::IconForSize(static_cast<HICON>(pair.small), static_cast<HICON>(pair.large), iconSize_);
        const int y = row.top + (row.bottom - row.top - iconSize_) / 2;
        DrawIconEx(dc, x, y, icon, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
    } else if (HIMAGELIST classes = host_.SearchClassImages()) {
        // The main window's class images, at their own size.
        int width = 0, height = 0;
        ImageList_GetIconSize(classes, &width, &height);
        ImageList_Draw(classes, image.image, dc, x, row.top + (row.bottom - row.top - height) / 2, ILD_TRANSPARENT);
    }
}

}  // namespace brindle

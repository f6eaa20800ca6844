#include "search/search_results_win.h"

#include <algorithm>
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

constexpr int kGap = 4;                      // between the icon, the name and the path, at 96 DPI
constexpr int kMargin = 2;                   // left of the icon
constexpr int8_t kNotClassified = INT8_MIN;  // target::kMissing is -1

constexpr size_t kMostIcons = 512;  // kept between openings; more are let go (each pair holds two handles)

// Draws `text` at the current position of `dc` (its text alignment updates it) in one call, clipped to
// the row.
void DrawPiece(HDC dc, const RECT& row, const char* text, size_t length) {
    if (length > 0)
        ExtTextOutA(dc, 0, 0, ETO_CLIPPED, &row, text, static_cast<UINT>(length), nullptr);
}

}  // namespace

SearchResultPainter::SearchResultPainter(SearchHost& host)
    : host_(host),
      reader_(std::make_unique<WinIconReader>(host.SearchStore(), host.SearchSystem())),
      icons_(std::make_unique<IconCache>(*reader_)) {}

SearchResultPainter::~SearchResultPainter() = default;

void SearchResultPainter::Reset() {
    icons_->Clear();
    strip_.Clear();
    kinds_.assign(static_cast<size_t>(host_.SearchStore().ShortcutCount()), Kind{kNotClassified, 0});
    NewOpening();
}

void SearchResultPainter::NewOpening() {
    ++opening_;
    recheck_.clear();
    if (icons_->Pairs().size() > kMostIcons) {
        icons_->Clear();
        strip_.Clear();  // its cells are keyed by the icons' handles
    }
    // Classes made under the other rule (existence checks allowed or not) are made again when drawn.
    Preferences prefs;
    host_.SearchStore().GetPreferences(prefs);
    if (prefs.iChkLoadIcon != accessRule_) {
        accessRule_ = prefs.iChkLoadIcon;
        for (Kind& k : kinds_)
            k.kind = kNotClassified;
    }
}

int SearchResultPainter::Classify(const ShortcutRecord& s) const {
    return ClassifyTarget(s.commandLine, s.check, host_.SearchStore(), host_.SearchSystem());
}

// The class a row is drawn with: classified at its first drawing; drawn later with the class it had and
// noted for a check after the paint when it was classified in a former opening.
int SearchResultPainter::KindOf(const ShortcutRecord& s, int storeIndex, HWND list) {
    if (storeIndex < 0 || static_cast<size_t>(storeIndex) >= kinds_.size())
        return Classify(s);
    Kind& k = kinds_[storeIndex];
    if (k.kind == kNotClassified) {
        k = Kind{static_cast<int8_t>(Classify(s)), opening_};
    } else if (k.opening != opening_) {
        k.opening = opening_;  // noted once an opening
        recheck_.push_back(storeIndex);
        if (!recheckPosted_)
            recheckPosted_ = PostMessageA(GetParent(list), kRecheckTargets, 0, 0) != FALSE;
    }
    return k.kind;
}

int SearchResultPainter::RecheckTargets(HWND list, const search::SearchIndex& index) {
    recheckPosted_ = false;
    int changed = 0;
    ShortcutRecord s;
    for (int storeIndex : recheck_) {
        if (static_cast<size_t>(storeIndex) >= kinds_.size() || !host_.SearchStore().GetShortcutAt(storeIndex, s))
            continue;
        const int kind = Classify(s);
        if (kind != kinds_[storeIndex].kind) {
            kinds_[storeIndex].kind = static_cast<int8_t>(kind);
            ++changed;
        }
    }
    recheck_.clear();
    if (changed > 0) {
        // Only the rows on view were drawn; drawn again, they take the new classes.
        const int top = ListView_GetTopIndex(list);
        const int last = std::min(index.ResultCount() - 1, top + ListView_GetCountPerPage(list));
        if (last >= top)
            ListView_RedrawItems(list, top, last);
    }
    return changed;
}

void SearchResultPainter::SetDpi(unsigned dpi, int iconSize) {
    dpi_ = dpi;
    iconSize_ = iconSize;
    // Icons read at the sizes of this scale from now on (a change of size lets the former ones go).
    icons_->SetSizes({ui::MetricForDpi(SM_CXICON, dpi), iconSize});
    strip_.Clear();
}

// Every row on view is drawn at the start of the paint, and the list draws nothing itself: one
// notification a paint instead of several a row, each a round through the dialog.
LRESULT SearchResultPainter::Draw(NMLVCUSTOMDRAW& draw, const search::SearchIndex& index, const search::Query& query) {
    if (draw.nmcd.dwDrawStage != CDDS_PREPAINT)
        return CDRF_DODEFAULT;
    HWND list = draw.nmcd.hdr.hwndFrom;
    HDC dc = draw.nmcd.hdc;
    // Read once a paint rather than once a row.
    colors_ = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HIGHLIGHT),
               GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_GRAYTEXT)};
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    textHeight_ = metrics.tmHeight;

    RECT client{};
    GetClientRect(list, &client);
    RECT row{client.left, client.top, client.right, client.top};  // the rows drawn end at row.bottom
    const int count = index.ResultCount();
    const int top = ListView_GetTopIndex(list);
    if (top >= 0 && top < count && ListView_GetItemRect(list, top, &row, LVIR_BOUNDS)) {
        const int height = row.bottom - row.top;
        const int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        const RECT& dirty = draw.nmcd.rc;
        for (int result = top; result < count && row.top < client.bottom && height > 0; ++result) {
            if (row.bottom > dirty.top && row.top < dirty.bottom)
                DrawRow(dc, list, row, result, result == selected, index, query);
            OffsetRect(&row, 0, height);
        }
        OffsetRect(&row, 0, -height);
    }
    // What no row covers: below the last one and right of the column.
    SetBkColor(dc, colors_.window);
    const RECT below{client.left, row.bottom, client.right, client.bottom};
    const RECT right{row.right, client.top, client.right, row.bottom};
    for (const RECT& rest : {below, right}) {
        if (!IsRectEmpty(&rest))
            ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rest, nullptr, 0, nullptr);
    }
    return CDRF_SKIPDEFAULT;
}

void SearchResultPainter::DrawRow(HDC dc,
                                  HWND list,
                                  const RECT& row,
                                  int result,
                                  bool selected,
                                  const search::SearchIndex& index,
                                  const search::Query& query) {
    const int storeIndex = index.StoreIndexOf(result);
    ShortcutRecord s;
    if (!host_.SearchStore().GetShortcutAt(storeIndex, s))
        return;
    const COLORREF back = selected ? colors_.highlight : colors_.window;
    const COLORREF text = selected ? colors_.highlightText : colors_.windowText;
    SetBkColor(dc, back);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
    const int margin = ui::ScaleToDpi(kMargin, dpi_), gap = ui::ScaleToDpi(kGap, dpi_);
    DrawIcon(dc, row.left + margin, row, s, storeIndex, list);

    // The name, the matched ranges on the marker colour; each piece goes on where the one before ended.
    const std::string_view name = s.name ? s.name : "";
    const int y = row.top + (row.bottom - row.top - textHeight_) / 2;
    const UINT align = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToEx(dc, row.left + margin + iconSize_ + gap, y, nullptr);
    size_t at = 0;
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, text);
    for (const auto& [from, to] : search::MatchedRanges(name, query)) {
        DrawPiece(dc, row, name.data() + at, from - at);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, kMarker);
        DrawPiece(dc, row, name.data() + from, to - from);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        at = to;
    }
    DrawPiece(dc, row, name.data() + at, name.size() - at);

    const std::string& path = index.PagePathOf(result);
    if (!path.empty()) {
        POINT end{};
        GetCurrentPositionEx(dc, &end);
        MoveToEx(dc, end.x + 3 * gap, y, nullptr);
        SetTextColor(dc, selected ? text : colors_.grayText);
        DrawPiece(dc, row, path.data(), path.size());
    }
    SetTextAlign(dc, align);
}

void SearchResultPainter::DrawIcon(HDC dc, int x, const RECT& row, const ShortcutRecord& s, int storeIndex, HWND list) {
    const int kind = KindOf(s, storeIndex, list);
    int cached = -1;
    if (s.readIcon) {
        const std::string key = views::IconKey(s, host_.SearchSystem());
        if (!key.empty())
            cached = icons_->Lookup(key);
    }
    const views::ItemImage image = views::ListItemImage(s.readIcon != 0, cached, kind);
    const COLORREF back = GetBkColor(dc);  // the row's, filled before
    if (image.image >= kFirstListIcon && image.image - kFirstListIcon < static_cast<int>(icons_->Pairs().size())) {
        // The small icon as read, or the large one drawn smaller when the small one is smaller than the
        // DPI asks (read at the system's small size on a monitor of a larger scale).
        const IconCache::Pair& pair = icons_->Pairs()[image.image - kFirstListIcon];
        HICON icon = ui::IconForSize(static_cast<HICON>(pair.small), static_cast<HICON>(pair.large), iconSize_);
        const int y = row.top + (row.bottom - row.top - iconSize_) / 2;
        strip_.Draw(dc, x, y, iconSize_, iconSize_, {icon, 0, back}, [&](HDC into, int atX, int atY) {
            DrawIconEx(into, atX, atY, icon, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
        });
    } else if (HIMAGELIST classes = host_.SearchClassImages()) {
        // The main window's class images, at their own size.
        int width = 0, height = 0;
        ImageList_GetIconSize(classes, &width, &height);
        const int y = row.top + (row.bottom - row.top - height) / 2;
        strip_.Draw(dc, x, y, width, height, {classes, image.image, back}, [&](HDC into, int atX, int atY) {
            ImageList_Draw(classes, image.image, into, atX, atY, ILD_TRANSPARENT);
        });
    }
}

}  // namespace brindle

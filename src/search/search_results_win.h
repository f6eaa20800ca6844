#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "search/search_index.h"
#include "search/search_query.h"

namespace brindle {

class SearchHost;
class IconCache;
class WinIconReader;

// Draws the rows of the virtual result list: the shortcut's small icon, its name with the matched
// characters on a marker colour, and its page path in the grey of disabled text.
class SearchResultPainter {
public:
    static constexpr COLORREF kMarker = RGB(255, 214, 102);

    explicit SearchResultPainter(SearchHost& host);
    ~SearchResultPainter();

    // NM_CUSTOMDRAW of the list: the answer for the dialog.
    LRESULT Draw(NMLVCUSTOMDRAW& draw, const search::SearchIndex& index, const search::Query& query);
    // Icons read and targets classified for a former index are let go.
    void Reset();
    // The icons' edge (the small icon of the window's DPI) and the gaps scaled from 96 DPI by `dpi`.
    void SetDpi(unsigned dpi, int iconSize);
    int IconSize() const { return iconSize_; }

private:
    void DrawRow(HDC dc,
                 const RECT& row,
                 int result,
                 bool selected,
                 const search::SearchIndex& index,
                 const search::Query& query);
    void DrawIcon(HDC dc, int x, const RECT& row, int storeIndex);

    SearchHost& host_;
    std::unique_ptr<WinIconReader> reader_;
    std::unique_ptr<IconCache> icons_;
    unsigned dpi_ = 96;
    int iconSize_ = 16;
    // The class of each shortcut's target once drawn: the existence check it may take costs
    // a file-system look-up, and every key press paints the visible rows again.
    std::vector<int8_t> kinds_;
};

}  // namespace brindle

#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "search/search_index.h"
#include "search/search_query.h"
#include "store/records.h"
#include "views/image_strip_win.h"

namespace brindle {

class SearchHost;
class IconCache;
class WinIconReader;

// Draws the rows of the virtual result list: the shortcut's small icon, its name with the matched
// characters on a marker colour, and its page path in the grey of disabled text.
class SearchResultPainter {
public:
    static constexpr COLORREF kMarker = RGB(255, 214, 102);
    // Posted to the list's parent when rows were drawn with a target class of a former opening: the
    // dialog answers with RecheckTargets once the window is painted.
    static constexpr UINT kRecheckTargets = WM_APP + 2;

    explicit SearchResultPainter(SearchHost& host);
    ~SearchResultPainter();

    // NM_CUSTOMDRAW of the list: the answer for the dialog.
    LRESULT Draw(NMLVCUSTOMDRAW& draw, const search::SearchIndex& index, const search::Query& query);
    // Icons read and targets classified for a former index are let go.
    void Reset();
    // The window opens again over the same index: icons stay (unless there are many), and the classes of
    // the targets are drawn as they were and checked again after the paint, for the rows drawn.
    void NewOpening();
    // Classifies again the targets drawn with a former opening's class; rows whose class changed are
    // drawn again. Returns how many changed.
    int RecheckTargets(HWND list, const search::SearchIndex& index);
    // The icons' edge (the small icon of the window's DPI) and the gaps scaled from 96 DPI by `dpi`.
    void SetDpi(unsigned dpi, int iconSize);
    int IconSize() const { return iconSize_; }

private:
    void DrawRow(HDC dc,
                 HWND list,
                 const RECT& row,
                 int result,
                 bool selected,
                 const search::SearchIndex& index,
                 const search::Query& query);
    void DrawIcon(HDC dc, int x, const RECT& row, const ShortcutRecord& s, int storeIndex, HWND list);
    int KindOf(const ShortcutRecord& s, int storeIndex, HWND list);
    int Classify(const ShortcutRecord& s) const;

    SearchHost& host_;
    std::unique_ptr<WinIconReader> reader_;
    std::unique_ptr<IconCache> icons_;
    unsigned dpi_ = 96;
    int iconSize_ = 16;
    // The class of each shortcut's target once drawn, and the opening it was checked in: the existence
    // check it may take costs a file-system look-up, and every key press paints the visible rows again.
    struct Kind {
        int8_t kind;
        uint32_t opening;
    };
    std::vector<Kind> kinds_;
    uint32_t opening_ = 0;
    std::vector<int> recheck_;  // store indices drawn with a former opening's class
    bool recheckPosted_ = false;
    int32_t accessRule_ = 0;  // the preference the classes were made under (existence checks or not)
    struct Colors {
        COLORREF window, windowText, highlight, highlightText, grayText;
    } colors_{};
    int textHeight_ = 0;
    ImageStrip strip_;  // icons and class images as drawn on a row's background
};

}  // namespace brindle

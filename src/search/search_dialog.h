#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "search/migemo_loader_win.h"
#include "search/search_index.h"
#include "search/search_query.h"
#include "search/search_results_win.h"
#include "ui/dialog.h"

namespace brindle {

class SearchHost;

// The search window: an edit box over a virtual list of the shortcuts its text finds, ranked. Modeless;
// the main window makes it once, hidden, and shows it for the search hot key, Ctrl+F and the menus.
// Enter launches the selected result, Shift+Enter shows it in the main window, Ctrl+Enter opens its
// folder; Escape clears the text, a second Escape hides the window.
class SearchDialog : public ui::Dialog {
public:
    explicit SearchDialog(SearchHost& host);

    // Shows the window on the monitor of the mouse pointer with the previous text selected, over an index
    // of the store as it is now.
    void Open();
    // Where the window stands (kept as winSearch), or the place it had before it was first shown.
    RECT RectToKeep() const;

    const search::SearchIndex& Index() const { return index_; }
    int SelectedResult() const;  // -1 when none
    // Readings of romaji words from elsewhere than Migemo's dictionary beside the program (before Create).
    void SetReadings(search::ReadingExpander expander) { expander_ = std::move(expander); }
    const MigemoLoader* Migemo() const { return migemo_.get(); }

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void RebuildForDpi(unsigned oldDpi, unsigned newDpi) override;
    bool OnHelp() override;

private:
    // The results of the edit box's text, the first one selected; with `keepSelection`, the shortcut
    // selected before stays selected where it is still found.
    void Requery(bool keepSelection = false);
    void Refresh();
    // With `keepSelection`, the shortcut selected before stays selected when only launches were made
    // (an opening selects the first result itself).
    bool FollowStore(bool keepSelection = true);
    void ShowRanksFollowed(int selectedShortcut);
    void Select(int result);
    void Layout(int width, int height);
    void FitColumn();
    void SetRowHeight();
    void PlaceOnMouseMonitor();
    void Hide();
    void OnDropFiles(HDROP drop);

    SearchHost& host_;
    search::SearchIndex index_;
    search::Query query_;
    search::ReadingExpander expander_;
    std::unique_ptr<MigemoLoader> migemo_;
    SearchResultPainter painter_;
    RECT kept_{};  // the rectangle to keep; empty until the window was shown
    bool indexed_ = false;
    uint64_t indexedChanges_ = 0;   // the store's count of changes the index was built at
    uint64_t indexedLaunches_ = 0;  // and of launches it was ranked at
    bool readingsChanged_ = false;  // Migemo's readings arrived while the window was hidden
};

}  // namespace brindle

#pragma once

#include <windows.h>

#include <string>

#include "ui/anchored_layout_win.h"
#include "ui/dialog.h"
#include "ui/handles.h"

namespace brindle {

// Picks one icon out of a file that holds icons (an icon file, a program, a library): every icon of the
// file in a grid of large icons labelled with its index, and a browse button for another file. Its input
// and output are an icon source, "file" or "file>index".
class ChangeIconDialog : public ui::Dialog {
public:
    ChangeIconDialog();

    // The icon source to start from (before DoModal).
    void SetInitial(const std::string& source);
    // The chosen icon source (after DoModal returned IDOK); icon 0 is the bare file name.
    std::string Result() const;

protected:
    BOOL OnInitDialog() override;
    // F1: this dialog's page of the help.
    bool OnHelp() override;
    void OnOK() override;
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void RebuildForDpi(unsigned oldDpi, unsigned newDpi) override;

private:
    void MakeImageList();
    void LoadIcons();
    void ClearIcons();
    void Browse();

    std::string shownFile_;
    std::string file_;
    int iconIndex_ = 0;  // -1: none selected
    // The view shares this list (LVS_SHAREIMAGELISTS): the dialog is its one owner. Made with the window,
    // at its DPI.
    ui::UniqueImageList images_;
    ui::AnchoredLayout layout_;
    int minimumHeight_ = 0;  // down to just below the browse button
};

}  // namespace brindle

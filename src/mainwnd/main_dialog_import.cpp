// "取り込み": routes the import to its feature and shows the result in the views.
#include <windows.h>

#include <commctrl.h>

#include "importing/import_run_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"

namespace brindle {

void MainDialog::ImportFolders() {
    if (!IsWindowVisible(Hwnd()))
        return;
    ImportDialog dialog;
    if (RunModal(dialog) != IDOK)
        return;
    const std::vector<std::string> roots = ImportRoots(dialog.chosen);
    if (roots.empty())
        return;
    const std::optional<int32_t> parent = CaretPageId();
    HCURSOR cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    // The progress is shown in the status line, over the page combo, while the import runs.
    KillTimer(Hwnd(), kStatusTimer);
    ShowWindow(Item(IDC_STATUS), SW_SHOW);
    const ImportResult result = RunImport(store_, system_, roots, parent.value_or(kTopLevel),
                                          [this](const std::string& text) { SetStatusText(text); });
    SetCursor(cursor);
    // The tree is built once, with everything imported; the new page becomes the caret, and its page
    // switch saves the file.
    ClearTree();
    BuildTree();
    for (const PageEntry& entry : pageTree_.Entries()) {
        if (entry.pageId == result.topPageId)
            TreeView_SelectItem(Item(IDC_TREE), entry.item);
    }
    ShowPageNow();  // hides the status line
    ShowStatusFor(ImportDoneText(result));
}

}  // namespace brindle

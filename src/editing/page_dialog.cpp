#include "editing/page_dialog.h"

#include "editing/change_icon_dialog.h"
#include "editing/edit_rules.h"
#include "launch/help_win.h"
#include "resource.h"

namespace brindle {
namespace {

constexpr char kRootEntry[] = "[Root]";

}  // namespace

PageDialog::PageDialog() : ui::Dialog(IDD_PAGE) {}

BOOL PageDialog::OnInitDialog() {
    HWND combo = Item(IDC_PAGE_PARENT);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kRootEntry));
    for (const std::string& candidate : parentCandidates)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(candidate.c_str()));
    parentIndex_ = chosenParent.empty()
                       ? 0
                       : static_cast<int>(SendMessageA(combo, CB_FINDSTRINGEXACT, -1,
                                                       reinterpret_cast<LPARAM>(chosenParent.c_str())));
    if (adding)
        SetWindowTextA(Hwnd(), "Add Page");
    UpdateData(false);
    EnableIconControls();
    return TRUE;
}

void PageDialog::DoDataExchange(ui::DataExchange& exchange) {
    exchange.ComboIndex(IDC_PAGE_PARENT, parentIndex_);
    exchange.Text(IDC_PAGE_NAME, name);
    exchange.Text(IDC_PAGE_ID, pageIdText);
    exchange.Check(IDC_PAGE_USE_ICONS, useIcons);
    exchange.Text(IDC_PAGE_NORMAL_ICON, normalIcon);
    exchange.Text(IDC_PAGE_SELECTED_ICON, selectedIcon);
}

void PageDialog::EnableIconControls() {
    const BOOL enable = useIcons ? TRUE : FALSE;
    for (int id : {IDC_PAGE_NORMAL_ICON, IDC_PAGE_SELECTED_ICON, IDC_PAGE_BROWSE_NORMAL, IDC_PAGE_BROWSE_SELECTED})
        EnableWindow(Item(id), enable);
}

void PageDialog::ChooseIcon(std::string& source) {
    UpdateData(true);
    ChangeIconDialog picker;
    picker.SetInitial(source);
    if (picker.DoModal(Hwnd()) != IDOK)
        return;
    source = picker.Result();
    UpdateData(false);
}

bool PageDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED)
        return false;
    switch (id) {
        case IDC_PAGE_USE_ICONS:
            UpdateData(true);
            EnableIconControls();
            return true;
        case IDC_PAGE_BROWSE_NORMAL:
            ChooseIcon(normalIcon);
            return true;
        case IDC_PAGE_BROWSE_SELECTED:
            ChooseIcon(selectedIcon);
            return true;
        default:
            return false;
    }
}

void PageDialog::OnOK() {
    if (!UpdateData(true))
        return;
    ui::DataExchange refuse(Hwnd(), true);
    if (name.empty()) {
        refuse.Fail(IDC_PAGE_NAME, dialogs::kPageNameRequired, MB_ICONHAND);
        return;
    }
    if (auto message = dialogs::ForbiddenCharacterMessage(name, dialogs::kForbiddenInPageName)) {
        refuse.Fail(IDC_PAGE_NAME, *message, MB_ICONHAND);
        return;
    }
    // The icons are written between quotes on the page's line of the settings file.
    for (auto [id, icon] : {std::pair{IDC_PAGE_NORMAL_ICON, &normalIcon}, {IDC_PAGE_SELECTED_ICON, &selectedIcon}}) {
        if (auto message = dialogs::ForbiddenCharacterMessage(*icon, dialogs::kForbiddenInPageIcon)) {
            refuse.Fail(id, *message, MB_ICONHAND);
            return;
        }
    }
    chosenParent = ui::WindowText(Item(IDC_PAGE_PARENT));
    EndDialog(IDOK);
}

bool PageDialog::OnHelp() {
    ShowHelp(help::kPageDialog);
    return true;
}

}  // namespace brindle

#include "preferences/preferences_dialog.h"

#include "launch/help_win.h"
#include "resource.h"

namespace brindle {

PreferencesDialog::PreferencesDialog(const Preferences& prefs) : ui::Dialog(IDD_ENVIRON), prefs_(prefs) {}

BOOL PreferencesDialog::OnInitDialog() {
    tabs_.Attach(Hwnd(), IDC_ENVIRON_TAB);
    if (!tabs_.Add(controlTab_, "Control") || !tabs_.Add(otherTab_, "Other")) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    tabs_.UpdateData(false);
    return TRUE;
}

bool PreferencesDialog::OnNotify(NMHDR& header, LRESULT& result) {
    result = 0;
    return tabs_.OnNotify(header);
}

void PreferencesDialog::OnOK() {
    // A refused hot key keeps the dialog open with its page in front.
    if (!tabs_.UpdateData(true))
        return;
    EndDialog(IDOK);
}

bool PreferencesDialog::OnHelp() {
    ShowHelp(help::kPreferencesDialog);
    return true;
}

}  // namespace brindle

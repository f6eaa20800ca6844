#pragma once

#include <windows.h>

#include "preferences/preferences_control_tab.h"
#include "preferences/preferences_other_tab.h"
#include "store/preferences.h"
#include "ui/dialog.h"
#include "ui/tab_pages_win.h"

namespace brindle {

// The preferences dialog: a "Control" page (font and colours) and an "Other" page (hot keys and options)
// on a tab control, both working on one copy of the preferences. The copy is the result on OK; Cancel
// leaves the caller's preferences as they were.
class PreferencesDialog : public ui::Dialog {
public:
    explicit PreferencesDialog(const Preferences& prefs);

    // The edited copy (after DoModal returned IDOK).
    const Preferences& Result() const { return prefs_; }

protected:
    BOOL OnInitDialog() override;
    // F1: this dialog's page of the help.
    bool OnHelp() override;
    void OnOK() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

private:
    Preferences prefs_;
    PreferencesControlTab controlTab_{prefs_};
    PreferencesOtherTab otherTab_{prefs_};
    ui::TabPages tabs_;
};

}  // namespace brindle

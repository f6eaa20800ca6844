// The preferences command: the dialog on a copy of the preferences, then the main window made again from
// them, so that every change is seen at once.
#include <windows.h>

#include "about/about_dialog.h"
#include "mainwnd/main_dialog.h"
#include "preferences/preferences_dialog.h"
#include "preferences/preferences_rules.h"
#include "store/settings_store.h"

namespace brindle {

void MainDialog::ShowPreferences() {
    HWND taskSelect = TaskSelectWindow();
    if (!IsWindowVisible(Hwnd()) || (taskSelect && IsWindowVisible(taskSelect)))
        return;
    // The window's current state goes into the preferences first, so the dialog starts from what is on
    // the screen; it also lets go of the hot keys and the hook while the dialog is open.
    keepMenu_ = true;
    ClosingSave();
    keepMenu_ = false;

    Preferences prefs;
    store_.GetPreferences(prefs);
    PreferencesDialog dialog(prefs);
    focusHotKey_ = false;
    // The version window is not modal to anything: it is kept from being used while the dialog is open.
    HWND about = about_->Hwnd();
    if (about)
        EnableWindow(about, FALSE);
    const INT_PTR result = RunModal(dialog);
    if (about)
        EnableWindow(about, TRUE);
    if (result == IDOK) {
        store_.GetPreferences(prefs);
        dialogs::TakeEditedPreferences(dialog.Result(), prefs);
        store_.SetPreferencesAndSave(prefs);
    }
    // Either way: font, colours, view, image lists, tooltip, hook and hot key 1 from the preferences.
    InitEnvironment();
    RefillList();
    focusHotKey_ = true;
}

}  // namespace brindle

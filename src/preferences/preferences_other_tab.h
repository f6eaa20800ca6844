#pragma once

#include <windows.h>

#include "store/preferences.h"
#include "ui/dialog.h"

namespace brindle {

// The message when a hot key would take a bare key (or Shift with a key) from every program.
inline constexpr char kHotKeyNeedsModifier[] = "ホットキーにはCtrl、AltまたはWINキーを組み合わせてください。";

// The "Other" page of the preferences dialog: the three hot keys with their "WIN" boxes, the icon policy,
// the copy-and-paste and cut-and-delete menu switches and the taskbar switch, edited in the dialog's copy
// of the preferences.
class PreferencesOtherTab : public ui::Dialog {
public:
    explicit PreferencesOtherTab(Preferences& prefs);

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;

private:
    Preferences& prefs_;
};

}  // namespace brindle

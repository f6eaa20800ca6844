#pragma once

#include <windows.h>

#include "preferences/preferences_previews.h"
#include "store/preferences.h"
#include "ui/dialog.h"
#include "views/custom_draw_win.h"

namespace brindle {

// A colour button of the preferences dialog and the preference it sets.
struct ColourButton {
    int id;
    ColorRef Preferences::*field;
};
// The fourteen colour buttons, tree first, in the order of the preferences.
extern const ColourButton kColourButtons[14];

// The "Control" page of the preferences dialog: the font and the fourteen colours of the page tree and
// the shortcut list, edited in the dialog's copy of the preferences and shown at once on the previews.
class PreferencesControlTab : public ui::Dialog {
public:
    explicit PreferencesControlTab(Preferences& prefs);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void RebuildForDpi(unsigned oldDpi, unsigned newDpi) override;

private:
    void ChooseFont();
    void ChooseColour(ColorRef& colour);
    void ApplyPreviews();

    Preferences& prefs_;
    PreferencesPreviews previews_;
    ListPainter listPainter_;
};

}  // namespace brindle

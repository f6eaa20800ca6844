#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/handles.h"

namespace brindle {

struct Preferences;

// The small tree and list of the preferences dialog that show the font and colours being edited. It owns
// their font and image lists; the list shares its image lists (LVS_SHAREIMAGELISTS) and the tree never
// destroys its own, so each is destroyed once, here, after the controls are gone.
class PreferencesPreviews {
public:
    // Fills the previews with sample items: the tree's folders, the list's four target kinds in the view
    // mode of `listStyle`, with the shortcut list's columns; their pictures at the sizes of `dpi`.
    void SetUp(HWND tree, HWND list, uint32_t listStyle, unsigned dpi);
    // The pictures again at the sizes of another DPI (the dialog moved to a monitor of another scale).
    void SetImageSizes(unsigned dpi);
    // Puts the font and the tree's and list's own colours of `prefs` on the previews, the font (kept at
    // 96 DPI) at `dpi`, as the main window shows it there. The font text ("face,9pt") when the font was
    // made; nothing when it could not be, and then the previews keep the font they had.
    std::optional<std::string> Apply(const Preferences& prefs, unsigned dpi);

private:
    HWND tree_ = nullptr;
    HWND list_ = nullptr;
    bool columnsInserted_ = false;
    ui::UniqueFont font_;
    ui::UniqueImageList treeImages_, smallImages_, largeImages_;
};

}  // namespace brindle

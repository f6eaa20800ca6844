#pragma once

#include <windows.h>

#include <vector>

#include "ui/anchored_layout.h"

namespace brindle::ui {

// The controls of a resizable dialog with their anchors, taken as the template placed them, and the
// dialog's size then as its minimum track size. Add the controls in OnInitDialog, call Resize on
// WM_SIZE and TrackLimits on WM_GETMINMAXINFO (which comes before WM_INITDIALOG too: nothing is
// limited until the controls were taken).
class AnchoredLayout {
public:
    // Takes the dialog's client and window size as they are now (call once, before Add).
    void Start(HWND dialog);
    void Add(int controlId, unsigned anchors);
    // Moves every control for the client area's new size in one batch, so they repaint once.
    void Resize(int clientWidth, int clientHeight) const;
    void TrackLimits(MINMAXINFO& limits) const;
    // The dialog moved to a monitor of another scale: the places taken, the size then and the minimum
    // are scaled with it (call before the new size is laid out).
    void Rescale(unsigned fromDpi, unsigned toDpi);

private:
    struct Control {
        HWND window;
        Box initial;
        unsigned anchors;
    };
    HWND dialog_ = nullptr;
    int initialWidth_ = 0, initialHeight_ = 0;
    SIZE minimumTrack_{};
    std::vector<Control> controls_;
};

}  // namespace brindle::ui

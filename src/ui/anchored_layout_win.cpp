#include "ui/anchored_layout_win.h"

#include "ui/dpi.h"

namespace brindle::ui {

void AnchoredLayout::Start(HWND dialog) {
    dialog_ = dialog;
    controls_.clear();
    RECT client{};
    GetClientRect(dialog, &client);
    initialWidth_ = client.right;
    initialHeight_ = client.bottom;
    RECT window{};
    GetWindowRect(dialog, &window);
    minimumTrack_ = {window.right - window.left, window.bottom - window.top};
}

void AnchoredLayout::Add(int controlId, unsigned anchors) {
    HWND control = GetDlgItem(dialog_, controlId);
    if (!control)
        return;
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    controls_.push_back({control, {rect.left, rect.top, rect.right, rect.bottom}, anchors});
}

void AnchoredLayout::Resize(int clientWidth, int clientHeight) const {
    if (controls_.empty())
        return;
    HDWP batch = BeginDeferWindowPos(static_cast<int>(controls_.size()));
    for (const Control& control : controls_) {
        const Box box =
            AnchoredBox(control.initial, initialWidth_, initialHeight_, clientWidth, clientHeight, control.anchors);
        if (batch)
            batch = DeferWindowPos(batch, control.window, nullptr, box.left, box.top, box.right - box.left,
                                   box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch)
        EndDeferWindowPos(batch);
}

void AnchoredLayout::TrackLimits(MINMAXINFO& limits) const {
    if (!dialog_)
        return;
    limits.ptMinTrackSize.x = minimumTrack_.cx;
    limits.ptMinTrackSize.y = minimumTrack_.cy;
}

void AnchoredLayout::Rescale(unsigned fromDpi, unsigned toDpi) {
    for (Control& control : controls_)
        control.initial = ScaleBox(control.initial, fromDpi, toDpi);
    initialWidth_ = ScaleBetweenDpi(initialWidth_, fromDpi, toDpi);
    initialHeight_ = ScaleBetweenDpi(initialHeight_, fromDpi, toDpi);
    minimumTrack_ = {ScaleBetweenDpi(minimumTrack_.cx, fromDpi, toDpi),
                     ScaleBetweenDpi(minimumTrack_.cy, fromDpi, toDpi)};
}

}  // namespace brindle::ui

#include "ui/on_screen_win.h"

#include <vector>

#include "ui/on_screen.h"

namespace brindle::ui {
namespace {

ScreenRect FromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

RECT ToRect(const ScreenRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Called by the system: no exception may leave it (memory running out ends the enumeration).
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    try {
        if (GetMonitorInfoA(monitor, &info))
            reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(FromRect(info.rcWork));
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

bool NearestWorkArea(const RECT& rect, ScreenRect& work) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return false;
    work = FromRect(info.rcWork);
    return true;
}

}  // namespace

RECT PlaceOnScreen(const RECT& stored, const RECT& current) {
    const ScreenRect wanted = FromRect(stored);
    ScreenRect work;
    if (wanted.Empty()) {
        const ScreenRect size = FromRect(current);
        return NearestWorkArea(current, work) ? ToRect(CentreIn(size.Width(), size.Height(), work)) : current;
    }
    std::vector<ScreenRect> workAreas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&workAreas));
    const int caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    if (CaptionReachable(wanted, caption, workAreas) || !NearestWorkArea(stored, work)) {
        return stored;
    }
    return ToRect(MoveInside(wanted, work));
}

}  // namespace brindle::ui

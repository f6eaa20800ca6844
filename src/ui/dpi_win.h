#pragma once

#include <windows.h>

#include "ui/dpi.h"

// The DPI the system gives a window, a monitor or a point, on every Windows the program runs on: the
// per-monitor answers where the system has them (Windows 8.1 and 10), the system DPI before that.
namespace brindle::ui {

// The system DPI (the primary monitor's scale at log-on): LOGPIXELSY of the screen.
unsigned SystemDpi();

// The DPI of the monitor `window` is on, as the system tells a per-monitor aware window (GetDpiForWindow);
// the system DPI where that is missing. Null means the system DPI.
unsigned WindowDpi(HWND window);

// The DPI of the monitor that holds `point` (GetDpiForMonitor, effective DPI); the system DPI before
// Windows 8.1. For a popup that is not yet a window: a menu at the mouse pointer.
unsigned PointDpi(POINT point);

// GetSystemMetricsForDpi where it exists; else the metric at the system DPI scaled to `dpi`.
int MetricForDpi(int index, unsigned dpi);

// The message font (the one of dialogs and menus) at `dpi`.
bool MessageFontForDpi(LOGFONTA& font, unsigned dpi);

}  // namespace brindle::ui

#include "ui/dpi_win.h"

#include "platform/platform_win.h"
#include "platform/system_library_win.h"

namespace brindle::ui {
namespace {

// Windows 10 1607 and later; looked up once.
struct User32Dpi {
    UINT(WINAPI* forWindow)(HWND) = nullptr;
    int(WINAPI* metricForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* parametersForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;

    User32Dpi() {
        if (HMODULE user = GetModuleHandleA("user32.dll")) {
            forWindow = ProcAddress<decltype(forWindow)>(user, "GetDpiForWindow");
            metricForDpi = ProcAddress<decltype(metricForDpi)>(user, "GetSystemMetricsForDpi");
            parametersForDpi = ProcAddress<decltype(parametersForDpi)>(user, "SystemParametersInfoForDpi");
        }
    }
};

const User32Dpi& User() {
    static const User32Dpi functions;
    return functions;
}

// shcore.dll's GetDpiForMonitor (Windows 8.1); MDT_EFFECTIVE_DPI is 0.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

GetDpiForMonitorFunction MonitorDpiFunction() {
    static const GetDpiForMonitorFunction function = [] {
        HMODULE shcore = LoadSystemLibrary("shcore.dll");
        return shcore ? ProcAddress<GetDpiForMonitorFunction>(shcore, "GetDpiForMonitor") : nullptr;
    }();
    return function;
}

}  // namespace

unsigned SystemDpi() {
    static const unsigned dpi = [] {
        unsigned value = kBaseDpi;
        if (HDC screen = GetDC(nullptr)) {
            const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
            if (pixels > 0)
                value = static_cast<unsigned>(pixels);
            ReleaseDC(nullptr, screen);
        }
        return value;
    }();
    return dpi;
}

unsigned WindowDpi(HWND window) {
    if (window && User().forWindow) {
        if (const UINT dpi = User().forWindow(window))
            return dpi;
    }
    return SystemDpi();
}

unsigned PointDpi(POINT point) {
    if (GetDpiForMonitorFunction function = MonitorDpiFunction()) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(function(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && y)
            return y;
    }
    return SystemDpi();
}

int MetricForDpi(int index, unsigned dpi) {
    if (User().metricForDpi)
        return User().metricForDpi(index, dpi);
    return ScaleBetweenDpi(GetSystemMetrics(index), SystemDpi(), dpi);
}

bool MessageFontForDpi(LOGFONTA& font, unsigned dpi) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (User().parametersForDpi) {
        // The wide structure has the same layout of sizes; only the face name differs, so ask for the ANSI
        // font through the system-DPI call and take the height from the per-DPI one.
        NONCLIENTMETRICSW wide{};
        wide.cbSize = sizeof wide;
        if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) ||
            !User().parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof wide, &wide, 0, dpi))
            return false;
        font = metrics.lfMessageFont;
        font.lfHeight = wide.lfMessageFont.lfHeight;
        return true;
    }
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return false;
    font = metrics.lfMessageFont;
    font.lfHeight = ScaleBetweenDpi(font.lfHeight, SystemDpi(), dpi);
    return true;
}

}  // namespace brindle::ui

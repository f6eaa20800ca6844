#include "about/gauge_static.h"

#include <algorithm>
#include <cstring>

#include "about/gauge_geometry.h"
#include "ui/dpi_win.h"
#include "ui/handles.h"

namespace brindle {
namespace {

void FillSolid(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    const RECT rect{x, y, x + width, y + height};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// A frame `line` pixels thick (one at 96 DPI): light on the top and left edges, shadow on the right and
// bottom ones.
void Frame3d(HDC dc, const RECT& r, int line, COLORREF light, COLORREF shadow) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    FillSolid(dc, r.left, r.top, width - line, line, light);
    FillSolid(dc, r.left, r.top, line, height - line, light);
    FillSolid(dc, r.right - line, r.top, line, height, shadow);
    FillSolid(dc, r.left, r.bottom - line, width, line, shadow);
}

// At 96 DPI: the frame's lines, the tick marks' length.
constexpr int kLine = 1;
constexpr int kTickLength = 2;

}  // namespace

LRESULT GaugeStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT: {
            text_ = lParam ? reinterpret_cast<const char*>(lParam) : "";
            hasText_ = true;
            if (HDC dc = GetDC(Hwnd())) {
                Draw(dc);
                ReleaseDC(Hwnd(), dc);
            }
            return TRUE;
        }
        case WM_GETTEXTLENGTH:
            if (!hasText_)
                break;
            return static_cast<LRESULT>(text_.size());
        case WM_GETTEXT: {
            if (!hasText_)
                break;
            char* buffer = reinterpret_cast<char*>(lParam);
            const size_t room = static_cast<size_t>(wParam);
            if (!buffer || room == 0)
                return 0;
            const size_t length = std::min(text_.size(), room - 1);
            std::memcpy(buffer, text_.data(), length);
            buffer[length] = '\0';
            return static_cast<LRESULT>(length);
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            if (HDC dc = BeginPaint(Hwnd(), &paint)) {
                Draw(dc);
                EndPaint(Hwnd(), &paint);
            }
            return 0;
        }
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

std::string GaugeStatic::ShownText() {
    if (hasText_)
        return text_;
    const LRESULT length = DefaultProc(WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const LRESULT copied = DefaultProc(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

// The bar and the background go straight onto the target; the ticks and the text are drawn white and
// dashed on black in a memory picture, which SRCINVERT then lays over the target: black changes nothing,
// and the marks show inverted against whatever lies below them.
void GaugeStatic::Draw(HDC target) {
    if (!IsWindowVisible(Hwnd()))
        return;
    RECT client;
    GetClientRect(Hwnd(), &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;

    const unsigned dpi = ui::WindowDpi(Hwnd());
    FillRect(target, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT bar = client;
    bar.right = GaugeBarRight(client.left, width, value_, maximum_);
    if (bar.right > bar.left) {
        FillSolid(target, bar.left, bar.top, bar.right - bar.left, height, kBarColour);
        Frame3d(target, bar, ui::ScaleToDpi(kLine, dpi), kBarLight, kBarShadow);
    }

    HDC memory = CreateCompatibleDC(target);
    ui::UniqueBitmap picture(CreateCompatibleBitmap(target, width, height));
    if (!memory || !picture) {
        if (memory)
            DeleteDC(memory);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(memory, picture.Get());
    PatBlt(memory, 0, 0, width, height, BLACKNESS);

    // Each tick as wide as the frame's line and kTickLength long at the window's DPI.
    ui::UniqueHandle<ui::GdiTraits<HPEN>> pen(CreatePen(PS_DASH, 0, kTickColour));
    HGDIOBJ oldPen = SelectObject(memory, pen.Get());
    const int line = ui::ScaleToDpi(kLine, dpi), tick = ui::ScaleToDpi(kTickLength, dpi);
    for (int x : GaugeTicks(client.left, width)) {
        for (int column = x; column < x + line; ++column) {
            MoveToEx(memory, column, bar.top, nullptr);
            LineTo(memory, column, bar.top + tick);
        }
    }
    SelectObject(memory, oldPen);

    const std::string text = ShownText();
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Hwnd(), WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(memory, font) : nullptr;
    SetTextColor(memory, RGB(255, 255, 255));
    SetBkMode(memory, TRANSPARENT);
    RECT textRect = client;
    DrawTextA(memory, text.c_str(), static_cast<int>(text.size()), &textRect, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
    if (oldFont)
        SelectObject(memory, oldFont);

    BitBlt(target, client.left, client.top, width, height, memory, 0, 0, SRCINVERT);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
}

}  // namespace brindle

#include "about/gauge_static.h"

#include <algorithm>
#include <cstring>

#include "about/gauge_geometry.h"
#include "ui/handles.h"

namespace brindle {
namespace {

void FillSolid(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    const RECT rect{x, y, x + width, y + height};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// A one-pixel frame: light on the top and left edges, shadow on the right and bottom ones.
void Frame3d(HDC dc, const RECT& r, COLORREF light, COLORREF shadow) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    FillSolid(dc, r.left, r.top, width - 1, 1, light);
    FillSolid(dc, r.left, r.top, 1, height - 1, light);
    FillSolid(dc, r.right - 1, r.top, 1, height, shadow);
    FillSolid(dc, r.left, r.bottom - 1, width, 1, shadow);
}

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

    FillRect(target, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT bar = client;
    bar.right = GaugeBarRight(client.left, width, value_, maximum_);
    if (bar.right > bar.left) {
        FillSolid(target, bar.left, bar.top, bar.right - bar.left, height, kBarColour);
        Frame3d(target, bar, kBarLight, kBarShadow);
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

    ui::UniqueHandle<ui::GdiTraits<HPEN>> pen(CreatePen(PS_DASH, 0, kTickColour));
    HGDIOBJ oldPen = SelectObject(memory, pen.Get());
    for (int x : GaugeTicks(client.left, width)) {
        MoveToEx(memory, x, bar.top, nullptr);
        LineTo(memory, x, bar.top + 2);
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

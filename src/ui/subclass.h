#pragma once

#include <windows.h>
#include <commctrl.h>

namespace brindle::ui {

// A control class of ours over an existing control: its WindowProc sees the control's messages
// first (through the common controls' window subclassing; the object rides in the subclass data).
class SubclassedWindow {
public:
    SubclassedWindow() = default;
    virtual ~SubclassedWindow() { Detach(); }
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;

    bool Attach(HWND window);
    void Detach();
    HWND Hwnd() const { return hwnd_; }

protected:
    // Return DefaultProc(...) for default processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefSubclassProc(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND hwnd_ = nullptr;
};

}  // namespace brindle::ui

// The floor of the start-up benchmark: a program built like brindle.exe that shows an empty dialog.
// Built a second time with BARE_TEMPLATE, it shows that template of brindle.exe's resources with its
// controls empty: what the platform takes to make and show the main window's controls.
#include <windows.h>
#include <commctrl.h>

#ifdef BARE_TEMPLATE
#include "resource.h"
#else
#define BARE_TEMPLATE 1
#endif

static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, IDCANCEL);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(BARE_TEMPLATE), nullptr, Procedure, 0));
}

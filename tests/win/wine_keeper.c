/* Keeps one Wine GUI process alive for a whole test run: Wine's desktop, and the clipboard's data with
   it, would otherwise go away whenever the last GUI program ends, and each program would start slower.
   Writes the file named by its argument once its window exists; ends when the wineserver is stopped. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)show;
    HWND window = CreateWindowA("STATIC", "brindle-wine-keeper", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    if (!window) return 1;
    if (commandLine && *commandLine) {
        HANDLE ready = CreateFileA(commandLine, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    }
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

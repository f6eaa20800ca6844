/* Another program for the task select tests, copied under several names: opens one visible window per
   title given, appends to a record file what happens to them ("ready" once they are all shown, "close
   TITLE" for each WM_CLOSE, "mark TITLE" for a posted WM_APP + 7), and ends when its last window is
   gone. With the mode "hang" it stops answering messages once its windows are shown; with "huge" it
   answers WM_GETTEXTLENGTH with a length no text has.
     task_helper.exe RECORD-FILE answer|hang|huge TITLE... */
#include <windows.h>

#include <string.h>

static const char* record;
static int open_windows;
static int huge;

static void Note(const char* what, HWND window) {
    char line[600], title[256] = "";
    DWORD written;
    HANDLE file;
    if (window) GetWindowTextA(window, title, sizeof title);
    wsprintfA(line, window ? "%s %s\n" : "%s\n", what, title);
    file = CreateFileA(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                       OPEN_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    WriteFile(file, line, (DWORD)strlen(line), &written, NULL);
    CloseHandle(file);
}

static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Note("close", window);
            DestroyWindow(window);
            return 0;
        case WM_GETTEXTLENGTH:
            if (huge) return (LRESULT)((ULONG_PTR)1 << (sizeof(LRESULT) * 8 - 2));
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_APP + 7:
            Note("mark", window);
            return 0;
        case WM_DESTROY:
            if (--open_windows == 0) PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int main(int argc, char** argv) {
    WNDCLASSA windowClass;
    MSG message;
    int i, hang;
    if (argc < 4) return 2;
    record = argv[1];
    memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hIcon = LoadIconA(NULL, (LPCSTR)IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "BrindleTaskHelper";
    RegisterClassA(&windowClass);
    hang = strcmp(argv[2], "hang") == 0;
    huge = strcmp(argv[2], "huge") == 0;
    for (i = 3; i < argc; ++i) {
        HWND window = CreateWindowExA(0, "BrindleTaskHelper", argv[i], WS_OVERLAPPEDWINDOW, 420 + 20 * (i - 3),
                                      300 + 20 * (i - 3), 320, 200, NULL, NULL, GetModuleHandleA(NULL), NULL);
        if (!window) continue;
        ++open_windows;
        /* A hung program is not the active one: under Wine, taking the activation from a thread that does
           not answer waits for it. */
        ShowWindow(window, hang ? SW_SHOWNOACTIVATE : SW_SHOW);
    }
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Note("ready", NULL);
    if (hang) Sleep(600000);
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

/* Drives running Brindle instances from outside, as another program or the user would.
     driver count             prints "<visible> <hidden>": Brindle main windows by state
     driver wait V H MS       waits up to MS milliseconds until the counts are V and H; exit 1 on time-out
     driver escape            presses Escape in every visible Brindle main window
     driver trayclick         clicks the first icon in Wine's system-tray window with the real mouse
     driver keys VK...        presses keys (decimal virtual-key codes) with real key events
     driver chord VK...       holds the keys down in order and lets them go in reverse (Ctrl+Shift+A)
     driver type TEXT         types ASCII text with real key events of the keyboard layout
     driver dialog CAPTION MS waits up to MS milliseconds for a visible dialog with that caption
     driver window CAPTION MS waits likewise for a visible top-level window of any class; prints its class
     driver menurect          waits for the open popup menu and prints "X Y WIDTH HEIGHT"
     driver endsession        ends the session for the hidden Brindle window (query, then end)
     driver close             asks every Brindle main window to close (WM_CLOSE), hidden or not
   A Brindle main window is a dialog window that answers the instance query (WM_APP+1) with a name.
   Without a desktop tray, Wine shows the notification icons in its own "Wine System Tray" window; a
   click there reaches the program the way the shell delivers it (from another thread). */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    int visible, hidden;
    int escape; /* 1: press Escape in visible windows; 2: close every window */
    HWND hiddenWindow;
} Tally;

static BOOL CALLBACK Visit(HWND window, LPARAM data) {
    Tally* tally = (Tally*)data;
    char className[16] = {0};
    DWORD_PTR answer = 0;
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") != 0) return TRUE;
    if (!SendMessageTimeoutA(window, WM_APP + 1, 1, 0, SMTO_ABORTIFHUNG, 2000, &answer) || answer != 1) return TRUE;
    if (tally->escape == 2) PostMessageA(window, WM_CLOSE, 0, 0);
    if (IsWindowVisible(window)) {
        tally->visible++;
        if (tally->escape == 1) {
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        }
    } else {
        tally->hidden++;
        tally->hiddenWindow = window;
    }
    return TRUE;
}

/* The popup menu's window: class "#32768", visible. */
static BOOL CALLBACK FindMenu(HWND window, LPARAM data) {
    char className[16] = {0};
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32768") == 0 && IsWindowVisible(window)) {
        *(HWND*)data = window;
        return FALSE;
    }
    return TRUE;
}

static HWND WaitForMenu(void) {
    HWND menu = NULL;
    int i;
    for (i = 0; i < 100 && !menu; ++i) {
        EnumWindows(FindMenu, (LPARAM)&menu);
        if (!menu) Sleep(50);
    }
    return menu;
}

static void PressKey(WORD key) {
    INPUT input[2];
    ZeroMemory(input, sizeof input);
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

/* The first icon of Wine's system-tray window once it is on the screen (up to five seconds). */
static HWND WaitForTrayIcon(void) {
    int i;
    for (i = 0; i < 100; ++i) {
        HWND tray = FindWindowA("__winex11_standalone_tray", NULL);
        HWND icon = tray ? FindWindowExA(tray, NULL, "__winex11_tray_icon", NULL) : NULL;
        if (icon && IsWindowVisible(tray) && IsWindowVisible(icon)) {
            Sleep(500); /* mapped and drawn */
            return icon;
        }
        Sleep(50);
    }
    return NULL;
}

static int ClickTrayIcon(void) {
    HWND icon = WaitForTrayIcon();
    RECT rect;
    INPUT input[2];
    if (!icon || !GetWindowRect(icon, &rect)) {
        fprintf(stderr, "driver: no icon in Wine's system-tray window\n");
        return 1;
    }
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Sleep(200);
    ZeroMemory(input, sizeof input);
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    return 0;
}

static void SendKey(WORD key, DWORD flags) {
    INPUT input;
    ZeroMemory(&input, sizeof input);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

static void PressChord(int count, char** keys) {
    int i;
    for (i = 0; i < count; ++i) SendKey((WORD)atoi(keys[i]), 0);
    for (i = count - 1; i >= 0; --i) SendKey((WORD)atoi(keys[i]), KEYEVENTF_KEYUP);
}

/* Each character as the key (and Shift) that makes it in the current layout. */
static int TypeText(const char* text) {
    for (; *text; ++text) {
        SHORT scan = VkKeyScanA(*text);
        if (scan == -1) return 1;
        if (scan & 0x100) SendKey(VK_SHIFT, 0);
        SendKey((WORD)(scan & 0xFF), 0);
        SendKey((WORD)(scan & 0xFF), KEYEVENTF_KEYUP);
        if (scan & 0x100) SendKey(VK_SHIFT, KEYEVENTF_KEYUP);
        Sleep(20);
    }
    return 0;
}

static HWND WaitForWindow(const char* className, const char* caption, DWORD ms) {
    DWORD until = GetTickCount() + ms;
    for (;;) {
        HWND dialog = FindWindowA(className, caption);
        if (dialog && IsWindowVisible(dialog)) {
            Sleep(300); /* drawn and ready for keys */
            return dialog;
        }
        if ((LONG)(GetTickCount() - until) > 0) return NULL;
        Sleep(50);
    }
}

static Tally Count(int escape) {
    Tally tally = {0, 0, escape, NULL};
    EnumWindows(Visit, (LPARAM)&tally);
    return tally;
}

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "count") == 0) {
        Tally t = Count(0);
        printf("%d %d\n", t.visible, t.hidden);
        return 0;
    }
    if (argc == 5 && strcmp(argv[1], "wait") == 0) {
        int visible = atoi(argv[2]), hidden = atoi(argv[3]);
        DWORD until = GetTickCount() + (DWORD)atoi(argv[4]);
        for (;;) {
            Tally t = Count(0);
            if (t.visible == visible && t.hidden == hidden) return 0;
            if ((LONG)(GetTickCount() - until) > 0) {
                fprintf(stderr, "driver: wanted %d visible and %d hidden, found %d and %d\n", visible, hidden,
                        t.visible, t.hidden);
                return 1;
            }
            Sleep(50);
        }
    }
    if (argc == 2 && strcmp(argv[1], "escape") == 0) {
        Tally t = Count(1);
        printf("%d\n", t.visible);
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "trayclick") == 0) {
        return ClickTrayIcon();
    }
    if (argc >= 3 && strcmp(argv[1], "keys") == 0) {
        int i;
        for (i = 2; i < argc; ++i) {
            PressKey((WORD)atoi(argv[i]));
            Sleep(200);
        }
        return 0;
    }
    if (argc >= 3 && strcmp(argv[1], "chord") == 0) {
        PressChord(argc - 2, argv + 2);
        Sleep(200);
        return 0;
    }
    if (argc == 3 && strcmp(argv[1], "type") == 0) {
        return TypeText(argv[2]);
    }
    if (argc == 4 && strcmp(argv[1], "dialog") == 0) {
        if (WaitForWindow("#32770", argv[2], (DWORD)atoi(argv[3]))) return 0;
        fprintf(stderr, "driver: no dialog \"%s\"\n", argv[2]);
        return 1;
    }
    if (argc == 4 && strcmp(argv[1], "window") == 0) {
        HWND window = WaitForWindow(NULL, argv[2], (DWORD)atoi(argv[3]));
        char className[64] = {0};
        if (!window) {
            fprintf(stderr, "driver: no window \"%s\"\n", argv[2]);
            return 1;
        }
        GetClassNameA(window, className, sizeof className);
        printf("%s\n", className);
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "menurect") == 0) {
        HWND menu = WaitForMenu();
        RECT rect;
        if (!menu || !GetWindowRect(menu, &rect)) return 1;
        Sleep(300); /* drawn */
        printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "endsession") == 0) {
        Tally t = Count(0);
        DWORD_PTR answer = 0;
        if (!t.hiddenWindow) return 1;
        SendMessageTimeoutA(t.hiddenWindow, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        SendMessageTimeoutA(t.hiddenWindow, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "close") == 0) {
        Tally t = Count(2);
        printf("%d\n", t.visible + t.hidden);
        return 0;
    }
    fprintf(stderr, "usage: driver count | wait VISIBLE HIDDEN MS | escape | trayclick | keys VK... | chord VK... | type TEXT | "
                    "dialog CAPTION MS | menurect | "
                    "endsession | close\n");
    return 2;
}

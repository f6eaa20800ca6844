/* Drives running Brindle instances from outside, as another program would.
     driver count             prints "<visible> <hidden>": Brindle main windows by state
     driver wait V H MS       waits up to MS milliseconds until the counts are V and H; exit 1 on time-out
     driver escape            presses Escape in every visible Brindle main window
     driver tray              clicks the notification-area icon of the hidden Brindle window (opens its menu)
     driver menukey VK...     presses keys (decimal virtual-key codes) in the open popup menu
   A Brindle main window is a dialog window that answers the instance query (WM_APP+1) with a name. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    int visible, hidden;
    int escape;
    HWND hiddenWindow;
} Tally;

static BOOL CALLBACK Visit(HWND window, LPARAM data) {
    Tally* tally = (Tally*)data;
    char className[16] = {0};
    DWORD_PTR answer = 0;
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") != 0) return TRUE;
    if (!SendMessageTimeoutA(window, WM_APP + 1, 1, 0, SMTO_ABORTIFHUNG, 2000, &answer) || answer != 1) return TRUE;
    if (IsWindowVisible(window)) {
        tally->visible++;
        if (tally->escape) {
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
    if (argc == 2 && strcmp(argv[1], "tray") == 0) {
        Tally t = Count(0);
        if (!t.hiddenWindow) return 1;
        PostMessageA(t.hiddenWindow, WM_APP + 2, 1500, WM_LBUTTONDOWN);
        return 0;
    }
    if (argc >= 3 && strcmp(argv[1], "menukey") == 0) {
        HWND menu = NULL;
        int i;
        for (i = 0; i < 100 && !menu; ++i) {
            EnumWindows(FindMenu, (LPARAM)&menu);
            if (!menu) Sleep(50);
        }
        if (!menu) return 1;
        for (i = 2; i < argc; ++i) {
            WPARAM key = (WPARAM)atoi(argv[i]);
            PostMessageA(menu, WM_KEYDOWN, key, 0x00000001);
            PostMessageA(menu, WM_KEYUP, key, 0xC0000001);
            Sleep(200);
        }
        return 0;
    }
    fprintf(stderr, "usage: driver count | wait VISIBLE HIDDEN MS | escape | tray | menukey VK...\n");
    return 2;
}

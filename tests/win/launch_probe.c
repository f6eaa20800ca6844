/* Started by the launch tests: writes its command line, current folder and startup show state, one a
   line in the ANSI code page, to the file named by BRINDLE_PROBE_OUT. The file appears whole (written
   beside, then moved). Wide functions throughout: Wine's GetEnvironmentVariableA cuts double-byte text. */
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

static void WriteAnsi(HANDLE file, const wchar_t* text) {
    char bytes[4 * MAX_PATH * 4];
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, NULL, NULL);
    DWORD written;
    if (length > 0) WriteFile(file, bytes, (DWORD)(length - 1), &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    wchar_t out[MAX_PATH * 4], partial[MAX_PATH * 4 + 8], folder[MAX_PATH * 4], state[16];
    STARTUPINFOW startup;
    HANDLE file;
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    if (!GetEnvironmentVariableW(L"BRINDLE_PROBE_OUT", out, MAX_PATH * 4)) return 1;
    GetCurrentDirectoryW(MAX_PATH * 4, folder);
    GetStartupInfoW(&startup);
    swprintf(state, 16, L"%d", (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
    swprintf(partial, MAX_PATH * 4 + 8, L"%ls.part", out);
    file = CreateFileW(partial, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    WriteAnsi(file, GetCommandLineW());
    WriteAnsi(file, folder);
    WriteAnsi(file, state);
    CloseHandle(file);
    return MoveFileW(partial, out) ? 0 : 1;
}

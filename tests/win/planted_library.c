/* Stands in for a library someone planted beside a program or in its current folder under the name of a
 * system library (built as msi.dll and powrprof.dll). Loading it appends the path it was loaded from to
 * the file named by BRINDLE_PLANTED_LOG, so a test sees whether, and from where, it was loaded. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char log[MAX_PATH], line[MAX_PATH + 2];
        DWORD length = GetEnvironmentVariableA("BRINDLE_PLANTED_LOG", log, sizeof log);
        if (length == 0 || length >= sizeof log) {
            return TRUE;
        }
        length = GetModuleFileNameA(instance, line, MAX_PATH);
        line[length++] = '\r';
        line[length++] = '\n';
        HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(file, line, length, &written, NULL);
            CloseHandle(file);
        }
    }
    return TRUE;
}

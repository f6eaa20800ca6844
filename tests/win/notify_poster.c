/* Another program on the desktop for the main window tests: posts WM_NOTIFY messages whose addresses mean
   nothing in the receiving process (small numbers, unmapped and kernel addresses, addresses of this
   process, random values) to each window given, then ends.
     notify_poster.exe COUNT WINDOW... (window handles as decimal numbers) */
#include <windows.h>

#include <stdlib.h>

int main(int argc, char** argv) {
    ULONG_PTR fixed[10];
    unsigned long long random = 88172645463325252ULL;
    int count, i, w;
    char local = 0;
    if (argc < 3) return 2;
    count = atoi(argv[1]);
    fixed[0] = 1;
    fixed[1] = 0x10;
    fixed[2] = 0xFFFF;
    fixed[3] = 0x10000;
    fixed[4] = (ULONG_PTR)0xDEADBEEF;
    fixed[5] = (ULONG_PTR)-1;
    fixed[6] = (ULONG_PTR)-4096;
    fixed[7] = (ULONG_PTR)GetModuleHandleA(NULL); /* often the receiver's image base too: readable there */
    fixed[8] = (ULONG_PTR)&local;
    fixed[9] = (ULONG_PTR)GetProcAddress(GetModuleHandleA("kernel32.dll"), "Sleep");
    for (i = 0; i < count; ++i) {
        ULONG_PTR address;
        if (i < 10) {
            address = fixed[i];
        } else {
            random ^= random << 13;
            random ^= random >> 7;
            random ^= random << 17;
            /* Every other one near an address that may be mapped there. */
            address = (i & 1) ? (ULONG_PTR)random : fixed[i % 10] + (ULONG_PTR)(random & 0xFFFF);
        }
        for (w = 2; w < argc; ++w) {
            HWND window = (HWND)(ULONG_PTR)_strtoui64(argv[w], NULL, 10);
            PostMessageA(window, WM_NOTIFY, (WPARAM)i, (LPARAM)address);
        }
    }
    return 0;
}

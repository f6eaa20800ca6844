#pragma once

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "unit/test_support.h"

namespace brindle::testing {

// A fresh folder with a Japanese name (so paths carry double-byte characters with the trail byte 0x5C),
// removed with its contents afterwards.
class WinFolder {
public:
    WinFolder()
        : WinFolder("ぶりんどる表示" + std::to_string(GetCurrentProcessId()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
    // A folder of this name in the temporary folder.
    explicit WinFolder(const std::string& name) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name;
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~WinFolder() { Remove(path_); }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string name = folder + "\\" + found.cFileName;
                SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA(name.c_str());
                else if (found.cFileName[0] != '.')
                    Remove(name);
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
};

// Closes every dialog box that comes up on this thread while it is armed (a modal loop runs the
// thread's timers), and keeps their captions. By default a dialog is cancelled; `answer` changes that.
class ModalWatchdog {
public:
    explicit ModalWatchdog(int answer = IDCANCEL) {
        current_ = this;
        answer_ = answer;
        timer_ = SetTimer(nullptr, 0, 100, OnTimer);
    }
    ~ModalWatchdog() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    const std::vector<std::string>& Captions() const { return captions_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (current_)
            EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
    }
    static BOOL CALLBACK CloseDialog(HWND window, LPARAM) {
        char className[64] = "", caption[256] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770" && IsWindowVisible(window)) {
            GetWindowTextA(window, caption, sizeof caption);
            current_->captions_.push_back(caption);
            PostMessageA(window, WM_COMMAND, current_->answer_, 0);
        }
        return TRUE;
    }

    static inline ModalWatchdog* current_ = nullptr;
    int answer_;
    UINT_PTR timer_;
    std::vector<std::string> captions_;
};

// The dialog's window, written as a bitmap file the way the user sees it.
inline void WriteWindowBitmap(HWND window, const std::string& file) {
    // Painted, and the painting handed to the display: Wine passes a window's pixels on to X when the
    // thread next looks at its queue (nothing is taken from it here).
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 3; ++i) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        Sleep(50);
    }
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const size_t size = static_cast<size_t>((width * 3 + 3) & ~3) * height;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(size);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), size);
    WriteBytes(file, bytes);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// Dispatches this thread's messages, waiting for more, until `done` holds or about ten seconds have
// gone; whether it held is returned. Timers come only to a thread that waits: the main window makes
// what its first paint does not need by one, once it is idle.
template <class Done>
bool PumpMessagesUntil(Done done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 10000)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

}  // namespace brindle::testing

#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

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

}  // namespace brindle::testing

#pragma once

// Drives the modal dialogs of the code under test through their controls, from inside their own modal
// loops: each queued action is applied to the next dialog that opens on this thread (the enabled one,
// so a dialog opened from another dialog is found, not its disabled owner).
#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace brindle::testing {

class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    DialogDriver() {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, OnTimer);
    }
    ~DialogDriver() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    // The action for the next dialog; the action ends the dialog (or leaves it for a later action).
    void Then(Action action) { actions_.push_back(std::move(action)); }
    size_t Pending() const { return actions_.size(); }
    // The dialogs' captions in the order they were met.
    const std::vector<std::string>& Captions() const { return captions_; }
    // Main windows and other dialogs that must never be taken for the next dialog.
    void Ignore(HWND window) { seen_.insert(window); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (!current_ || current_->actions_.empty())
            return;
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindNew, reinterpret_cast<LPARAM>(&found));
        if (!found)
            return;
        DialogDriver& driver = *current_;
        driver.seen_.insert(found);
        char caption[256] = "";
        GetWindowTextA(found, caption, sizeof caption);
        driver.captions_.push_back(caption);
        Action action = std::move(driver.actions_.front());
        driver.actions_.pop_front();
        action(found);  // it may open a nested dialog, whose loop runs this timer again
    }
    static BOOL CALLBACK FindNew(HWND window, LPARAM found) {
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window) &&
            !current_->seen_.count(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static inline DialogDriver* current_ = nullptr;
    UINT_PTR timer_ = 0;
    std::deque<Action> actions_;
    std::set<HWND> seen_;
    std::vector<std::string> captions_;
};

// Control helpers: what a user does with the mouse and keys, through the controls' own messages.
inline void SetText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}
inline std::string TextOf(HWND dialog, int id) {
    char text[4096] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
inline void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
inline bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
// Chooses a combo entry as the user does: the selection, then the notification the dialog gets.
inline void ChooseComboText(HWND dialog, int id, const std::string& text) {
    HWND combo = GetDlgItem(dialog, id);
    const LRESULT at = SendMessageA(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(combo, CB_SETCURSEL, at, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}
inline std::vector<std::string> ComboEntries(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        entries.push_back(text.c_str());
    }
    return entries;
}

// The width a control's text needs in its font, with the '&' of mnemonics taken out.
inline int TextWidth(HWND control) {
    char raw[512] = "";
    GetWindowTextA(control, raw, sizeof raw);
    std::string text;
    for (const char* at = raw; *at; ++at) {
        if (*at == '&' && at[1] != '&')
            continue;
        text += *at;
    }
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

// Whether a control shows its whole text on one line: its width holds the text and `margin` pixels.
inline bool TextFits(HWND control, int margin = 0) {
    RECT client{};
    GetClientRect(control, &client);
    return TextWidth(control) + margin <= client.right;
}

// The child window of `parent` with the window class `className` and the text `text`, or null.
inline HWND ChildWithText(HWND parent, const char* className, const std::string& text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = "", caption[512] = "";
        GetClassNameA(child, name, sizeof name);
        GetWindowTextA(child, caption, sizeof caption);
        if (lstrcmpiA(name, className) == 0 && text == caption)
            return child;
    }
    return nullptr;
}

}  // namespace brindle::testing

#pragma once

#include <windows.h>

#include <string>

namespace brindle::ui {

// Moves values between a dialog's controls and its members, in the direction of `saving`
// (true: controls to members). A refused value (Fail) ends the exchange: the rest of it does nothing,
// and the dialog's UpdateData returns false.
class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    bool Saving() const { return saving_; }
    HWND Dialog() const { return dialog_; }

    void Text(int id, std::string& value);
    void Check(int id, int& value);                   // BST_UNCHECKED 0, BST_CHECKED 1, BST_INDETERMINATE 2
    void ComboIndex(int id, int& value);              // -1 when nothing is chosen
    void Radio(int firstId, int lastId, int& value);  // index of the checked button of the group, or -1
    void ComboText(int id, std::string& value);       // the text of a combo box's edit field
    void ListIndex(int id, int& value);               // a list box's selection, -1 when nothing is chosen
    // An integer field within `minimum`..`maximum`; anything else is refused with `message`.
    void Integer(int id, int& value, int minimum, int maximum, const std::string& message);
    // A hot-key control's value (virtual key in the low byte, HOTKEYF_ modifiers in the high byte). The
    // control is told to turn a bare key or Shift with a key into Ctrl+Alt with it; a value that still
    // breaks those rules (IsAcceptedHotKey) is refused with `message`.
    void HotKey(int id, WORD& value, const std::string& message);

    // Refuses the value of control `id`: shows `message` through the message seam (with `style`'s
    // icon), then puts the focus on the control with its text selected.
    void Fail(int id, const std::string& message, unsigned style = MB_ICONEXCLAMATION);
    bool Failed() const { return failed_; }

private:
    HWND dialog_;
    bool saving_;
    bool failed_ = false;
};

// The whole text of a window.
std::string WindowText(HWND window);

}  // namespace brindle::ui

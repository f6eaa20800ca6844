#pragma once

#include <windows.h>

#include <string>

namespace brindle::ui {

// Moves values between a dialog's controls and its members, in the direction of `saving`
// (true: controls to members).
class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    bool Saving() const { return saving_; }
    HWND Dialog() const { return dialog_; }

    void Text(int id, std::string& value);
    void Check(int id, int& value);             // BST_UNCHECKED 0, BST_CHECKED 1, BST_INDETERMINATE 2
    void ComboIndex(int id, int& value);        // -1 when nothing is chosen
    void Radio(int firstId, int lastId, int& value);  // index of the checked button of the group, or -1

private:
    HWND dialog_;
    bool saving_;
};

// The whole text of a window.
std::string WindowText(HWND window);

}  // namespace brindle::ui

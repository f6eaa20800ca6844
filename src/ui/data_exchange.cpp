#include "ui/data_exchange.h"

namespace brindle::ui {

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void DataExchange::Text(int id, std::string& value) {
    HWND control = GetDlgItem(dialog_, id);
    if (saving_) {
        value = WindowText(control);
    } else {
        SetWindowTextA(control, value.c_str());
    }
}

void DataExchange::Check(int id, int& value) {
    if (saving_) {
        value = static_cast<int>(IsDlgButtonChecked(dialog_, id));
    } else {
        CheckDlgButton(dialog_, id, static_cast<UINT>(value));
    }
}

void DataExchange::ComboIndex(int id, int& value) {
    if (saving_) {
        value = static_cast<int>(SendDlgItemMessageA(dialog_, id, CB_GETCURSEL, 0, 0));
    } else {
        SendDlgItemMessageA(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    }
}

void DataExchange::Radio(int firstId, int lastId, int& value) {
    if (saving_) {
        value = -1;
        for (int id = firstId; id <= lastId; ++id) {
            if (IsDlgButtonChecked(dialog_, id) == BST_CHECKED) {
                value = id - firstId;
                break;
            }
        }
    } else {
        CheckRadioButton(dialog_, firstId, lastId, value >= 0 ? firstId + value : 0);
    }
}

}  // namespace brindle::ui

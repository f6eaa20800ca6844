#include "ui/data_exchange.h"

#include <commctrl.h>

#include "ui/field_rules.h"
#include "ui/message_box_win.h"

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
    if (failed_)
        return;
    HWND control = GetDlgItem(dialog_, id);
    if (saving_) {
        value = WindowText(control);
    } else {
        SetWindowTextA(control, value.c_str());
    }
}

void DataExchange::Check(int id, int& value) {
    if (failed_)
        return;
    if (saving_) {
        value = static_cast<int>(IsDlgButtonChecked(dialog_, id));
    } else {
        CheckDlgButton(dialog_, id, static_cast<UINT>(value));
    }
}

void DataExchange::ComboIndex(int id, int& value) {
    if (failed_)
        return;
    if (saving_) {
        value = static_cast<int>(SendDlgItemMessageA(dialog_, id, CB_GETCURSEL, 0, 0));
    } else {
        SendDlgItemMessageA(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    }
}

void DataExchange::Radio(int firstId, int lastId, int& value) {
    if (failed_)
        return;
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

void DataExchange::ComboText(int id, std::string& value) {
    Text(id, value);  // a combo box's window text is that of its edit field
}

void DataExchange::ListIndex(int id, int& value) {
    if (failed_)
        return;
    if (saving_) {
        value = static_cast<int>(SendDlgItemMessageA(dialog_, id, LB_GETCURSEL, 0, 0));
    } else {
        SendDlgItemMessageA(dialog_, id, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
    }
}

void DataExchange::Integer(int id, int& value, int minimum, int maximum, const std::string& message) {
    if (failed_)
        return;
    if (!saving_) {
        SetDlgItemTextA(dialog_, id, std::to_string(value).c_str());
        return;
    }
    const std::optional<int> parsed = ParseIntegerField(WindowText(GetDlgItem(dialog_, id)), minimum, maximum);
    if (!parsed) {
        Fail(id, message);
        return;
    }
    value = *parsed;
}

void DataExchange::HotKey(int id, WORD& value, const std::string& message) {
    if (failed_)
        return;
    HWND control = GetDlgItem(dialog_, id);
    if (!saving_) {
        SendMessageA(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
        SendMessageA(control, HKM_SETHOTKEY, value, 0);
        return;
    }
    const WORD chosen = LOWORD(SendMessageA(control, HKM_GETHOTKEY, 0, 0));
    if (!IsAcceptedHotKey(LOBYTE(chosen), HIBYTE(chosen))) {
        Fail(id, message);
        return;
    }
    value = chosen;
}

void DataExchange::Fail(int id, const std::string& message, unsigned style) {
    failed_ = true;
    AppMessages().Show(message, style);
    HWND control = GetDlgItem(dialog_, id);
    if (!control)
        return;
    // As the dialog manager moves the focus (default button included), then the whole text selected so
    // that typing replaces it; a combo box selects in its edit field.
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    char className[16] = "";
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "ComboBox") == 0)
        SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    else if (lstrcmpiA(className, "Edit") == 0)
        SendMessageA(control, EM_SETSEL, 0, -1);
}

}  // namespace brindle::ui

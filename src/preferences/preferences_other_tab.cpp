#include "preferences/preferences_other_tab.h"

#include <commctrl.h>

#include "preferences/preferences_rules.h"
#include "resource.h"

namespace brindle {
namespace {

// A switch of the preferences as a check box: any value but 0 is on.
void ExchangeSwitch(ui::DataExchange& exchange, int id, int32_t& value) {
    int checked = value != 0 ? BST_CHECKED : BST_UNCHECKED;
    exchange.Check(id, checked);
    if (exchange.Saving() && !exchange.Failed())
        value = checked == BST_CHECKED ? 1 : 0;
}

// A stored hot key and its control. No rules are set on the control, since with its "WIN" box a bare key
// is a sound hot key; without the box a bare key, or Shift with a key, is refused when read back.
void ExchangeHotKey(ui::DataExchange& exchange, int id, int windowsBoxId, int32_t& stored) {
    if (exchange.Failed())
        return;
    HWND control = GetDlgItem(exchange.Dialog(), id);
    if (!exchange.Saving()) {
        SendMessageA(control, HKM_SETHOTKEY, dialogs::HotKeyControlWord(stored), 0);
        return;
    }
    const auto word = static_cast<uint16_t>(SendMessageA(control, HKM_GETHOTKEY, 0, 0));
    const bool withWindowsKey = IsDlgButtonChecked(exchange.Dialog(), windowsBoxId) == BST_CHECKED;
    if (!dialogs::IsAcceptedGlobalHotKey(word, withWindowsKey)) {
        exchange.Fail(id, kHotKeyNeedsModifier);
        return;
    }
    stored = dialogs::StoredHotKey(word);
}

}  // namespace

PreferencesOtherTab::PreferencesOtherTab(Preferences& prefs) : ui::Dialog(IDD_OTHER_TAB), prefs_(prefs) {}

void PreferencesOtherTab::DoDataExchange(ui::DataExchange& exchange) {
    ExchangeSwitch(exchange, IDC_COPY_PASTE, prefs_.bCopyPaste);

    int radio = dialogs::IconPolicyRadio(prefs_.iChkLoadIcon);
    exchange.Radio(IDC_ICON_POLICY_CTRL, IDC_ICON_POLICY_FETCH, radio);
    if (exchange.Saving() && !exchange.Failed())
        prefs_.iChkLoadIcon = dialogs::IconPolicyOfRadio(radio);

    ExchangeHotKey(exchange, IDC_HOTKEY_TASK, IDC_WIN_TASK, prefs_.dwHotkeyTask);
    ExchangeHotKey(exchange, IDC_HOTKEY_TRAY, IDC_WIN_TRAY, prefs_.dwHotkeyTray);
    ExchangeHotKey(exchange, IDC_HOTKEY_FOCUS, IDC_WIN_FOCUS, prefs_.dwHotkeyFocus);
    ExchangeHotKey(exchange, IDC_HOTKEY_SEARCH, IDC_WIN_SEARCH, prefs_.dwHotkeySearch);

    const dialogs::WindowsKeyBoxes boxes = dialogs::BoxesOfWindowsKeyBits(prefs_.dwHotkeyWin);
    int focus = boxes.focus, task = boxes.task, tray = boxes.tray, search = boxes.search;
    exchange.Check(IDC_WIN_FOCUS, focus);
    exchange.Check(IDC_WIN_TASK, task);
    exchange.Check(IDC_WIN_TRAY, tray);
    exchange.Check(IDC_WIN_SEARCH, search);
    if (exchange.Saving() && !exchange.Failed())
        prefs_.dwHotkeyWin = dialogs::WindowsKeyBitsOfBoxes(
            {focus == BST_CHECKED, tray == BST_CHECKED, task == BST_CHECKED, search == BST_CHECKED});

    ExchangeSwitch(exchange, IDC_TASKBAR_HIDE, prefs_.bChkTaskhide);
    ExchangeSwitch(exchange, IDC_CUT_DELETE, prefs_.bCutDelete);
    ExchangeSwitch(exchange, IDC_RELATIVE_PATHS, prefs_.bRelativePaths);
}

}  // namespace brindle

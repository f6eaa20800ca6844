#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit_test_ids.h"
#include "ui/dialog.h"
#include "ui/message_box_win.h"
#include "unit/test_support.h"

namespace brindle::ui {
namespace {

using testing::RecordingMessages;

constexpr UINT kCheckStep = WM_APP + 1;
constexpr int kRequestedItemHeight = 37;
const std::string kNumberMessage = "1 から 999 までの数を入力してください。";
const std::string kHotKeyMessage = "Ctrl か Alt を含むキーを選んでください。";

class RecordedMessages {
public:
    RecordedMessages() {
        SetAppMessages(&messages);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS};
        InitCommonControlsEx(&controls);
    }
    ~RecordedMessages() { SetAppMessages(nullptr); }
    RecordingMessages messages;
};

// A dialog with one field of each kind; the test says what happens at its start and at kCheckStep.
class FieldsDialog : public Dialog {
public:
    FieldsDialog() : Dialog(IDD_TEST_FIELDS) {}

    std::string name = "名前";
    int number = 5;
    std::string comboText = "表示";
    int listIndex = 1;
    WORD hotKey = MAKEWORD('B', HOTKEYF_CONTROL);
    std::function<void(FieldsDialog&)> onStart, onCheckStep;
    std::vector<UINT> preTranslated;

    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_KEYDOWN)
            preTranslated.push_back(static_cast<UINT>(message.wParam));
        return false;
    }

protected:
    BOOL OnInitDialog() override {
        for (const char* item : {"一", "二", "三"})
            SendDlgItemMessageA(Hwnd(), IDC_TEST_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        Dialog::OnInitDialog();
        if (onStart)
            onStart(*this);
        return TRUE;
    }
    void DoDataExchange(DataExchange& exchange) override {
        exchange.Text(IDC_TEST_NAME, name);
        exchange.Integer(IDC_TEST_NUMBER, number, 1, 999, kNumberMessage);
        exchange.ComboText(IDC_TEST_COMBO, comboText);
        exchange.ListIndex(IDC_TEST_LIST, listIndex);
        exchange.HotKey(IDC_TEST_HOTKEY, hotKey, kHotKeyMessage);
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message != kCheckStep || !onCheckStep)
            return false;
        onCheckStep(*this);
        return true;
    }
};

void ClickOk(HWND dialog) {
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

TEST(DialogFields, ARefusedNumberKeepsTheDialogOpenWithTheFieldSelected) {
    RecordedMessages recorded;
    FieldsDialog dialog;
    bool checked = false;
    dialog.onStart = [](FieldsDialog& d) {
        SetDlgItemTextA(d.Hwnd(), IDC_TEST_NUMBER, "1000");
        SetDlgItemTextA(d.Hwnd(), IDC_TEST_NAME, "変えた名前");
        ClickOk(d.Hwnd());
        PostMessageA(d.Hwnd(), kCheckStep, 0, 0);
    };
    dialog.onCheckStep = [&](FieldsDialog& d) {
        checked = true;
        HWND field = d.Item(IDC_TEST_NUMBER);
        EXPECT_TRUE(IsWindowVisible(d.Hwnd()));
        EXPECT_EQ(GetFocus(), field);
        DWORD start = 0, end = 0;
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 4u);
        ASSERT_EQ(recorded.messages.boxes.size(), 1u);
        EXPECT_EQ(recorded.messages.boxes[0].text, kNumberMessage);
        // The user corrects the field and confirms again.
        SetDlgItemTextA(d.Hwnd(), IDC_TEST_NUMBER, " 42 ");
        ClickOk(d.Hwnd());
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialog.number, 42);
    EXPECT_EQ(dialog.name, "変えた名前");
    EXPECT_EQ(recorded.messages.boxes.size(), 1u);
}

TEST(DialogFields, ListComboAndHotKeyExchangeBothWays) {
    RecordedMessages recorded;
    FieldsDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND window = dialog.Hwnd();
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_TEST_LIST, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(WindowText(dialog.Item(IDC_TEST_COMBO)), "表示");
    EXPECT_EQ(LOWORD(SendDlgItemMessageA(window, IDC_TEST_HOTKEY, HKM_GETHOTKEY, 0, 0)),
              MAKEWORD('B', HOTKEYF_CONTROL));

    SendDlgItemMessageA(window, IDC_TEST_LIST, LB_SETCURSEL, 2, 0);
    SetWindowTextA(dialog.Item(IDC_TEST_COMBO), "新しい表示");
    SendDlgItemMessageA(window, IDC_TEST_HOTKEY, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_ALT | HOTKEYF_SHIFT), 0);
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.listIndex, 2);
    EXPECT_EQ(dialog.comboText, "新しい表示");
    EXPECT_EQ(dialog.hotKey, MAKEWORD('K', HOTKEYF_ALT | HOTKEYF_SHIFT));

    // A bare key and Shift with a key are refused; the member keeps its value.
    for (WORD refused : {MAKEWORD('K', 0), MAKEWORD('K', HOTKEYF_SHIFT)}) {
        SendDlgItemMessageA(window, IDC_TEST_HOTKEY, HKM_SETHOTKEY, refused, 0);
        EXPECT_FALSE(dialog.UpdateData(true));
        EXPECT_EQ(dialog.hotKey, MAKEWORD('K', HOTKEYF_ALT | HOTKEYF_SHIFT));
        EXPECT_EQ(GetFocus(), dialog.Item(IDC_TEST_HOTKEY));
    }
    ASSERT_EQ(recorded.messages.boxes.size(), 2u);
    EXPECT_EQ(recorded.messages.boxes[1].text, kHotKeyMessage);
    dialog.Destroy();
}

// Records what reaches the object before WM_INITDIALOG and asks for a taller item than the font gives.
class DrawnDialog : public Dialog {
public:
    DrawnDialog() : Dialog(IDD_TEST_DRAWN) {}
    bool initialized = false;
    std::vector<UINT> beforeInit;
    std::vector<UINT> drawnItems;

protected:
    BOOL OnInitDialog() override {
        initialized = true;
        return TRUE;
    }
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override {
        if (!initialized)
            beforeInit.push_back(WM_MEASUREITEM);
        item.itemHeight = kRequestedItemHeight;
        return true;
    }
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        drawnItems.push_back(item.itemID);
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
        return true;
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (!initialized)
            beforeInit.push_back(message);
        return false;
    }
};

TEST(DialogMessages, MeasuringBeforeInitReachesTheObjectAndDrawingSkipsTheEmptyItem) {
    RecordedMessages recorded;
    DrawnDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_TRUE(dialog.initialized);
    EXPECT_NE(std::find(dialog.beforeInit.begin(), dialog.beforeInit.end(), WM_MEASUREITEM), dialog.beforeInit.end());
    EXPECT_NE(std::find(dialog.beforeInit.begin(), dialog.beforeInit.end(), WM_SETFONT), dialog.beforeInit.end());
    HWND list = dialog.Item(IDC_TEST_DRAWN);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), kRequestedItemHeight);

    // The empty list's focus item (-1) never reaches the handler; real items do.
    DRAWITEMSTRUCT empty{};
    empty.CtlType = ODT_LISTBOX;
    empty.CtlID = IDC_TEST_DRAWN;
    empty.itemID = static_cast<UINT>(-1);
    empty.hwndItem = list;
    empty.hDC = GetDC(list);
    EXPECT_EQ(SendMessageA(dialog.Hwnd(), WM_DRAWITEM, IDC_TEST_DRAWN, reinterpret_cast<LPARAM>(&empty)), TRUE);
    ReleaseDC(list, empty.hDC);
    EXPECT_TRUE(dialog.drawnItems.empty());
    SendMessageA(list, LB_ADDSTRING, 0, 1);
    SendMessageA(list, LB_ADDSTRING, 0, 2);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(std::find(dialog.drawnItems.begin(), dialog.drawnItems.end(), 1u), dialog.drawnItems.end());
    for (UINT item : dialog.drawnItems)
        EXPECT_NE(item, static_cast<UINT>(-1));
    dialog.Destroy();
}

TEST(DialogLoop, KeysForAModelessDialogGoToItAndEndingItHidesIt) {
    RecordedMessages recorded;
    FieldsDialog modeless;
    ASSERT_TRUE(modeless.Create(nullptr));
    ShowWindow(modeless.Hwnd(), SW_SHOW);
    HWND modelessField = modeless.Item(IDC_TEST_NAME);

    FieldsDialog running;
    running.onStart = [&](FieldsDialog& d) {
        PostMessageA(modelessField, WM_KEYDOWN, VK_F6, 0);
        PostMessageA(d.Item(IDC_TEST_NAME), WM_KEYDOWN, VK_F7, 0);
        PostMessageA(d.Hwnd(), WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(running.DoModal(), IDCANCEL);
    EXPECT_EQ(modeless.preTranslated, std::vector<UINT>{VK_F6});
    EXPECT_EQ(running.preTranslated, std::vector<UINT>{VK_F7});

    modeless.EndDialog(IDOK);
    EXPECT_TRUE(IsWindow(modeless.Hwnd()));
    EXPECT_FALSE(IsWindowVisible(modeless.Hwnd()));
    modeless.Destroy();
}

}  // namespace
}  // namespace brindle::ui

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit_test_ids.h"
#include "ui/anchored_layout_win.h"
#include "ui/dialog.h"
#include "ui/message_box_win.h"
#include "ui/tab_pages_win.h"
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

class ResizeDialog : public Dialog {
public:
    ResizeDialog() : Dialog(IDD_TEST_RESIZE) {}
    AnchoredLayout layout;

protected:
    BOOL OnInitDialog() override {
        layout.Start(Hwnd());
        layout.Add(IDC_TEST_RESIZED_LIST, anchor::kStretchRight | anchor::kStretchDown);
        layout.Add(IDOK, anchor::kMoveRight | anchor::kMoveDown);
        return TRUE;
    }
    bool OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) override {
        if (message == WM_SIZE)
            layout.Resize(LOWORD(lParam), HIWORD(lParam));
        if (message == WM_GETMINMAXINFO)
            layout.TrackLimits(*reinterpret_cast<MINMAXINFO*>(lParam));
        return false;
    }
};

RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(ResizableDialog, ControlsFollowTheirAnchorsAndTheTemplateSizeIsTheMinimum) {
    RecordedMessages recorded;
    ResizeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND window = dialog.Hwnd();
    RECT start{}, client{};
    GetWindowRect(window, &start);
    GetClientRect(window, &client);
    const RECT list = ClientRectOf(dialog.Item(IDC_TEST_RESIZED_LIST));
    const RECT ok = ClientRectOf(dialog.Item(IDOK));

    const int width = start.right - start.left, height = start.bottom - start.top;
    SetWindowPos(window, nullptr, 0, 0, width + 80, height + 60, SWP_NOMOVE | SWP_NOZORDER);
    const RECT grownList = ClientRectOf(dialog.Item(IDC_TEST_RESIZED_LIST));
    const RECT movedOk = ClientRectOf(dialog.Item(IDOK));
    EXPECT_EQ(grownList.left, list.left);
    EXPECT_EQ(grownList.top, list.top);
    EXPECT_EQ(grownList.right, list.right + 80);
    EXPECT_EQ(grownList.bottom, list.bottom + 60);
    EXPECT_EQ(movedOk.left, ok.left + 80);
    EXPECT_EQ(movedOk.top, ok.top + 60);
    EXPECT_EQ(movedOk.right - movedOk.left, ok.right - ok.left);

    // Smaller than the template is refused: the window stays at its first size, the controls in place.
    SetWindowPos(window, nullptr, 0, 0, width / 2, height / 2, SWP_NOMOVE | SWP_NOZORDER);
    RECT shrunk{};
    GetWindowRect(window, &shrunk);
    EXPECT_EQ(shrunk.right - shrunk.left, width);
    EXPECT_EQ(shrunk.bottom - shrunk.top, height);
    const RECT backList = ClientRectOf(dialog.Item(IDC_TEST_RESIZED_LIST));
    EXPECT_EQ(backList.right, list.right);
    dialog.Destroy();
}

class NumberPage : public Dialog {
public:
    NumberPage() : Dialog(IDD_TEST_PAGE) {}
    int number = 1;

protected:
    void DoDataExchange(DataExchange& exchange) override {
        exchange.Integer(IDC_TEST_PAGE_NUMBER, number, 1, 999, kNumberMessage);
    }
};

class TabsDialog : public Dialog {
public:
    TabsDialog() : Dialog(IDD_TEST_TABS) {}
    TabPages pages;
    NumberPage first, second;

protected:
    BOOL OnInitDialog() override {
        InitCommonControlsEx(&kTabClass);
        pages.Attach(Hwnd(), IDC_TEST_TAB);
        first.number = 10;
        second.number = 20;
        pages.Add(first, "一般");
        pages.Add(second, "表示");
        pages.UpdateData(false);
        return TRUE;
    }
    bool OnNotify(NMHDR& header, LRESULT&) override { return pages.OnNotify(header); }
    static constexpr INITCOMMONCONTROLSEX kTabClass{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
};

TEST(TabPages, PagesFillTheDisplayAreaSwitchWithTheTabAndExchangeTogether) {
    RecordedMessages recorded;
    TabsDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND tab = dialog.Item(IDC_TEST_TAB);
    RECT area{};
    GetWindowRect(tab, &area);
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    RECT page{};
    GetWindowRect(dialog.second.Hwnd(), &page);
    EXPECT_TRUE(EqualRect(&page, &area));
    EXPECT_GT(area.top, 0);
    EXPECT_TRUE(IsWindowVisible(dialog.first.Hwnd()));
    EXPECT_FALSE(IsWindowVisible(dialog.second.Hwnd()));
    EXPECT_EQ(WindowText(dialog.second.Item(IDC_TEST_PAGE_NUMBER)), "20");

    // The tab control tells its dialog of the change (TCN_SELCHANGE) as when the user picks the tab.
    SendMessageA(tab, TCM_SETCURFOCUS, 1, 0);
    EXPECT_FALSE(IsWindowVisible(dialog.first.Hwnd()));
    EXPECT_TRUE(IsWindowVisible(dialog.second.Hwnd()));
    SendMessageA(tab, TCM_SETCURFOCUS, 0, 0);
    EXPECT_TRUE(IsWindowVisible(dialog.first.Hwnd()));

    // A refused field on the hidden page brings that page forward with the focus on the field.
    SetWindowTextA(dialog.first.Item(IDC_TEST_PAGE_NUMBER), "11");
    SetWindowTextA(dialog.second.Item(IDC_TEST_PAGE_NUMBER), "x");
    EXPECT_FALSE(dialog.pages.UpdateData(true));
    EXPECT_EQ(dialog.pages.Selected(), 1);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(dialog.second.Hwnd()));
    EXPECT_EQ(GetFocus(), dialog.second.Item(IDC_TEST_PAGE_NUMBER));
    EXPECT_EQ(recorded.messages.boxes.size(), 1u);
    SetWindowTextA(dialog.second.Item(IDC_TEST_PAGE_NUMBER), "22");
    EXPECT_TRUE(dialog.pages.UpdateData(true));
    EXPECT_EQ(dialog.first.number, 11);
    EXPECT_EQ(dialog.second.number, 22);
    dialog.Destroy();
}

}  // namespace
}  // namespace brindle::ui

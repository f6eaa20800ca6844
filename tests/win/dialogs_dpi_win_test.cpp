// Every dialog of the program opened as the user opens it, from a real main window, at the display scale
// the test runs at (96 DPI, and 144 in the scaled pass of the test script): no label or button text cut,
// the lists' icons at the scale's size. Then a change of scale sent in-process as Windows sends it when a
// window crosses to a monitor of another scale: the dialog takes the suggested rectangle and builds its
// images again at the new size, and the settings file keeps what it kept before.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "about/about_dialog.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "search/search_dialog.h"
#include "store/settings_store.h"
#include "tasks/task_select_dialog.h"
#include "ui/dialog.h"
#include "ui/dpi_win.h"
#include "ui/message_box_win.h"
#include "ui/pickers_win.h"
#include "unit/test_support.h"
#include "win/dialog_driver.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::Click;
using testing::DialogDriver;
using testing::TextWidth;
using testing::WinFolder;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK AddControl(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The height `control`'s text takes when it is broken into lines of the control's width.
int WrappedHeight(HWND control, int width) {
    std::string text = TextOf(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return rect.bottom;
}

int LineHeight(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

// Every static label, button, check box, radio button and group box with text in `dialog` (its property
// pages too) shows its whole text: one line in the control's width, or wrapped within its height for a
// label of several lines. The room a check box's box or a button's edges take is left out. The window is
// kept as a picture, "dpi<DPI>-<picture>.bmp", to look at.
void ExpectNoTextCut(HWND dialog, const std::string& which, const std::string& picture) {
    const ui::Dialog* ours = ui::Dialog::FromWindow(dialog);
    const unsigned dpi = ours ? ours->Dpi() : ui::WindowDpi(dialog);
    testing::WriteWindowBitmap(dialog, "dpi" + std::to_string(dpi) + "-" + picture + ".bmp");
    std::vector<HWND> controls;
    EnumChildWindows(dialog, AddControl, reinterpret_cast<LPARAM>(&controls));
    int checked = 0;
    for (HWND control : controls) {
        if (!IsWindowVisible(control) || TextOf(control).empty())
            continue;
        const std::string name = ClassOf(control);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        RECT client{};
        GetClientRect(control, &client);
        const std::string label = which + ": \"" + TextOf(control) + "\"";
        if (lstrcmpiA(name.c_str(), "Static") == 0) {
            const LONG kind = style & SS_TYPEMASK;
            if (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP)
                continue;
            const bool oneLine = client.bottom < 2 * LineHeight(control) || kind == SS_LEFTNOWORDWRAP;
            if (oneLine)
                EXPECT_LE(TextWidth(control), client.right) << label << " is cut at " << dpi << " DPI";
            else
                EXPECT_LE(WrappedHeight(control, client.right), client.bottom) << label << " is cut at " << dpi;
            ++checked;
        } else if (lstrcmpiA(name.c_str(), "Button") == 0) {
            const LONG kind = style & BS_TYPEMASK;
            int room = client.right;
            if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE)
                room -= ui::MetricForDpi(SM_CXMENUCHECK, dpi) + ui::ScaleToDpi(2, dpi);
            else if (kind == BS_GROUPBOX)
                room -= ui::ScaleToDpi(8, dpi);
            else if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON)
                room -= ui::ScaleToDpi(2, dpi);  // the frame, a pixel at each side at 96 DPI
            else
                continue;
            if (style & BS_MULTILINE)
                EXPECT_LE(WrappedHeight(control, room), client.bottom) << label << " is cut at " << dpi << " DPI";
            else
                EXPECT_LE(TextWidth(control), room) << label << " is cut at " << dpi << " DPI";
            ++checked;
        }
    }
    EXPECT_GT(checked, 0) << which << ": no label was checked";
}

int RightMargin(HWND dialog, int id) {
    RECT client{}, control{};
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, id), &control);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control), 2);
    return client.right - control.right;
}

int SmallIcon() {
    return ui::MetricForDpi(SM_CXSMICON, ui::SystemDpi());
}

class ScaledDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ui::SetAppMessages(&messages);
        ui::SetAppPickers(&pickers);
        const std::string shell32 = SystemFile("shell32.dll");
        testing::WriteBytes(
            path,
            "[Brindle]\r\nwinMainFrame=20,20,520,400\r\nlfHeight=-12\r\nlfFaceName=IPAGothic\r\n"
            "iChkLoadIcon=1\r\nPage=1\r\n[Page]\r\n1=Top,-1,0,0,\"\",\"\"\r\n2=Second,-1,0,0,\"\",\"\"\r\n"
            "[#00000]\r\nNamespace=Shell one\r\nPageId=1\r\nCommand=" +
                shell32 + "\r\nIcon=" + shell32 +
                ">3\r\n[#00001]\r\nNamespace=Shell two\r\nPageId=1\r\nCommand=" + shell32 + "\r\n");
        store = std::make_unique<SettingsStore>(messages, path);
        ASSERT_TRUE(store->Load());
        MainDialog::Options options;
        options.instanceName = "INI.dpi_dialogs";
        main = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(main->Create(nullptr));
        ShowWindow(main->Hwnd(), SW_SHOW);
        Pump();
        driver.Ignore(main->Hwnd());
    }
    void TearDown() override {
        main.reset();
        ui::SetAppMessages(nullptr);
        ui::SetAppPickers(nullptr);
    }
    static std::string SystemFile(const char* name) {
        char folder[MAX_PATH] = "";
        GetSystemDirectoryA(folder, MAX_PATH);
        return std::string(folder) + "\\" + name;
    }
    void Command(int id) {
        SendMessageA(main->Hwnd(), WM_COMMAND, id, 0);
        Pump();
    }

    WinFolder folder;
    std::string path = folder.File("Brindle.INI");
    testing::RecordingMessages messages;
    testing::RecordingPickers pickers;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> main;
    DialogDriver driver;
};

TEST_F(ScaledDialogs, TheSystemScaleIsTheOneThePassAskedFor) {
    // The scaled pass runs in a prefix made at BRINDLE_DPI; a prefix that lost it would test 96 twice.
    char wanted[16] = "";
    if (GetEnvironmentVariableA("BRINDLE_DPI", wanted, sizeof wanted) && atoi(wanted) > 0) {
        EXPECT_EQ(ui::SystemDpi(), static_cast<unsigned>(atoi(wanted)));
        EXPECT_EQ(ui::WindowDpi(main->Hwnd()), static_cast<unsigned>(atoi(wanted)));
    }
    EXPECT_EQ(SmallIcon(), ui::SmallIconSizeForDpi(ui::SystemDpi()));
}

// The page and shortcut dialogs, the change-icon dialog from the shortcut dialog, the import and the
// sort dialogs: each as the menu opens it.
TEST_F(ScaledDialogs, EditingDialogsShowTheirWholeLabelsAndIconsAtTheScalesSize) {
    int iconEdge = 0, iconCount = 0;
    driver.Then([&](HWND dialog) {
        ExpectNoTextCut(dialog, "page dialog", "page");
        Click(dialog, IDCANCEL);
    });
    Command(ID_ADD_PAGE);
    driver.Then([&](HWND dialog) {
        ExpectNoTextCut(dialog, "shortcut dialog", "shortcut");
        driver.Then([&](HWND icons) {
            ExpectNoTextCut(icons, "change-icon dialog", "change-icon");
            HWND view = GetDlgItem(icons, IDC_ICON_VIEW);
            int width = 0;
            ImageList_GetIconSize(ListView_GetImageList(view, LVSIL_NORMAL), &width, &iconEdge);
            iconCount = ListView_GetItemCount(view);
            Click(icons, IDCANCEL);
        });
        testing::SetText(dialog, IDC_SHORTCUT_ICON, SystemFile("shell32.dll"));
        Click(dialog, IDC_SHORTCUT_BROWSE_ICON);
        Click(dialog, IDCANCEL);
    });
    Command(ID_ADD_SHORTCUT);
    EXPECT_EQ(iconEdge, ui::ScaleToDpi(32, ui::SystemDpi())) << "large icons of the scale";
    EXPECT_GT(iconCount, 3) << "shell32.dll's icons";

    driver.Then([&](HWND dialog) {
        ExpectNoTextCut(dialog, "import dialog", "import");
        Click(dialog, IDCANCEL);
    });
    Command(ID_IMPORT);

    int lineHeight = 0, imageHeight = 0;
    driver.Then([&](HWND dialog) {
        ExpectNoTextCut(dialog, "sort dialog", "sort");
        HWND list = GetDlgItem(dialog, IDC_SORT_LIST);
        lineHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        Click(dialog, IDCANCEL);
    });
    int width = 0;
    ImageList_GetIconSize(ListView_GetImageList(main->Item(IDC_LIST), LVSIL_SMALL), &width, &imageHeight);
    Command(ID_SORT_SHORTCUT);
    EXPECT_GT(imageHeight, 0);
    EXPECT_GE(lineHeight, imageHeight) << "a line holds the list's icons";
    EXPECT_EQ(driver.Pending(), 0u);
    EXPECT_TRUE(messages.boxes.empty());
}

// The preferences dialog with both pages; the stored 96-DPI font is shown in its points, and OK keeps
// it as it was in the file.
TEST_F(ScaledDialogs, PreferencesShowWholeLabelsAndTheStoredFontUnscaled) {
    std::string fontText;
    driver.Then([&](HWND dialog) {
        ExpectNoTextCut(dialog, "preferences", "preferences");
        // The Other page, chosen as a click on its tab chooses it.
        HWND tab = GetDlgItem(dialog, IDC_ENVIRON_TAB);
        TabCtrl_SetCurSel(tab, 1);
        NMHDR change{tab, static_cast<UINT_PTR>(IDC_ENVIRON_TAB), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(dialog, WM_NOTIFY, IDC_ENVIRON_TAB, reinterpret_cast<LPARAM>(&change));
        ExpectNoTextCut(dialog, "preferences' Other page", "preferences-other");
        std::vector<HWND> controls;
        EnumChildWindows(dialog, AddControl, reinterpret_cast<LPARAM>(&controls));
        for (HWND control : controls) {
            if (GetDlgCtrlID(control) == IDC_FONT_TEXT)
                fontText = TextOf(control);
        }
        Click(dialog, IDOK);
    });
    Command(ID_PREFERENCES);
    EXPECT_EQ(fontText, "IPAGothic,9pt");
    const std::string saved = testing::ReadBytes(path);
    EXPECT_NE(saved.find("lfHeight=-12\r\n"), std::string::npos) << saved;
}

// The modeless windows: the version window, the search window and the task select dialog.
TEST_F(ScaledDialogs, ModelessWindowsShowWholeLabelsAndRowsForTheScalesIcons) {
    AboutDialog* about = main->About();
    ASSERT_NE(about, nullptr);
    about->Show();
    Pump();
    ExpectNoTextCut(about->Hwnd(), "version window", "about");
    ShowWindow(about->Hwnd(), SW_HIDE);

    Command(ID_SEARCH);
    SearchDialog* search = main->Search();
    ASSERT_NE(search, nullptr);
    HWND results = search->Item(IDC_SEARCH_RESULTS);
    SetDlgItemTextA(search->Hwnd(), IDC_SEARCH_TEXT, "Shell");
    Pump();
    ASSERT_GE(ListView_GetItemCount(results), 2);
    RECT row{};
    ListView_GetItemRect(results, 0, &row, LVIR_BOUNDS);
    EXPECT_GE(row.bottom - row.top, SmallIcon() + ui::ScaleToDpi(4, ui::SystemDpi())) << "a row holds an icon";
    testing::WriteWindowBitmap(search->Hwnd(), "dpi" + std::to_string(ui::SystemDpi()) + "-search.bmp");
    ShowWindow(search->Hwnd(), SW_HIDE);

    SendMessageA(main->Hwnd(), WM_SYSCOMMAND, ID_TASK, 0);
    Pump();
    TaskSelectDialog* tasks = main->TaskSelect();
    ASSERT_NE(tasks, nullptr);
    ExpectNoTextCut(tasks->Hwnd(), "task select", "task-select");
    EXPECT_EQ(tasks->List().IconSize(), SmallIcon());
    EXPECT_GE(tasks->List().ItemHeight(), SmallIcon() + 1);
    // The hint drawn left of the buttons, in the dialog's font, at the size the dialog is made.
    char hint[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_TASK_HINT, hint, sizeof hint);
    HDC dc = GetDC(tasks->Hwnd());
    HGDIOBJ old = SelectObject(dc, tasks->Font());
    SIZE extent{};
    GetTextExtentPoint32A(dc, hint, lstrlenA(hint), &extent);
    SelectObject(dc, old);
    ReleaseDC(tasks->Hwnd(), dc);
    RECT select{};
    GetWindowRect(tasks->Item(IDOK), &select);
    MapWindowPoints(nullptr, tasks->Hwnd(), reinterpret_cast<POINT*>(&select), 2);
    EXPECT_LT(extent.cx, select.left) << "the hint is cut by the buttons";
    ShowWindow(tasks->Hwnd(), SW_HIDE);
}

// The change-icon dialog crosses to a monitor of twice the scale: it takes the rectangle Windows
// suggests, reads its icons again at the new size, keeps the chosen one and lays its controls out
// in the new size.
TEST_F(ScaledDialogs, AMonitorOfAnotherScaleGivesTheSuggestedRectangleAndIconsAtItsSize) {
    const unsigned from = ui::SystemDpi(), to = from * 2;
    RECT before{}, after{}, suggested{}, okBefore{}, okAfter{};
    int marginBefore = 0, marginAfter = 0;  // from the OK button to the client area's right edge
    int edge = 0, count = 0, countAfter = 0, selected = -1;
    driver.Then([&](HWND dialog) {
        driver.Then([&](HWND icons) {
            HWND view = GetDlgItem(icons, IDC_ICON_VIEW);
            count = ListView_GetItemCount(view);
            ListView_SetItemState(view, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            GetWindowRect(icons, &before);
            GetWindowRect(GetDlgItem(icons, IDOK), &okBefore);
            marginBefore = RightMargin(icons, IDOK);
            suggested = {before.left + 10, before.top + 10, before.left + 10 + (before.right - before.left) * 2,
                         before.top + 10 + (before.bottom - before.top) * 2};
            SendMessageA(icons, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
            GetWindowRect(icons, &after);
            GetWindowRect(GetDlgItem(icons, IDOK), &okAfter);
            marginAfter = RightMargin(icons, IDOK);
            int width = 0;
            ImageList_GetIconSize(ListView_GetImageList(view, LVSIL_NORMAL), &width, &edge);
            countAfter = ListView_GetItemCount(view);
            selected = ListView_GetNextItem(view, -1, LVNI_SELECTED);
            testing::WriteWindowBitmap(icons, "dpi" + std::to_string(to) + "-change-icon-rescaled.bmp");
            Click(icons, IDCANCEL);
        });
        testing::SetText(dialog, IDC_SHORTCUT_ICON, SystemFile("shell32.dll"));
        Click(dialog, IDC_SHORTCUT_BROWSE_ICON);
        Click(dialog, IDCANCEL);
    });
    Command(ID_ADD_SHORTCUT);
    ASSERT_GT(count, 3);
    EXPECT_TRUE(EqualRect(&after, &suggested))
        << after.left << "," << after.top << "," << after.right << "," << after.bottom;
    EXPECT_EQ(edge, ui::MetricForDpi(SM_CXICON, to)) << "icons read again at the new scale";
    EXPECT_EQ(countAfter, count);
    EXPECT_EQ(selected, 2) << "the chosen icon stays chosen";
    // The buttons keep to the right edge and grow with the scale.
    EXPECT_EQ(marginAfter, ui::ScaleBetweenDpi(marginBefore, from, to));
    EXPECT_EQ(okAfter.bottom - okAfter.top, ui::ScaleBetweenDpi(okBefore.bottom - okBefore.top, from, to));
    EXPECT_EQ(driver.Pending(), 0u);
}

// The preferences dialog, with its two pages inside, crosses to a monitor of twice the scale: the pages'
// controls grow with the dialog (the system scales none of them under Wine or before Windows 10 1703),
// every label still fits, and the previews show the stored font at the new scale.
TEST_F(ScaledDialogs, PropertyPagesFollowTheirDialogToAnotherScale) {
    const unsigned from = ui::SystemDpi(), to = from * 2;
    RECT suggested{}, after{}, chooseBefore{}, chooseAfter{};
    LOGFONTA preview{};
    int treeImage = 0;
    driver.Then([&](HWND dialog) {
        std::vector<HWND> controls;
        EnumChildWindows(dialog, AddControl, reinterpret_cast<LPARAM>(&controls));
        HWND choose = nullptr, tree = nullptr;
        for (HWND control : controls) {
            if (GetDlgCtrlID(control) == IDC_FONT_CHOOSE)
                choose = control;
            if (GetDlgCtrlID(control) == IDC_PREVIEW_TREE)
                tree = control;
        }
        ASSERT_TRUE(choose && tree);
        GetWindowRect(choose, &chooseBefore);
        RECT before{};
        GetWindowRect(dialog, &before);
        suggested = {before.left, before.top, before.left + (before.right - before.left) * 2,
                     before.top + (before.bottom - before.top) * 2};
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(dialog, &after);
        GetWindowRect(choose, &chooseAfter);
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(tree, WM_GETFONT, 0, 0)), sizeof preview, &preview);
        int width = 0;
        ImageList_GetIconSize(TreeView_GetImageList(tree, TVSIL_NORMAL), &width, &treeImage);
        ExpectNoTextCut(dialog, "preferences at twice the scale", "preferences-rescaled");

        Click(dialog, IDCANCEL);
    });
    Command(ID_PREFERENCES);
    EXPECT_TRUE(EqualRect(&after, &suggested));
    EXPECT_NEAR(chooseAfter.right - chooseAfter.left, 2 * (chooseBefore.right - chooseBefore.left), 1);
    EXPECT_NEAR(chooseAfter.bottom - chooseAfter.top, 2 * (chooseBefore.bottom - chooseBefore.top), 1);
    EXPECT_EQ(preview.lfHeight, ui::ScaleToDpi(-12, to)) << "the stored 96-DPI font at the new scale";
    EXPECT_EQ(treeImage, ui::MetricForDpi(SM_CXSMICON, to)) << "the tree preview's pictures at the new scale";
    EXPECT_EQ(driver.Pending(), 0u);
}

// The task select and search windows cross to a monitor of twice the scale: their rows hold icons of the
// new scale, and the task select dialog's buttons keep to the bottom right at the scaled margin.
TEST_F(ScaledDialogs, ModelessWindowsRebuildTheirRowsAtAnotherScale) {
    const unsigned from = ui::SystemDpi(), to = from * 2;
    SendMessageA(main->Hwnd(), WM_SYSCOMMAND, ID_TASK, 0);
    Pump();
    TaskSelectDialog* tasks = main->TaskSelect();
    ASSERT_NE(tasks, nullptr);
    const int marginBefore = RightMargin(tasks->Hwnd(), IDCANCEL);
    RECT before{};
    GetWindowRect(tasks->Hwnd(), &before);
    RECT suggested{before.left, before.top, before.left + (before.right - before.left) * 2,
                   before.top + (before.bottom - before.top) * 2};
    SendMessageA(tasks->Hwnd(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(tasks->List().IconSize(), ui::MetricForDpi(SM_CXSMICON, to));
    EXPECT_GE(tasks->List().ItemHeight(), ui::MetricForDpi(SM_CXSMICON, to) + 1);
    EXPECT_EQ(RightMargin(tasks->Hwnd(), IDCANCEL), ui::ScaleBetweenDpi(marginBefore, from, to));
    ExpectNoTextCut(tasks->Hwnd(), "task select at twice the scale", "task-select-rescaled");
    ShowWindow(tasks->Hwnd(), SW_HIDE);

    Command(ID_SEARCH);
    SearchDialog* search = main->Search();
    ASSERT_NE(search, nullptr);
    SetDlgItemTextA(search->Hwnd(), IDC_SEARCH_TEXT, "Shell");
    GetWindowRect(search->Hwnd(), &before);
    suggested = {before.left, before.top, before.left + (before.right - before.left) * 2,
                 before.top + (before.bottom - before.top) * 2};
    SendMessageA(search->Hwnd(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    RECT row{};
    ListView_GetItemRect(search->Item(IDC_SEARCH_RESULTS), 0, &row, LVIR_BOUNDS);
    EXPECT_GE(row.bottom - row.top, ui::MetricForDpi(SM_CXSMICON, to) + ui::ScaleToDpi(4, to));
    ShowWindow(search->Hwnd(), SW_HIDE);
}

// The version window on a monitor of another scale: the window takes the suggested rectangle, and the
// settings file keeps it in the coordinates the system gives (not scaled back) and the font at 96 DPI.
TEST_F(ScaledDialogs, AScaleChangeKeepsTheFileAsItWas) {
    AboutDialog* about = main->About();
    ASSERT_NE(about, nullptr);
    about->Show();
    Pump();
    const unsigned to = ui::SystemDpi() == 96 ? 144 : 96;
    RECT before{};
    GetWindowRect(about->Hwnd(), &before);
    const RECT suggested{before.left + 4, before.top + 6,
                         before.left + 4 + ui::ScaleBetweenDpi(before.right - before.left, ui::SystemDpi(), to),
                         before.top + 6 + ui::ScaleBetweenDpi(before.bottom - before.top, ui::SystemDpi(), to)};
    SendMessageA(about->Hwnd(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    EXPECT_EQ(about->Dpi(), to);
    ExpectNoTextCut(about->Hwnd(), "version window at the new scale", "about-rescaled");
    main.reset();  // closes the version window and saves
    const std::string saved = testing::ReadBytes(path);
    const std::string kept = "winAboutBox=" + std::to_string(suggested.left) + "," + std::to_string(suggested.top) +
                             "," + std::to_string(suggested.right) + "," + std::to_string(suggested.bottom) + "\r\n";
    EXPECT_NE(saved.find(kept), std::string::npos) << saved;
    EXPECT_NE(saved.find("lfHeight=-12\r\n"), std::string::npos) << saved;
}

}  // namespace
}  // namespace brindle

// The sort commands of the real main window on temporary settings files: the sort dialog driven through
// its list and buttons from inside its modal loop, then the tree, the list, the store and the file read
// back.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/messages.h"
#include "unit/test_support.h"
#include "win/dialog_driver.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::WinFolder;

constexpr char kTooFew[] = "ｿｰﾄすべきｱｲﾃﾑが2つ未満です。";
constexpr COLORREF kNavy = RGB(0, 0, 128);

std::string TreeText(HWND tree, HTREEITEM item) {
    char text[256] = "";
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    TreeView_GetItem(tree, &data);
    return text;
}

std::vector<std::string> TreeChildren(HWND tree, HTREEITEM parent) {
    std::vector<std::string> texts;
    for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item))
        texts.push_back(TreeText(tree, item));
    return texts;
}

HTREEITEM TopLevelItem(HWND tree, const std::string& text) {
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
        if (TreeText(tree, item) == text)
            return item;
    }
    return nullptr;
}

std::vector<std::string> ListNames(HWND list) {
    std::vector<std::string> names;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        char text[256] = "";
        ListView_GetItemText(list, i, 0, text, sizeof text);
        names.push_back(text);
    }
    return names;
}

std::vector<std::string> StoreNames(SettingsStore& store) {
    std::vector<std::string> names;
    ShortcutRecord s;
    for (int i = 0; store.GetShortcutAt(i, s); ++i)
        names.push_back(s.name ? s.name : "");
    return names;
}

// The sort dialog as the test sees it while it is up.
struct SortWindow {
    HWND dialog;
    HWND List() const { return GetDlgItem(dialog, IDC_SORT_LIST); }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }
    std::string PageName() const {
        char text[256] = "";
        GetDlgItemTextA(dialog, IDC_SORT_PAGE_NAME, text, sizeof text);
        return text;
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        const int count = static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = "";
            SendMessageA(List(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            lines.push_back(text);
        }
        return lines;
    }
    int Selection() const { return static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0)); }
    // A click on a line, as the mouse gives it: the list selects it and notifies the dialog.
    void ClickLine(int line) const {
        RECT rect{};
        SendMessageA(List(), LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM(rect.left + 30, (rect.top + rect.bottom) / 2);
        SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(List(), WM_LBUTTONUP, 0, at);
    }
    void Click(int id) const { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
};

// Runs `script` on the sort dialog once it is up, from inside its modal loop (a thread timer runs there).
// A dialog the script left open is cancelled, so a failed expectation never hangs the test.
class SortDriver {
public:
    using Script = std::function<void(const SortWindow&)>;
    explicit SortDriver(Script script) : script_(std::move(script)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, OnTimer);
    }
    ~SortDriver() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Ran() const { return ran_; }

private:
    static BOOL CALLBACK TakeIfSortDialog(HWND window, LPARAM found) {
        char className[16] = "", caption[16] = "";
        GetClassNameA(window, className, sizeof className);
        GetWindowTextA(window, caption, sizeof caption);
        if (std::string(className) == "#32770" && std::string(caption) == "ｿｰﾄ" && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static HWND FindDialog() {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), TakeIfSortDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (!current_)
            return;
        HWND dialog = FindDialog();
        if (!dialog)
            return;
        if (current_->ran_) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        current_->ran_ = true;
        current_->script_(SortWindow{dialog});
    }

    static inline SortDriver* current_ = nullptr;
    Script script_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

class Sorting : public ::testing::Test {
protected:
    void TearDown() override { dialog.reset(); }
    void Open(const std::string& prefs, const std::string& pages, const std::string& shortcuts = "") {
        testing::WriteBytes(path,
                            "[Brindle]\r\nwinMainFrame=60,40,660,440\r\nwinSeparator=180\r\n"
                            "lfHeight=-12\r\nlfFaceName=IPAGothic\r\niChkLoadIcon=1\r\n" +
                                prefs + "[Page]\r\n" + pages + shortcuts);
        store = std::make_unique<SettingsStore>(messages, path);
        ASSERT_TRUE(store->Load());
        dialog = std::make_unique<MainDialog>(*store, messages, MainDialog::Options{});
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();
        tree = dialog->Item(IDC_TREE);
        list = dialog->Item(IDC_LIST);
    }
    void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog && dialog->Hwnd() && dialog->PreTranslateMessage(message))
                continue;
            if (dialog && dialog->Hwnd() && IsDialogMessageA(dialog->Hwnd(), &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    void PumpFor(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        do {
            Pump();
            Sleep(10);
        } while (GetTickCount() - start < milliseconds);
    }
    // Runs a command of the main window with `script` driving the sort dialog it opens.
    bool Run(int command, SortDriver::Script script) {
        SortDriver driver(std::move(script));
        SendMessageA(dialog->Hwnd(), WM_COMMAND, command, 0);
        return driver.Ran();
    }
    std::string Saved() { return testing::ReadBytes(path); }

    WinFolder folder;
    std::string path = folder.File("sort.INI");
    RecordingMessages messages;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> dialog;
    HWND tree = nullptr, list = nullptr;
};

TEST_F(Sorting, RootSortHandsTheIdsOutAgainAndChildrenShortcutsExpansionAndSelectionFollow) {
    Open("Page=4\r\n",
         "1=One,-1,1,0,\"\",\"\"\r\n4=Four,-1,0,0,\"\",\"\"\r\n7=Seven,-1,0,0,\"\",\"\"\r\n"
         "10=UnderOne,1,0,0,\"\",\"\"\r\n11=UnderFour,4,0,0,\"\",\"\"\r\n12=UnderSeven,7,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=s1\r\nPageId=1\r\n[#00001]\r\nNamespace=s4\r\nPageId=4\r\n"
         "[#00002]\r\nNamespace=s7\r\nPageId=7\r\n");
    ASSERT_EQ(TreeText(tree, TreeView_GetSelection(tree)), "Four");
    bool readyWhileOpen = true;
    const bool ran = Run(ID_SORT_ROOT, [&](const SortWindow& sort) {
        readyWhileOpen = dialog->Ready();
        EXPECT_EQ(sort.PageName(), "[Root]");
        EXPECT_EQ(sort.Lines(), (std::vector<std::string>{"1:One", "4:Four", "7:Seven"}));
        sort.ClickLine(2);
        EXPECT_EQ(sort.Selection(), 2);
        EXPECT_TRUE(sort.Enabled(IDC_SORT_UP));
        EXPECT_FALSE(sort.Enabled(IDC_SORT_DOWN)) << "Down on the last line";
        sort.Click(IDC_SORT_UP);
        sort.Click(IDC_SORT_UP);
        EXPECT_EQ(sort.Lines(), (std::vector<std::string>{"7:Seven", "1:One", "4:Four"}));
        EXPECT_EQ(sort.Selection(), 0);
        EXPECT_FALSE(sort.Enabled(IDC_SORT_UP)) << "Up on the first line";
        EXPECT_TRUE(sort.Enabled(IDC_SORT_DOWN));
        sort.Click(IDOK);
    });
    ASSERT_TRUE(ran);
    EXPECT_FALSE(readyWhileOpen);
    EXPECT_TRUE(dialog->Ready());

    // The former 7 is now 1, the former 1 is now 4, the former 4 is now 7, each with its child, its
    // shortcut and its expanded state; the selected page is still selected and stored as the page.
    EXPECT_EQ(TreeChildren(tree, TVI_ROOT), (std::vector<std::string>{"Seven", "One", "Four"}));
    EXPECT_EQ(TreeChildren(tree, TopLevelItem(tree, "Seven")), (std::vector<std::string>{"UnderSeven"}));
    EXPECT_EQ(TreeChildren(tree, TopLevelItem(tree, "Four")), (std::vector<std::string>{"UnderFour"}));
    EXPECT_EQ(TreeText(tree, TreeView_GetSelection(tree)), "Four");
    const std::string saved = Saved();
    for (const char* line : {"1=Seven,-1,0,", "4=One,-1,1,", "7=Four,-1,0,", "10=UnderOne,4,", "11=UnderFour,7,",
                             "12=UnderSeven,1,", "Page=7\r\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line << "\n" << saved;
    }
    ShortcutRecord s;
    for (const auto& [index, page] : std::vector<std::pair<int, int32_t>>{{0, 4}, {1, 7}, {2, 1}}) {
        ASSERT_TRUE(store->GetShortcutAt(index, s));
        EXPECT_EQ(s.pageId, page) << s.name;
    }
    // The page switch that the rebuild's selection starts.
    for (int i = 0; i < 500 && dialog->PageSwitchPending(); ++i)
        PumpFor(10);
    EXPECT_EQ(ListNames(list), (std::vector<std::string>{"s4"}));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Sorting, ShortcutSortMovesOnlyThePagesOwnSlots) {
    // Page 2's shortcuts sit at store slots 1, 4 and 6, between page 1's.
    std::string shortcuts;
    const char* names[] = {"a", "B", "c", "d", "E", "f", "G"};
    for (int i = 0; i < 7; ++i) {
        shortcuts += "[#0000" + std::to_string(i) + "]\r\nNamespace=" + names[i] +
                     "\r\nPageId=" + (names[i][0] >= 'a' ? "1" : "2") + "\r\n";
    }
    Open("Page=2\r\n", "1=First,-1,0,0,\"\",\"\"\r\n2=Second,-1,0,0,\"\",\"\"\r\n", shortcuts);
    ASSERT_EQ(ListNames(list), (std::vector<std::string>{"B", "E", "G"}));
    const bool ran = Run(ID_SORT_SHORTCUT, [&](const SortWindow& sort) {
        EXPECT_EQ(sort.PageName(), "Second");
        EXPECT_EQ(sort.Lines(), (std::vector<std::string>{"B", "E", "G"}));
        EXPECT_EQ(sort.Selection(), -1);
        EXPECT_FALSE(sort.Enabled(IDC_SORT_UP)) << "nothing selected";
        EXPECT_FALSE(sort.Enabled(IDC_SORT_DOWN)) << "nothing selected";
        sort.ClickLine(0);
        EXPECT_FALSE(sort.Enabled(IDC_SORT_UP));
        EXPECT_TRUE(sort.Enabled(IDC_SORT_DOWN));
        sort.Click(IDC_SORT_DOWN);
        sort.Click(IDC_SORT_DOWN);
        EXPECT_EQ(sort.Lines(), (std::vector<std::string>{"E", "G", "B"}));
        sort.Click(IDOK);
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(StoreNames(*store), (std::vector<std::string>{"a", "E", "c", "d", "G", "f", "B"}));
    EXPECT_EQ(ListNames(list), (std::vector<std::string>{"E", "G", "B"}));
    // The refill saved the file in the new order.
    const std::string saved = Saved();
    EXPECT_LT(saved.find("Namespace=E\r\n"), saved.find("Namespace=G\r\n"));
    EXPECT_LT(saved.find("Namespace=G\r\n"), saved.find("Namespace=B\r\n"));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Sorting, CancelAndTooFewItemsLeaveTheFileByteForByte) {
    Open("Page=1\r\n", "1=Parent,-1,1,0,\"\",\"\"\r\n2=Other,-1,0,0,\"\",\"\"\r\n3=OnlyChild,1,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=x\r\nPageId=1\r\n[#00001]\r\nNamespace=y\r\nPageId=1\r\n"
         "[#00002]\r\nNamespace=z\r\nPageId=2\r\n");
    const std::string before = Saved();

    // One child: the message instead of a dialog.
    EXPECT_FALSE(Run(ID_SORT_CHILD, [](const SortWindow& sort) { sort.Click(IDOK); }));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, kTooFew);
    EXPECT_EQ(messages.boxes[0].style, box::kIconExclamation);

    // Moved, then cancelled.
    for (int command : {ID_SORT_ROOT, ID_SORT_SHORTCUT}) {
        EXPECT_TRUE(Run(command, [](const SortWindow& sort) {
            sort.ClickLine(0);
            sort.Click(IDC_SORT_DOWN);
            sort.Click(IDCANCEL);
        })) << command;
    }
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(StoreNames(*store), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(TreeChildren(tree, TVI_ROOT), (std::vector<std::string>{"Parent", "Other"}));
    EXPECT_EQ(messages.boxes.size(), 1u);
    EXPECT_TRUE(dialog->Ready());

    // Hidden, the commands do nothing.
    ShowWindow(dialog->Hwnd(), SW_HIDE);
    for (int command : {ID_SORT_ROOT, ID_SORT_SHORTCUT, ID_SORT_CHILD})
        EXPECT_FALSE(Run(command, [](const SortWindow& sort) { sort.Click(IDCANCEL); })) << command;
}

TEST_F(Sorting, APendingPageSwitchNeverMixesTwoPages) {
    Open("Page=1\r\n", "1=First,-1,0,0,\"\",\"\"\r\n2=Second,-1,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=one-a\r\nPageId=1\r\n[#00001]\r\nNamespace=two-a\r\nPageId=2\r\n"
         "[#00002]\r\nNamespace=one-b\r\nPageId=1\r\n[#00003]\r\nNamespace=two-b\r\nPageId=2\r\n"
         "[#00004]\r\nNamespace=two-c\r\nPageId=2\r\n");
    SetFocus(tree);
    PostMessageA(tree, WM_KEYDOWN, VK_DOWN, 0);
    PumpFor(150);
    ASSERT_TRUE(dialog->PageSwitchPending());
    ASSERT_EQ(TreeText(tree, TreeView_GetSelection(tree)), "Second");
    ASSERT_EQ(ListNames(list), (std::vector<std::string>{"one-a", "one-b"}));

    const bool ran = Run(ID_SORT_SHORTCUT, [&](const SortWindow& sort) {
        EXPECT_EQ(sort.PageName(), "Second");
        EXPECT_EQ(sort.Lines(), (std::vector<std::string>{"two-a", "two-b", "two-c"}));
        sort.ClickLine(2);
        sort.Click(IDC_SORT_UP);
        sort.Click(IDC_SORT_UP);
        sort.Click(IDOK);
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(StoreNames(*store), (std::vector<std::string>{"one-a", "two-c", "one-b", "two-a", "two-b"}));
    EXPECT_EQ(ListNames(list), (std::vector<std::string>{"two-c", "two-a", "two-b"}));
    EXPECT_FALSE(dialog->PageSwitchPending());
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Sorting, AReorderTheStoreRefusesIsReported) {
    Open("Page=1\r\n", "1=First,-1,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=a\r\nPageId=1\r\n[#00001]\r\nNamespace=b\r\nPageId=1\r\n"
         "[#00002]\r\nNamespace=c\r\nPageId=1\r\n");
    // The list lacks one of the page's shortcuts (as when an item could not be inserted).
    ASSERT_TRUE(ListView_DeleteItem(list, 2));
    const bool ran = Run(ID_SORT_SHORTCUT, [](const SortWindow& sort) {
        sort.ClickLine(0);
        sort.Click(IDC_SORT_DOWN);
        sort.Click(IDOK);
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(StoreNames(*store), (std::vector<std::string>{"a", "b", "c"}));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].style, box::kIconStop);
    EXPECT_EQ(ListNames(list), (std::vector<std::string>{"a", "b", "c"})) << "the list is refilled";
}

// Real key presses: Ctrl+S sorts the caret page's children, Ctrl+Shift+S its shortcuts.
TEST_F(Sorting, TheAcceleratorsOpenTheChildAndShortcutSorts) {
    Open("Page=3\r\n", "3=Parent,-1,1,0,\"\",\"\"\r\n5=Kid,3,0,0,\"\",\"\"\r\n6=Kin,3,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=p\r\nPageId=3\r\n[#00001]\r\nNamespace=q\r\nPageId=3\r\n");
    const struct {
        bool shift;
        const char* pageName;
        std::vector<std::string> lines;
    } cases[] = {{false, "3:Parent", {"5:Kid", "6:Kin"}}, {true, "Parent", {"p", "q"}}};
    // Once: after the first sort the main window must have the keyboard again.
    SetForegroundWindow(dialog->Hwnd());
    SetFocus(tree);
    Pump();
    for (const auto& sort : cases) {
        std::string pageName;
        std::vector<std::string> lines;
        SortDriver driver([&](const SortWindow& window) {
            pageName = window.PageName();
            lines = window.Lines();
            window.Click(IDCANCEL);
        });
        std::vector<INPUT> keys;
        auto key = [&keys](WORD vk, bool up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            keys.push_back(input);
        };
        key(VK_CONTROL, false);
        if (sort.shift)
            key(VK_SHIFT, false);
        key('S', false);
        key('S', true);
        if (sort.shift)
            key(VK_SHIFT, true);
        key(VK_CONTROL, true);
        ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
        for (int i = 0; i < 300 && !driver.Ran(); ++i) {
            Pump();
            Sleep(10);
        }
        EXPECT_TRUE(driver.Ran()) << sort.pageName;
        EXPECT_EQ(pageName, sort.pageName);
        EXPECT_EQ(lines, sort.lines);
    }
}

TEST_F(Sorting, LinesHoldWholeIconsAndTheDialogOnlyGrows) {
    std::string shortcuts;
    const char* names[] = {"メモ帳", "電卓", "ウェブ", "フォルダ"};
    const char* targets[] = {"C:\\windows\\notepad.exe", "C:\\windows\\system32\\calc.exe",
                             "https://brindle.example.jp/", "C:\\windows"};
    for (int i = 0; i < 4; ++i) {
        shortcuts += "[#0000" + std::to_string(i) + "]\r\nNamespace=" + names[i] + "\r\nCommandLine=" + targets[i] +
                     "\r\nPageId=1\r\nReadIcon=1\r\n";
    }
    Open("Page=1\r\n", "1=ツール,-1,0,0,\"\",\"\"\r\n", shortcuts);
    SetWindowPos(dialog->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const bool ran = Run(ID_SORT_SHORTCUT, [&](const SortWindow& sort) {
        HWND list = sort.List();
        // A line is as high as the icon, or the font where that is higher.
        HDC dc = GetDC(list);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(sort.dialog, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(list, dc);
        const int lineHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        // The icons are those of the main window's list, at the size of its scale (16 pixels at 96 DPI).
        int icon = 0, iconWidth = 0;
        ImageList_GetIconSize(ListView_GetImageList(dialog->Item(IDC_LIST), LVSIL_SMALL), &iconWidth, &icon);
        ASSERT_GE(icon, 16);
        EXPECT_EQ(lineHeight, std::max(icon, static_cast<int>(metrics.tmHeight)));

        // Drawn: the chosen line in navy from its top to its bottom, an icon on the others.
        sort.ClickLine(1);
        RedrawWindow(sort.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT line{};
        SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
        dc = GetDC(list);
        int navy = 0;
        for (int y = line.top; y < line.bottom; ++y)
            navy += GetPixel(dc, icon + 1, y) == kNavy;
        int iconPixels = 0;
        for (int y = 0; y < icon; ++y) {
            for (int x = 0; x < icon; ++x)
                iconPixels += GetPixel(dc, x, y) != RGB(255, 255, 255);
        }
        ReleaseDC(list, dc);
        EXPECT_EQ(navy, lineHeight);
        EXPECT_GT(iconPixels, 20);
        testing::WriteWindowBitmap(sort.dialog, "sort-dialog.bmp");
        // Both labels whole in their width.
        EXPECT_TRUE(testing::TextFits(GetDlgItem(sort.dialog, IDC_SORT_PAGE_LABEL)));
        EXPECT_TRUE(testing::TextFits(GetDlgItem(sort.dialog, IDC_SORT_ITEMS_LABEL)));

        // Never smaller than it opened; the page name and the list grow with it, buttons stay.
        RECT window, listBefore, nameBefore, okBefore;
        GetWindowRect(sort.dialog, &window);
        GetWindowRect(list, &listBefore);
        GetWindowRect(GetDlgItem(sort.dialog, IDC_SORT_PAGE_NAME), &nameBefore);
        GetWindowRect(GetDlgItem(sort.dialog, IDOK), &okBefore);
        MINMAXINFO limits{};
        SendMessageA(sort.dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, window.right - window.left);
        EXPECT_EQ(limits.ptMinTrackSize.y, window.bottom - window.top);
        SetWindowPos(sort.dialog, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top + 60,
                     SWP_NOMOVE | SWP_NOZORDER);
        RECT listAfter, nameAfter, okAfter;
        GetWindowRect(list, &listAfter);
        GetWindowRect(GetDlgItem(sort.dialog, IDC_SORT_PAGE_NAME), &nameAfter);
        GetWindowRect(GetDlgItem(sort.dialog, IDOK), &okAfter);
        EXPECT_EQ(listAfter.right - listBefore.right, 100);
        EXPECT_EQ(listAfter.bottom - listBefore.bottom, 60);
        EXPECT_EQ(listAfter.left, listBefore.left);
        EXPECT_EQ(nameAfter.right - nameBefore.right, 100);
        EXPECT_EQ(nameAfter.bottom - nameAfter.top, nameBefore.bottom - nameBefore.top);
        EXPECT_TRUE(EqualRect(&okAfter, &okBefore));
        sort.Click(IDCANCEL);
    });
    ASSERT_TRUE(ran);
}

}  // namespace
}  // namespace brindle

// The preferences command with its real dialog on a real main window, driven through the dialog's
// controls from inside its modal loop; pickers answered through the seam (or the real ones by the
// driver); the settings file, the main window's controls and its pixels read back.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "about/about_dialog.h"
#include "mainwnd/main_dialog.h"
#include "preferences/preferences_control_tab.h"
#include "preferences/preferences_other_tab.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/dpi_win.h"
#include "ui/message_box_win.h"
#include "ui/pickers_win.h"
#include "unit/test_support.h"
#include "win/dialog_driver.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::Checked;
using testing::Click;
using testing::DialogDriver;
using testing::TextOf;

// Hot keys nobody else uses: Ctrl+Alt with F9 to F12.
constexpr int32_t kCtrlAlt = (2 | 4) << 16;
constexpr int32_t kFocusKey = kCtrlAlt | VK_F11;
constexpr int32_t kTrayKey = kCtrlAlt | VK_F12;
constexpr int32_t kTaskKey = kCtrlAlt | VK_F9;
constexpr int32_t kNewFocusKey = kCtrlAlt | VK_F10;
constexpr COLORREF kRed = RGB(200, 0, 0);

// The tree's text is red whatever its state, so its glyphs can be found on the screen.
const std::string kFile =
    "[Brindle]\r\nwinMainFrame=100,80,700,500\r\nwinSeparator=200\r\nListStyle=1\r\n"
    "lfHeight=-12\r\nlfWeight=400\r\nlfCharSet=128\r\nlfFaceName=IPAGothic\r\n"
    "clrTreeText=" +
    std::to_string(kRed) + "\r\nclrTreeSelT=" + std::to_string(kRed) + "\r\nclrTreeNfcT=" + std::to_string(kRed) +
    "\r\nclrTreeSelB=16777215\r\nclrTreeNfcB=16777215\r\nclrTreeBack=15663086\r\n"
    "clrListBack=16777215\r\nclrListTxBk=16777215\r\n"
    "dwHotkeyFocus=" +
    std::to_string(kFocusKey) + "\r\ndwHotkeyTray=" + std::to_string(kTrayKey) +
    "\r\ndwHotkeyTask=" + std::to_string(kTaskKey) + "\r\nPage=0\r\n[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n";

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Whether Ctrl+Alt with the key of `stored` is registered by someone: registering it again then fails.
bool KeysTaken(int32_t stored) {
    if (RegisterHotKey(nullptr, 0x7000, MOD_CONTROL | MOD_ALT, stored & 0xFFFF)) {
        UnregisterHotKey(nullptr, 0x7000);
        return false;
    }
    return true;
}

struct Search {
    int id;
    HWND found;
};
BOOL CALLBACK FindControl(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (GetDlgCtrlID(window) != search->id || GetParent(window) == GetAncestor(window, GA_ROOT))
        return TRUE;
    search->found = window;
    return FALSE;
}
// The tab page of `dialog` that holds control `id`.
HWND PageHolding(HWND dialog, int id) {
    Search search{id, nullptr};
    EnumChildWindows(dialog, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found ? GetParent(search.found) : nullptr;
}

// The page's tab chosen as a click on it does: the selection with its notifications.
void ChooseTab(HWND dialog, int index) {
    SendMessageA(GetDlgItem(dialog, IDC_ENVIRON_TAB), TCM_SETCURFOCUS, index, 0);
}

void SetHotKey(HWND page, int id, WORD word) {
    SendMessageA(GetDlgItem(page, id), HKM_SETHOTKEY, word, 0);
}
WORD HotKeyOf(HWND page, int id) {
    return LOWORD(SendMessageA(GetDlgItem(page, id), HKM_GETHOTKEY, 0, 0));
}

// What the screen shows inside `control`'s client rectangle `r`, sampled every few pixels.
std::vector<std::vector<COLORREF>> ScreenPixels(HWND control, RECT r, int step) {
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
    HDC screen = GetDC(nullptr);
    std::vector<std::vector<COLORREF>> rows;
    for (LONG y = r.top; y < r.bottom; y += step) {
        rows.emplace_back();
        for (LONG x = r.left; x < r.right; x += step)
            rows.back().push_back(GetPixel(screen, x, y));
    }
    ReleaseDC(nullptr, screen);
    return rows;
}

struct ToolSearch {
    HWND owner;
    HWND list;
    bool found;
};
BOOL CALLBACK FindListTool(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<ToolSearch*>(lParam);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0 || GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = search->owner;
    tool.uId = reinterpret_cast<UINT_PTR>(search->list);
    if (SendMessageA(window, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)))
        search->found = true;
    return TRUE;
}

double Share(const std::vector<std::vector<COLORREF>>& rows, COLORREF colour) {
    int total = 0, matching = 0;
    for (const auto& row : rows) {
        for (COLORREF pixel : row) {
            ++total;
            matching += pixel == colour;
        }
    }
    return total ? static_cast<double>(matching) / total : 0;
}

// The height in pixels of the red glyphs on the screen in the first item row of the tree.
int RedGlyphHeight(HWND tree) {
    RECT item{};
    HTREEITEM first = TreeView_GetRoot(tree);
    if (!first || !TreeView_GetItemRect(tree, first, &item, TRUE))
        return 0;
    const auto rows = ScreenPixels(tree, item, 1);
    int top = -1, bottom = -1;
    for (size_t y = 0; y < rows.size(); ++y) {
        for (COLORREF pixel : rows[y]) {
            if (pixel == kRed) {
                if (top < 0)
                    top = static_cast<int>(y);
                bottom = static_cast<int>(y);
            }
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

std::string FaceOf(HFONT font) {
    LOGFONTA logFont{};
    return GetObjectA(font, sizeof logFont, &logFont) == sizeof logFont ? logFont.lfFaceName : "";
}
HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

class Preferences_ : public ::testing::Test {
protected:
    void SetUp() override {
        ui::SetAppMessages(&messages);
        ui::SetAppPickers(&pickers);
        path = folder.File("Environ.INI");
        testing::WriteBytes(path, kFile);
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
        OpenWindow();
    }
    void OpenWindow() {
        MainDialog::Options options;
        options.instanceName = "INI.environ_Mutex";
        window = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(window->Create(nullptr));
        ShowWindow(window->Hwnd(), SW_SHOW);
        Pump();
        // what comes once the window is idle (the keyboard hook, the search window, made last)
        ASSERT_TRUE(testing::PumpMessagesUntil([&] { return window->SearchWindow() != nullptr; }));
        driver.Ignore(window->Hwnd());
    }
    void TearDown() override {
        window.reset();
        ui::SetAppMessages(nullptr);
        ui::SetAppPickers(nullptr);
    }
    // The command as the menu and Ctrl+1 give it; the dialog runs its loop inside.
    void OpenPreferences() {
        SendMessageA(window->Hwnd(), WM_COMMAND, ID_PREFERENCES, 0);
        Pump();
    }
    Preferences Reread() {
        SettingsStore reread(messages, path);
        EXPECT_TRUE(reread.Load());
        Preferences prefs;
        reread.GetPreferences(prefs);
        return prefs;
    }
    HWND Tree() { return window->Item(IDC_TREE); }
    // Whether a tooltip of the main window knows the shortcut list as its tool.
    bool ListHasTooltip() {
        ToolSearch search{window->Hwnd(), List(), false};
        EnumThreadWindows(GetCurrentThreadId(), FindListTool, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    HWND List() { return window->Item(IDC_LIST); }

    testing::WinFolder folder;
    std::string path;
    testing::RecordingMessages messages;
    testing::RecordingPickers pickers;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> window;
    DialogDriver driver;
};

TEST_F(Preferences_, EachColourButtonStartsFromItsFieldAndChangesOnlyThatField) {
    Preferences before;
    store->GetPreferences(before);
    std::vector<COLORREF> answers;
    COLORREF previewTreeBack = 0, previewListBack = 0;
    std::string caption;
    driver.Then([&](HWND dialog) {
        char text[64] = "";
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        HWND page = PageHolding(dialog, IDC_FONT_CHOOSE);
        // A cancelled picker changes nothing.
        pickers.colorAnswer.reset();
        Click(page, IDC_TREE_TEXT_COLOR);
        for (size_t i = 0; i < std::size(kColourButtons); ++i) {
            answers.push_back(RGB(10 + i, 20 + i, 30 + i));
            pickers.colorAnswer = answers.back();
            Click(page, kColourButtons[i].id);
        }
        previewTreeBack = TreeView_GetBkColor(GetDlgItem(page, IDC_PREVIEW_TREE));
        previewListBack = ListView_GetBkColor(GetDlgItem(page, IDC_PREVIEW_LIST));
        Click(dialog, IDOK);
    });
    OpenPreferences();
    ASSERT_EQ(driver.Pending(), 0u);
    EXPECT_EQ(caption, "Envrion");

    // Each picker started from its own field's colour as stored.
    ASSERT_EQ(pickers.colorsAsked.size(), 15u);
    EXPECT_EQ(pickers.colorsAsked[0], before.clrTreeText);
    for (size_t i = 0; i < std::size(kColourButtons); ++i)
        EXPECT_EQ(pickers.colorsAsked[i + 1], before.*kColourButtons[i].field) << "button " << kColourButtons[i].id;
    // The previews showed the colours at once.
    EXPECT_EQ(previewTreeBack, answers[2]);
    EXPECT_EQ(previewListBack, answers[9]);

    // Each field holds the answer of its own button: a button that set another field would leave its own
    // with the old value.
    const Preferences after = Reread();
    const ColorRef Preferences::*fields[] = {
        &Preferences::clrTreeText, &Preferences::clrTreeMark, &Preferences::clrTreeBack, &Preferences::clrTreeSelT,
        &Preferences::clrTreeSelB, &Preferences::clrTreeNfcT, &Preferences::clrTreeNfcB, &Preferences::clrListText,
        &Preferences::clrListTxBk, &Preferences::clrListBack, &Preferences::clrListSelT, &Preferences::clrListSelB,
        &Preferences::clrListNfcT, &Preferences::clrListNfcB};
    for (size_t i = 0; i < std::size(fields); ++i)
        EXPECT_EQ(after.*fields[i], answers[i]) << "field " << i;
    EXPECT_EQ(std::memcmp(&after.font, &before.font, sizeof after.font), 0);
    EXPECT_EQ(after.dwHotkeyFocus, kFocusKey);
}

TEST_F(Preferences_, WhileOpenTheWindowIsNotReadyAndCancelLeavesTheFileByteForByte) {
    // A first run with Cancel lets the closing save write the window's state, as every run does.
    driver.Then([](HWND dialog) { Click(dialog, IDCANCEL); });
    OpenPreferences();
    ASSERT_EQ(driver.Pending(), 0u);
    const std::string saved = testing::ReadBytes(path);

    bool ready = true, focusKeyTaken = true, hookInstalled = true, aboutEnabled = true;
    driver.Then([&](HWND dialog) {
        ready = window->Ready();
        aboutEnabled = IsWindowEnabled(window->About()->Hwnd()) != 0;
        focusKeyTaken = KeysTaken(kFocusKey);
        hookInstalled = window->HookInstalled();
        HWND control = PageHolding(dialog, IDC_FONT_CHOOSE);
        pickers.colorAnswer = RGB(1, 2, 3);
        Click(control, IDC_TREE_BACK_COLOR);
        Click(control, IDC_LIST_NO_FOCUS_BACK_COLOR);
        pickers.fontAnswer = FontChoice{"IPAMincho", -20, 700, true, 128};
        Click(control, IDC_FONT_CHOOSE);
        HWND other = PageHolding(dialog, IDC_WIN_FOCUS);
        SetHotKey(other, IDC_HOTKEY_FOCUS, 0x0641);
        Click(other, IDC_WIN_TRAY);
        Click(other, IDC_ICON_POLICY_DEFAULT);
        Click(other, IDC_COPY_PASTE);
        Click(dialog, IDCANCEL);
    });
    OpenPreferences();
    ASSERT_EQ(driver.Pending(), 0u);
    EXPECT_FALSE(ready);
    EXPECT_FALSE(focusKeyTaken) << "hot key 1 is free while the dialog is open";
    EXPECT_FALSE(hookInstalled);
    EXPECT_FALSE(aboutEnabled) << "the version window cannot be used while the dialog is open";
    EXPECT_TRUE(IsWindowEnabled(window->About()->Hwnd()));

    EXPECT_EQ(testing::ReadBytes(path), saved);
    EXPECT_TRUE(window->Ready());
    EXPECT_TRUE(KeysTaken(kFocusKey));
    EXPECT_TRUE(window->HookInstalled());
    EXPECT_EQ(TreeView_GetBkColor(Tree()), 15663086u);
    EXPECT_EQ(FaceOf(FontOf(Tree())), "IPAGothic");
}

TEST_F(Preferences_, OkShowsTheNewFontAndColoursAtOnceAndRegistersTheHotKeysAnew) {
    UpdateWindow(window->Hwnd());
    const int glyphsBefore = RedGlyphHeight(Tree());
    ASSERT_GT(glyphsBefore, 0);
    EXPECT_EQ(KeysTaken(kFocusKey), true);

    const COLORREF treeBack = RGB(0, 96, 160), listBack = RGB(240, 200, 0);
    std::string fontText, fontTextAfterCancel, fontTextAfterChoice;
    HFONT firstPreviewFont = nullptr, secondPreviewFont = nullptr;
    bool firstDeleted = false, relativePathsWereOff = false;
    std::string secondFace;
    driver.Then([&](HWND dialog) {
        HWND control = PageHolding(dialog, IDC_FONT_CHOOSE);
        HWND previewTree = GetDlgItem(control, IDC_PREVIEW_TREE);
        fontText = TextOf(control, IDC_FONT_TEXT);
        firstPreviewFont = FontOf(previewTree);
        Click(control, IDC_FONT_CHOOSE);  // cancelled
        fontTextAfterCancel = TextOf(control, IDC_FONT_TEXT);
        pickers.fontAnswer = FontChoice{"IPAMincho", -28, 400, false, 128};
        Click(control, IDC_FONT_CHOOSE);
        fontTextAfterChoice = TextOf(control, IDC_FONT_TEXT);
        secondPreviewFont = FontOf(previewTree);
        secondFace = FaceOf(secondPreviewFont);
        firstDeleted = GetObjectType(firstPreviewFont) == 0;
        pickers.colorAnswer = treeBack;
        Click(control, IDC_TREE_BACK_COLOR);
        pickers.colorAnswer = listBack;
        Click(control, IDC_LIST_BACK_COLOR);

        ChooseTab(dialog, 1);
        HWND other = PageHolding(dialog, IDC_WIN_FOCUS);
        SetHotKey(other, IDC_HOTKEY_FOCUS, HIWORD(kNewFocusKey) << 8 | LOWORD(kNewFocusKey));
        SetHotKey(other, IDC_HOTKEY_TRAY, 0);  // cleared: no key
        Click(other, IDC_WIN_TRAY);
        Click(other, IDC_ICON_POLICY_DEFAULT);
        Click(other, IDC_COPY_PASTE);
        Click(other, IDC_CUT_DELETE);
        Click(other, IDC_TASKBAR_HIDE);
        relativePathsWereOff = !Checked(other, IDC_RELATIVE_PATHS);
        Click(other, IDC_RELATIVE_PATHS);
        Click(dialog, IDOK);
    });
    OpenPreferences();
    ASSERT_EQ(driver.Pending(), 0u);

    // The font field: face and size in points (the file keeps the font at 96 dpi, the picker counts at the
    // system's), kept by a cancelled picker, then the choice; the preview font was replaced by a live one
    // and the old one let go.
    const unsigned dpi = ui::SystemDpi();
    const int keptHeight = ui::ScaleFromDpi(-28, dpi);  // -28 at 96 DPI, -19 at 144
    EXPECT_EQ(fontText, "IPAGothic,9pt");
    EXPECT_EQ(fontTextAfterCancel, "IPAGothic,9pt");
    EXPECT_EQ(fontTextAfterChoice, "IPAMincho," + std::to_string(-keptHeight * 72 / 96) + "pt");
    ASSERT_EQ(pickers.fontsAsked.size(), 2u);
    EXPECT_EQ(pickers.fontsAsked[0].face, "IPAGothic");
    EXPECT_EQ(pickers.fontsAsked[0].height, ui::ScaleToDpi(-12, dpi));
    EXPECT_EQ(pickers.fontsAsked[0].charset, 128);
    EXPECT_EQ(secondFace, "IPAMincho");
    EXPECT_NE(secondPreviewFont, firstPreviewFont);
    EXPECT_TRUE(firstDeleted);

    // Every option went to the settings file.
    const Preferences saved = Reread();
    EXPECT_STREQ(saved.font.lfFaceName, "IPAMincho");
    EXPECT_EQ(saved.font.lfHeight, keptHeight);
    EXPECT_EQ(saved.font.lfCharSet, 128);
    EXPECT_EQ(saved.clrTreeBack, treeBack);
    EXPECT_EQ(saved.clrListBack, listBack);
    EXPECT_EQ(saved.clrTreeText, kRed);
    EXPECT_EQ(saved.dwHotkeyFocus, kNewFocusKey);
    EXPECT_EQ(saved.dwHotkeyTray, 0);
    EXPECT_EQ(saved.dwHotkeyTask, kTaskKey);
    EXPECT_EQ(saved.dwHotkeyWin, 2);
    EXPECT_EQ(saved.iChkLoadIcon, 1);
    EXPECT_EQ(saved.bCopyPaste, 1);
    EXPECT_EQ(saved.bCutDelete, 1);
    EXPECT_EQ(saved.bChkTaskhide, 1);
    EXPECT_TRUE(relativePathsWereOff);  // off by default
    EXPECT_EQ(saved.bRelativePaths, 1);
    EXPECT_EQ(saved.ListStyle, 1u);

    // The main window at once: its font, its colours on the screen, the hot key, the hook, the tooltip.
    EXPECT_EQ(FaceOf(FontOf(Tree())), "IPAMincho");
    EXPECT_EQ(FaceOf(FontOf(List())), "IPAMincho");
    UpdateWindow(window->Hwnd());
    UpdateWindow(Tree());
    UpdateWindow(List());
    RECT tree, list;
    GetClientRect(Tree(), &tree);
    GetClientRect(List(), &list);
    tree.top = tree.bottom / 2;
    list.top = list.bottom / 2;
    EXPECT_GT(Share(ScreenPixels(Tree(), tree, 4), treeBack), 0.9);
    EXPECT_GT(Share(ScreenPixels(List(), list, 4), listBack), 0.9);
    const int glyphsAfter = RedGlyphHeight(Tree());
    EXPECT_GT(glyphsAfter, glyphsBefore * 3 / 2) << "the tree's text is drawn in the larger font";
    EXPECT_TRUE(KeysTaken(kNewFocusKey));
    EXPECT_FALSE(KeysTaken(kFocusKey));
    EXPECT_TRUE(window->HookInstalled());
    EXPECT_TRUE(window->Ready());
    EXPECT_TRUE(ListHasTooltip()) << "the list's tooltip came back with its tool";
}

TEST_F(Preferences_, OtherPageShowsTheStoredValuesAndRefusesBareHotKeys) {
    Preferences prefs;
    store->GetPreferences(prefs);
    prefs.dwHotkeyFocus = 0x20041;                          // Ctrl+A
    prefs.dwHotkeyTask = static_cast<int32_t>(0x7F0E0025);  // bits above 23, extended Ctrl+Alt+Left
    prefs.dwHotkeyWin = 4 | 8 | 16;                         // bit 3: the search key's box
    prefs.dwHotkeySearch = 0x60046;                         // Ctrl+Alt+F
    prefs.iChkLoadIcon = 7;
    prefs.bCopyPaste = 5;
    store->SetPreferencesAndSave(prefs);

    WORD focusWord = 0, taskWord = 0, searchWord = 0;
    bool anyRadio = true, winTask = false, winFocus = true, winSearch = false, copyPaste = false;
    bool stayedOpen = false, otherInFront = false, groupCaption = false, groupCaptionFits = false;
    size_t refusals = 0;
    driver.Then([&](HWND dialog) {
        HWND other = PageHolding(dialog, IDC_WIN_FOCUS);
        focusWord = HotKeyOf(other, IDC_HOTKEY_FOCUS);
        taskWord = HotKeyOf(other, IDC_HOTKEY_TASK);
        searchWord = HotKeyOf(other, IDC_HOTKEY_SEARCH);
        winSearch = Checked(other, IDC_WIN_SEARCH);
        anyRadio = Checked(other, IDC_ICON_POLICY_CTRL) || Checked(other, IDC_ICON_POLICY_DEFAULT) ||
                   Checked(other, IDC_ICON_POLICY_FETCH);
        winTask = Checked(other, IDC_WIN_TASK);
        winFocus = Checked(other, IDC_WIN_FOCUS);
        copyPaste = Checked(other, IDC_COPY_PASTE);
        // The icon group carries its caption, whole on its one line.
        HWND group = testing::ChildWithText(other, "Button", "ページ切り替え時のショートカットアイコンの処理");
        groupCaption = group && (GetWindowLongA(group, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
        groupCaptionFits = group && testing::TextFits(group, 2 * 6);

        // From the Control page: a bare A for the tray menu, then Shift+A, are refused with the Other page
        // brought to the front.
        SetHotKey(other, IDC_HOTKEY_TRAY, 0x0041);
        Click(dialog, IDOK);
        SetHotKey(other, IDC_HOTKEY_TRAY, 0x0141);
        Click(dialog, IDOK);
        refusals = messages.boxes.size();
        stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        otherInFront = IsWindowVisible(other) != 0;
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testing::WriteWindowBitmap(dialog, "preferences-other.bmp");
        // With its "WIN" box, A alone is Win+A.
        SetHotKey(other, IDC_HOTKEY_TRAY, 0x0041);
        Click(other, IDC_WIN_TRAY);
        Click(dialog, IDOK);
    });
    OpenPreferences();
    ASSERT_EQ(driver.Pending(), 0u);

    EXPECT_EQ(focusWord, 0x0241);
    EXPECT_EQ(taskWord, 0x0E25);
    EXPECT_EQ(searchWord, 0x0646);
    EXPECT_TRUE(winSearch);
    EXPECT_FALSE(anyRadio);
    EXPECT_TRUE(winTask);
    EXPECT_FALSE(winFocus);
    EXPECT_TRUE(copyPaste);
    EXPECT_TRUE(groupCaption);
    EXPECT_TRUE(groupCaptionFits);
    EXPECT_EQ(refusals, 2u);
    ASSERT_GE(messages.boxes.size(), 2u);
    EXPECT_EQ(messages.boxes[0].text, kHotKeyNeedsModifier);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(otherInFront);

    const Preferences saved = Reread();
    EXPECT_EQ(saved.dwHotkeyFocus, 0x20041);
    EXPECT_EQ(saved.dwHotkeyTray, 0x41);
    EXPECT_EQ(saved.dwHotkeyTask, 0xE0025);
    EXPECT_EQ(saved.dwHotkeyWin, 4 | 2 | 8);  // unknown bits dropped, the search key's kept
    EXPECT_EQ(saved.dwHotkeySearch, 0x60046);
    EXPECT_EQ(saved.iChkLoadIcon, -1);
    EXPECT_EQ(saved.bCopyPaste, 1);
}

// The preview list shares its image lists: the page owns them, so destroying the list leaves them, and
// they are gone with the dialog.
TEST_F(Preferences_, ThePreviewImageListsHaveOneOwner) {
    HIMAGELIST small = nullptr, large = nullptr, treeImages = nullptr;
    int smallAfterListGone = 0, largeAfterListGone = 0;
    std::vector<std::string> items;
    driver.Then([&](HWND dialog) {
        HWND control = PageHolding(dialog, IDC_FONT_CHOOSE);
        HWND list = GetDlgItem(control, IDC_PREVIEW_LIST);
        small = ListView_GetImageList(list, LVSIL_SMALL);
        large = ListView_GetImageList(list, LVSIL_NORMAL);
        treeImages = TreeView_GetImageList(GetDlgItem(control, IDC_PREVIEW_TREE), TVSIL_NORMAL);
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            char text[64] = "";
            ListView_GetItemText(list, i, 0, text, sizeof text);
            items.push_back(text);
        }
        DestroyWindow(list);
        smallAfterListGone = ImageList_GetImageCount(small);
        largeAfterListGone = ImageList_GetImageCount(large);
        Click(dialog, IDCANCEL);
    });
    OpenPreferences();
    ASSERT_EQ(driver.Pending(), 0u);
    EXPECT_EQ(items, (std::vector<std::string>{"Test1_URL", "Test1_Unknown", "Test1_EXE", "Test1_DIR"}));
    ASSERT_NE(small, nullptr);
    ASSERT_NE(treeImages, nullptr);
    EXPECT_EQ(smallAfterListGone, 5);
    EXPECT_EQ(largeAfterListGone, 5);
    int cx = 0, cy = 0;
    EXPECT_FALSE(ImageList_GetIconSize(small, &cx, &cy)) << "destroyed with the dialog";
    EXPECT_FALSE(ImageList_GetIconSize(large, &cx, &cy));
    EXPECT_FALSE(ImageList_GetIconSize(treeImages, &cx, &cy));
}

// The system's own pickers, answered with OK by the driver: they start from the field's font and colour,
// so OK without a change keeps the user's values.
TEST_F(Preferences_, TheRealFontAndColourPickersStartFromTheFields) {
    ui::SetAppPickers(nullptr);
    // The face as the font picker lists it in this locale, taken by the window as it opens.
    window.reset();
    Preferences prefs;
    store->GetPreferences(prefs);
    std::strcpy(prefs.font.lfFaceName, "IPAゴシック");
    store->SetPreferencesAndSave(prefs);
    OpenWindow();
    std::string fontText;
    std::vector<std::string> captions;
    driver.Then([&](HWND dialog) {
        HWND control = PageHolding(dialog, IDC_FONT_CHOOSE);
        Click(control, IDC_FONT_CHOOSE);
        Click(control, IDC_TREE_BACK_COLOR);
        fontText = TextOf(control, IDC_FONT_TEXT);
        Click(dialog, IDOK);
    });
    driver.Then([](HWND font) { Click(font, IDOK); });
    driver.Then([](HWND colour) { Click(colour, IDOK); });
    OpenPreferences();
    ASSERT_EQ(driver.Pending(), 0u);
    ASSERT_EQ(driver.Captions().size(), 3u);
    EXPECT_EQ(fontText, "IPAゴシック,9pt");
    const Preferences saved = Reread();
    EXPECT_STREQ(saved.font.lfFaceName, "IPAゴシック");
    EXPECT_EQ(saved.font.lfHeight, -12);
    EXPECT_EQ(saved.clrTreeBack, 15663086u);
}

// The command acts only on a shown main window with the task select dialog out of the way.
TEST_F(Preferences_, NothingOpensWhileTheTaskSelectDialogIsShownOrTheWindowIsHidden) {
    driver.Then([](HWND dialog) { Click(dialog, IDCANCEL); });
    HWND taskSelect = window->TaskSelectWindow();
    ASSERT_NE(taskSelect, nullptr);
    driver.Ignore(taskSelect);  // a dialog too, but not the one to answer
    ShowWindow(taskSelect, SW_SHOWNOACTIVATE);
    OpenPreferences();
    EXPECT_EQ(driver.Pending(), 1u);
    ShowWindow(taskSelect, SW_HIDE);
    ShowWindow(window->Hwnd(), SW_HIDE);
    OpenPreferences();
    EXPECT_EQ(driver.Pending(), 1u);
    ShowWindow(window->Hwnd(), SW_SHOW);
    OpenPreferences();  // now it opens, and the driver cancels it
    EXPECT_EQ(driver.Pending(), 0u);
    EXPECT_EQ(driver.Captions(), (std::vector<std::string>{"Envrion"}));
}

}  // namespace
}  // namespace brindle

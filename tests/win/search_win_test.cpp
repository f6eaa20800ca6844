// The search window, opened from the real main window on a temporary settings file and driven with real
// key events (SendInput); launches go to the probe program.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launch/classify.h"
#include "launch/help_topics.h"
#include "launch/help_win.h"
#include "mainwnd/hot_keys.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "search/search_dialog.h"
#include "search/search_results_win.h"
#include "store/settings_store.h"
#include "ui/dpi_win.h"
#include "unit/test_support.h"
#include "views/view_rules.h"
#include "win_test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::WinFolder;

constexpr int32_t kSearchKey = (2 | 4) << 16 | VK_F10;  // Ctrl+Alt+F10

// The key sent after the test's keys to learn when they have all been handled; never dispatched.
constexpr WORD kSentinelKey = VK_F24;
bool sentinelSeen = false;

void Pump(int rounds = 3) {
    for (int i = 0; i < rounds; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) && message.wParam == kSentinelKey) {
                sentinelSeen = sentinelSeen || message.message == WM_KEYUP;
                continue;
            }
            // As the program's loop does: the dialog at the root of the target sees it first.
            HWND root = GetAncestor(message.hwnd, GA_ROOT);
            ui::Dialog* dialog = root ? ui::Dialog::FromWindow(root) : nullptr;
            if (dialog && (dialog->PreTranslateMessage(message) || IsDialogMessageA(root, &message)))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

// When this program's active window hides or goes, the activation passes to another program's window
// (under Wine, its system tray's, while the program has an icon there), which takes it when that program
// gets to it. A window of this program shown before then would lose the activation to it, and the search
// window hides, as it should when the user turns to another program: so the tests wait for it. Without
// such a window nothing takes it, and the wait ends after a second.
void WaitForActivationToLeave() {
    for (int i = 0; i < 100; ++i) {
        DWORD owner = 0;
        if (HWND front = GetForegroundWindow())
            GetWindowThreadProcessId(front, &owner);
        if (owner != 0 && owner != GetCurrentProcessId())
            return;
        Pump(1);
    }
}

void Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// Keys sent with SendInput reach the window when the threads on their way get to them (the program's
// low-level keyboard hook, Wine's server): a busy machine can take longer than a few rounds of the
// loop. One more key, sent after them and seen here, says that they have all been handled. A key that
// sends the activation to another program sends the sentinel there too: the wait then ends.
void WaitForKeys() {
    sentinelSeen = false;
    Key(kSentinelKey, false);
    Key(kSentinelKey, true);
    for (int i = 0; i < 500 && !sentinelSeen; ++i) {
        if (HWND front = GetForegroundWindow();
            front && GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId())
            break;
        Pump(1);
    }
    Pump();
}

// Presses and releases `keys` one after the other, with `modifier` held when given.
void Type(const std::string& keys, WORD modifier = 0) {
    if (modifier)
        Key(modifier, false);
    for (char c : keys) {
        Key(static_cast<WORD>(c), false);
        Key(static_cast<WORD>(c), true);
        Pump(1);
    }
    if (modifier)
        Key(modifier, true);
    WaitForKeys();
}

void Press(WORD vk, WORD modifier = 0) {
    if (modifier)
        Key(modifier, false);
    Key(vk, false);
    Key(vk, true);
    if (modifier)
        Key(modifier, true);
    WaitForKeys();
}

std::string ModuleFolder() {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path(module);
    return path.substr(0, path.rfind('\\'));
}

class SearchWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA((ModuleFolder() + "\\launch_probe.exe").c_str(), probe.c_str(), FALSE));
        SetEnvironmentVariableA("BRINDLE_PROBE_OUT", report.c_str());
        const std::string quoted = "\"" + probe + "\"";
        testing::WriteBytes(path,
                            "[Brindle]\r\nwinMainFrame=100,80,700,500\r\nwinSeparator=150\r\nListStyle=1\r\n"
                            "lfFaceName=IPAGothic\r\ndwHotkeySearch=" +
                                std::to_string(kSearchKey) +
                                "\r\n[Page]\r\n0=ツール,-1,1,0,\"\",\"\"\r\n1=Editors,0,0,0,\"\",\"\"\r\n"
                                "[#00000]\r\nNamespace=メモ帳\r\nCommandLine=" +
                                quoted + " memo\r\nPageId=0\r\n[#00001]\r\nNamespace=Notepad\r\nCommandLine=" + quoted +
                                " note\r\nPageId=1\r\n[#00002]\r\nNamespace=秀丸エディタ\r\n"
                                "CommandLine=C:\\nothing\\hidemaru.exe\r\nPageId=1\r\n[#00003]\r\nNamespace=秀丸\r\n"
                                "CommandLine=C:\\nothing\\editor.exe\r\nPageId=0\r\n");
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
        dialog =
            std::make_unique<MainDialog>(*store, messages, MainDialog::Options{false, false, false, "INI.search", {}});
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();
        // made once the main window is idle after its first paint
        ASSERT_TRUE(testing::PumpMessagesUntil([&] { return dialog->SearchWindow() != nullptr; }));
    }
    void TearDown() override {
        dialog.reset();
        WaitForActivationToLeave();  // before the next test's windows are shown
        SetEnvironmentVariableA("BRINDLE_PROBE_OUT", nullptr);
    }
    HWND Search() { return dialog->SearchWindow(); }
    HWND Results() { return GetDlgItem(Search(), IDC_SEARCH_RESULTS); }
    std::string Text() {
        char text[256] = "";
        GetDlgItemTextA(Search(), IDC_SEARCH_TEXT, text, sizeof text);
        return text;
    }
    // The name of the shortcut of result `r`.
    std::string NameOf(int r) {
        ShortcutRecord s;
        store->GetShortcutAt(dialog->Search()->Index().StoreIndexOf(r), s);
        return s.name;
    }
    // Hides the active main window and waits until the activation has left this program.
    void HideActiveMainWindow() {
        dialog->Hide();
        WaitForActivationToLeave();
    }
    // The search window from the hot key, in front, with the keyboard in its edit box.
    void OpenByHotKey() {
        SendMessageA(dialog->Hwnd(), WM_HOTKEY, kHotKeySearch, 0);
        SetForegroundWindow(Search());
        Pump();
        ASSERT_TRUE(IsWindowVisible(Search()));
        ASSERT_EQ(GetFocus(), GetDlgItem(Search(), IDC_SEARCH_TEXT));
    }
    std::string ProbeReport() {
        std::string text;
        for (int i = 0; i < 200 && text.empty(); ++i) {
            text = testing::ReadBytes(report);
            if (text.empty())
                Sleep(50);
        }
        return text;
    }

    WinFolder folder;
    std::string probe = folder.File("プローブ.exe");
    std::string report = folder.File("report.txt");
    std::string path = folder.File("Brindle.INI");
    RecordingMessages messages;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> dialog;
};

TEST_F(SearchWindow, TheHotKeyOpensItTypingNarrowsAndEnterLaunches) {
    // X delivers no global hot keys to Wine: the key is shown to be registered, and its message sent.
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x7001, MOD_CONTROL | MOD_ALT, VK_F10)) << "the search key is registered";
    HideActiveMainWindow();
    OpenByHotKey();
    Type("N");
    EXPECT_EQ(ListView_GetItemCount(Results()), 1);
    Type("OTE");
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    EXPECT_EQ(NameOf(0), "Notepad");
    Press(VK_BACK);
    Press(VK_BACK);
    Press(VK_BACK);
    Press(VK_BACK);
    Type("MEM");  // romaji with an unfinished syllable
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    EXPECT_EQ(NameOf(0), "メモ帳");
    const std::string before = testing::ReadBytes(path);
    Press(VK_RETURN);
    const std::string launched = ProbeReport();
    EXPECT_NE(launched.find("memo"), std::string::npos) << launched;
    EXPECT_FALSE(IsWindowVisible(Search()));
    EXPECT_FALSE(IsWindowVisible(dialog->Hwnd())) << "the hidden main window stays hidden";
    ShortcutRecord memo;
    store->GetShortcutAt(0, memo);
    EXPECT_EQ(memo.launchCount, 1);
    EXPECT_GT(memo.lastLaunch, 1600000000);
    EXPECT_EQ(testing::ReadBytes(path), before) << "a launch never saves by itself";
    // The next save carries the count; the place of the window is kept.
    dialog->Restore();
    dialog->ClosingSave();
    const std::string saved = testing::ReadBytes(path);
    EXPECT_NE(saved.find("Namespace=メモ帳\r\nLaunchCount=1\r\nLastLaunch="), std::string::npos);
    EXPECT_EQ(saved.find("LaunchCount=", saved.find("Notepad")), std::string::npos);
    EXPECT_NE(saved.find("winSearch="), std::string::npos);
    EXPECT_EQ(saved.find("winSearch=0,0,0,0"), std::string::npos);
}

TEST_F(SearchWindow, ArrowsMoveTheSelectionAndShiftEnterShowsTheShortcutInItsPage) {
    OpenByHotKey();
    Type("E");  // Notepad by its name, 秀丸エディタ by its page and file title
    const int count = ListView_GetItemCount(Results());
    ASSERT_GE(count, 2);
    EXPECT_EQ(dialog->Search()->SelectedResult(), 0);
    Press(VK_DOWN);
    EXPECT_EQ(dialog->Search()->SelectedResult(), 1);
    EXPECT_EQ(GetFocus(), GetDlgItem(Search(), IDC_SEARCH_TEXT)) << "the caret stays in the edit box";
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(dialog->Search()->SelectedResult(), 0);
    Press(VK_NEXT);
    EXPECT_EQ(dialog->Search()->SelectedResult(), count - 1);
    Press(VK_PRIOR);
    EXPECT_EQ(dialog->Search()->SelectedResult(), 0);

    Press(VK_BACK);
    Type("NOTE");
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    dialog->Hide();
    SetForegroundWindow(Search());
    Pump();
    Press(VK_RETURN, VK_SHIFT);
    EXPECT_FALSE(IsWindowVisible(Search()));
    ASSERT_TRUE(IsWindowVisible(dialog->Hwnd()));
    HWND tree = dialog->Item(IDC_TREE), list = dialog->Item(IDC_LIST);
    char page[64] = "";
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = page;
    item.cchTextMax = sizeof page;
    TreeView_GetItem(tree, &item);
    EXPECT_STREQ(page, "Editors");
    const int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    ASSERT_GE(selected, 0);
    LVITEMA row{};
    row.mask = LVIF_PARAM;
    row.iItem = selected;
    ListView_GetItem(list, &row);
    EXPECT_EQ(row.lParam, 1) << "the store index of Notepad";
}

TEST_F(SearchWindow, EscapeClearsThenHidesAndTheTextComesBackSelected) {
    OpenByHotKey();
    Type("NOTE");
    Press(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(Search()));
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(ListView_GetItemCount(Results()), 0);
    Type("MEMO");
    Press(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(Search()));
    Press(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(Search()));
    EXPECT_TRUE(IsWindowVisible(dialog->Hwnd()));
    // Ctrl+F in the main window, with the focus on its tree, opens it again: the text is gone after the
    // first Escape, so the window opens empty; a text left when it hid comes back selected.
    SetForegroundWindow(dialog->Hwnd());
    SetFocus(dialog->Item(IDC_TREE));
    Pump();
    Press('F', VK_CONTROL);
    ASSERT_TRUE(IsWindowVisible(Search()));
    Type("NOTE");
    SendMessageA(Search(), WM_ACTIVATEAPP, FALSE, 0);  // another program activated
    EXPECT_FALSE(IsWindowVisible(Search()));
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_SEARCH, 0);  // the menu item
    Pump();
    ASSERT_TRUE(IsWindowVisible(Search()));
    EXPECT_EQ(Text(), "note");
    DWORD from = 0, to = 0;
    SendDlgItemMessageA(Search(), IDC_SEARCH_TEXT, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                        reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 4u);
}

TEST_F(SearchWindow, MatchedCharactersAreDrawnOnTheMarker) {
    OpenByHotKey();
    auto markerPixels = [this]() {
        HWND list = Results();
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT row{};
        ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
        HDC dc = GetDC(list);
        int found = 0;
        for (int y = row.top; y < row.bottom; ++y)
            for (int x = row.left; x < row.right; ++x)
                found += GetPixel(dc, x, y) == SearchResultPainter::kMarker;
        ReleaseDC(list, dc);
        return found;
    };
    Type("PAD");
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    const int pad = markerPixels();
    EXPECT_GT(pad, 20) << "the name's \"pad\" is on the marker";
    Press(VK_BACK);
    Press(VK_BACK);
    Press(VK_BACK);
    Type("NOTEPAD");
    EXPECT_GT(markerPixels(), pad) << "more characters matched, more marker";
    Press(VK_ESCAPE);
    Type("E");
    testing::WriteWindowBitmap(Search(), "search-window.bmp");
    Press(VK_ESCAPE);
    Type("EDITORS");  // found through its page only: nothing of the name is marked
    ASSERT_GE(ListView_GetItemCount(Results()), 1);
    EXPECT_EQ(markerPixels(), 0);
}

// Waits for Migemo's dictionary, loaded away from the window when the first romaji word was typed.
bool WaitForReadings(const SearchDialog& search) {
    for (int i = 0; i < 600 && search.Migemo() && !search.Migemo()->Loaded() && !search.Migemo()->Missing(); ++i)
        Pump(1);
    Pump();
    return search.Migemo() && search.Migemo()->Loaded();
}

#ifdef BRINDLE_HAVE_MIGEMO_DICT
TEST_F(SearchWindow, KanjiNamesAreFoundByTheirReadingsFromTheDictionaryBesideTheProgram) {
    OpenByHotKey();
    Type("HIDEMARU");
    // Until the dictionary arrives 秀丸エディタ is found by its file title alone; the selection the user
    // has then stays on it when the results grow.
    const bool before = !dialog->Search()->Migemo()->Loaded();
    if (before) {
        ASSERT_EQ(ListView_GetItemCount(Results()), 1);
        EXPECT_EQ(NameOf(0), "秀丸エディタ");
    }
    ASSERT_TRUE(WaitForReadings(*dialog->Search())) << "dict\\migemo-dict beside the test program";
    // The window asked again when the dictionary arrived: 秀丸 by its reading is the exact name; 秀丸エディタ
    // starts with it (and has the letters in its file title).
    ASSERT_EQ(ListView_GetItemCount(Results()), 2);
    EXPECT_EQ(NameOf(0), "秀丸");
    EXPECT_EQ(NameOf(1), "秀丸エディタ");
    if (before) {
        EXPECT_EQ(dialog->Search()->SelectedResult(), 1) << "still 秀丸エディタ";
    }
    testing::WriteWindowBitmap(Search(), "search-window-kanji.bmp");
    Press(VK_ESCAPE);
    Type("HIDEM");  // an unfinished syllable, now without waiting
    ASSERT_EQ(ListView_GetItemCount(Results()), 2);
    EXPECT_EQ(NameOf(0), "秀丸");
    EXPECT_EQ(dialog->Search()->SelectedResult(), 0) << "a new text selects its first result";
}
#endif

TEST_F(SearchWindow, WithoutTheDictionaryFolderTheSearchGoesOnWithoutReadings) {
    const std::string dict = ModuleFolder() + "\\dict", away = ModuleFolder() + "\\dict.away";
    const bool moved = MoveFileA(dict.c_str(), away.c_str()) != 0;
    struct PutBack {
        const std::string &from, &to;
        bool moved;
        ~PutBack() {
            if (moved)
                MoveFileA(from.c_str(), to.c_str());
        }
    } putBack{away, dict, moved};
    OpenByHotKey();
    Type("HIDEMARU");
    EXPECT_FALSE(WaitForReadings(*dialog->Search()));
    ASSERT_NE(dialog->Search()->Migemo(), nullptr);
    EXPECT_TRUE(dialog->Search()->Migemo()->Missing());
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    EXPECT_EQ(NameOf(0), "秀丸エディタ") << "by the file title of its command line only";
    Press(VK_ESCAPE);
    Type("MEM");
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    EXPECT_EQ(NameOf(0), "メモ帳");
}

// The main window's changes go through the store; a search window that kept its index from an
// earlier opening would find what is gone and launch by indices that moved.
TEST_F(SearchWindow, EachOpeningFindsTheShortcutsAsTheStoreHoldsThemNow) {
    auto reopen = [this]() {
        SendMessageA(Search(), WM_ACTIVATEAPP, FALSE, 0);  // hidden with its text, as another program comes up
        ASSERT_FALSE(IsWindowVisible(Search()));
        WaitForActivationToLeave();
        OpenByHotKey();
    };
    HideActiveMainWindow();
    OpenByHotKey();
    Type("NOTE");
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);

    const std::string quoted = "\"" + probe + "\"";
    store->AddShortcut("Notebook", (quoted + " book").c_str(), nullptr, nullptr, 0, 0, 0, 1, nullptr);
    reopen();
    ASSERT_EQ(ListView_GetItemCount(Results()), 2) << "added";
    EXPECT_EQ(NameOf(0) + "," + NameOf(1), "Notebook,Notepad") << "its page comes first in the tree";

    ShortcutRecord notepad;
    ASSERT_TRUE(store->GetShortcutAt(1, notepad));
    ASSERT_STREQ(notepad.name, "Notepad");
    store->ReplaceShortcutAt(1, "Wordpad", notepad.commandLine, nullptr, nullptr, 0, 1, 0, 1, nullptr);
    reopen();
    ASSERT_EQ(ListView_GetItemCount(Results()), 1) << "renamed";
    EXPECT_EQ(NameOf(0), "Notebook");

    store->RemoveShortcutAt(0);  // Notebook moves from the fifth place of the store to the fourth
    reopen();
    ASSERT_EQ(ListView_GetItemCount(Results()), 1) << "removed before it";
    EXPECT_EQ(dialog->Search()->Index().StoreIndexOf(0), 3);
    Press(VK_RETURN);
    const std::string launched = ProbeReport();
    EXPECT_NE(launched.find("book"), std::string::npos) << launched;
}

// The user may turn to the main window while the search window stays open, change the shortcuts there
// and come back: Enter must launch the shortcut the row shows, not the one at its former index.
TEST_F(SearchWindow, BackFromTheMainWindowItFollowsTheChangesMadeThere) {
    OpenByHotKey();
    Type("NOTE");
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    ASSERT_EQ(dialog->Search()->Index().StoreIndexOf(0), 1);
    SetForegroundWindow(dialog->Hwnd());
    Pump();
    ASSERT_TRUE(IsWindowVisible(Search())) << "it stays open beside the main window";
    store->RemoveShortcutAt(0);  // メモ帳: Notepad moves to the first place of the store
    SetForegroundWindow(Search());
    Pump();
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    EXPECT_EQ(dialog->Search()->Index().StoreIndexOf(0), 0);
    EXPECT_EQ(NameOf(0), "Notepad");
    Press(VK_RETURN);
    const std::string launched = ProbeReport();
    EXPECT_NE(launched.find("note"), std::string::npos) << launched;
}

// The list's client area as drawn now, pixel by pixel, right of `left`.
std::vector<uint32_t> Capture(HWND list, int left) {
    RECT client{};
    GetClientRect(list, &client);
    client.left = left;
    HDC screen = GetDC(list);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right - left, client.bottom);
    HGDIOBJ former = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right - left, client.bottom, screen, left, 0, SRCCOPY);
    SelectObject(memory, former);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right - left, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(client.right - left) * client.bottom);
    GetDIBits(memory, bitmap, 0, client.bottom, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(list, screen);
    return pixels;
}

// A launch ranks the shortcut up among those of its match class. The rows of the open window follow a
// launch made in the main window beside it: those on view are drawn anew (as a full repaint draws them)
// and the shortcut the user selected stays selected, so Enter starts it; the next opening selects the
// first row, as a new search would.
TEST_F(SearchWindow, LaunchesRankTheRowsAgainAndEnterStartsWhatTheRowShows) {
    const std::string quoted = "\"" + probe + "\"";
    for (int i = 1; i <= 6; ++i) {
        const std::string name = "Notes " + std::to_string(i), command = quoted + " notes" + std::to_string(i);
        store->AddShortcut(name.c_str(), command.c_str(), nullptr, nullptr, 0, 0, 0, 1, nullptr);
    }
    auto names = [this]() {
        std::string all;
        for (int r = 0; r < ListView_GetItemCount(Results()); ++r)
            all += (r ? "|" : "") + NameOf(r);
        return all;
    };
    auto launched = [this]() {
        const std::string text = ProbeReport();
        DeleteFileA(report.c_str());
        return text;
    };
    OpenByHotKey();
    Type("NOTE");
    ASSERT_EQ(names(), "Notes 1|Notes 2|Notes 3|Notes 4|Notes 5|Notes 6|Notepad") << "tree order: page 0 first";
    Press(VK_DOWN);
    Press(VK_DOWN);
    ASSERT_EQ(dialog->Search()->SelectedResult(), 2);

    SetForegroundWindow(dialog->Hwnd());
    Pump();
    ASSERT_TRUE(IsWindowVisible(Search()));
    SendMessageA(dialog->Hwnd(), WM_COMMAND, kFirstItemCommand + 1, 0);  // Notepad, as the tray menu does
    EXPECT_NE(launched().find(" note"), std::string::npos);
    SetForegroundWindow(Search());
    Pump();
    EXPECT_EQ(names(), "Notepad|Notes 1|Notes 2|Notes 3|Notes 4|Notes 5|Notes 6");
    EXPECT_EQ(dialog->Search()->SelectedResult(), 3) << "Notes 3 stays selected";
    // Under Wine a change of selection leaves the list's own colour in the margin left of the moved
    // selection's icons (as the arrow keys do): the rows are compared from their icons on.
    HWND list = Results();
    const int icons = ui::ScaleToDpi(2, dialog->Search()->Dpi());
    UpdateWindow(list);
    const std::vector<uint32_t> drawn = Capture(list, icons);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(drawn == Capture(list, icons)) << "every row on view shows its shortcut";

    Press(VK_RETURN);
    EXPECT_NE(launched().find("notes3"), std::string::npos);
    ASSERT_FALSE(IsWindowVisible(Search()));
    WaitForActivationToLeave();
    OpenByHotKey();
    // Notes 3 was launched as often and not earlier than Notepad, and comes first in the tree.
    EXPECT_EQ(names(), "Notes 3|Notepad|Notes 1|Notes 2|Notes 4|Notes 5|Notes 6");
    EXPECT_EQ(dialog->Search()->SelectedResult(), 0);
    Press(VK_RETURN);
    EXPECT_NE(launched().find("notes3"), std::string::npos);
}

// The missing mark of a target drawn in an earlier opening is checked again at each opening.
TEST_F(SearchWindow, TheMissingMarkFollowsTheTargetFromOneOpeningToTheNext) {
    const std::string target = folder.File("toolbox.exe");
    store->AddShortcut("Toolbox", target.c_str(), nullptr, nullptr, 0, 0, 0, 1, nullptr);
    // Whether the icon of the first result (selected) is the main window's class image of `kind`.
    auto drawnAs = [this](int kind) {
        HWND list = Results();
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HIMAGELIST images = ListView_GetImageList(dialog->Item(IDC_LIST), LVSIL_SMALL);
        int width = 0, height = 0;
        ImageList_GetIconSize(images, &width, &height);
        RECT row{};
        ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
        const int x = row.left + ui::ScaleToDpi(2, dialog->Search()->Dpi());
        const int y = row.top + (row.bottom - row.top - height) / 2;
        HDC screen = GetDC(list);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ former = SelectObject(memory, bitmap);
        SetBkColor(memory, GetSysColor(COLOR_HIGHLIGHT));
        const RECT all{0, 0, width, height};
        ExtTextOutA(memory, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        ImageList_Draw(images, views::ListItemImage(false, -1, kind).image, memory, 0, 0, ILD_TRANSPARENT);
        int differ = 0;
        for (int j = 0; j < height; ++j)
            for (int i = 0; i < width; ++i)
                differ += GetPixel(screen, x + i, y + j) != GetPixel(memory, i, j);
        SelectObject(memory, former);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(list, screen);
        return differ == 0;
    };
    auto reopen = [this]() {
        SendMessageA(Search(), WM_ACTIVATEAPP, FALSE, 0);
        WaitForActivationToLeave();
        OpenByHotKey();
        Pump();  // the check after the paint
    };
    OpenByHotKey();
    Type("TOOLBOX");
    ASSERT_EQ(ListView_GetItemCount(Results()), 1);
    EXPECT_TRUE(drawnAs(target::kMissing));
    EXPECT_FALSE(drawnAs(target::kProgram));

    testing::WriteBytes(target, "MZ");
    reopen();
    EXPECT_TRUE(drawnAs(target::kProgram)) << "the target came";
    ASSERT_TRUE(DeleteFileA(target.c_str()));
    reopen();
    EXPECT_TRUE(drawnAs(target::kMissing)) << "the target went";
}

TEST_F(SearchWindow, F1OpensItsHelpPage) {
    struct RecordingViewer : HelpViewer {
        HWND Display(const std::string&, const std::string& page) override {
            pages.push_back(page);
            return nullptr;
        }
        std::vector<std::string> pages;
    } viewer;
    SetHelpViewer(&viewer);
    OpenByHotKey();
    Type("NOTE");
    Press(VK_F1);
    SetHelpViewer(nullptr);
    EXPECT_EQ(viewer.pages, std::vector<std::string>{help::kSearchWindow});
    EXPECT_EQ(Text(), "note") << "F1 typed nothing";
}

TEST_F(SearchWindow, TheTrayMenuOffersItOnTop) {
    dialog->Hide();
    char text[64] = "";
    GetMenuStringA(dialog->TrayMenu(), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "検索(&F)...");
    EXPECT_EQ(GetMenuItemID(dialog->TrayMenu(), 0), static_cast<UINT>(ID_SEARCH));
}

}  // namespace
}  // namespace brindle

// The page tree and the shortcut list of the real main window, on temporary settings files: built,
// switched, renamed, sorted, launched, and read back from the controls and the file.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launch/system_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_backup.h"
#include "store/settings_store.h"
#include "unit/test_support.h"
#include "views/icon_reader_win.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::WinFolder;

std::string ModulePath() {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    return module;
}

std::string TextOf(HWND tree, HTREEITEM item) {
    char text[1024] = "";
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    TreeView_GetItem(tree, &data);
    return text;
}

HTREEITEM FindItem(HWND tree, HTREEITEM from, const std::string& text) {
    for (HTREEITEM item = from; item; item = TreeView_GetNextSibling(tree, item)) {
        if (TextOf(tree, item) == text)
            return item;
        if (HTREEITEM inner = FindItem(tree, TreeView_GetChild(tree, item), text))
            return inner;
    }
    return nullptr;
}

std::vector<std::string> Children(HWND tree, HTREEITEM parent) {
    std::vector<std::string> texts;
    for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) {
        texts.push_back(TextOf(tree, item));
    }
    return texts;
}

std::vector<std::string> ComboTexts(HWND combo) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text.c_str());
    }
    return texts;
}

std::string ListText(HWND list, int item, int column) {
    char text[256] = "";
    ListView_GetItemText(list, item, column, text, sizeof text);
    return text;
}

std::vector<std::string> ListColumn(HWND list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < ListView_GetItemCount(list); ++i)
        texts.push_back(ListText(list, i, column));
    return texts;
}

struct ItemLook {
    int image;
    int overlay;
};

ItemLook LookOf(HWND list, int item) {
    LVITEMA data{};
    data.mask = LVIF_IMAGE | LVIF_STATE;
    data.stateMask = LVIS_OVERLAYMASK;
    data.iItem = item;
    ListView_GetItem(list, &data);
    return {data.iImage, static_cast<int>((data.state & LVIS_OVERLAYMASK) >> 8)};
}

// The main window as the user sees it on the screen, kept as a bitmap file and read back by pixel.
class Screenshot {
public:
    Screenshot(HWND window, const std::string& file) {
        GetWindowRect(window, &rect_);
        width_ = rect_.right - rect_.left;
        height_ = rect_.bottom - rect_.top;
        HDC source = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(source);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, source, rect_.left, rect_.top, SRCCOPY);
        GdiFlush();
        stride_ = (width_ * 3 + 3) & ~3;
        pixels_.assign(static_cast<const char*>(bits), static_cast<size_t>(stride_) * height_);
        BITMAPFILEHEADER header{};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof header + sizeof info.bmiHeader;
        header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels_.size());
        std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
        bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
        bytes.append(pixels_);
        testing::WriteBytes(file, bytes);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, source);
    }

    // The share (0 to 1) of the pixels of a control's client rectangle `r` that have `colour`.
    double Share(HWND control, RECT r, COLORREF colour) const {
        MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
        int total = 0, matching = 0;
        for (LONG y = std::max(r.top, rect_.top); y < std::min(r.bottom, rect_.bottom); ++y) {
            for (LONG x = std::max(r.left, rect_.left); x < std::min(r.right, rect_.right); ++x) {
                ++total;
                matching += Pixel(x - rect_.left, y - rect_.top) == colour;
            }
        }
        return total ? static_cast<double>(matching) / total : 0;
    }

private:
    COLORREF Pixel(int x, int y) const {
        const auto* p = reinterpret_cast<const unsigned char*>(pixels_.data()) + (height_ - 1 - y) * stride_ + x * 3;
        return RGB(p[2], p[1], p[0]);  // bottom-up rows of blue, green, red
    }

    RECT rect_{};
    int width_ = 0, height_ = 0, stride_ = 0;
    std::string pixels_;
};

class Views : public ::testing::Test {
protected:
    void TearDown() override {
        dialog.reset();
        SetEnvironmentVariableA("BRINDLE_PROBE_OUT", nullptr);
    }
    // Pages and shortcuts in the form of the settings file, after a [Brindle] section with `prefs`.
    void Open(const std::string& prefs, const std::string& pages, const std::string& shortcuts = "") {
        OpenFile(
            "[Brindle]\r\nwinMainFrame=60,40,760,520\r\nwinSeparator=180\r\n"
            "lfHeight=-12\r\nlfFaceName=IPAGothic\r\n" +
            prefs + "[Page]\r\n" + pages + shortcuts);
    }
    // The settings file's bytes as they are.
    void OpenFile(const std::string& bytes) {
        testing::WriteBytes(path, bytes);
        store = std::make_unique<SettingsStore>(messages, path);
        ASSERT_TRUE(store->Load());
        dialog = std::make_unique<MainDialog>(*store, messages, MainDialog::Options{});
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();  // the deferred initialisation
        tree = dialog->Item(IDC_TREE);
        list = dialog->Item(IDC_LIST);
        combo = dialog->Item(IDC_PAGE_COMBO);
    }
    // The main window's own loop: every message passes its pre-translation first.
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
    // Pumps until the pending page switch is done, at most five seconds.
    void PumpUntilSwitched() {
        for (int i = 0; i < 500 && dialog->PageSwitchPending(); ++i) {
            Pump();
            Sleep(10);
        }
        Pump();
    }
    std::string Saved() { return testing::ReadBytes(path); }

    WinFolder folder;
    std::string path = folder.File("views.INI");
    RecordingMessages messages;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> dialog;
    HWND tree = nullptr, list = nullptr, combo = nullptr;
};

TEST_F(Views, TreeOrderNestingComboAndTheStoredPage) {
    Open("Page=7\r\niChkLoadIcon=1\r\n",
         "9=Nine,5,0,0,\"\",\"\"\r\n5=Five,-1,1,0,\"\",\"\"\r\n2=Two,5,0,0,\"\",\"\"\r\n7=Seven,5,0,0,\"\",\"\"\r\n"
         "1=One,4,0,0,\"\",\"\"\r\n4=Four,-1,0,0,\"\",\"\"\r\n3=Deep,1,1,0,\"\",\"\"\r\n"
         "10=LoopA,11,0,0,\"\",\"\"\r\n11=LoopB,10,0,0,\"\",\"\"\r\n20=Lost,99,0,0,\"\",\"\"\r\n"
         "21=Found,20,0,0,\"\",\"\"\r\n30=apple,-1,0,0,\"\",\"\"\r\n31=ぶどう,-1,0,0,\"\",\"\"\r\n"
         "40=ｼｮｰﾄｶｯﾄ,-1,0,0,\"\",\"\"\r\n41=ﾒﾆｭｰ,40,0,0,\"\",\"\"\r\n42=ﾌｧｲﾙ,-1,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=in seven\r\nPageId=7\r\n[#00001]\r\nNamespace=in two\r\nPageId=2\r\n");

    // Siblings by ascending id; a child with a smaller id than its parent still under it; the cycle and
    // the page whose parent is missing at the top level, the page below that one still below it.
    EXPECT_EQ(Children(tree, TVI_ROOT), (std::vector<std::string>{"Four", "Five", "LoopA", "LoopB", "Lost", "apple",
                                                                  "ぶどう", "ｼｮｰﾄｶｯﾄ", "ﾌｧｲﾙ"}));
    EXPECT_EQ(Children(tree, FindItem(tree, TreeView_GetRoot(tree), "Lost")), (std::vector<std::string>{"Found"}));
    HTREEITEM five = FindItem(tree, TreeView_GetRoot(tree), "Five");
    HTREEITEM four = FindItem(tree, TreeView_GetRoot(tree), "Four");
    EXPECT_EQ(Children(tree, five), (std::vector<std::string>{"Two", "Seven", "Nine"}));
    EXPECT_EQ(Children(tree, four), (std::vector<std::string>{"One"}));
    EXPECT_EQ(Children(tree, FindItem(tree, TreeView_GetRoot(tree), "One")), (std::vector<std::string>{"Deep"}));

    // Expanded states as stored.
    EXPECT_TRUE(TreeView_GetItemState(tree, five, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_FALSE(TreeView_GetItemState(tree, four, TVIS_EXPANDED) & TVIS_EXPANDED);

    // The combo by path text, each entry tied to its page. Half-width katakana with small kana and the
    // long vowel mark take more than six bytes of sort key a byte; they still find their sorted place.
    EXPECT_EQ(ComboTexts(combo),
              (std::vector<std::string>{"apple", "Five", "Five/Nine", "Five/Seven", "Five/Two", "Four", "Four/One",
                                        "Four/One/Deep", "LoopA", "LoopB", "Lost", "Lost/Found", "ｼｮｰﾄｶｯﾄ",
                                        "ｼｮｰﾄｶｯﾄ/ﾒﾆｭｰ", "ﾌｧｲﾙ", "ぶどう"}));
    // The order is the one the combo's own sorting gives.
    HWND sorted = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 10, 10,
                                  dialog->Hwnd(), nullptr, nullptr, nullptr);
    for (const std::string& text : ComboTexts(combo)) {
        SendMessageA(sorted, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    EXPECT_EQ(ComboTexts(sorted), ComboTexts(combo));
    DestroyWindow(sorted);
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int entry = dialog->Pages().EntryOfComboIndex(i);
        ASSERT_GE(entry, 0);
        const std::string path = ComboTexts(combo)[i];
        const std::string leaf = path.substr(path.rfind('/') + 1);
        EXPECT_EQ(TextOf(tree, dialog->Pages().Entries()[entry].item), leaf);
    }

    // The stored page is the caret, its combo entry chosen and its shortcuts listed.
    EXPECT_EQ(TextOf(tree, TreeView_GetSelection(tree)), "Seven");
    char chosen[64] = "";
    SendMessageA(combo, CB_GETLBTEXT, SendMessageA(combo, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(chosen));
    EXPECT_STREQ(chosen, "Five/Seven");
    EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"in seven"}));
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 0);

    // The pages a dialog may offer: all of them, or all but one page and the pages below it.
    std::vector<std::string> keys;
    std::map<std::string, HTREEITEM> items;
    dialog->Pages().ChoiceList(five, false, keys, items);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"1:One", "3:Deep", "4:Four", "10:LoopA", "11:LoopB", "20:Lost", "21:Found",
                                        "30:apple", "31:ぶどう", "40:ｼｮｰﾄｶｯﾄ", "41:ﾒﾆｭｰ", "42:ﾌｧｲﾙ"}));
    EXPECT_EQ(items["[Root]"], TVI_ROOT);
    EXPECT_EQ(items["3:Deep"], FindItem(tree, TreeView_GetRoot(tree), "Deep"));
    dialog->Pages().ChoiceList(five, true, keys, items);
    EXPECT_EQ(keys.size(), 16u);
    EXPECT_EQ(items.size(), 17u);

    // Closing writes the expanded states the tree has now.
    TreeView_Expand(tree, four, TVE_EXPAND);
    TreeView_Expand(tree, five, TVE_COLLAPSE);
    dialog->ClosingSave();
    store->Save();
    const std::string saved = Saved();
    EXPECT_NE(saved.find("4=Four,-1,1,0,"), std::string::npos);
    EXPECT_NE(saved.find("5=Five,-1,0,0,"), std::string::npos);
    EXPECT_TRUE(messages.boxes.empty());
}

class PageSwitch : public Views {
protected:
    void SetUp() override {
        Open("Page=1\r\niChkLoadIcon=1\r\n",
             "1=First,-1,0,0,\"\",\"\"\r\n2=Second,-1,0,0,\"\",\"\"\r\n3=Third,-1,0,0,\"\",\"\"\r\n",
             "[#00000]\r\nNamespace=one\r\nPageId=1\r\n[#00001]\r\nNamespace=two\r\nPageId=2\r\n"
             "[#00002]\r\nNamespace=three\r\nPageId=3\r\n");
        ASSERT_EQ(ListColumn(list, 0), (std::vector<std::string>{"one"}));
    }
};

// Half-width katakana take several bytes of sort key each: keys longer than the build's usual buffer
// are made whole, so paths that differ only after their first 300 characters still take the places the
// combo's own sorting gives them, each tied to its page.
TEST_F(Views, PathsWithLongSortKeysTakeTheirSortedPlaceInTheCombo) {
    const std::string lengthy(300, '\xB1');  // ｱ in the ANSI code page
    Open("Page=4\r\n", "1=" + lengthy + "ｲ,-1,0,0,\"\",\"\"\r\n2=" + lengthy + ",-1,0,0,\"\",\"\"\r\n3=" + lengthy +
                           "ｱ,-1,0,0,\"\",\"\"\r\n4=ｱ,-1,0,0,\"\",\"\"\r\n5=ｶ,2,0,0,\"\",\"\"\r\n");
    const std::vector<std::string> texts = ComboTexts(combo);
    ASSERT_EQ(texts, (std::vector<std::string>{"ｱ", lengthy, lengthy + "/ｶ", lengthy + "ｱ", lengthy + "ｲ"}));
    HWND sorted = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 10, 10,
                                  dialog->Hwnd(), nullptr, nullptr, nullptr);
    for (const std::string& text : texts)
        SendMessageA(sorted, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_EQ(ComboTexts(sorted), texts);
    DestroyWindow(sorted);
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        const int entry = dialog->Pages().EntryOfComboIndex(i);
        ASSERT_GE(entry, 0);
        EXPECT_EQ(TextOf(tree, dialog->Pages().Entries()[entry].item), texts[i].substr(texts[i].rfind('/') + 1));
    }
}

TEST_F(PageSwitch, AClickRefillsAtOnce) {
    RECT rect;
    HTREEITEM third = FindItem(tree, TreeView_GetRoot(tree), "Third");
    ASSERT_TRUE(TreeView_GetItemRect(tree, third, &rect, TRUE));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    PumpFor(300);  // well under the keyboard's delays
    EXPECT_EQ(TextOf(tree, TreeView_GetSelection(tree)), "Third");
    EXPECT_FALSE(dialog->PageSwitchPending());
    EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"three"}));
    EXPECT_NE(Saved().find("Page=3\r\n"), std::string::npos);
}

// Bytes of UTF-16 LE (with its mark) and of UTF-8 (with its mark), as editors save them.
std::string Utf16Marked(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string Utf8Marked(std::u8string_view text) {
    return "\xEF\xBB\xBF" + std::string(text.begin(), text.end());
}

// The settings an editor saved as "Unicode" or as UTF-8 with a mark: each page and shortcut survives the
// start, a page switch and the closing save, and the user's own bytes stay in the backup.
TEST_F(Views, AFileSavedByAnEditorInUnicodeKeepsEveryPageAndShortcut) {
// One text as Shift_JIS, UTF-16 (u) and UTF-8 (u8) literals.
#define BRINDLE_SETTINGS_TEXT(p) \
    p##"[Brindle]\r\nwinMainFrame=60,40,760,520\r\nwinSeparator=180\r\nlfHeight=-12\r\nlfFaceName=IPAGothic\r\n"          \
    p##"Page=1\r\n[Page]\r\n1=表計算ソフト,-1,0,0,\"\",\"\"\r\n2=ﾂｰﾙ～①,-1,0,0,\"C:\\絵\\表.ico>1\",\"\"\r\n"                 \
    p##"[#00000]\r\nNamespace=能力表\r\nCommandLine=\"C:\\Program Files\\ソフト\\表.exe\" /a\r\nPageId=1\r\n" \
    p##"[#00001]\r\nNamespace=メモ帳\r\nCommandLine=notepad.exe\r\nWorkfolder=C:\\作業\\\r\nPageId=2\r\n"    \
    p##"Comment=説明～\r\n[#00002]\r\nNamespace=電卓\r\nCommandLine=calc.exe\r\nPageId=2\r\n"
    const std::string original[] = {Utf16Marked(BRINDLE_SETTINGS_TEXT(u)), Utf8Marked(BRINDLE_SETTINGS_TEXT(u8))};
    const std::string sjis = BRINDLE_SETTINGS_TEXT();
#undef BRINDLE_SETTINGS_TEXT
    for (const std::string& bytes : original) {
        OpenFile(bytes);
        EXPECT_TRUE(messages.boxes.empty());
        EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"能力表"}));
        RECT rect;
        HTREEITEM second = FindItem(tree, TreeView_GetRoot(tree), "ﾂｰﾙ～①");
        ASSERT_TRUE(TreeView_GetItemRect(tree, second, &rect, TRUE));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(tree, WM_LBUTTONUP, 0, at);
        PumpFor(300);
        PumpUntilSwitched();
        EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"メモ帳", "電卓"}));
        SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
        dialog.reset();
        store.reset();

        // A second store reads back what the first one saved.
        RecordingMessages again;
        SettingsStore reread(again, path);
        reread.Load();
        ASSERT_EQ(reread.PageCount(), 2);
        ASSERT_EQ(reread.ShortcutCount(), 3);
        PageRecord page;
        reread.GetPageAt(1, page);
        EXPECT_STREQ(page.name, "ﾂｰﾙ～①");
        EXPECT_STREQ(page.normalIcon, "C:\\絵\\表.ico>1");
        ShortcutRecord shortcut;
        reread.GetShortcutAt(0, shortcut);
        EXPECT_STREQ(shortcut.commandLine, "\"C:\\Program Files\\ソフト\\表.exe\" /a");
        reread.GetShortcutAt(1, shortcut);
        EXPECT_STREQ(shortcut.name, "メモ帳");
        EXPECT_STREQ(shortcut.workFolder, "C:\\作業\\");
        EXPECT_STREQ(shortcut.comment, "説明～");
        EXPECT_EQ(shortcut.pageId, 2);
        const std::string saved = testing::ReadBytes(path);
        EXPECT_NE(saved.find(sjis.substr(sjis.find("[Page]"))), std::string::npos) << saved;
        EXPECT_NE(saved.find("Page=2\r\n"), std::string::npos);
        EXPECT_EQ(testing::ReadBytes(settings_backup::BackupPathOf(path)), bytes);
        EXPECT_TRUE(again.boxes.empty());
    }
}

// A file with binary content is named in the message, the window starts without pages, and the file is
// left byte for byte.
TEST_F(Views, ABinaryFileIsNamedAndLeftAsItWas) {
    const std::string bytes = "[Brindle]\r\nPage=1\r\n[Page]\r\n1=Top,-1,0,0,\"\",\"\"\r\n" + std::string(4096, '\0');
    OpenFile(bytes);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text.rfind(path + "\nNUL文字を含んでいるため", 0), 0u) << messages.boxes[0].text;
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    dialog.reset();
    EXPECT_EQ(testing::ReadBytes(path), bytes);
}

// Accessibility and automation tools select a page from another process: the tree then notifies the
// window from inside a message sent from elsewhere, and the list must follow all the same.
TEST_F(PageSwitch, APageSelectedFromAnotherThreadSwitchesTheList) {
    HTREEITEM third = FindItem(tree, TreeView_GetRoot(tree), "Third");
    struct Select {
        HWND tree;
        HTREEITEM item;
        static DWORD WINAPI Run(void* data) {
            auto* select = static_cast<Select*>(data);
            SendMessageA(select->tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(select->item));
            return 0;
        }
    } select{tree, third};
    HANDLE thread = CreateThread(nullptr, 0, Select::Run, &select, 0, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 5000, QS_ALLINPUT | QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        Pump();
    }
    CloseHandle(thread);
    EXPECT_EQ(TextOf(tree, TreeView_GetSelection(tree)), "Third");
    EXPECT_TRUE(dialog->PageSwitchPending());
    PumpUntilSwitched();
    EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"three"}));
    EXPECT_NE(Saved().find("Page=3\r\n"), std::string::npos);
}

TEST_F(PageSwitch, KeyboardMovesRefillOnlyWhenTheCaretRests) {
    SetFocus(tree);
    PostMessageA(tree, WM_KEYDOWN, VK_DOWN, 0);
    PumpFor(150);
    EXPECT_EQ(TextOf(tree, TreeView_GetSelection(tree)), "Second");
    EXPECT_TRUE(dialog->PageSwitchPending());
    PostMessageA(tree, WM_KEYDOWN, VK_DOWN, 0);
    PumpFor(150);
    EXPECT_EQ(TextOf(tree, TreeView_GetSelection(tree)), "Third");
    EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"one"})) << "no refill while keys move the caret";
    PostMessageA(tree, WM_KEYUP, VK_DOWN, 0);
    PumpUntilSwitched();
    EXPECT_FALSE(dialog->PageSwitchPending());
    EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"three"}));
}

TEST_F(PageSwitch, TheComboRefillsOnceAndMovesTheCaret) {
    const std::vector<std::string> texts = ComboTexts(combo);
    const int second = static_cast<int>(std::find(texts.begin(), texts.end(), "Second") - texts.begin());
    SendMessageA(combo, CB_SETCURSEL, second, 0);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PAGE_COMBO, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(TextOf(tree, TreeView_GetSelection(tree)), "Second");
    EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{"two"}));
    EXPECT_FALSE(dialog->PageSwitchPending());
    // A second refill would bring the items back.
    ListView_DeleteAllItems(list);
    PumpFor(1600);
    EXPECT_EQ(ListView_GetItemCount(list), 0);
}

// Ends an in-place edit of a tree item with `text`, as the user's Enter does.
void EditTreeLabel(HWND tree, HTREEITEM item, const char* text) {
    SetFocus(tree);
    HWND edit = TreeView_EditLabel(tree, item);
    ASSERT_TRUE(edit);
    SetWindowTextA(edit, text);
    TreeView_EndEditLabelNow(tree, FALSE);
}

TEST_F(Views, PageRenameRefusesForbiddenCharactersSilentlyAndStoresTheRest) {
    Open("Page=2\r\niChkLoadIcon=1\r\n", "1=Tools,-1,1,0,\"\",\"\"\r\n2=Net,1,0,0,\"\",\"\"\r\n");
    HTREEITEM tools = FindItem(tree, TreeView_GetRoot(tree), "Tools");
    // An empty name too: a page line without a name is dropped when the file is read again.
    for (const char* bad : {"To/ols", "To,ols", "a=b", "<", ">", "a\\b", "say \"hi\"", ""}) {
        EditTreeLabel(tree, tools, bad);
        Pump();
        EXPECT_EQ(TextOf(tree, tools), "Tools") << bad;
    }
    EXPECT_EQ(Saved().find("1=Tools,-1,1,0,") != std::string::npos, true);
    EXPECT_TRUE(messages.boxes.empty());

    // Accepted: the label, the combo entry of this page (its child keeps its old path until the next
    // build), the store and, through the refill, the file.
    EditTreeLabel(tree, tools, "道具");
    Pump();
    EXPECT_EQ(TextOf(tree, tools), "道具");
    EXPECT_EQ(ComboTexts(combo), (std::vector<std::string>{"Tools/Net", "道具"}));
    // The renamed entry moved down in the combo, and each entry still chooses its own page.
    for (const auto& [index, page] : {std::pair{0, "Net"}, std::pair{1, "道具"}, std::pair{0, "Net"}}) {
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PAGE_COMBO, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(combo));
        EXPECT_EQ(TextOf(tree, TreeView_GetSelection(tree)), page);
    }
    EXPECT_NE(Saved().find("1=道具,-1,1,0,\"\",\"\"\r\n"), std::string::npos);
    const auto& entries = dialog->Pages().Entries();
    EXPECT_EQ(entries[0].keyText, "1:道具");

    // The name that comes back is read back whole; the page line keeps its fields.
    SettingsStore reread(messages, path);
    ASSERT_TRUE(reread.Load());
    PageRecord page;
    ASSERT_TRUE(reread.FindPage(2, page));
    EXPECT_EQ(page.parentId, 1);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Views, ShortcutRenameRefusesForbiddenCharactersSilentlyAndStoresTheRest) {
    Open("Page=0\r\niChkLoadIcon=1\r\n", "0=Top,-1,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=old name\r\nCommandLine=C:\\x.exe\r\n");
    auto rename = [&](const char* text) {
        SetFocus(list);
        HWND edit = ListView_EditLabel(list, 0);
        ASSERT_TRUE(edit);
        SetWindowTextA(edit, text);
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        Pump();
    };
    for (const char* bad : {"a=b", "a,b", "a/b", "a\\b", "<", ">"}) {
        rename(bad);
        EXPECT_EQ(ListText(list, 0, 0), "old name") << bad;
    }
    EXPECT_NE(Saved().find("Namespace=old name\r\n"), std::string::npos);
    rename("新しい \"名前\"");
    EXPECT_EQ(ListText(list, 0, 0), "新しい \"名前\"");
    EXPECT_NE(Saved().find("Namespace=新しい \"名前\"\r\n"), std::string::npos);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Views, ListContentColumnsClassImagesAndOverlay) {
    const std::string real = folder.Path();
    const std::string shortcuts =
        "[#00000]\r\nNamespace=gone\r\nCommandLine=C:\\no\\such\\app.exe\r\nShowType=1\r\nComment=c0\r\n"
        "[#00001]\r\nNamespace=web\r\nCommandLine=http://example.com/\r\nShowType=-1\r\n"
        "[#00002]\r\nNamespace=folder\r\nCommandLine=" +
        real +
        "\r\nShowType=2\r\nWorkfolder=C:\\w\r\n"
        "[#00003]\r\nNamespace=doc\r\nCommandLine=C:\\no\\doc.txt\r\nNoCheck=1\r\n"
        "[#00004]\r\nNamespace=gone with icon asked\r\nCommandLine=C:\\no\\app.exe\r\nReadIcon=1\r\n"
        "Iconname=C:\\no\\such.ico\r\n"
        "[#00005]\r\nNamespace=elsewhere\r\nPageId=1\r\n";
    Open("Page=0\r\nListStyle=1\r\niChkLoadIcon=2\r\n", "0=Top,-1,0,0,\"\",\"\"\r\n1=Other,-1,0,0,\"\",\"\"\r\n",
         shortcuts);
    ASSERT_EQ(ListColumn(list, 0), (std::vector<std::string>{"gone", "web", "folder", "doc", "gone with icon asked"}));
    EXPECT_EQ(ListColumn(list, 4), (std::vector<std::string>{"最大化", "", "最小化", "通常", "通常"}));
    EXPECT_EQ(ListText(list, 0, 1), "C:\\no\\such\\app.exe");
    EXPECT_EQ(ListText(list, 4, 2), "C:\\no\\such.ico");
    EXPECT_EQ(ListText(list, 2, 3), "C:\\w");
    EXPECT_EQ(ListText(list, 0, 5), "c0");
    char title[64] = "";
    HWND header = ListView_GetHeader(list);
    HDITEMA column{};
    column.mask = HDI_TEXT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    ASSERT_TRUE(Header_GetItem(header, 1, &column));
    EXPECT_STREQ(title, "ﾘﾝｸ先(ｺﾏﾝﾄﾞﾗｲﾝ)");

    auto look = [&](int item) { return std::make_pair(LookOf(list, item).image, LookOf(list, item).overlay); };
    EXPECT_EQ(look(0), std::make_pair(4, 1));  // checked and missing
    EXPECT_EQ(look(1), std::make_pair(0, 0));
    EXPECT_EQ(look(2), std::make_pair(3, 0));  // a folder found by the check
    EXPECT_EQ(look(3), std::make_pair(1, 0));  // not checked: by its name
    EXPECT_EQ(look(4), std::make_pair(4, 0));  // icon asked and not found: the picture, no overlay
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED | LVNI_FOCUSED), 0);
    char caption[128] = "";
    GetWindowTextA(dialog->Hwnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "ぶりんどる：選択中（gone）");

    // With icons never read the class images stand alone: no existence check, no read.
    Preferences prefs;
    store->GetPreferences(prefs);
    prefs.iChkLoadIcon = 1;
    store->SetPreferencesAndSave(prefs);
    const int reads = dialog->IconReads();
    dialog->RefillList();
    EXPECT_EQ(look(0), std::make_pair(2, 0));
    EXPECT_EQ(look(2), std::make_pair(1, 0));
    EXPECT_EQ(look(4), std::make_pair(2, 0));
    EXPECT_EQ(dialog->IconReads(), reads);

    // Sorting by show type puts -1 first; by comment the shortcuts without one first.
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = IDC_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 4;
    SendMessageA(dialog->Hwnd(), WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(ListColumn(list, 4), (std::vector<std::string>{"", "通常", "通常", "最大化", "最小化"}));
    click.iSubItem = 5;
    SendMessageA(dialog->Hwnd(), WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(ListColumn(list, 5).back(), "c0");
    // The store keeps its order; the next refill shows it.
    dialog->RefillList();
    EXPECT_EQ(ListText(list, 0, 0), "gone");
}

// Report view sizes each column to its cells, and never below its title: columns whose cells are all
// empty (icon, work folder, comment) or short (the show type) keep their titles whole.
TEST_F(Views, ColumnsAreNeverNarrowerThanTheirTitles) {
    Open("Page=0\r\nListStyle=1\r\niChkLoadIcon=1\r\n", "0=Top,-1,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=a\r\nCommandLine=C:\\Program Files\\Some Tool\\with a long name.exe\r\n"
         "[#00001]\r\nNamespace=b\r\nCommandLine=x.exe\r\n");
    ASSERT_EQ(ListView_GetItemCount(list), 2);

    // The widths the control itself gives the titles, in a bare list of the same font (a seventh column,
    // so that none of the six is the last, which that sizing stretches to the edge).
    HWND bare = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 2000, 100, dialog->Hwnd(), nullptr,
                                nullptr, nullptr);
    SendMessageA(bare, WM_SETFONT, SendMessageA(list, WM_GETFONT, 0, 0), FALSE);
    char titles[7][64] = {};
    for (int i = 0; i < 7; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = titles[i];
        column.cchTextMax = sizeof titles[i];
        if (i < 6) {
            ASSERT_TRUE(ListView_GetColumn(list, i, &column));
        }
        ListView_InsertColumn(bare, i, &column);
    }
    for (int i = 0; i < 6; ++i) {
        ListView_SetColumnWidth(bare, i, LVSCW_AUTOSIZE_USEHEADER);
        EXPECT_GE(ListView_GetColumnWidth(list, i), ListView_GetColumnWidth(bare, i)) << titles[i];
    }
    DestroyWindow(bare);
    // The command line column fits its longest cell.
    EXPECT_GE(ListView_GetColumnWidth(list, 1),
              ListView_GetStringWidth(list, "C:\\Program Files\\Some Tool\\with a long name.exe"));
}

TEST_F(Views, OneIconSourceIsReadOnceAndAFailedOneAgainNextFill) {
    const std::string exe = ModulePath();
    const std::string late = folder.File("late.exe");
    std::string shortcuts;
    for (int i = 0; i < 5; ++i) {
        shortcuts += "[#0000" + std::to_string(i) + "]\r\nNamespace=s" + std::to_string(i) +
                     "\r\nCommandLine=x.exe\r\nReadIcon=1\r\nIconname=" + exe + "\r\n";
    }
    shortcuts += "[#00005]\r\nNamespace=late\r\nCommandLine=\"" + late + "\" -x\r\nReadIcon=1\r\nNoCheck=1\r\n";
    Open("Page=0\r\niChkLoadIcon=2\r\n", "0=Top,-1,0,0,\"\",\"\"\r\n", shortcuts);
    HIMAGELIST small = ListView_GetImageList(list, LVSIL_SMALL);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(LookOf(list, i).image, 5) << i;
    EXPECT_EQ(LookOf(list, 5).image, 2);  // its file does not exist yet: the class image
    EXPECT_EQ(ImageList_GetImageCount(small), 6);
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_NORMAL)), 6);
    const int reads = dialog->IconReads();
    EXPECT_EQ(reads, 2);  // the shared source once, the missing file once

    ASSERT_TRUE(CopyFileA(exe.c_str(), late.c_str(), FALSE));
    dialog->RefillList();
    EXPECT_EQ(dialog->IconReads(), reads + 2);
    EXPECT_EQ(LookOf(list, 5).image, 6);
    EXPECT_EQ(ImageList_GetImageCount(small), 7);
}

// Image `image` of `images` as it looks drawn on `back`.
std::vector<COLORREF> ImagePixels(HIMAGELIST images, int image, COLORREF back) {
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetBkColor(memory, back);
    const RECT all{0, 0, width, height};
    ExtTextOutA(memory, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    ImageList_Draw(images, image, memory, 0, 0, ILD_TRANSPARENT);
    std::vector<COLORREF> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out;
}

// A file without icon resources makes ExtractIconExA report no icon; the handles it leaves in its
// outputs then are not the program's (under Wine, those of the icon read just before). CTest also runs
// this test alone in a fresh process, where these are the process's first icon requests.
TEST_F(Views, AFileWithoutIconsLeavesTheIconsReadBeforeWhole) {
    const std::string exe = ModulePath();
    const std::string text = folder.File("文書.txt");
    testing::WriteBytes(text, "no icons");
    std::string shortcuts;
    const std::string sources[] = {exe, text, exe + ">0", text + ">0", exe + ">00"};
    for (int i = 0; i < 5; ++i) {
        shortcuts += "[#0000" + std::to_string(i) + "]\r\nNamespace=s" + std::to_string(i) +
                     "\r\nCommandLine=x.exe\r\nReadIcon=1\r\nIconname=" + sources[i] + "\r\n";
    }
    Open("Page=0\r\niChkLoadIcon=2\r\nListStyle=1\r\n", "0=Top,-1,0,0,\"\",\"\"\r\n", shortcuts);
    EXPECT_EQ(dialog->IconReads(), 5);
    HIMAGELIST small = ListView_GetImageList(list, LVSIL_SMALL);
    HIMAGELIST large = ListView_GetImageList(list, LVSIL_NORMAL);
    // Every icon read reached both image lists, in order; none was destroyed on the way.
    EXPECT_EQ(ImageList_GetImageCount(small), 10);
    EXPECT_EQ(ImageList_GetImageCount(large), 10);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(LookOf(list, i).image, 5 + i) << i;
    // The program's icon is drawn from its own pixels: the images of its three reads are alike, and
    // unlike the document's.
    auto pixels = [&](int image) { return ImagePixels(small, image, RGB(255, 255, 255)); };
    const std::vector<COLORREF> program = pixels(5), blank(256, RGB(255, 255, 255));
    EXPECT_NE(program, blank);
    EXPECT_EQ(pixels(7), program);
    EXPECT_EQ(pixels(9), program);
    EXPECT_NE(pixels(6), program);
}

// The pixels of `r` (client coordinates of `control`) as the screen shows them.
std::vector<COLORREF> ScreenPixels(HWND control, RECT r) {
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> out;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            out.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return out;
}

// The list keeps each image as drawn on its background: a page switch numbers the icons anew, and the
// next page's icon at the same image index is drawn, not the former page's.
TEST_F(Views, EachPageShowsItsOwnIconsWhereTheFormerHadOthersAtTheSameIndex) {
    const std::string exe = ModulePath();
    const std::string text = folder.File("文書.txt");
    testing::WriteBytes(text, "no icons");
    Open("Page=0\r\niChkLoadIcon=2\r\nListStyle=0\r\n", "0=One,-1,0,0,\"\",\"\"\r\n1=Two,-1,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=program\r\nCommandLine=x.exe\r\nPageId=0\r\nReadIcon=1\r\nIconname=" + exe +
             "\r\n[#00001]\r\nNamespace=document\r\nCommandLine=y.exe\r\nPageId=1\r\nReadIcon=1\r\nIconname=" + text +
             "\r\n");
    HIMAGELIST large = ListView_GetImageList(list, LVSIL_NORMAL);
    auto shownIcon = [&] {
        RedrawWindow(dialog->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(100);
        int width = 0, height = 0;
        ImageList_GetIconSize(large, &width, &height);
        RECT icon{};
        EXPECT_TRUE(ListView_GetItemRect(list, 0, &icon, LVIR_ICON));
        const LONG x = icon.left + ((icon.right - icon.left) - width) / 2;
        const LONG y = icon.top + ((icon.bottom - icon.top) - height) / 2;
        return ScreenPixels(list, {x, y, x + width, y + height});
    };
    const COLORREF back = ListView_GetBkColor(list);
    ASSERT_EQ(ListColumn(list, 0), (std::vector<std::string>{"program"}));
    const int image = LookOf(list, 0).image;
    ASSERT_GE(image, 5);
    const std::vector<COLORREF> program = ImagePixels(large, image, back);
    EXPECT_EQ(shownIcon(), program);

    const std::vector<std::string> texts = ComboTexts(combo);
    const int second = static_cast<int>(std::find(texts.begin(), texts.end(), "Two") - texts.begin());
    SendMessageA(combo, CB_SETCURSEL, second, 0);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PAGE_COMBO, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
    ASSERT_EQ(ListColumn(list, 0), (std::vector<std::string>{"document"}));
    ASSERT_EQ(LookOf(list, 0).image, image);
    const std::vector<COLORREF> document = ImagePixels(large, image, back);
    ASSERT_NE(document, program);
    EXPECT_EQ(shownIcon(), document);
}

// An icon extraction that finds no icon and leaves in its outputs whatever its stack held, here the
// handles of another owner's icon (Wine's ExtractIconEx copied them out of an uninitialised array).
HICON heldByAnother = nullptr;
HRESULT WINAPI ExtractLeavingHandles(LPCSTR, int, UINT, HICON* large, HICON* small, UINT) {
    if (large)
        *large = heldByAnother;
    if (small)
        *small = heldByAnother;
    return S_FALSE;
}

TEST(IconReader, WhatANoIconAnswerLeavesInItsOutputsIsNotDestroyed) {
    WinFolder folder;
    RecordingMessages messages;
    SettingsStore store(messages, folder.File("Brindle.INI"));
    Preferences prefs;
    store.GetPreferences(prefs);
    prefs.iChkLoadIcon = 2;
    store.SetPreferencesAndSave(prefs);
    WinSystem system;
    WinIconReader reader(store, system, ExtractLeavingHandles);
    heldByAnother = CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));  // IDI_INFORMATION
    ASSERT_NE(heldByAnother, nullptr);
    const std::string text = folder.File("文書.txt");
    testing::WriteBytes(text, "no icons");
    for (const std::string& source : {folder.File("無い.exe"), std::string("http://example.com/"), text}) {
        IconHandle large = nullptr, small = nullptr;
        reader.Read(source, {}, large, small);
        // A missing file and an address have no icon at all; the document has the shell's.
        EXPECT_NE(large, heldByAnother) << source;
        EXPECT_NE(small, heldByAnother) << source;
        EXPECT_EQ(large != nullptr, source == text) << source;
        reader.Destroy(large);
        reader.Destroy(small);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(heldByAnother, &info)) << "destroyed while reading " << source;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DestroyIcon(heldByAnother);
}

TEST_F(Views, PageIconsAndTheDefaultsOfFailedSources) {
    const std::string exe = ModulePath();
    Open("Page=1\r\niChkLoadIcon=2\r\n", "1=Own,-1,0,1,\"" + exe + "\",\"" + exe +
                                             ">0\"\r\n"
                                             "2=Broken,-1,0,1,\"C:\\gone.ico\",\"\"\r\n"
                                             "3=Shares,-1,0,1,\"\",\"C:\\gone.ico\"\r\n"
                                             "4=Plain,-1,0,0,\"" +
                                             exe + "\",\"\"\r\n");
    auto images = [&](const char* name) {
        TVITEMA item{};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = FindItem(tree, TreeView_GetRoot(tree), name);
        TreeView_GetItem(tree, &item);
        return std::make_pair(item.iImage, item.iSelectedImage);
    };
    EXPECT_EQ(images("Own"), std::make_pair(2, 3));
    EXPECT_EQ(images("Broken"), std::make_pair(0, 1));
    EXPECT_EQ(images("Shares"), std::make_pair(0, 0));  // the failed source keeps its first default
    EXPECT_EQ(images("Plain"), std::make_pair(0, 1));
    EXPECT_EQ(ImageList_GetImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL)), 4);
}

TEST_F(Views, ViewModesAreSavedAndDrawnInTheUsersColours) {
    std::string shortcuts;
    const char* names[] = {"メモ帳", "電卓", "表計算", "ウェブ"};
    for (int i = 0; i < 4; ++i) {
        shortcuts += "[#0000" + std::to_string(i) + "]\r\nNamespace=" + names[i] +
                     "\r\nCommandLine=C:\\windows\\notepad.exe\r\nReadIcon=1\r\nComment=メモ\r\n";
    }
    // Colours none of the defaults has: the list's selection and item background, the tree's selection
    // without the focus (the focus is in the list).
    const COLORREF listSelected = RGB(0x40, 0x80, 0x20), listItem = RGB(0xFF, 0xF0, 0xD0);
    const COLORREF treeNoFocus = RGB(0x00, 0xE0, 0xE0);
    Open("Page=0\r\nListStyle=1\r\niChkLoadIcon=2\r\nclrListSelB=" + std::to_string(listSelected) +
             "\r\nclrListTxBk=" + std::to_string(listItem) + "\r\nclrTreeNfcB=" + std::to_string(treeNoFocus) + "\r\n",
         "0=Top,-1,1,0,\"\",\"\"\r\n1=Child,0,0,0,\"\",\"\"\r\n", shortcuts);
    SetWindowPos(dialog->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(dialog->Hwnd());
    SetFocus(list);
    const struct {
        int command;
        LONG style;
        const char* saved;
        const char* file;
    } modes[] = {{ID_VIEW_ICON, LVS_ICON, "ListStyle=0\r\n", "views-icon.bmp"},
                 {ID_VIEW_SMALL_ICON, LVS_SMALLICON, "ListStyle=2\r\n", "views-small-icon.bmp"},
                 {ID_VIEW_LIST, LVS_LIST, "ListStyle=3\r\n", "views-list.bmp"},
                 {ID_VIEW_DETAIL, LVS_REPORT, "ListStyle=1\r\n", "views-detail.bmp"}};
    for (const auto& mode : modes) {
        SendMessageA(dialog->Hwnd(), WM_COMMAND, mode.command, 0);
        EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK, mode.style);
        EXPECT_NE(Saved().find(mode.saved), std::string::npos) << mode.saved;
        RedrawWindow(dialog->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(100);
        const Screenshot shot(dialog->Hwnd(), mode.file);

        // The selected shortcut's label in the selection colour, the others' in the item background;
        // the text leaves most of each label to its background.
        RECT label;
        ASSERT_TRUE(ListView_GetItemRect(list, 0, &label, LVIR_LABEL));
        EXPECT_GT(shot.Share(list, label, listSelected), 0.4) << mode.file;
        for (int item = 1; item < 4; ++item) {
            ASSERT_TRUE(ListView_GetItemRect(list, item, &label, LVIR_LABEL));
            EXPECT_EQ(shot.Share(list, label, listSelected), 0) << mode.file << " item " << item;
            EXPECT_GT(shot.Share(list, label, listItem), 0.4) << mode.file << " item " << item;
        }
        RECT caret;
        ASSERT_TRUE(TreeView_GetItemRect(tree, TreeView_GetSelection(tree), &caret, TRUE));
        EXPECT_GT(shot.Share(tree, caret, treeNoFocus), 0.4) << mode.file;
    }

    // Hidden, the commands change nothing.
    ShowWindow(dialog->Hwnd(), SW_HIDE);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_VIEW_ICON, 0);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
}

// Hiding builds the tray menu through the main window's icon cache: shortcuts with one icon source
// share one tray image, read once for the build.
TEST_F(Views, TrayMenuShortcutsWithOneIconSourceShareOneImage) {
    const std::string exe = ModulePath();
    Open("Page=0\r\niChkLoadIcon=2\r\n", "0=Top,-1,0,0,\"\",\"\"\r\n",
         "[#00000]\r\nNamespace=one\r\nCommandLine=x.exe\r\nReadIcon=1\r\nIconname=" + exe +
             "\r\n[#00001]\r\nNamespace=two\r\nCommandLine=y.exe\r\nReadIcon=1\r\nIconname=" + exe +
             "\r\n[#00002]\r\nNamespace=other\r\nCommandLine=C:\\windows\\notepad.exe\r\nReadIcon=1\r\n");
    const int reads = dialog->IconReads();
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    ASSERT_NE(dialog->TrayMenu(), nullptr);
    const auto& entries = dialog->TrayMenuItems().Entries();
    ASSERT_EQ(entries.size(), 4u);  // the page, then the three shortcuts
    EXPECT_GE(entries[1].image, 5);
    EXPECT_EQ(entries[2].image, entries[1].image);
    EXPECT_GE(entries[3].image, 5);
    EXPECT_NE(entries[3].image, entries[1].image);
    EXPECT_EQ(ImageList_GetImageCount(dialog->TrayMenuItems().Images()), 7);
    EXPECT_EQ(dialog->IconReads(), reads + 2);
    SendMessageA(dialog->Hwnd(), WM_HOTKEY, 2, 0);  // restore
}

// The tree notices that reach the main window's own procedure while the tree is cleared and built
// again: a procedure of the test's, put in front of the window's, counts them by code.
std::map<UINT, int> g_treeNotices;
WNDPROC g_mainProcedure = nullptr;
LRESULT CALLBACK CountTreeNotices(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && wParam == IDC_TREE)
        ++g_treeNotices[reinterpret_cast<const NMHDR*>(lParam)->code];
    return CallWindowProcA(g_mainProcedure, window, message, wParam, lParam);
}

// Clearing and building the tree sends the main window none of the per-item notices (deleted,
// expanding, expanded) yet still the selection of the stored page, and leaves its procedure as it was;
// the tray menu's page images are those of each page's own tree item, a page id held twice by its first.
TEST_F(Views, ARebuildOfTheTreeSendsNoNoticeAnItemAndTheTrayMenuTakesEachPagesImages) {
    const std::string exe = ModulePath();
    std::string pages;
    for (int id = 1; id <= 40; ++id) {
        const bool icon = id % 3 == 0;
        pages += std::to_string(id) + "=P" + std::to_string(id) + "," +
                 (id <= 10 ? "-1" : std::to_string(id % 10 + 1)) + ",1," +
                 (icon ? "1,\"" + exe + "\",\"" + exe + ">0\"" : "0,\"\",\"\"") + "\r\n";
    }
    pages += "3=Twin,-1,0,0,\"\",\"\"\r\n";  // a hand-edited file may hold an id twice
    Open("Page=5\r\niChkLoadIcon=2\r\n", pages);
    ASSERT_EQ(TreeView_GetCount(tree), 41u);

    g_treeNotices.clear();
    g_mainProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog->Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountTreeNotices)));
    dialog->ClearTree();
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
    dialog->BuildTree();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog->Hwnd(), GWLP_WNDPROC)), &CountTreeNotices);
    SetWindowLongPtrA(dialog->Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_mainProcedure));
    EXPECT_EQ(g_treeNotices[TVN_DELETEITEMA] + g_treeNotices[TVN_DELETEITEMW], 0);
    EXPECT_EQ(g_treeNotices[TVN_ITEMEXPANDINGA] + g_treeNotices[TVN_ITEMEXPANDEDA], 0);
    EXPECT_GE(g_treeNotices[TVN_SELCHANGEDA], 1) << "the stored page is selected as before";
    EXPECT_TRUE(dialog->PageSwitchPending());
    PumpUntilSwitched();
    HTREEITEM caret = TreeView_GetSelection(tree);
    char caretText[32] = "";
    TVITEMA caretItem{};
    caretItem.mask = TVIF_HANDLE | TVIF_TEXT;
    caretItem.hItem = caret;
    caretItem.pszText = caretText;
    caretItem.cchTextMax = sizeof caretText;
    TreeView_GetItem(tree, &caretItem);
    EXPECT_STREQ(caretText, "P5");
    // The expanded states came back without the notices.
    EXPECT_TRUE(TreeView_GetItemState(tree, FindItem(tree, TreeView_GetRoot(tree), "P1"), TVIS_EXPANDED) &
                TVIS_EXPANDED);

    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    ASSERT_NE(dialog->TrayMenu(), nullptr);
    std::map<int32_t, std::pair<int, int>> trayImages;
    for (const auto& entry : dialog->TrayMenuItems().Entries()) {
        if (entry.kind == tray_menu::kPageItem)
            trayImages.emplace(entry.key, std::make_pair(entry.image, entry.selectedImage));
    }
    ASSERT_EQ(trayImages.size(), 40u);
    for (int id = 1; id <= 40; ++id) {
        TVITEMA item{};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = FindItem(tree, TreeView_GetRoot(tree), ("P" + std::to_string(id)).c_str());
        ASSERT_TRUE(TreeView_GetItem(tree, &item)) << id;
        EXPECT_EQ(trayImages[id], std::make_pair(item.iImage, item.iSelectedImage)) << id;
        if (id % 3 == 0) {
            EXPECT_GE(item.iImage, 2) << id;
        }
    }
    SendMessageA(dialog->Hwnd(), WM_HOTKEY, 2, 0);  // restore
}

// The popup a menu loop opens, seen by a hook; a thread timer ends the loop.
HMENU g_popup = nullptr;
LRESULT CALLBACK SeePopup(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITMENUPOPUP && !g_popup) {
        g_popup = reinterpret_cast<HMENU>(message->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
void CALLBACK EndTheMenu(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

TEST_F(Views, ARightClickOpensThePageMenuWithoutMovingTheCaret) {
    Open("Page=2\r\niChkLoadIcon=1\r\n", "1=One,-1,0,0,\"\",\"\"\r\n2=Two,-1,0,0,\"\",\"\"\r\n");
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, SeePopup, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, EndTheMenu);
    SetForegroundWindow(dialog->Hwnd());
    SetFocus(tree);
    g_popup = nullptr;
    NMHDR click{tree, IDC_TREE, static_cast<UINT>(NM_RCLICK)};
    SendMessageA(dialog->Hwnd(), WM_NOTIFY, IDC_TREE, reinterpret_cast<LPARAM>(&click));
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(g_popup);
    char first[64] = "";
    GetMenuStringA(g_popup, 0, first, sizeof first, MF_BYPOSITION);
    EXPECT_STREQ(first, "&Add Page...");
    EXPECT_EQ(TextOf(tree, TreeView_GetSelection(tree)), "Two");
}

class Launching : public Views {
protected:
    void SetUp() override {
        const std::string module = ModulePath();
        ASSERT_TRUE(
            CopyFileA((module.substr(0, module.rfind('\\')) + "\\launch_probe.exe").c_str(), probe.c_str(), FALSE));
        SetEnvironmentVariableA("BRINDLE_PROBE_OUT", report.c_str());
        Open("Page=0\r\niChkLoadIcon=1\r\n", "0=Top,-1,0,0,\"\",\"\"\r\n",
             "[#00000]\r\nNamespace=first\r\nCommandLine=\"" + probe +
                 "\" first\r\n"
                 "[#00001]\r\nNamespace=second\r\nCommandLine=\"" +
                 probe + "\" second\r\n");
        SetForegroundWindow(dialog->Hwnd());
    }
    std::string Launched() {
        std::string text;
        for (int i = 0; i < 200 && text.empty(); ++i) {
            Pump();
            text = testing::ReadBytes(report);
            if (text.empty())
                Sleep(50);
        }
        DeleteFileA(report.c_str());
        return text.substr(0, text.find('\n'));
    }
    std::string probe = folder.File("probe.exe");
    std::string report = folder.File("report.txt");
};

TEST_F(Launching, EnterAndADoubleClickLaunchTheSelectedShortcut) {
    SetFocus(list);
    ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    std::string line = Launched();
    EXPECT_NE(line.find(" second"), std::string::npos) << line;

    // Enter with the focus in the tree launches the list's selection too.
    SetFocus(tree);
    PostMessageA(tree, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    line = Launched();
    EXPECT_NE(line.find(" second"), std::string::npos) << line;

    RECT rect;
    ASSERT_TRUE(ListView_GetItemRect(list, 0, &rect, LVIR_LABEL));
    const LPARAM at = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    Pump();
    line = Launched();
    EXPECT_NE(line.find(" first"), std::string::npos) << line;
    EXPECT_TRUE(messages.boxes.empty());
}

// Hiding builds the tray menu from the store with the tree's images; its shortcut commands launch;
// restoring discards it.
TEST_F(Launching, HideBuildsTheTrayMenuItsCommandsLaunchAndRestoreDiscardsIt) {
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    HMENU root = dialog->TrayMenu();
    ASSERT_NE(root, nullptr);
    // The search window's item and a separator, the page "Top" and "メニューを消す".
    ASSERT_EQ(GetMenuItemCount(root), 4);
    EXPECT_EQ(GetMenuItemID(root, 0), static_cast<UINT>(ID_SEARCH));
    HMENU top = GetSubMenu(root, 2);
    ASSERT_EQ(GetMenuItemCount(top), 2);
    EXPECT_EQ(GetMenuItemID(top, 0), 16384u);
    EXPECT_EQ(GetMenuItemID(top, 1), 16385u);
    char last[64] = "";
    GetMenuStringA(root, 3, last, sizeof last, MF_BYPOSITION);
    EXPECT_STREQ(last, "メニューを消す");

    // The page entry carries its tree item's images.
    const auto& entries = dialog->TrayMenuItems().Entries();
    ASSERT_EQ(entries.size(), 3u);
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = TreeView_GetRoot(tree);
    ASSERT_TRUE(TreeView_GetItem(tree, &item));
    EXPECT_EQ(entries[0].image, item.iImage);
    EXPECT_EQ(entries[0].selectedImage, item.iSelectedImage);

    // Measured in the user's font at the menu's scale: at least an icon and its frame high (18 pixels at
    // 96 DPI), text width + the icon column + 4 wide.
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = 1;  // the shortcut "first"
    SendMessageA(dialog->Hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    HDC dc = GetDC(dialog->Hwnd());
    HGDIOBJ old = SelectObject(dc, dialog->TrayMenuFont());
    SIZE size{};
    GetTextExtentPoint32A(dc, "first", 5, &size);
    SelectObject(dc, old);
    ReleaseDC(dialog->Hwnd(), dc);
    const int icon = ui::SmallIconSizeForDpi(ui::SystemDpi());
    EXPECT_EQ(measure.itemWidth, static_cast<UINT>(size.cx + icon + 4));
    EXPECT_GE(measure.itemHeight, static_cast<UINT>(icon + 2));

    SendMessageA(dialog->Hwnd(), WM_COMMAND, 16384 + 1, 0);
    std::string line = Launched();
    EXPECT_NE(line.find(" second"), std::string::npos) << line;

    SendMessageA(dialog->Hwnd(), WM_HOTKEY, 2, 0);  // restore
    EXPECT_EQ(dialog->TrayMenu(), nullptr);
    EXPECT_FALSE(IsMenu(top));
    EXPECT_TRUE(dialog->TrayMenuItems().Entries().empty());
    EXPECT_EQ(dialog->TrayMenuItems().Images(), nullptr);
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace brindle

// The shortcut list as a virtual list: a page of thousands of rows, what its rows show once scrolled to,
// the type-ahead search, and a sort that keeps the selected shortcut and the rows' store indexes.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "unit/test_support.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::WinFolder;

constexpr int kRows = 5000;

std::string ListText(HWND list, int item, int column) {
    char text[256] = "";
    ListView_GetItemText(list, item, column, text, sizeof text);
    return text;
}

std::vector<std::string> Names(HWND list) {
    std::vector<std::string> names;
    for (int i = 0; i < ListView_GetItemCount(list); ++i)
        names.push_back(ListText(list, i, 0));
    return names;
}

int ImageOf(HWND list, int item) {
    LVITEMA data{};
    data.mask = LVIF_IMAGE;
    data.iItem = item;
    return ListView_GetItem(list, &data) ? data.iImage : -1;
}

class VirtualList : public ::testing::Test {
protected:
    void Open(const std::string& prefs, const std::string& shortcuts) {
        testing::WriteBytes(path,
                            "[Brindle]\r\nwinMainFrame=60,40,760,520\r\nwinSeparator=180\r\n"
                            "lfHeight=-12\r\nlfFaceName=IPAGothic\r\nListStyle=1\r\nPage=0\r\n" +
                                prefs + "[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n" + shortcuts);
        store = std::make_unique<SettingsStore>(messages, path);
        ASSERT_TRUE(store->Load());
        dialog = std::make_unique<MainDialog>(*store, messages, MainDialog::Options{});
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();
        list = dialog->Item(IDC_LIST);
    }
    void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog->PreTranslateMessage(message) || IsDialogMessageA(dialog->Hwnd(), &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    int Selected() const { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }
    std::string Caption() const {
        char caption[256] = "";
        GetWindowTextA(dialog->Hwnd(), caption, sizeof caption);
        return caption;
    }
    void ClickRow(int row) {
        RECT label{};
        ASSERT_TRUE(ListView_GetItemRect(list, row, &label, LVIR_LABEL));
        const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        Pump();
    }
    void ClickColumnTitle(int column) {
        HWND header = ListView_GetHeader(list);
        RECT title{};
        ASSERT_TRUE(Header_GetItemRect(header, column, &title));
        const LPARAM at = MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2);
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(header, WM_LBUTTONUP, 0, at);
        Pump();
    }

    void TearDown() override { dialog.reset(); }

    WinFolder folder;
    std::string path = folder.File("list.INI");
    RecordingMessages messages;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> dialog;
    HWND list = nullptr;
};

TEST_F(VirtualList, APageOfThousandsShowsItsLastRowWhenScrolledToAndFindsItByItsName) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string last = folder.File("last.exe");
    ASSERT_TRUE(CopyFileA(module, last.c_str(), FALSE));
    std::string shortcuts;
    for (int i = 0; i < kRows; ++i) {
        char section[16];
        std::snprintf(section, sizeof section, "[#%05d]\r\n", i);
        const bool isLast = i == kRows - 1;
        shortcuts += std::string(section) + "Namespace=" + (isLast ? "zeta" : "item " + std::to_string(i)) +
                     "\r\nCommandLine=C:\\tools\\t" + std::to_string(i) + ".exe\r\nNoCheck=1\r\nReadIcon=1\r\n" +
                     "Iconname=" + (isLast ? last : std::string(module)) + "\r\nComment=note " + std::to_string(i) +
                     "\r\n";
    }
    Open("iChkLoadIcon=2\r\n", shortcuts);
    ASSERT_EQ(ListView_GetItemCount(list), kRows);
    HIMAGELIST small = ListView_GetImageList(list, LVSIL_SMALL);
    // The rows in view have their icon (one source for all of them); the last row's is not read yet.
    EXPECT_EQ(dialog->IconReads(), 1);
    EXPECT_EQ(ImageList_GetImageCount(small), 6);
    EXPECT_EQ(Selected(), 0);

    // End: the last row is selected, scrolled into view and painted, its icon read as it is shown.
    SetFocus(list);
    SendMessageA(list, WM_KEYDOWN, VK_END, 0);
    UpdateWindow(list);
    Pump();
    EXPECT_EQ(Selected(), kRows - 1);
    EXPECT_EQ(dialog->IconReads(), 2);
    EXPECT_EQ(ImageList_GetImageCount(small), 7);
    EXPECT_EQ(ImageOf(list, kRows - 1), 6);
    EXPECT_EQ(ImageOf(list, kRows - 2), 5);
    EXPECT_EQ(dialog->IconReads(), 2) << "a row shown again is not read again";
    EXPECT_EQ(ListText(list, kRows - 1, 0), "zeta");
    EXPECT_EQ(ListText(list, kRows - 1, 1), "C:\\tools\\t4999.exe");
    EXPECT_EQ(ListText(list, kRows - 1, 5), "note 4999");
    EXPECT_EQ(ListText(list, kRows - 2, 0), "item 4998");
    EXPECT_EQ(Caption(), "ぶりんどる：選択中（zeta）");

    // Home, then a typed letter: the row whose name begins with it.
    SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
    ASSERT_EQ(Selected(), 0);
    SendMessageA(list, WM_CHAR, 'Z', 1);  // a repeat count of 1, as a key press has
    Pump();
    EXPECT_EQ(Selected(), kRows - 1);

    // A refill shows the page from its top again, the first row selected.
    dialog->RefillList();
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(ListView_GetTopIndex(list), 0);
    EXPECT_EQ(ListView_GetItemCount(list), kRows);
}

TEST_F(VirtualList, ASortKeepsTheSelectedShortcutAndEachRowNamesItsOwnShortcut) {
    Open("iChkLoadIcon=1\r\n",
         "[#00000]\r\nNamespace=c\r\nCommandLine=x1.exe\r\n[#00001]\r\nNamespace=a\r\nCommandLine=x3.exe\r\n"
         "[#00002]\r\nNamespace=b\r\nCommandLine=x2.exe\r\n");
    ClickRow(1);
    ASSERT_EQ(Selected(), 1);
    ClickColumnTitle(0);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED | LVNI_FOCUSED), 0);
    EXPECT_EQ(ListView_GetSelectedCount(list), 1u);
    EXPECT_EQ(Caption(), "ぶりんどる：選択中（a）");

    // Each row's item data is its shortcut's store index, and the list finds a row by it.
    std::vector<LPARAM> data;
    for (int row = 0; row < 3; ++row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ASSERT_TRUE(ListView_GetItem(list, &item));
        data.push_back(item.lParam);
    }
    EXPECT_EQ(data, (std::vector<LPARAM>{1, 2, 0}));
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = 0;
    EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 2);

    ClickColumnTitle(1);  // the command line
    EXPECT_EQ(Names(list), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(Selected(), 2);

    // Renamed in place where the sort put it: its own shortcut takes the name; the refill shows the
    // store's order.
    SetFocus(list);
    HWND edit = ListView_EditLabel(list, 2);
    ASSERT_TRUE(edit);
    SetWindowTextA(edit, "renamed");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    ShortcutRecord shortcut;
    ASSERT_TRUE(store->GetShortcutAt(1, shortcut));
    EXPECT_STREQ(shortcut.name, "renamed");
    EXPECT_EQ(Names(list), (std::vector<std::string>{"c", "renamed", "b"}));
    EXPECT_TRUE(messages.boxes.empty());
}

// Each column is as wide as the list's own sizing to its cells makes it, though the list did not measure
// them: double-byte and half-width texts, a cell of the work folder longer than the list reads to size it
// (its first 259 bytes count), empty cells.
TEST_F(VirtualList, ColumnsTakeTheWidthsTheListsOwnSizingGivesThem) {
    std::string shortcuts;
    for (int i = 0; i < 300; ++i) {
        char section[16];
        std::snprintf(section, sizeof section, "[#%05d]\r\n", i);
        std::string folder = i == 7 ? std::string(200 * 2, '\0') : std::string(i == 9 ? 259 : i % 50, 'x');
        if (i == 7) {
            for (int k = 0; k < 200; ++k)
                folder.replace(static_cast<size_t>(k) * 2, 2, "あ");
        }
        shortcuts += std::string(section) + "Namespace=" + (i % 3 ? "名前" : "name") + std::string(i % 40, 'W') +
                     "\r\nCommandLine=C:\\t\\" + std::string(i % 70, 'i') + ".exe\r\nWorkfolder=" + folder + "\r\n" +
                     (i == 150 ? "Comment=ひとこと\r\n" : "");
    }
    Open("iChkLoadIcon=1\r\n", shortcuts);
    ASSERT_EQ(ListView_GetItemCount(list), 300);
    std::vector<int> shown, own;
    for (int i = 0; i < 6; ++i)
        shown.push_back(ListView_GetColumnWidth(list, i));
    for (int i = 0; i < 6; ++i) {
        ListView_SetColumnWidth(list, i, LVSCW_AUTOSIZE);
        own.push_back(ListView_GetColumnWidth(list, i));
    }
    for (int i : {0, 1, 3})
        EXPECT_EQ(shown[i], own[i]) << "column " << i;
    // The others are narrower than their titles, which they keep whole.
    for (int i : {2, 4, 5})
        EXPECT_GE(shown[i], own[i]) << "column " << i;
}

}  // namespace
}  // namespace brindle

// "取り込み" on a real main window: the import dialog answered through its buttons, the folder through
// the picker seam, real shell links, an Internet shortcut and plain files on disk.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/message_box_win.h"
#include "ui/pickers_win.h"
#include "unit/test_support.h"
#include "win/dialog_driver.h"
#include "win/link_files.h"
#include "win/watched_link.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::Click;
using testing::DialogDriver;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        ui::SetAppMessages(&messages);
        ui::SetAppPickers(&pickers);
        // Apps: two links, an Internet shortcut, a document; Tools.v2 with a link; Empty with an empty
        // folder inside.
        const std::string apps = folder.File("Apps");
        for (const char* sub : {"", "\\Tools.v2", "\\Empty", "\\Empty\\Deeper"})
            CreateDirectoryA((apps + sub).c_str(), nullptr);
        testing::MakeLink(apps + "\\エディタ.lnk",
                          {"C:\\windows\\notepad.exe", "/a \"b c\"", "C:\\windows\\notepad.exe", "C:\\work", "メモ帳", 1});
        testing::MakeLink(apps + "\\Reg.lnk", {"C:\\windows\\regedit.exe", "", "", "", ""});
        testing::WriteBytes(apps + "\\Web.url", "[InternetShortcut]\r\nURL=http://example.com/\r\n");
        testing::WriteBytes(apps + "\\readme.txt", "text");
        testing::MakeLink(apps + "\\Tools.v2\\Calc.lnk", {"C:\\windows\\system32\\calc.exe", "", "", "", ""});
        pickers.folderAnswer = apps;
    }
    void TearDown() override {
        window.reset();
        ui::SetAppMessages(nullptr);
        ui::SetAppPickers(nullptr);
    }
    void Open() {
        path = folder.File("Import.INI");
        testing::WriteBytes(path,
                            "[Brindle]\r\nwinMainFrame=100,80,700,500\r\nwinSeparator=150\r\nListStyle=3\r\nPage=0\r\n"
                            "[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n");
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
        MainDialog::Options options;
        options.instanceName = "INI.import_Mutex";
        window = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(window->Create(nullptr));
        ShowWindow(window->Hwnd(), SW_SHOW);
        Pump();
        driver.Ignore(window->Hwnd());
    }
    // Runs the import command, answering its dialog with the button `id`.
    void ImportWith(int id) {
        driver.Then([id](HWND dialog) { Click(dialog, id); });
        SendMessageA(window->Hwnd(), WM_COMMAND, ID_IMPORT, 0);
        Pump();
    }
    std::unique_ptr<SettingsStore> Reread() {
        auto reread = std::make_unique<SettingsStore>(messages, path);
        EXPECT_TRUE(reread->Load());
        return reread;
    }
    // "parent/page: shortcut, shortcut" lines of a store, pages in store order.
    static std::vector<std::string> Outline(const SettingsStore& s) {
        std::vector<std::string> lines;
        PageRecord page, parent;
        for (int p = 0; p < s.PageCount(); ++p) {
            s.GetPageAt(p, page);
            std::string line = (s.FindPage(page.parentId, parent) ? std::string(parent.name) + "/" : "") + page.name + ":";
            ShortcutRecord shortcut;
            for (int i = 0; i < s.ShortcutCount(); ++i)
                if (s.GetShortcutAt(i, shortcut) && shortcut.pageId == page.id)
                    line += std::string(" ") + shortcut.name;
            lines.push_back(line);
        }
        return lines;
    }
    std::string StatusText() {
        char text[256] = "";
        GetWindowTextA(window->Item(IDC_STATUS), text, sizeof text);
        return text;
    }

    testing::WinFolder folder;
    std::string path;
    testing::RecordingMessages messages;
    testing::RecordingPickers pickers;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> window;
    DialogDriver driver;
};

TEST_F(Import, AFolderBecomesPagesUnderTheSelectedPageAndImportingAgainAddsOnlyWhatIsNew) {
    Open();
    // The dialog as the user sees it (the README's picture), its buttons' texts whole.
    bool textsFit = false;
    driver.Then([&textsFit](HWND dialog) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testing::WriteWindowBitmap(dialog, "import-dialog.bmp");
        textsFit = true;
        for (int id : {IDC_IMPORT_START_MENU, IDC_IMPORT_DESKTOP, IDC_IMPORT_FOLDER, IDCANCEL})
            textsFit = textsFit && testing::TextFits(GetDlgItem(dialog, id), 2 * GetSystemMetrics(SM_CXEDGE) + 4);
        Click(dialog, IDC_IMPORT_FOLDER);
    });
    SendMessageA(window->Hwnd(), WM_COMMAND, ID_IMPORT, 0);
    Pump();
    EXPECT_TRUE(textsFit);
    ASSERT_EQ(driver.Pending(), 0u);
    EXPECT_EQ(driver.Captions(), std::vector<std::string>{"取り込み"});
    ASSERT_EQ(pickers.folderRequests.size(), 1u);

    auto saved = Reread();
    EXPECT_EQ(Outline(*saved), (std::vector<std::string>{"Top:", "Top/Apps: Reg Web readme エディタ", "Apps/Tools.v2: Calc"}));
    // The rules of a dropped file: the link's fields, the address unchecked, a document's folder.
    ShortcutRecord link, web, document;
    ASSERT_TRUE(saved->GetShortcutAt(3, link));
    EXPECT_STREQ(link.commandLine, "\"C:\\windows\\notepad.exe\" /a \"b c\"");
    EXPECT_STREQ(link.workFolder, "C:\\work");
    EXPECT_STREQ(link.comment, "メモ帳");
    EXPECT_STREQ(link.icon, "C:\\windows\\notepad.exe>1");
    EXPECT_EQ(link.readIcon, 1);
    ASSERT_TRUE(saved->GetShortcutAt(1, web));
    EXPECT_STREQ(web.commandLine, "http://example.com/");
    EXPECT_EQ(web.check, 0);
    ASSERT_TRUE(saved->GetShortcutAt(2, document));
    EXPECT_STREQ(document.workFolder, folder.File("Apps").c_str());

    // The tree shows the new pages, the imported one selected with its shortcuts in the list.
    HWND tree = window->Item(IDC_TREE);
    EXPECT_EQ(TreeView_GetCount(tree), 3u);
    char caret[64] = "";
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = caret;
    item.cchTextMax = sizeof caret;
    TreeView_GetItem(tree, &item);
    EXPECT_STREQ(caret, "Apps");
    EXPECT_EQ(ListView_GetItemCount(window->Item(IDC_LIST)), 4);
    EXPECT_EQ(StatusText(), "取り込みました: 2 ページ, 5 ショートカット");
    // The result stays in sight for a while, over the page combo, then the combo is back.
    EXPECT_TRUE(IsWindowVisible(window->Item(IDC_STATUS)));
    testing::WriteWindowBitmap(window->Hwnd(), "import-done.bmp");
    SendMessageA(window->Hwnd(), WM_TIMER, kStatusTimer, 0);
    EXPECT_FALSE(IsWindowVisible(window->Item(IDC_STATUS)));

    // Again, from the top with one new link: the same pages, one shortcut more.
    testing::MakeLink(folder.File("Apps\\Tools.v2\\New.lnk"), {"C:\\windows\\winhlp32.exe", "", "", "", ""});
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    Pump();
    ImportWith(IDC_IMPORT_FOLDER);
    EXPECT_EQ(Outline(*Reread()),
              (std::vector<std::string>{"Top:", "Top/Apps: Reg Web readme エディタ", "Apps/Tools.v2: Calc New"}));
    EXPECT_EQ(StatusText(), "取り込みました: 0 ページ, 1 ショートカット");

    // Cancel, and a cancelled picker, change nothing.
    const std::string before = testing::ReadBytes(path);
    ImportWith(IDCANCEL);
    pickers.folderAnswer.reset();
    ImportWith(IDC_IMPORT_FOLDER);
    EXPECT_EQ(testing::ReadBytes(path), before);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Import, LinksGiveTheirStoredFieldsUnresolvedAndStayUnwritten) {
    // A link whose target is gone: resolving it would search for the target (and could rewrite it).
    testing::MakeLink(folder.File("Apps\\Gone.lnk"), {folder.File("消えた.exe"), "-g", "", "C:\\gone", "なし"});
    const std::string before = testing::ReadBytes(folder.File("Apps\\Gone.lnk"));
    Open();
    {
        testing::WatchedLinkClass watched;
        ASSERT_TRUE(watched.Registered());
        ImportWith(IDC_IMPORT_FOLDER);
        EXPECT_GE(testing::WatchedLink::loads, 4) << "the links were not read through the shell's link class";
        EXPECT_TRUE(testing::WatchedLink::resolveFlags.empty());
        EXPECT_EQ(testing::WatchedLink::saves, 0);
    }
    EXPECT_EQ(testing::ReadBytes(folder.File("Apps\\Gone.lnk")), before);
    auto saved = Reread();
    ShortcutRecord gone;
    ASSERT_TRUE(saved->GetShortcutAt(0, gone));
    EXPECT_STREQ(gone.name, "Gone");
    EXPECT_EQ(std::string(gone.commandLine), "\"" + folder.File("消えた.exe") + "\" -g");
    EXPECT_STREQ(gone.workFolder, "C:\\gone");
    EXPECT_STREQ(gone.comment, "なし");
}

TEST_F(Import, EscapeCancelsAndKeepsWhatWasImported) {
    Open();
    // Escape typed while the import runs: it finds the key after the first file.
    driver.Then([this](HWND dialog) {
        Click(dialog, IDC_IMPORT_FOLDER);
        // Queued after the dialog ended: the import takes it, as it would a key typed meanwhile.
        PostMessageA(window->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    SendMessageA(window->Hwnd(), WM_COMMAND, ID_IMPORT, 0);
    Pump();
    EXPECT_EQ(Outline(*Reread()), (std::vector<std::string>{"Top:", "Top/Apps: Reg"}));
    EXPECT_EQ(StatusText(), "取り込みを中止しました: 1 ページ, 1 ショートカット");
}

TEST_F(Import, TheQuickChoicesMergeTheUsersAndAllUsersFolders) {
    char programs[MAX_PATH] = "", common[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs)));
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, common)));
    const std::string mine = std::string(programs) + "\\BrindleTest" + std::to_string(GetCurrentProcessId());
    const std::string all = std::string(common) + "\\BrindleTest" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(mine.c_str(), nullptr);
    CreateDirectoryA(all.c_str(), nullptr);
    testing::MakeLink(mine + "\\Mine.lnk", {"C:\\windows\\notepad.exe", "", "", "", ""});
    testing::MakeLink(all + "\\Shared.lnk", {"C:\\windows\\regedit.exe", "", "", "", ""});
    Open();
    ImportWith(IDC_IMPORT_START_MENU);
    const std::vector<std::string> outline = Outline(*Reread());
    DeleteFileA((mine + "\\Mine.lnk").c_str());
    DeleteFileA((all + "\\Shared.lnk").c_str());
    RemoveDirectoryA(mine.c_str());
    RemoveDirectoryA(all.c_str());
    const std::string page = "BrindleTest" + std::to_string(GetCurrentProcessId()) + ": Mine Shared";
    EXPECT_NE(std::find_if(outline.begin(), outline.end(),
                           [&](const std::string& line) { return line.size() >= page.size() &&
                                                                 line.compare(line.size() - page.size(), page.size(), page) == 0; }),
              outline.end())
        << ::testing::PrintToString(outline);
    EXPECT_TRUE(pickers.folderRequests.empty());
}

}  // namespace
}  // namespace brindle

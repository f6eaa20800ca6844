// The page and shortcut commands with their real dialogs on a real main window, driven through the
// dialogs' controls; message boxes and pickers answered through the seams; the settings file read back.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editing/change_icon_dialog.h"
#include "editing/edit_rules.h"
#include "editing/shortcut_dialog.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/message_box_win.h"
#include "ui/pickers_win.h"
#include "unit/test_support.h"
#include "win/dialog_driver.h"
#include "win/link_files.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::Click;
using testing::ComboEntries;
using testing::DialogDriver;
using testing::SetText;
using testing::TextOf;

int refusedBoxes = 0;  // boxes a file picker showed to refuse a name

// A box over a disabled picker: noted and closed.
BOOL CALLBACK CloseIfRefusal(HWND box, LPARAM) {
    char name[16] = "";
    GetClassNameA(box, name, sizeof name);
    HWND owner = GetWindow(box, GW_OWNER);
    if (std::string(name) == "#32770" && IsWindowVisible(box) && IsWindowEnabled(box) && owner &&
        !IsWindowEnabled(owner)) {
        ++refusedBoxes;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

void CALLBACK CloseRefusal(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), CloseIfRefusal, 0);
}

constexpr char kHeader[] = "[Brindle]\r\nwinMainFrame=100,80,700,500\r\nwinSeparator=150\r\nListStyle=3\r\n";
// Pages 0 > 1 > 2, and 3; page 4 is missing, 5 is at the top; shortcuts of pages 1 and 3 interleaved.
constexpr char kTree[] =
    "Page=1\r\n[Page]\r\n0=Top,-1,1,0,\"\",\"\"\r\n1=Tools,0,1,0,\"\",\"\"\r\n2=Deep,1,0,0,\"\",\"\"\r\n"
    "3=Web,-1,0,0,\"\",\"\"\r\n5=Last,-1,0,0,\"\",\"\"\r\n"
    "[#00000]\r\nNamespace=Alpha\r\nCommandLine=C:\\windows\\notepad.exe\r\nPageId=1\r\n"
    "[#00001]\r\nNamespace=Beta\r\nCommandLine=C:\\windows\\regedit.exe\r\nPageId=3\r\n"
    "[#00002]\r\nNamespace=Gamma\r\nCommandLine=C:\\windows\\winhlp32.exe\r\nPageId=1\r\n"
    "[#00003]\r\nNamespace=Delta\r\nCommandLine=C:\\windows\\notepad.exe\r\nPageId=2\r\n";

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string SystemFolderFile(const char* name) {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

class EditCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ui::SetAppMessages(&messages);
        ui::SetAppPickers(&pickers);
    }
    void TearDown() override {
        window.reset();
        ui::SetAppMessages(nullptr);
        ui::SetAppPickers(nullptr);
    }
    void Open(const std::string& body) {
        path = folder.File("Edit.INI");
        testing::WriteBytes(path, kHeader + body);
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
        MainDialog::Options options;
        options.instanceName = "INI.edit_Mutex";
        window = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(window->Create(nullptr));
        ShowWindow(window->Hwnd(), SW_SHOW);
        Pump();
        driver.Ignore(window->Hwnd());
    }
    // A command as the menus and accelerators give it; its dialogs run their loops inside.
    void Command(int id) {
        SendMessageA(window->Hwnd(), WM_COMMAND, id, 0);
        Pump();
    }
    // The settings file as another start of the program would read it.
    std::unique_ptr<SettingsStore> Reread() {
        auto reread = std::make_unique<SettingsStore>(messages, path);
        EXPECT_TRUE(reread->Load());
        return reread;
    }
    // Types a name, presses OK and tells whether the dialog refused it with a message.
    bool Refused(HWND dialog, int nameId, const std::string& name) {
        const size_t shown = messages.boxes.size();
        SetText(dialog, nameId, name);
        Click(dialog, IDOK);
        return messages.boxes.size() > shown;
    }
    HWND Tree() { return window->Item(IDC_TREE); }
    HWND List() { return window->Item(IDC_LIST); }
    void SelectPage(int32_t id) {
        for (const PageEntry& entry : window->Pages().Entries()) {
            if (entry.pageId == id)
                TreeView_SelectItem(Tree(), entry.item);
        }
        Command(IDC_PAGE_COMBO);  // nothing: the combo only acts on its own notification
        SendMessageA(window->Hwnd(), WM_TIMER, kPageTimer, 0);
        Pump();
    }
    std::vector<std::string> ListNames() {
        std::vector<std::string> names;
        for (int i = 0; i < ListView_GetItemCount(List()); ++i) {
            char text[256] = "";
            ListView_GetItemText(List(), i, 0, text, sizeof text);
            names.push_back(text);
        }
        return names;
    }
    void SelectListItem(const std::string& name) {
        const std::vector<std::string> names = ListNames();
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name)
                ListView_SetItemState(List(), static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED,
                                      LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    bool Expanded(int32_t id) {
        for (const PageEntry& entry : window->Pages().Entries()) {
            if (entry.pageId == id)
                return TreeView_GetItemState(Tree(), entry.item, TVIS_EXPANDED) & TVIS_EXPANDED;
        }
        return false;
    }

    testing::WinFolder folder;
    std::string path;
    testing::RecordingMessages messages;
    testing::RecordingPickers pickers;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> window;
    DialogDriver driver;
};

TEST_F(EditCommands, PageDialogRefusesEmptyAndForbiddenNamesAndAcceptsDoubleByteTrailBackslash) {
    Open(kTree);
    SelectPage(1);
    std::vector<std::string> refused;
    std::vector<std::string> candidates;
    std::string proposed, idText, caption;
    driver.Then([&](HWND dialog) {
        char text[64];
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        candidates = ComboEntries(dialog, IDC_PAGE_PARENT);
        proposed = TextOf(dialog, IDC_PAGE_PARENT);
        idText = TextOf(dialog, IDC_PAGE_ID);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PAGE_NORMAL_ICON)));
        for (const char* name : {"", "a=b", "a,b", "a<b", "a>b", "a/b", "a\\b", "a\"b"}) {
            if (Refused(dialog, IDC_PAGE_NAME, name))
                refused.push_back(name);
        }
        // The icons go between quotes on the page's line: a quote there is refused too.
        Click(dialog, IDC_PAGE_USE_ICONS);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PAGE_NORMAL_ICON)));
        SetText(dialog, IDC_PAGE_SELECTED_ICON, "x\"y.ico");
        EXPECT_TRUE(Refused(dialog, IDC_PAGE_NAME, "ソフト"));
        SetText(dialog, IDC_PAGE_SELECTED_ICON, "C:\\icons\\ソフト.ico");
        EXPECT_FALSE(Refused(dialog, IDC_PAGE_NAME, "ソフト"));  // ソ ends in the byte 0x5C
    });
    Command(ID_ADD_PAGE);
    EXPECT_EQ(driver.Pending(), 0u);
    EXPECT_EQ(caption, "Add Page");
    EXPECT_EQ(idText, "Undefined");
    EXPECT_EQ(proposed, "1:Tools");  // the caret page is the proposed parent
    EXPECT_EQ(candidates, (std::vector<std::string>{"[Root]", "0:Top", "1:Tools", "2:Deep", "3:Web", "5:Last"}));
    EXPECT_EQ(refused.size(), 8u);
    ASSERT_EQ(messages.boxes.size(), 9u);
    EXPECT_EQ(messages.boxes[0].text, dialogs::kPageNameRequired);
    EXPECT_EQ(messages.boxes[0].style, static_cast<unsigned>(MB_ICONHAND));
    EXPECT_EQ(messages.boxes[1].text, "以下の半角文字は使用しないでください。\n=,<>/\\\"");
    EXPECT_EQ(messages.boxes[8].text, "以下の半角文字は使用しないでください。\n\"");

    // The lowest free id, under the proposed parent, and the new page is the caret.
    PageRecord page;
    ASSERT_TRUE(store->FindPage(4, page));
    EXPECT_STREQ(page.name, "ソフト");
    EXPECT_EQ(page.parentId, 1);
    EXPECT_EQ(page.useIcons, 1);
    EXPECT_STREQ(page.selectedIcon, "C:\\icons\\ソフト.ico");
    HTREEITEM caret = window->Pages().Caret();
    ASSERT_NE(caret, nullptr);
    EXPECT_EQ(window->Pages().PageIdOfEntry(window->Pages().EntryOfItem(caret)), 4);
    SendMessageA(window->Hwnd(), WM_TIMER, kPageTimer, 0);  // the page switch saves the file
    ASSERT_TRUE(Reread()->FindPage(4, page));
    EXPECT_STREQ(page.name, "ソフト");
    EXPECT_TRUE(window->Ready());
}

TEST_F(EditCommands, AddPageAtTheTopWithNothingSelectedAndTheFirstPageGetsIdZero) {
    Open("[Page]\r\n");
    std::string proposed;
    driver.Then([&](HWND dialog) {
        proposed = TextOf(dialog, IDC_PAGE_PARENT);
        SetText(dialog, IDC_PAGE_NAME, "First");
        Click(dialog, IDOK);
    });
    Command(ID_ADD_PAGE);
    EXPECT_EQ(proposed, "[Root]");
    PageRecord page;
    ASSERT_TRUE(store->FindPage(0, page));
    EXPECT_EQ(page.parentId, kTopLevel);
    EXPECT_STREQ(page.name, "First");

    // A second page sorts before the first in the page combo; each entry still chooses its own page.
    driver.Then([&](HWND dialog) {
        SetText(dialog, IDC_PAGE_NAME, "Another");
        testing::ChooseComboText(dialog, IDC_PAGE_PARENT, "[Root]");
        Click(dialog, IDOK);
    });
    Command(ID_ADD_PAGE);
    ASSERT_EQ(ComboEntries(window->Hwnd(), IDC_PAGE_COMBO), (std::vector<std::string>{"Another", "First"}));
    for (const char* name : {"First", "Another", "First"}) {
        testing::ChooseComboText(window->Hwnd(), IDC_PAGE_COMBO, name);
        const int entry = window->Pages().EntryWithItem(TreeView_GetSelection(Tree()));
        ASSERT_GE(entry, 0);
        ASSERT_TRUE(store->FindPage(window->Pages().PageIdOfEntry(entry), page));
        EXPECT_STREQ(page.name, name);
    }
}

TEST_F(EditCommands, EditPageOffersNoPageOfItsOwnSubtreeTakesTheNameFromTheStoreAndKeepsExpandedStates) {
    // A name longer than any tree label buffer, with double-byte characters across the old cut.
    std::string longName = "L";
    while (longName.size() < 1500)
        longName += "ソフト";
    std::string body = kTree;
    body.replace(body.find("1=Tools"), 7, "1=" + longName);
    Open(body);
    SelectPage(1);
    // The user closed page 1 in the tree; the file still says it is open.
    for (const PageEntry& entry : window->Pages().Entries()) {
        if (entry.pageId == 1)
            TreeView_Expand(Tree(), entry.item, TVE_COLLAPSE);
    }
    std::vector<std::string> candidates;
    std::string shownName, idText, proposed;
    driver.Then([&](HWND dialog) {
        candidates = ComboEntries(dialog, IDC_PAGE_PARENT);
        shownName = TextOf(dialog, IDC_PAGE_NAME);
        idText = TextOf(dialog, IDC_PAGE_ID);
        proposed = TextOf(dialog, IDC_PAGE_PARENT);
        testing::ChooseComboText(dialog, IDC_PAGE_PARENT, "3:Web");
        SetText(dialog, IDC_PAGE_NAME, "Moved");
        Click(dialog, IDOK);
    });
    Command(ID_EDIT_PAGE);
    EXPECT_EQ(candidates, (std::vector<std::string>{"[Root]", "0:Top", "3:Web", "5:Last"}));
    EXPECT_EQ(shownName, longName);
    EXPECT_EQ(idText, "1");
    EXPECT_EQ(proposed, "0:Top");

    auto reread = Reread();
    PageRecord page;
    ASSERT_TRUE(reread->FindPage(1, page));
    EXPECT_STREQ(page.name, "Moved");
    EXPECT_EQ(page.parentId, 3);
    EXPECT_EQ(page.expanded, 0);  // as the tree showed it
    ASSERT_TRUE(reread->FindPage(2, page));
    EXPECT_EQ(page.parentId, 1);  // the child goes along
    EXPECT_FALSE(Expanded(1));    // the rebuilt tree shows it as the user left it
}

TEST_F(EditCommands, RemovePageAsksTakesItsSubtreeAndShortcutsAndRefillsTheListAtOnce) {
    Open(kTree);
    SelectPage(0);
    const std::string before = testing::ReadBytes(path);
    messages.answers = {box::kAnswerNo, box::kAnswerYes, box::kAnswerYes, box::kAnswerYes};
    Command(ID_REMOVE_PAGE);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "ページ 'Top' を削除しますか？(ページの内容も含みます)");
    EXPECT_EQ(messages.boxes[0].style, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(testing::ReadBytes(path), before);

    Command(ID_REMOVE_PAGE);
    auto reread = Reread();
    EXPECT_EQ(reread->PageCount(), 2);  // 3 and 5 stay
    EXPECT_EQ(reread->ShortcutCount(), 1);
    ShortcutRecord left;
    ASSERT_TRUE(reread->GetShortcutAt(0, left));
    EXPECT_STREQ(left.name, "Beta");
    // The list shows the new caret page's shortcuts now, with their new store indexes.
    EXPECT_EQ(ListNames(), std::vector<std::string>{"Beta"});
    EXPECT_FALSE(window->PageSwitchPending());

    // The last pages go too: the list is emptied and the file still written.
    Command(ID_REMOVE_PAGE);
    Command(ID_REMOVE_PAGE);
    EXPECT_EQ(Reread()->PageCount(), 0);
    EXPECT_EQ(Reread()->ShortcutCount(), 0);
    EXPECT_EQ(ListView_GetItemCount(List()), 0);
}

TEST_F(EditCommands, PageCommandsDoNothingWhileTheWindowIsHidden) {
    Open(kTree);
    SelectPage(1);
    ShowWindow(window->Hwnd(), SW_HIDE);
    const std::string before = testing::ReadBytes(path);
    for (int id : {ID_ADD_PAGE, ID_EDIT_PAGE, ID_REMOVE_PAGE, ID_ADD_SHORTCUT, ID_EDIT_SHORTCUT, ID_REMOVE_SHORTCUT})
        Command(id);
    EXPECT_TRUE(driver.Captions().empty());
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(testing::ReadBytes(path), before);
}

TEST_F(EditCommands, ShortcutDialogValidatesAndKeepsTheInputWhenThereIsNoPage) {
    Open("[Page]\r\n");
    bool stillOpen = false;
    std::vector<std::string> refused;
    driver.Then([&](HWND dialog) {
        EXPECT_TRUE(testing::Checked(dialog, IDC_SHORTCUT_NO_ICON));
        EXPECT_TRUE(testing::Checked(dialog, IDC_SHORTCUT_CHECK));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SHORTCUT_ICON)));
        EXPECT_EQ(ComboEntries(dialog, IDC_SHORTCUT_SHOW),
                  (std::vector<std::string>{"通常の大きさ", "最大化", "最小化"}));
        for (const char* name : {"", "a=b", "a,b", "a<b", "a>b", "a/b", "a\\b"}) {
            if (Refused(dialog, IDC_SHORTCUT_NAME, name))
                refused.push_back(name);
        }
        SetText(dialog, IDC_SHORTCUT_COMMAND, "C:\\windows\\notepad.exe");
        stillOpen = Refused(dialog, IDC_SHORTCUT_NAME, "ソフト \"quoted\"");
        EXPECT_EQ(TextOf(dialog, IDC_SHORTCUT_COMMAND), "C:\\windows\\notepad.exe");
        Click(dialog, IDCANCEL);
    });
    Command(ID_ADD_SHORTCUT);
    EXPECT_EQ(refused.size(), 7u);
    EXPECT_TRUE(stillOpen);  // no page to put it in: said, and the input stays
    ASSERT_EQ(messages.boxes.size(), 8u);
    EXPECT_EQ(messages.boxes[0].text, dialogs::kShortcutNameRequired);
    EXPECT_EQ(messages.boxes[1].text, "以下の半角文字は使用しないでください。\n=,<>/\\");
    EXPECT_EQ(messages.boxes[7].text, kUnknownPage);
    EXPECT_EQ(store->ShortcutCount(), 0);
}

TEST_F(EditCommands, AddEditAndRemoveShortcutsOfTheRightPage) {
    Open(kTree);
    SelectPage(1);
    std::string proposed;
    driver.Then([&](HWND dialog) {
        proposed = TextOf(dialog, IDC_SHORTCUT_PAGE);
        SetText(dialog, IDC_SHORTCUT_NAME, "New");
        SetText(dialog, IDC_SHORTCUT_COMMAND, "\"C:\\windows\\notepad.exe\" readme.txt");
        SendMessageA(GetDlgItem(dialog, IDC_SHORTCUT_SHOW), CB_SETCURSEL, 1, 0);
        Click(dialog, IDC_SHORTCUT_NO_ICON);
        SetText(dialog, IDC_SHORTCUT_ICON, "C:\\windows\\system32\\shell32.dll>3");
        Click(dialog, IDOK);
    });
    Command(ID_ADD_SHORTCUT);
    EXPECT_EQ(proposed, "1:Tools");
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"Alpha", "Gamma", "New"}));
    ShortcutRecord added;
    ASSERT_TRUE(Reread()->GetShortcutAt(4, added));
    EXPECT_STREQ(added.commandLine, "\"C:\\windows\\notepad.exe\" readme.txt");
    EXPECT_EQ(added.showType, 1);
    EXPECT_EQ(added.readIcon, 1);
    EXPECT_EQ(added.check, 1);
    EXPECT_EQ(added.pageId, 1);

    // Edit proposes the shortcut's own page even when the tree's caret moved on and its switch is due.
    SelectListItem("Gamma");
    for (const PageEntry& entry : window->Pages().Entries()) {
        if (entry.pageId == 3)
            TreeView_SelectItem(Tree(), entry.item);
    }
    ASSERT_TRUE(window->PageSwitchPending());
    driver.Then([&](HWND dialog) {
        proposed = TextOf(dialog, IDC_SHORTCUT_PAGE);
        Click(dialog, IDOK);  // unchanged
    });
    Command(ID_EDIT_SHORTCUT);
    EXPECT_EQ(proposed, "1:Tools");
    ShortcutRecord gamma;
    ASSERT_TRUE(Reread()->GetShortcutAt(2, gamma));
    EXPECT_STREQ(gamma.name, "Gamma");
    EXPECT_EQ(gamma.pageId, 1);

    // Choosing another page moves it there.
    SelectPage(1);
    SelectListItem("Gamma");
    driver.Then([&](HWND dialog) {
        testing::ChooseComboText(dialog, IDC_SHORTCUT_PAGE, "5:Last");
        SetText(dialog, IDC_SHORTCUT_COMMENT, "moved");
        Click(dialog, IDOK);
    });
    Command(ID_EDIT_SHORTCUT);
    ASSERT_TRUE(Reread()->GetShortcutAt(2, gamma));
    EXPECT_EQ(gamma.pageId, 5);
    EXPECT_STREQ(gamma.comment, "moved");
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"Alpha", "New"}));

    // Remove: "No" leaves the file as it was; "Yes" removes the one selected.
    SelectListItem("New");
    const std::string before = testing::ReadBytes(path);
    messages.boxes.clear();
    messages.answers = {box::kAnswerNo, box::kAnswerYes};
    Command(ID_REMOVE_SHORTCUT);
    EXPECT_EQ(testing::ReadBytes(path), before);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "ショートカット 'New' を削除しますか？");
    Command(ID_REMOVE_SHORTCUT);
    EXPECT_EQ(ListNames(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(Reread()->ShortcutCount(), 4);
}

// What the shortcut dialog proposes for a dropped path, read from its controls.
struct Proposal {
    std::string name, command, icon, folder, comment;
    bool noIcon = false, check = false;
};

class FromPath : public EditCommands {
protected:
    Proposal Propose(const std::string& dropped) {
        Proposal seen;
        driver.Then([&](HWND dialog) {
            seen = {TextOf(dialog, IDC_SHORTCUT_NAME),           TextOf(dialog, IDC_SHORTCUT_COMMAND),
                    TextOf(dialog, IDC_SHORTCUT_ICON),           TextOf(dialog, IDC_SHORTCUT_FOLDER),
                    TextOf(dialog, IDC_SHORTCUT_COMMENT),        testing::Checked(dialog, IDC_SHORTCUT_NO_ICON),
                    testing::Checked(dialog, IDC_SHORTCUT_CHECK)};
            Click(dialog, IDOK);
        });
        EXPECT_TRUE(window->AddShortcutFromPath(&dropped));
        return seen;
    }
};

TEST_F(FromPath, ShellLinkFillsTheFieldsAndNoLineBreakReachesTheFile) {
    Open(kTree);
    SelectPage(3);
    const std::string notepad = SystemFolderFile("notepad.exe");
    const std::string link = folder.File("エディタ.lnk");
    testing::MakeLink(link,
                      {notepad, "/a b.txt", SystemFolderFile("shell32.dll"), folder.Path(), "line one\r\nline two", 3});
    const Proposal seen = Propose(link);
    EXPECT_EQ(seen.name, "エディタ");
    EXPECT_EQ(seen.command, "\"" + notepad + "\" /a b.txt");
    EXPECT_EQ(seen.icon, SystemFolderFile("shell32.dll") + ">3");
    EXPECT_EQ(seen.folder, folder.Path());
    EXPECT_FALSE(seen.noIcon);
    EXPECT_TRUE(seen.check);

    const std::string text = testing::ReadBytes(path);
    EXPECT_NE(text.find("Comment=line one  line two\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("line two\r\nline"), std::string::npos);
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"Beta", "エディタ"}));
}

TEST_F(FromPath, LinkWithoutArgumentsKeepsTheBlankAndIconZeroIsTheBareFile) {
    Open(kTree);
    const std::string notepad = SystemFolderFile("notepad.exe");
    const std::string link = folder.File("plain.lnk");
    testing::MakeLink(link, {notepad, "", notepad, "", "", 0});
    const Proposal seen = Propose(link);
    EXPECT_EQ(seen.command, "\"" + notepad + "\" ");
    EXPECT_EQ(seen.icon.find('>'), std::string::npos) << seen.icon;
}

TEST_F(FromPath, LinkToAVirtualTargetKeepsTheLinkItself) {
    Open(kTree);
    const std::string link = folder.File("computer.lnk");
    {
        ui::ComPtr<IShellLinkA> shellLink;
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                  reinterpret_cast<void**>(shellLink.GetAddressOf())));
        LPITEMIDLIST computer = nullptr;
        ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer));
        shellLink->SetIDList(computer);
        CoTaskMemFree(computer);
        ui::ComPtr<IPersistFile> file;
        ASSERT_HRESULT_SUCCEEDED(shellLink.As(&file));
        ASSERT_HRESULT_SUCCEEDED(file->Save(Widen(link).c_str(), TRUE));
    }
    const Proposal seen = Propose(link);
    EXPECT_EQ(seen.command, link);
    EXPECT_EQ(seen.name, "computer");
}

TEST_F(FromPath, InternetShortcutFolderFileAndDriveTop) {
    Open(kTree);
    const std::string url = folder.File("site.url");
    testing::WriteBytes(url, "[InternetShortcut]\r\nURL=https://example.jp/page?a=1\r\n");
    Proposal seen = Propose(url);
    EXPECT_EQ(seen.command, "https://example.jp/page?a=1");
    EXPECT_FALSE(seen.check);
    EXPECT_EQ(seen.folder, "");

    const std::string sub = folder.File("資料");
    CreateDirectoryA(sub.c_str(), nullptr);
    seen = Propose(sub);
    EXPECT_EQ(seen.command, sub);
    EXPECT_EQ(seen.folder, sub);
    EXPECT_EQ(seen.name, "資料");

    const std::string text = folder.File("メモ.v1.txt");
    testing::WriteBytes(text, "x");
    seen = Propose(text);
    EXPECT_EQ(seen.name, "メモ.v1");
    EXPECT_EQ(seen.folder, folder.Path());
    EXPECT_TRUE(seen.noIcon);

    const std::string top = "C:\\brindle-top-" + std::to_string(GetCurrentProcessId()) + ".txt";
    testing::WriteBytes(top, "x");
    seen = Propose(top);
    DeleteFileA(top.c_str());
    EXPECT_EQ(seen.folder, "C:\\");
}

// Where in a control's client area a colour shows, as the screen has it: the count of its pixels, and
// of those outside `except` (control coordinates).
struct ColourCount {
    int all = 0, outside = 0;
};
ColourCount CountColour(HWND control, COLORREF colour, const RECT& except = {}) {
    RECT client;
    GetClientRect(control, &client);
    HDC source = GetDC(control);
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    ColourCount count;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if (GetPixel(memory, x, y) != colour)
                continue;
            ++count.all;
            const POINT point{x, y};
            count.outside += !PtInRect(&except, point);
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(control, source);
    return count;
}

TEST_F(EditCommands, AnEmptyPageShowsTheHintInBothListViewsUntilItGetsAShortcut) {
    // A text colour no other part of the list has: the hint is drawn in it.
    const COLORREF text = RGB(0xC0, 0x10, 0x70);
    Open("clrListText=" + std::to_string(text) + "\r\nPage=0\r\n[Page]\r\n0=Empty,-1,0,0,\"\",\"\"\r\n");
    SetWindowPos(window->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    auto redraw = [this] {
        RedrawWindow(window->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
    };
    for (int view : {ID_VIEW_DETAIL, ID_VIEW_LIST}) {
        Command(view);
        redraw();
        const ColourCount hint = CountColour(List(), text);
        EXPECT_GT(hint.all, 300) << "no hint in view " << view;
        if (view == ID_VIEW_DETAIL) {
            // Below the column titles, which it never covers.
            RECT header;
            GetClientRect(ListView_GetHeader(List()), &header);
            EXPECT_EQ(CountColour(List(), text, {0, header.bottom, 10000, 10000}).outside, 0);
        }
    }
    testing::WriteWindowBitmap(window->Hwnd(), "empty-page-hint.bmp");

    // A shortcut added through its dialog: the list shows it, and the hint is gone.
    driver.Then([](HWND dialog) {
        SetText(dialog, IDC_SHORTCUT_NAME, "メモ帳");
        SetText(dialog, IDC_SHORTCUT_COMMAND, "C:\\windows\\notepad.exe");
        Click(dialog, IDOK);
    });
    Command(ID_ADD_SHORTCUT);
    ASSERT_EQ(ListNames(), std::vector<std::string>{"メモ帳"});
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);  // the label in the text colour
    redraw();
    RECT item;
    ASSERT_TRUE(ListView_GetItemRect(List(), 0, &item, LVIR_BOUNDS));
    const ColourCount shown = CountColour(List(), text, item);
    EXPECT_GT(shown.all, 0) << "the shortcut's label is not drawn in the list's text colour";
    EXPECT_EQ(shown.outside, 0) << "the hint is still drawn";
    testing::WriteWindowBitmap(window->Hwnd(), "empty-page-hint-gone.bmp");
}

TEST_F(EditCommands, BrowseButtonsGoThroughThePickersAndNeverOverflowTheirBuffer) {
    Open(kTree);
    SelectPage(1);
    pickers.fileAnswer = "C:\\windows\\regedit.exe";
    pickers.folderAnswer = "C:\\work";
    std::string command, workFolder;
    driver.Then([&](HWND dialog) {
        SetText(dialog, IDC_SHORTCUT_NAME, "Picked");
        SetText(dialog, IDC_SHORTCUT_COMMAND, "\"%WINDIR%\\notepad.exe\" --old-args");
        Click(dialog, IDC_SHORTCUT_BROWSE_COMMAND);
        command = TextOf(dialog, IDC_SHORTCUT_COMMAND);
        SetText(dialog, IDC_SHORTCUT_COMMAND, std::string(300, 'x') + ".exe");
        Click(dialog, IDC_SHORTCUT_BROWSE_COMMAND);
        SetText(dialog, IDC_SHORTCUT_FOLDER, "C:\\old");
        Click(dialog, IDC_SHORTCUT_BROWSE_FOLDER);
        workFolder = TextOf(dialog, IDC_SHORTCUT_FOLDER);
        Click(dialog, IDCANCEL);
    });
    Command(ID_ADD_SHORTCUT);
    EXPECT_EQ(command, "C:\\windows\\regedit.exe");  // the old arguments go with the old file
    EXPECT_EQ(workFolder, "C:\\work");
    ASSERT_EQ(pickers.fileRequests.size(), 2u);
    EXPECT_EQ(pickers.fileRequests[0].title, "実行ﾌｧｲﾙ名を指定してください");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(pickers.fileRequests[0].initialPath, std::string(windows) + "\\notepad.exe");
    EXPECT_EQ(pickers.fileRequests[1].initialPath, "");  // too long for the picker: not proposed
    ASSERT_EQ(pickers.folderRequests.size(), 1u);
    EXPECT_EQ(pickers.folderRequests[0].initialPath, "C:\\old");
    EXPECT_EQ(pickers.folderRequests[0].title, "作業ディレクトリを指定してください");
    EXPECT_EQ(store->ShortcutCount(), 4);  // cancelled
}

TEST_F(EditCommands, OkQuotesTheProgramPartOfACommandLineTypedWithoutQuotes) {
    Open(kTree);
    SelectPage(1);
    const std::string program = folder.File("Program Files\\ソフト 表.exe");
    CreateDirectoryA(folder.File("Program Files").c_str(), nullptr);
    testing::WriteBytes(program, "MZ");
    testing::WriteBytes(folder.File("a b.txt"), "whole");
    const std::string typed[] = {program + " -x \"a b\"", folder.File("a b.txt"), "\"" + program + "\" -y",
                                 folder.File("Program Files") + " -z"};
    for (const std::string& commandLine : typed) {
        driver.Then([&](HWND dialog) {
            SetText(dialog, IDC_SHORTCUT_NAME, "typed");
            SetText(dialog, IDC_SHORTCUT_COMMAND, commandLine);
            Click(dialog, IDOK);
        });
        Command(ID_ADD_SHORTCUT);
    }
    auto reread = Reread();
    std::vector<std::string> stored;
    for (int i = 4; i < reread->ShortcutCount(); ++i) {
        ShortcutRecord record;
        reread->GetShortcutAt(i, record);
        stored.push_back(record.commandLine);
    }
    EXPECT_EQ(stored, (std::vector<std::string>{"\"" + program + "\" -x \"a b\"", folder.File("a b.txt"),
                                                 "\"" + program + "\" -y", folder.File("Program Files") + " -z"}));
}

// The system's own file picker takes a name that is not there: a program the system finds on its path,
// an icon file on a drive that is not there now.
TEST_F(EditCommands, TheRealFilePickersTakeANameThatDoesNotExist) {
    ui::SetAppPickers(nullptr);
    Open(kTree);
    SelectPage(1);
    const std::string missing = folder.File("まだ無い.exe");
    std::string command, icon;
    int boxes = 0;
    // Types the name into the picker and presses its OK; a box refusing the name is noted and closed,
    // and the picker then cancelled.
    auto pick = [&](HWND picker) {
        for (int id : {0x47C, 0x480})  // the file name box: cmb13, edt1
            SetDlgItemTextA(picker, id, missing.c_str());
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseRefusal);
        SendMessageA(picker, WM_COMMAND, IDOK, 0);
        KillTimer(nullptr, timer);
        if (IsWindow(picker))
            PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    };
    refusedBoxes = 0;
    driver.Then([&](HWND dialog) {
        SetText(dialog, IDC_SHORTCUT_COMMAND, "old");
        driver.Then(pick);
        Click(dialog, IDC_SHORTCUT_BROWSE_COMMAND);
        command = TextOf(dialog, IDC_SHORTCUT_COMMAND);
        Click(dialog, IDC_SHORTCUT_NO_ICON);
        driver.Then([&](HWND icons) {
            driver.Then(pick);
            Click(icons, IDC_ICON_BROWSE);
            icon = TextOf(icons, IDC_ICON_FILE);
            Click(icons, IDCANCEL);
        });
        Click(dialog, IDC_SHORTCUT_BROWSE_ICON);
        Click(dialog, IDCANCEL);
    });
    Command(ID_ADD_SHORTCUT);
    boxes = refusedBoxes;
    EXPECT_EQ(driver.Pending(), 0u);
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(command, missing);
    EXPECT_EQ(icon, missing);
}

// ---- change-icon dialog ----

struct IconRun {
    int count = 0;
    int selected = -1;
    std::string shownFile;
    std::string result;
};

IconRun RunChangeIcon(DialogDriver& driver, const std::string& initial, std::function<void(HWND)> act = nullptr) {
    IconRun run;
    driver.Then([&](HWND dialog) {
        HWND view = GetDlgItem(dialog, IDC_ICON_VIEW);
        run.count = ListView_GetItemCount(view);
        run.selected = ListView_GetNextItem(view, -1, LVNI_SELECTED);
        run.shownFile = TextOf(dialog, IDC_ICON_FILE);
        if (act)
            act(dialog);
        Click(dialog, IDOK);
    });
    ChangeIconDialog dialog;
    dialog.SetInitial(initial);
    if (dialog.DoModal(nullptr) == IDOK)
        run.result = dialog.Result();
    return run;
}

TEST(ChangeIcon, SelectsTheGivenIconAndGivesTheSameSourceBack) {
    testing::RecordingPickers pickers;
    ui::SetAppPickers(&pickers);
    DialogDriver driver;
    const std::string shell32 = SystemFolderFile("shell32.dll");

    IconRun run = RunChangeIcon(driver, shell32 + ">3");
    EXPECT_GT(run.count, 16);
    EXPECT_EQ(run.selected, 3);
    EXPECT_EQ(run.shownFile, shell32);
    EXPECT_EQ(run.result, shell32 + ">3");

    EXPECT_EQ(RunChangeIcon(driver, shell32 + ">0x10").selected, 16);
    EXPECT_EQ(RunChangeIcon(driver, shell32 + ">010").result, shell32 + ">8");
    run = RunChangeIcon(driver, shell32);
    EXPECT_EQ(run.selected, 0);
    EXPECT_EQ(run.result, shell32);  // icon 0 is the bare file name

    // Another icon chosen with the mouse's selection.
    run = RunChangeIcon(driver, shell32, [](HWND dialog) {
        ListView_SetItemState(GetDlgItem(dialog, IDC_ICON_VIEW), 5, LVIS_SELECTED, LVIS_SELECTED);
    });
    EXPECT_EQ(run.result, shell32 + ">5");

    // A file without icons: an empty view and the bare name.
    testing::WinFolder folder;
    const std::string text = folder.File("plain.txt");
    testing::WriteBytes(text, "no icons");
    run = RunChangeIcon(driver, text + ">2");
    EXPECT_EQ(run.count, 0);
    EXPECT_EQ(run.result, text);

    // Browse: the new file's icons, none selected, so OK gives the bare new name.
    pickers.fileAnswer = SystemFolderFile("user32.dll");
    run = RunChangeIcon(driver, shell32 + ">3", [](HWND dialog) {
        Click(dialog, IDC_ICON_BROWSE);
        EXPECT_EQ(ListView_GetNextItem(GetDlgItem(dialog, IDC_ICON_VIEW), -1, LVNI_SELECTED), -1);
        EXPECT_EQ(TextOf(dialog, IDC_ICON_FILE), SystemFolderFile("user32.dll"));
    });
    EXPECT_EQ(run.result, SystemFolderFile("user32.dll"));
    ASSERT_EQ(pickers.fileRequests.size(), 1u);
    EXPECT_EQ(pickers.fileRequests[0].initialPath, shell32);
    EXPECT_EQ(pickers.fileRequests[0].title, "ｱｲｺﾝを指定してください");
    ui::SetAppPickers(nullptr);
}

TEST(ChangeIcon, AFileThatIsNotThereShowsAnEmptyGridAndKeepsItsName) {
    DialogDriver driver;
    testing::WinFolder folder;
    for (const std::string& file : {folder.File("まだ無い.exe"), std::string("http://example.com/app.ico")}) {
        SCOPED_TRACE(file);
        IconRun run = RunChangeIcon(driver, file + ">2");
        EXPECT_EQ(run.count, 0);
        EXPECT_EQ(run.shownFile, file);
        EXPECT_EQ(run.result, file);
    }
    // Through the shortcut dialog: OK keeps the icon field's file.
    ShortcutDialog shortcut;
    shortcut.pageCandidates = {"0:Top"};
    shortcut.name = "web";
    shortcut.icon = "http://example.com/app.ico";
    shortcut.noIcon = 0;
    std::string icon;
    driver.Then([&](HWND dialog) {
        driver.Then([](HWND icons) { Click(icons, IDOK); });
        Click(dialog, IDC_SHORTCUT_BROWSE_ICON);
        icon = TextOf(dialog, IDC_SHORTCUT_ICON);
        Click(dialog, IDCANCEL);
    });
    shortcut.DoModal(nullptr);
    EXPECT_EQ(icon, "http://example.com/app.ico");
}

// The grid draws each icon through its mask and alpha on the view's background: no black squares.
TEST(ChangeIcon, TheGridDrawsIconsWithTheirTransparencyAndEveryLabelIsWhole) {
    DialogDriver driver;
    int transparent = 0, blackSquares = 0, checked = 0;
    bool labelsFit = false;
    driver.Then([&](HWND dialog) {
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        HWND view = GetDlgItem(dialog, IDC_ICON_VIEW);
        ListView_SetItemState(view, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const COLORREF background = ListView_GetBkColor(view);
        const int size = GetSystemMetrics(SM_CXICON);
        HDC dc = GetDC(view);
        for (int item = 0; item < 6; ++item) {
            RECT cell{};
            if (!ListView_GetItemRect(view, item, &cell, LVIR_ICON))
                continue;
            ++checked;
            const int left = (cell.left + cell.right - size) / 2, top = cell.top + (cell.bottom - cell.top - size) / 2;
            int black = 0, clear = 0;
            for (int y = top; y < top + size; ++y) {
                for (int x = left; x < left + size; ++x) {
                    const COLORREF pixel = GetPixel(dc, x, y);
                    black += pixel == RGB(0, 0, 0);
                    clear += pixel == background;
                }
            }
            transparent += clear > size;      // some of the background shows through the mask
            blackSquares += black * 2 > size * size;
        }
        ReleaseDC(view, dc);
        testing::WriteWindowBitmap(dialog, "change-icon-dialog.bmp");
        labelsFit = testing::TextFits(testing::ChildWithText(dialog, "Static", "ファイル名"));
        for (int id : {IDOK, IDCANCEL, IDC_ICON_BROWSE})
            labelsFit = labelsFit && testing::TextFits(GetDlgItem(dialog, id), 2 * GetSystemMetrics(SM_CXEDGE) + 4);
        Click(dialog, IDCANCEL);
    });
    ChangeIconDialog dialog;
    dialog.SetInitial(SystemFolderFile("shell32.dll"));
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(checked, 6);
    EXPECT_EQ(blackSquares, 0);
    EXPECT_GE(transparent, 4);
    EXPECT_TRUE(labelsFit);
}

TEST(ChangeIcon, NeverShrinksBelowTheBrowseButtonAndTheViewGrowsWithIt) {
    DialogDriver driver;
    RECT opened{}, smallest{}, browse{}, viewBefore{}, viewAfter{};
    driver.Then([&](HWND dialog) {
        GetWindowRect(dialog, &opened);
        GetWindowRect(GetDlgItem(dialog, IDC_ICON_VIEW), &viewBefore);
        SetWindowPos(dialog, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
        MINMAXINFO limits{};
        SendMessageA(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        smallest = {0, 0, limits.ptMinTrackSize.x, limits.ptMinTrackSize.y};
        GetWindowRect(GetDlgItem(dialog, IDC_ICON_BROWSE), &browse);
        SetWindowPos(dialog, nullptr, 0, 0, opened.right - opened.left + 100, opened.bottom - opened.top + 80,
                     SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(GetDlgItem(dialog, IDC_ICON_VIEW), &viewAfter);
        Click(dialog, IDCANCEL);
    });
    ChangeIconDialog dialog;
    dialog.SetInitial(SystemFolderFile("shell32.dll"));
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(smallest.right, opened.right - opened.left);
    EXPECT_LT(smallest.bottom, opened.bottom - opened.top);
    EXPECT_GE(smallest.bottom, browse.bottom - opened.top);
    EXPECT_EQ(viewAfter.right - viewAfter.left, viewBefore.right - viewBefore.left + 100);
    EXPECT_EQ(viewAfter.bottom - viewAfter.top, viewBefore.bottom - viewBefore.top + 80);
}

TEST_F(EditCommands, PageIconButtonRunsTheChangeIconDialogFromTheFieldsValue) {
    Open(kTree);
    SelectPage(1);
    const std::string shell32 = SystemFolderFile("shell32.dll");
    std::string normal;
    driver.Then([&](HWND dialog) {
        Click(dialog, IDC_PAGE_USE_ICONS);
        SetText(dialog, IDC_PAGE_NORMAL_ICON, shell32 + ">4");
        driver.Then([](HWND icons) {
            ListView_SetItemState(GetDlgItem(icons, IDC_ICON_VIEW), 7, LVIS_SELECTED, LVIS_SELECTED);
            Click(icons, IDOK);
        });
        Click(dialog, IDC_PAGE_BROWSE_NORMAL);
        normal = TextOf(dialog, IDC_PAGE_NORMAL_ICON);
        Click(dialog, IDCANCEL);
    });
    Command(ID_EDIT_PAGE);
    EXPECT_EQ(normal, shell32 + ">7");
    EXPECT_EQ(driver.Captions(), (std::vector<std::string>{"Edit page", "アイコンの変更"}));
}

// Run as administrator and paths relative to the program's drive, as the shortcut dialog stores them.
class ProgramDrivePaths : public EditCommands {
protected:
    static std::string ProgramDrive() {
        char module[MAX_PATH];
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        return std::string(module, 2);
    }
    void SetRelativePaths(bool on) {
        Preferences prefs;
        store->GetPreferences(prefs);
        prefs.bRelativePaths = on ? 1 : 0;
        store->SetPreferencesAndSave(prefs);
    }
    ShortcutRecord Stored(int index) {
        reread = Reread();
        ShortcutRecord record;
        EXPECT_TRUE(reread->GetShortcutAt(index, record));
        return record;
    }
    const std::string drive = ProgramDrive();
    std::unique_ptr<SettingsStore> reread;
};

TEST_F(ProgramDrivePaths, NewShortcutsGoDriveRelativeEditsRewriteOnlyChangedFieldsAndRunAsIsKept) {
    Open(kTree);
    SelectPage(1);
    SetRelativePaths(true);
    driver.Then([&](HWND dialog) {
        EXPECT_FALSE(testing::Checked(dialog, IDC_SHORTCUT_RUN_AS));
        SetText(dialog, IDC_SHORTCUT_NAME, "Stick");
        SetText(dialog, IDC_SHORTCUT_COMMAND, "\"" + drive + "\\Apps\\ソフト表.exe\" " + drive + "\\doc.txt");
        Click(dialog, IDC_SHORTCUT_NO_ICON);
        SetText(dialog, IDC_SHORTCUT_ICON, drive + "\\Apps\\icons.dll>2");
        SetText(dialog, IDC_SHORTCUT_FOLDER, drive + "\\Work");
        Click(dialog, IDC_SHORTCUT_RUN_AS);
        Click(dialog, IDOK);
    });
    Command(ID_ADD_SHORTCUT);
    ShortcutRecord added = Stored(4);
    // The parameters are the program's own: only the file part is the shortcut's path.
    EXPECT_STREQ(added.commandLine, ("\"\\Apps\\ソフト表.exe\" " + drive + "\\doc.txt").c_str());
    EXPECT_STREQ(added.icon, "\\Apps\\icons.dll>2");
    EXPECT_STREQ(added.workFolder, "\\Work");
    EXPECT_EQ(added.runAs, 1);
    EXPECT_NE(testing::ReadBytes(path).find("Namespace=Stick\r\nRunAs=1\r\n"), std::string::npos);

    // An existing absolute path on the same drive stays as it is unless the user changes that field.
    ASSERT_EQ(store->AddShortcut("Old", (drive + "\\Old\\a.exe").c_str(), nullptr, (drive + "\\OldWork").c_str(), 0,
                                 1, 0, 1, nullptr),
              5);
    ASSERT_TRUE(store->Save());
    SelectPage(1);
    SelectListItem("Old");
    bool runAsShown = true;
    driver.Then([&](HWND dialog) {
        runAsShown = testing::Checked(dialog, IDC_SHORTCUT_RUN_AS);
        SetText(dialog, IDC_SHORTCUT_FOLDER, drive + "\\NewWork");
        Click(dialog, IDOK);
    });
    Command(ID_EDIT_SHORTCUT);
    EXPECT_FALSE(runAsShown);
    ShortcutRecord old = Stored(5);
    EXPECT_STREQ(old.commandLine, (drive + "\\Old\\a.exe").c_str());
    EXPECT_STREQ(old.workFolder, "\\NewWork");

    // The box shows the stored flag, and clearing it clears the key.
    SelectListItem("Stick");
    driver.Then([&](HWND dialog) {
        runAsShown = testing::Checked(dialog, IDC_SHORTCUT_RUN_AS);
        Click(dialog, IDC_SHORTCUT_RUN_AS);
        Click(dialog, IDOK);
    });
    Command(ID_EDIT_SHORTCUT);
    EXPECT_TRUE(runAsShown);
    EXPECT_EQ(Stored(4).runAs, 0);
    EXPECT_EQ(testing::ReadBytes(path).find("RunAs="), std::string::npos);

    // Off (the default), a path on the program's drive is stored as typed.
    SetRelativePaths(false);
    driver.Then([&](HWND dialog) {
        SetText(dialog, IDC_SHORTCUT_NAME, "Absolute");
        SetText(dialog, IDC_SHORTCUT_COMMAND, drive + "\\Apps\\b.exe");
        Click(dialog, IDOK);
    });
    Command(ID_ADD_SHORTCUT);
    EXPECT_STREQ(Stored(6).commandLine, (drive + "\\Apps\\b.exe").c_str());
    EXPECT_EQ(driver.Pending(), 0u);
}

}  // namespace
}  // namespace brindle

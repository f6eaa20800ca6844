// The shortcut list's right-click menus, copy, cut and paste of files through the clipboard, and files
// dropped on the list, on a real main window. The shell's menu comes from the real shell or from a menu
// object of the test; the test reads the tracked menu and chooses its item; launches go to the probe.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "launch/shell_launch_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/message_box_win.h"
#include "ui/pickers_win.h"
#include "unit/test_support.h"
#include "views/clipboard_blocks.h"
#include "views/clipboard_win.h"
#include "views/shell_menu_rules.h"
#include "win/dialog_driver.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::DialogDriver;
using testing::ModalWatchdog;
using testing::TextOf;
using Bytes = std::vector<unsigned char>;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::wstring WideOf(const std::string& ansi) {
    std::wstring wide(ansi.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(
                    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), static_cast<int>(wide.size()))) -
                1);
    return wide;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One item of a tracked menu as the user sees it.
struct MenuItem {
    UINT id;
    std::string text;
    bool grayed, checked, separator;
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
    std::vector<MenuItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back({info.wID, text, (info.fState & MFS_GRAYED) != 0, (info.fState & MFS_CHECKED) != 0,
                         (info.fType & MFT_SEPARATOR) != 0});
    }
    return items;
}

// Reads each menu it is handed and answers with what the test chooses (0: dismissed).
class ChoosingTracker : public MenuTracker {
public:
    UINT Track(HMENU popup, HWND, POINT) override {
        menus.push_back(ItemsOf(popup));
        return choose ? choose(popup) : 0;
    }
    std::function<UINT(HMENU)> choose;
    std::vector<std::vector<MenuItem>> menus;
};

// A shell menu as some shell extensions make it: IContextMenu only, with a paste verb among its items.
// "open" has the offset of shortcut 3 (whose program is missing), "fail" fails when invoked, and "stray"
// lies beyond the range the menu reports.
class FakeShellMenu : public IContextMenu {
public:
    static constexpr const char* kVerbs[] = {"copy", "cut", "paste", "open", "link", "delete", "fail", "stray"};
    static constexpr UINT kCount = sizeof kVerbs / sizeof kVerbs[0];
    static constexpr UINT kReported = kCount - 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IContextMenu) {
            *out = static_cast<IContextMenu*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT position, UINT first, UINT, UINT) override {
        for (UINT i = 0; i < kCount; ++i)
            InsertMenuA(menu, position + i, MF_BYPOSITION | MF_STRING, first + i, kVerbs[i]);
        firstId = first;
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, kReported);
    }
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override {
        const UINT offset = LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb));
        if (HIWORD(reinterpret_cast<UINT_PTR>(info->lpVerb)) || offset >= kCount)
            return E_INVALIDARG;
        invoked.push_back(kVerbs[offset]);
        if (whileInvoked)
            whileInvoked();
        return std::string(kVerbs[offset]) == "fail" ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR offset, UINT type, UINT*, CHAR* name, UINT size) override {
        if (type != GCS_VERBA || offset >= kCount)
            return E_INVALIDARG;
        lstrcpynA(name, kVerbs[offset], static_cast<int>(size));
        return S_OK;
    }
    UINT Id(const std::string& verb) const {
        for (UINT i = 0; i < kCount; ++i)
            if (verb == kVerbs[i])
                return firstId + i;
        return 0;
    }

    ULONG references = 1;
    UINT firstId = 0;
    std::vector<std::string> invoked;
    std::function<void()> whileInvoked;
};

class FakeSource : public ShellMenuSource {
public:
    explicit FakeSource(FakeShellMenu& menu) : menu_(menu) {}
    ui::ComPtr<IContextMenu> MenuOf(HWND, const std::string& path) override {
        paths.push_back(path);
        return ui::ComPtr<IContextMenu>(&menu_);
    }
    std::vector<std::string> paths;

private:
    FakeShellMenu& menu_;
};

// The clipboard as another program writes it (an empty effect: no effect block at all).
void PutOnClipboard(const Bytes& drop, const Bytes& effect) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    for (auto [format, bytes] :
         {std::pair{UINT{CF_HDROP}, &drop}, std::pair{RegisterClipboardFormatA("Preferred DropEffect"), &effect}}) {
        if (bytes->empty())
            continue;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
        std::memcpy(GlobalLock(block), bytes->data(), bytes->size());
        GlobalUnlock(block);
        SetClipboardData(format, block);
    }
    CloseClipboard();
}

Bytes ClipboardData(UINT format) {
    Bytes bytes;
    if (!OpenClipboard(nullptr))
        return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        const auto* at = static_cast<const unsigned char*>(GlobalLock(data));
        bytes.assign(at, at + GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

// A drop block of UTF-16 names as the desktop shell writes it.
Bytes WideDrop(const std::vector<std::wstring>& names) {
    Bytes block(kDropHeaderSize, 0);
    block[0] = static_cast<unsigned char>(kDropHeaderSize);
    block[16] = 1;
    for (const std::wstring& name : names) {
        for (wchar_t c : name + L'\0') {
            block.push_back(static_cast<unsigned char>(c & 0xFF));
            block.push_back(static_cast<unsigned char>(c >> 8));
        }
    }
    block.push_back(0);
    block.push_back(0);
    return block;
}

Bytes NarrowDrop(const std::vector<std::string>& names) {
    Bytes block(kDropHeaderSize, 0);
    block[0] = static_cast<unsigned char>(kDropHeaderSize);
    for (const std::string& name : names) {
        block.insert(block.end(), name.begin(), name.end());
        block.push_back(0);
    }
    block.push_back(0);
    return block;
}

// A drop handle as the system makes it for WM_DROPFILES.
HGLOBAL DropHandle(const Bytes& block) {
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block.size());
    std::memcpy(GlobalLock(drop), block.data(), block.size());
    GlobalUnlock(drop);
    return drop;
}

// The Ctrl key as this thread's input state reports it.
class CtrlHeld {
public:
    CtrlHeld() { Set(0x80); }
    ~CtrlHeld() { Set(0); }

private:
    static void Set(BYTE state) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = state;
        SetKeyboardState(keys);
    }
};

class ShellMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ui::SetAppMessages(&messages);
        ui::SetAppPickers(&pickers);
        char module[MAX_PATH];
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        const std::string modulePath(module);
        ASSERT_TRUE(CopyFileA((modulePath.substr(0, modulePath.rfind('\\')) + "\\launch_probe.exe").c_str(),
                              probe.c_str(), FALSE));
        SetEnvironmentVariableA("BRINDLE_PROBE_OUT", report.c_str());
        CreateDirectoryA(destination.c_str(), nullptr);
        CreateDirectoryA(other.c_str(), nullptr);
        testing::WriteBytes(file, "text");
    }
    void TearDown() override {
        window.reset();
        ui::SetAppMessages(nullptr);
        ui::SetAppPickers(nullptr);
        SetEnvironmentVariableA("BRINDLE_PROBE_OUT", nullptr);
    }
    // Shortcuts 0 to 4: the probe, the file, the destination folder, a missing program, the other folder.
    void Open(const std::string& prefs) {
        path = folder.File("Menu.INI");
        testing::WriteBytes(path,
                            "[Brindle]\r\nwinMainFrame=100,80,700,500\r\nwinSeparator=150\r\nListStyle=1\r\n"
                            "iChkLoadIcon=1\r\nPage=0\r\n" +
                                prefs + "[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n" +
                                Shortcut(0, "probe", "\"" + probe + "\" -x") + Shortcut(1, "file", file) +
                                Shortcut(2, "dest", destination) + Shortcut(3, "missing", folder.File("無い.exe")) +
                                Shortcut(4, "other", other));
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
        MainDialog::Options options;
        options.instanceName = "INI.menu_Mutex";
        window = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(window->Create(nullptr));
        ShowWindow(window->Hwnd(), SW_SHOW);
        Pump();
        window->SetMenuTracker(&tracker);
        driver.Ignore(window->Hwnd());
    }
    static std::string Shortcut(int index, const std::string& name, const std::string& commandLine) {
        char section[16];
        std::snprintf(section, sizeof section, "[#%05d]\r\n", index);
        return section + ("Namespace=" + name + "\r\nCommandLine=" + commandLine + "\r\nPageId=0\r\n");
    }
    HWND List() { return window->Item(IDC_LIST); }
    // Selects the list item of store index `index` (-1: none).
    void Select(int index) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int i = 0; i < ListView_GetItemCount(List()); ++i) {
            LVITEMA item{};
            item.mask = LVIF_PARAM;
            item.iItem = i;
            ListView_GetItem(List(), &item);
            if (item.lParam == index)
                ListView_SetItemState(List(), i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    // A right click on the list as the control reports it.
    void RightClick() {
        NMHDR header{List(), IDC_LIST, static_cast<UINT>(NM_RCLICK)};
        SendMessageA(window->Hwnd(), WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header));
        Pump();
    }
    // Right-clicks shortcut `index` and chooses the item of the shell menu whose verb is `verb`.
    void ChooseVerb(int index, const std::string& verb) {
        Select(index);
        tracker.choose = [&](HMENU popup) { return IdOfVerb(popup, verb); };
        RightClick();
    }
    UINT IdOfVerb(HMENU popup, const std::string& verb) {
        const ShellMenuState* held = window->HeldShellMenu();
        if (!held)
            return 0;
        for (const MenuItem& item : ItemsOf(popup)) {
            char name[256] = "";
            if (held->Gave(static_cast<int>(item.id)) &&
                SUCCEEDED(
                    held->menu->GetCommandString(item.id - held->firstId, GCS_VERBA, nullptr, name, sizeof name)) &&
                verb == name)
                return item.id;
        }
        ADD_FAILURE() << "no item with the verb " << verb;
        return 0;
    }
    void Drop(const Bytes& block) {
        SendMessageA(List(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropHandle(block)), 0);
        Pump();
    }
    // The probe's parameters (its command line after the quoted program), waiting for it to write them.
    std::string ProbeParameters() {
        std::string text;
        for (int i = 0; i < 200 && text.empty(); ++i) {
            text = testing::ReadBytes(report);
            if (text.empty())
                Sleep(50);
        }
        const size_t close = text.find('"', 1);
        return text.empty() || close == std::string::npos ? "<no report>"
                                                          : text.substr(close + 1, text.find('\n') - close - 1);
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const auto& box : messages.boxes)
            texts.push_back(box.text);
        return texts;
    }

    testing::WinFolder folder;
    std::string probe = folder.File("probe 表.exe");
    std::string report = folder.File("report.txt");
    std::string file = folder.File("ソフト表.txt");  // trail bytes 0x5C
    std::string destination = folder.File("貼付先");
    std::string other = folder.File("別の場所");
    std::string path;
    testing::RecordingMessages messages;
    testing::RecordingPickers pickers;
    ChoosingTracker tracker;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> window;
    DialogDriver driver;
};

const std::vector<std::string> kProgramItems = {"&Edit Shortcut", "&Remove Shortcut", "", "Exist &folder", ""};

std::vector<std::string> TextsOf(const std::vector<MenuItem>& items) {
    std::vector<std::string> texts;
    for (const MenuItem& item : items)
        texts.push_back(item.text);
    return texts;
}

TEST_F(ShellMenu, AShellMenuWithoutMenu3RunsItsCommandsItselfAndOnlyWithinItsRange) {
    Open("");
    FakeShellMenu fake;
    FakeSource source(fake);
    window->SetShellMenuSource(&source);
    Select(1);
    RightClick();
    ASSERT_EQ(tracker.menus.size(), 1u);
    ASSERT_EQ(source.paths, std::vector<std::string>{file});
    // The program's items, a separator, then the shell's with copy, paste, cut, link and delete grayed.
    const std::vector<MenuItem>& menu = tracker.menus[0];
    std::vector<std::string> expected = kProgramItems;
    expected.insert(expected.end(), std::begin(FakeShellMenu::kVerbs), std::end(FakeShellMenu::kVerbs));
    EXPECT_EQ(TextsOf(menu), expected);
    std::vector<std::string> grayed;
    for (const MenuItem& item : menu)
        if (item.grayed && !item.separator)
            grayed.push_back(item.text);
    EXPECT_EQ(grayed, (std::vector<std::string>{"copy", "cut", "paste", "link", "delete"}));
    EXPECT_EQ(window->HeldShellMenu(), nullptr);

    // "open" has shortcut 3's id in the tray menu: the shell menu carries it out, nothing launches.
    tracker.choose = [&](HMENU) { return fake.Id("open"); };
    RightClick();
    EXPECT_EQ(fake.invoked, std::vector<std::string>{"open"});
    EXPECT_TRUE(messages.boxes.empty());
    // An item beyond the range the shell reported is nobody's.
    tracker.choose = [&](HMENU) { return fake.Id("stray"); };
    RightClick();
    EXPECT_EQ(fake.invoked.size(), 1u);
    EXPECT_TRUE(messages.boxes.empty());
    tracker.choose = [&](HMENU) { return fake.Id("fail"); };
    RightClick();
    EXPECT_EQ(fake.invoked.back(), "fail");
    EXPECT_EQ(Texts(), std::vector<std::string>{kShellCommandFailed});
    EXPECT_EQ(messages.boxes[0].style, box::kOk);

    // Afterwards the range is the tray menu's again: shortcut 3 is launched (its program is missing).
    EXPECT_EQ(window->HeldShellMenu(), nullptr);
    EXPECT_EQ(fake.references, 1u);  // every reference given back
    SendMessageA(window->Hwnd(), WM_COMMAND, kFirstItemCommand + 3, 0);
    ASSERT_EQ(messages.boxes.size(), 2u);
    EXPECT_NE(messages.boxes[1].text.find("起動に失敗しました"), std::string::npos);
}

// Another program sends the main window the ids of the shell menu's items while the menu is up and while
// its command runs: only the item the user chose in the menu is carried out.
TEST_F(ShellMenu, OnlyTheTrackedMenusChoiceReachesTheShell) {
    Open("bCopyPaste=1\r\nbCutDelete=1\r\n");
    FakeShellMenu fake;
    FakeSource source(fake);
    window->SetShellMenuSource(&source);
    HWND main = window->Hwnd();
    fake.whileInvoked = [&] {
        fake.whileInvoked = nullptr;
        SendMessageA(main, WM_COMMAND, fake.Id("fail"), 0);
        PostMessageA(main, WM_COMMAND, fake.Id("link"), 0);
        Pump();
    };
    Select(1);
    tracker.choose = [&](HMENU) {
        SendMessageA(main, WM_COMMAND, fake.Id("delete"), 0);
        PostMessageA(main, WM_COMMAND, fake.Id("link"), 0);
        Pump();
        return fake.Id("open");
    };
    RightClick();
    EXPECT_EQ(fake.invoked, std::vector<std::string>{"open"});
    EXPECT_TRUE(messages.boxes.empty()) << "no failure, and no shortcut launched by those ids either";
    EXPECT_EQ(window->HeldShellMenu(), nullptr);
}

TEST_F(ShellMenu, CtrlOrNoSelectionGivesTheProgramsOwnListMenu) {
    Open("");
    FakeShellMenu fake;
    FakeSource source(fake);
    window->SetShellMenuSource(&source);
    auto itemWith = [](const std::vector<MenuItem>& menu, UINT id) {
        for (const MenuItem& item : menu)
            if (item.id == id)
                return item;
        return MenuItem{};
    };
    Select(-1);
    RightClick();
    {
        CtrlHeld ctrl;
        Select(1);
        tracker.choose = [](HMENU) { return UINT{ID_VIEW_ICON}; };
        RightClick();
    }
    EXPECT_TRUE(source.paths.empty());
    ASSERT_EQ(tracker.menus.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const std::vector<MenuItem>& menu = tracker.menus[i];
        EXPECT_EQ(menu.size(), 12u);
        for (UINT id : {ID_EDIT_SHORTCUT, ID_REMOVE_SHORTCUT, ID_EXIST_FOLDER})
            EXPECT_EQ(itemWith(menu, id).grayed, i == 0) << id;
        EXPECT_FALSE(itemWith(menu, ID_ADD_SHORTCUT).grayed);
        // The detail view is the current one.
        for (UINT id : {ID_VIEW_ICON, ID_VIEW_SMALL_ICON, ID_VIEW_LIST, ID_VIEW_DETAIL})
            EXPECT_EQ(itemWith(menu, id).checked, id == ID_VIEW_DETAIL) << id;
    }
    // The chosen command reaches the main window.
    EXPECT_EQ(GetWindowLongA(List(), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
    tracker.choose = nullptr;
    Select(-1);
    RightClick();
    ASSERT_EQ(tracker.menus.size(), 3u);
    EXPECT_EQ(tracker.menus[2].size(), 12u);
    for (UINT id : {ID_VIEW_ICON, ID_VIEW_SMALL_ICON, ID_VIEW_LIST, ID_VIEW_DETAIL})
        EXPECT_EQ(itemWith(tracker.menus[2], id).checked, id == ID_VIEW_ICON) << id;
}

TEST_F(ShellMenu, TheRealShellMenuOfAFileDeletesThroughTheShellAndReportsAFailingVerb) {
    Open("bCopyPaste=0\r\nbCutDelete=0\r\n");
    // The defaults gray the file verbs the shell offers and keep the others.
    Select(1);
    std::vector<std::string> grayed, kept;
    tracker.choose = [&](HMENU popup) {
        const ShellMenuState* held = window->HeldShellMenu();
        EXPECT_NE(held, nullptr);
        for (const MenuItem& item : ItemsOf(popup)) {
            char verb[256] = "";
            if (held && held->Gave(static_cast<int>(item.id)) &&
                SUCCEEDED(held->menu->GetCommandString(item.id - held->firstId, GCS_VERBA, nullptr, verb, sizeof verb)))
                (item.grayed ? grayed : kept).push_back(verb);
        }
        return UINT{0};
    };
    RightClick();
    for (const char* verb : {"copy", "cut", "delete"})
        EXPECT_NE(std::find(grayed.begin(), grayed.end(), verb), grayed.end()) << verb;
    EXPECT_NE(std::find(kept.begin(), kept.end(), "open"), kept.end());
    EXPECT_EQ(std::find(kept.begin(), kept.end(), "delete"), kept.end());
    EXPECT_EQ(window->HeldShellMenu(), nullptr);

    // A missing target has no shell menu: the program's four items alone.
    Select(3);
    tracker.choose = nullptr;
    RightClick();
    EXPECT_EQ(TextsOf(tracker.menus.back()),
              (std::vector<std::string>{"&Edit Shortcut", "&Remove Shortcut", "", "Exist &folder"}));

    // With delete allowed, the shell asks (answered yes) and deletes.
    Preferences prefs;
    store->GetPreferences(prefs);
    prefs.bCutDelete = 1;
    store->SetPreferencesAndSave(prefs);
    {
        ModalWatchdog watchdog(IDYES);
        ChooseVerb(1, "delete");
        for (int i = 0; i < 50 && Exists(file); ++i) {
            Sleep(100);
            Pump();
        }
    }
    EXPECT_FALSE(Exists(file));
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes[0].text;

    // A command of the shell's range that the shell cannot carry out (one it gave no item).
    testing::WriteBytes(file, "again");
    Select(1);
    tracker.choose = [&](HMENU popup) {
        const ShellMenuState* held = window->HeldShellMenu();
        for (UINT id = held ? held->firstId : 0; id < (held ? held->endId : 0); ++id) {
            if (GetMenuState(popup, id, MF_BYCOMMAND) == static_cast<UINT>(-1))
                return id;
        }
        ADD_FAILURE() << "the shell used every id of its range";
        return UINT{0};
    };
    RightClick();
    EXPECT_EQ(Texts(), std::vector<std::string>{kShellCommandFailed});
    EXPECT_TRUE(Exists(file));
}

TEST_F(ShellMenu, CopyAndCutPutTheFileWithItsEffectOnTheClipboard) {
    Open("bCopyPaste=1\r\nbCutDelete=1\r\n");
    ChooseVerb(1, "copy");
    EXPECT_EQ(ClipboardData(CF_HDROP), FileDropBlock(file));
    EXPECT_EQ(ClipboardData(RegisterClipboardFormatA("Preferred DropEffect")), EffectBlock(kEffectCopy));
    ChooseVerb(1, "cut");
    EXPECT_EQ(ClipboardData(CF_HDROP), FileDropBlock(file));
    EXPECT_EQ(ClipboardData(RegisterClipboardFormatA("Preferred DropEffect")), EffectBlock(kEffectMove));
    EXPECT_TRUE(Exists(file));  // a cut moves nothing until the paste
    EXPECT_TRUE(messages.boxes.empty());

    // Another program holds the clipboard open: after a moment's retry the user is told.
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr), done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(done, 10000);
        CloseClipboard();
    });
    WaitForSingleObject(opened, 10000);
    ChooseVerb(1, "copy");
    SetEvent(done);
    holder.join();
    CloseHandle(opened);
    CloseHandle(done);
    EXPECT_EQ(Texts(), std::vector<std::string>{kClipboardBusy});
}

// Cancels the shell's boxes as they come up, and notes whether the clipboard was open at that moment.
// The main window, disabled under a box it owns, is left alone.
struct BoxCloser {
    static inline int boxes = 0;
    static inline bool clipboardOpen = false;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), Close, 0); }
    static BOOL CALLBACK Close(HWND window, LPARAM) {
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window)) {
            ++boxes;
            clipboardOpen = clipboardOpen || GetOpenClipboardWindow() != nullptr;
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        return TRUE;
    }
};

class Paste : public ShellMenu {
protected:
    void SetUp() override {
        ShellMenu::SetUp();
        Open("bCopyPaste=1\r\n");
        window->SetShellMenuSource(&source);
        testing::WriteBytes(first, "one");
        testing::WriteBytes(second, "two");
    }
    // Pastes through shortcut `index`'s menu; the shell's boxes are cancelled.
    void PasteOn(int index) {
        Select(index);
        tracker.choose = [&](HMENU) { return fake.Id("paste"); };
        BoxCloser::boxes = 0;
        BoxCloser::clipboardOpen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, BoxCloser::OnTimer);
        RightClick();
        KillTimer(nullptr, timer);
    }

    FakeShellMenu fake;
    FakeSource source{fake};
    std::string first = folder.File("一つ目 表.txt"), second = folder.File("二つ目.txt");
};

TEST_F(Paste, AWideListIsCopiedOrMovedWholeAndACancelledOverwriteSaysSo) {
    PutOnClipboard(WideDrop({WideOf(first), WideOf(second)}), EffectBlock(kEffectCopy));
    PasteOn(2);
    EXPECT_EQ(testing::ReadBytes(destination + "\\一つ目 表.txt"), "one");
    EXPECT_EQ(testing::ReadBytes(destination + "\\二つ目.txt"), "two");
    EXPECT_TRUE(Exists(first) && Exists(second));
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes[0].text;

    // Again into the same folder: the shell asks before overwriting; cancelled, the user is told, and
    // the clipboard was free meanwhile.
    PasteOn(2);
    EXPECT_GT(BoxCloser::boxes, 0);
    EXPECT_FALSE(BoxCloser::clipboardOpen);
    EXPECT_EQ(Texts(), std::vector<std::string>{kPasteAborted});
    messages.boxes.clear();

    // A cut moves, into the folder the menu was built for even when the selection moves meanwhile.
    // (Wine's file operation refuses to move several files into one folder without a destination for
    // each, so the cut moves one.)
    DeleteFileA((destination + "\\一つ目 表.txt").c_str());
    PutOnClipboard(WideDrop({WideOf(first)}), EffectBlock(kEffectMove));
    Select(2);
    tracker.choose = [&](HMENU) {
        Select(4);
        return fake.Id("paste");
    };
    RightClick();
    EXPECT_EQ(testing::ReadBytes(destination + "\\一つ目 表.txt"), "one");
    EXPECT_FALSE(Exists(first));
    EXPECT_TRUE(Exists(second));
    EXPECT_FALSE(Exists(other + "\\一つ目 表.txt"));
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes[0].text;
}

TEST_F(Paste, WhatCannotBePastedIsToldAndNothingChanges) {
    // Onto a program, and onto a folder that does not exist.
    PutOnClipboard(NarrowDrop({first}), EffectBlock(kEffectCopy));
    PasteOn(0);
    PasteOn(3);
    // Clipboard data that lies about its size, or has no effect block, or an effect of neither kind.
    Bytes lying = NarrowDrop({first});
    lying[0] = static_cast<unsigned char>(lying.size());
    PutOnClipboard(lying, EffectBlock(kEffectCopy));
    PasteOn(2);
    Bytes unclosed = NarrowDrop({first});
    unclosed.pop_back();
    PutOnClipboard(unclosed, EffectBlock(kEffectCopy));
    PasteOn(2);
    PutOnClipboard(NarrowDrop({first}), Bytes{1, 0});
    PasteOn(2);
    PutOnClipboard(NarrowDrop({first}), EffectBlock(4));
    PasteOn(2);
    // A name the code page cannot hold, named; the other file is not pasted either.
    const std::wstring foreign = WideOf(folder.Path()) + L"\\\uD55C\u00E9.txt";
    HANDLE made = CreateFileW(foreign.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(made);
    PutOnClipboard(WideDrop({WideOf(first), foreign}), EffectBlock(kEffectCopy));
    PasteOn(2);
    // A source that is gone: the shell's failure is reported with its reason, not the system's text for
    // an error code of the same number.
    PutOnClipboard(NarrowDrop({folder.File("消えた.txt")}), EffectBlock(kEffectCopy));
    PasteOn(2);
    // Wildcards and relative names, which the file operation would expand or take from the program's
    // current folder, as a move of a whole folder's files would show.
    const std::string everything = folder.Path() + "\\*";
    PutOnClipboard(NarrowDrop({everything}), EffectBlock(kEffectMove));
    PasteOn(2);
    PutOnClipboard(WideDrop({WideOf(first), WideOf(folder.Path() + "\\二つ目.tx?")}), EffectBlock(kEffectMove));
    PasteOn(2);
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(folder.Path().c_str());
    PutOnClipboard(NarrowDrop({"一つ目 表.txt"}), EffectBlock(kEffectMove));
    PasteOn(2);
    PutOnClipboard(NarrowDrop({"C:二つ目.txt"}), EffectBlock(kEffectCopy));
    PasteOn(2);
    SetCurrentDirectoryA(current);
    EXPECT_TRUE(Exists(first) && Exists(second) && Exists(probe));

    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[0], "ディレクトリにのみ貼り付けできます\n解析した出力先=" + probe);
    EXPECT_EQ(texts[1], "ディレクトリにのみ貼り付けできます\n解析した出力先=" + folder.File("無い.exe"));
    EXPECT_EQ(texts[2], kPasteFormatError);
    EXPECT_EQ(texts[3], kPasteFormatError);
    EXPECT_EQ(texts[4], kPasteFormatError);
    EXPECT_EQ(texts[5], "貼り付け方法が不明です 00000004");
    EXPECT_EQ(texts[6].rfind("以下のファイル名はこのシステムの文字で表せないので扱えません。\n", 0), 0u) << texts[6];
    EXPECT_NE(texts[6].find(folder.Path() + "\\?"), std::string::npos) << texts[6];
    EXPECT_EQ(texts[6].find("一つ目"), std::string::npos);
    const unsigned long code = std::strtoul(texts[7].c_str() + std::strlen("貼り付けに失敗しました(Code="), nullptr, 10);
    char failed[512];
    std::snprintf(failed, sizeof failed, kPasteFailed, code, FileOperationFailureReason(code));
    EXPECT_EQ(texts[7], failed);
    for (size_t i = 8; i < 12; ++i)
        EXPECT_EQ(texts[i], kPasteFormatError) << i;
    for (const auto& box : messages.boxes)
        EXPECT_EQ(box.style, box::kIconStop);
    EXPECT_FALSE(Exists(destination + "\\一つ目 表.txt"));
}

TEST_F(Paste, AListWithoutAnEffectIsACopyAndAMoveLeavesTheClipboardEmpty) {
    // Another program's list without the effect block: copied, as the desktop shell takes it.
    PutOnClipboard(NarrowDrop({first}), Bytes{});
    PasteOn(2);
    EXPECT_EQ(testing::ReadBytes(destination + "\\一つ目 表.txt"), "one");
    EXPECT_TRUE(Exists(first));
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes[0].text;
    EXPECT_FALSE(ClipboardData(CF_HDROP).empty());  // a copy can be pasted again

    // A move: the files are no longer where the clipboard says, so it no longer says so.
    PutOnClipboard(WideDrop({WideOf(second)}), EffectBlock(kEffectMove));
    PasteOn(2);
    EXPECT_EQ(testing::ReadBytes(destination + "\\二つ目.txt"), "two");
    EXPECT_FALSE(Exists(second));
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes[0].text;
    EXPECT_TRUE(ClipboardData(CF_HDROP).empty());
    EXPECT_TRUE(ClipboardData(RegisterClipboardFormatA("Preferred DropEffect")).empty());
    PasteOn(2);
    EXPECT_EQ(Texts(), std::vector<std::string>{kPasteFormatError});
}

// Names are converted for any code page, also one that refuses the conversion's flags (UTF-8, as a
// system set to use UTF-8 for its ANSI code page has it); a character the code page lacks is refused.
TEST(NameConversion, UnicodeNamesForTheSystemCodePageAndForUtf8) {
    const std::wstring name = L"C:\\\u8868\\\u00E9\u4E00.txt";  // 表, é, 一
    EXPECT_EQ(ToCodePage(name, CP_UTF8), std::optional<std::string>("C:\\\xE8\xA1\xA8\\\xC3\xA9\xE4\xB8\x80.txt"));
    EXPECT_EQ(ToCodePage(L"C:\\\u8868\\\u4E00.txt", 932), std::optional<std::string>("C:\\表\\一.txt"));
    EXPECT_EQ(ToCodePage(name, 932), std::nullopt);           // é: no best-fit "e" in its place
    EXPECT_EQ(ToCodePage(L"\uD55C.txt", 932), std::nullopt);  // a Hangul syllable
    EXPECT_EQ(ToCodePage(L"a\xD800" L"z", CP_UTF8), std::nullopt);  // half a surrogate pair
    EXPECT_EQ(ToAnsi(L"C:\\\u8868.txt"), std::optional<std::string>("C:\\表.txt"));
}

TEST_F(ShellMenu, DroppedFilesStartTheSelectedShortcutInTheirOrder) {
    Open("");
    Select(0);
    const std::string spaced = folder.File("a b.txt"), plain = folder.File("表c.txt");
    Drop(NarrowDrop({spaced, plain}));
    // The shell puts a blank between the program and its parameters, which begin with one.
    EXPECT_EQ(ProbeParameters(), "  -x \"" + spaced + "\" \"" + plain + "\"");
    DeleteFileA(report.c_str());
    Drop(WideDrop({WideOf(plain), WideOf(spaced)}));
    EXPECT_EQ(ProbeParameters(), "  -x \"" + plain + "\" \"" + spaced + "\"");
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ShellMenu, ADropWithCtrlHeldProposesAShortcutForTheFirstFile) {
    Open("");
    Select(0);
    std::string name, commandLine;
    driver.Then([&](HWND dialog) {
        name = TextOf(dialog, IDC_SHORTCUT_NAME);
        commandLine = TextOf(dialog, IDC_SHORTCUT_COMMAND);
        testing::Click(dialog, IDCANCEL);
    });
    {
        CtrlHeld ctrl;
        Drop(NarrowDrop({file, probe}));
    }
    EXPECT_EQ(driver.Pending(), 0u);
    EXPECT_EQ(commandLine, file);
    EXPECT_EQ(name, "ソフト表");
    EXPECT_EQ(Texts(), std::vector<std::string>{"複数のﾌｧｲﾙをﾄﾞﾛｯﾌﾟしましたが、以下の1つのみ有効です。\n" + file});
    EXPECT_TRUE(window->Ready());
}

TEST_F(ShellMenu, EmptyDropsAndDropsDuringAnEditingDialogDoNothing) {
    Open("");
    // Shortcut 3's program is missing: a launch would say so at once.
    Select(3);
    Drop(NarrowDrop({}));
    Drop(WideDrop({}));
    Select(-1);
    Drop(NarrowDrop({}));
    driver.Then([&](HWND dialog) {
        Select(3);
        Drop(NarrowDrop({file}));
        testing::Click(dialog, IDCANCEL);
    });
    SendMessageA(window->Hwnd(), WM_COMMAND, ID_ADD_SHORTCUT, 0);
    Pump();
    EXPECT_EQ(driver.Captions().size(), 1u);  // the one dialog the command opened, none from the drops
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes[0].text;
    // The same drop afterwards is taken.
    Select(3);
    Drop(NarrowDrop({file}));
    EXPECT_EQ(messages.boxes.size(), 1u);
}

// Every launch as the shell is asked for it, answered as the test says.
class RecordingShell : public ShellExecutor {
public:
    RecordingShell() { SetAppShellExecutor(this); }
    ~RecordingShell() override { SetAppShellExecutor(nullptr); }
    int Execute(HWND, const ShellRequest& request, unsigned long& error) override {
        requests.push_back(request);
        error = nextError;
        return nextResult;
    }
    std::vector<ShellRequest> requests;
    int nextResult = 42;
    unsigned long nextError = ERROR_SUCCESS;
};

TEST_F(ShellMenu, ProgramsOfferRunAsAdministratorOnTopAndElevatedLaunchesAskTheShellForRunas) {
    Open("");
    FakeShellMenu fake;
    FakeSource source(fake);
    window->SetShellMenuSource(&source);
    RecordingShell shell;

    // A program: the item stands above the program's own items and launches it elevated.
    Select(0);
    tracker.choose = [](HMENU) { return static_cast<UINT>(ID_RUN_AS_ADMIN); };
    RightClick();
    ASSERT_EQ(tracker.menus.size(), 1u);
    std::vector<std::string> top = TextsOf(tracker.menus[0]);
    top.resize(kProgramItems.size() + 1);
    std::vector<std::string> expected = {"管理者として実行"};
    expected.insert(expected.end(), kProgramItems.begin(), kProgramItems.end());
    EXPECT_EQ(top, expected);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].verb, "runas");
    EXPECT_EQ(shell.requests[0].file, probe);
    EXPECT_EQ(shell.requests[0].parameters, " -x");

    // A document has no such item; its menu starts with the program's items as before.
    Select(1);
    tracker.choose = nullptr;
    RightClick();
    ASSERT_EQ(tracker.menus.size(), 2u);
    EXPECT_EQ(tracker.menus[1][0].text, kProgramItems[0]);

    // An ordinary launch keeps the default verb; a shortcut stored with RunAs=1 always asks for runas.
    SendMessageA(window->Hwnd(), WM_COMMAND, kFirstItemCommand + 0, 0);
    store->SetShortcutRunAs(1, true);
    SendMessageA(window->Hwnd(), WM_COMMAND, kFirstItemCommand + 1, 0);
    ASSERT_EQ(shell.requests.size(), 3u);
    EXPECT_EQ(shell.requests[1].verb, "");
    EXPECT_EQ(shell.requests[2].verb, "runas");
    EXPECT_EQ(shell.requests[2].file, file);
    EXPECT_TRUE(messages.boxes.empty());

    // The user declining the elevation prompt is an answer, not a failure; any other failure is told.
    shell.nextResult = 0;
    shell.nextError = ERROR_CANCELLED;
    SendMessageA(window->Hwnd(), WM_COMMAND, kFirstItemCommand + 1, 0);
    EXPECT_TRUE(messages.boxes.empty());
    shell.nextResult = 5;
    shell.nextError = ERROR_ACCESS_DENIED;
    SendMessageA(window->Hwnd(), WM_COMMAND, kFirstItemCommand + 1, 0);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text.rfind("起動に失敗しました(Code=5:", 0), 0u);
}

}  // namespace
}  // namespace brindle

// The main window, created for real on a temporary settings file and driven with messages.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/instance_query.h"
#include "app/launcher_app.h"
#include "mainwnd/hot_keys.h"
#include "mainwnd/keyboard_hook_win.h"
#include "mainwnd/layout.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "unit/test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

// Hot keys nobody else uses: Ctrl+Alt+F11 shows the window, Ctrl+Alt+F12 the tray menu.
constexpr int32_t kFocusKey = (2 | 4) << 16 | VK_F11;
constexpr int32_t kTrayKey = (2 | 4) << 16 | VK_F12;

std::string TempFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(GetCurrentProcessId()) + ".INI";
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Whether a hot key is registered by someone: registering the same keys again then fails.
bool KeysTaken(int32_t stored) {
    const unsigned modifiers = MOD_CONTROL | MOD_ALT;
    const unsigned key = stored & 0xFFFF;
    if (RegisterHotKey(nullptr, 0x7000, modifiers, key)) {
        UnregisterHotKey(nullptr, 0x7000);
        return false;
    }
    return true;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        path = TempFile("brindle-main");
        testing::WriteBytes(path,
                            "[Brindle]\r\nwinMainFrame=100,80,700,500\r\nwinSeparator=150\r\nListStyle=1\r\n"
                            "lfHeight=-14\r\nlfFaceName=IPAGothic\r\nclrTreeBack=15663086\r\nclrListText=128\r\n"
                            "dwHotkeyFocus=" + std::to_string(kFocusKey) + "\r\ndwHotkeyTray=" +
                                std::to_string(kTrayKey) + "\r\n[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n");
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
    }
    void TearDown() override {
        dialog.reset();
        DeleteFileA(path.c_str());
    }
    void Open(MainDialog::Options options = {}) {
        if (options.instanceName.empty()) options.instanceName = "INI.test_Mutex";
        dialog = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();  // the deferred initialisation
    }
    RECT ClientRectOf(int id) {
        RECT rect;
        GetWindowRect(dialog->Item(id), &rect);
        MapWindowPoints(nullptr, dialog->Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    Box BoxOf(int id) {
        RECT r = ClientRectOf(id);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    bool Visible() { return IsWindowVisible(dialog->Hwnd()) != 0; }

    std::string path;
    RecordingMessages messages;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> dialog;
};

TEST_F(MainWindow, OpensWhereItWasWithTheControlsLaidOut) {
    Open();
    RECT window;
    GetWindowRect(dialog->Hwnd(), &window);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 80);
    EXPECT_EQ(window.right, 700);
    EXPECT_EQ(window.bottom, 500);

    RECT client;
    GetClientRect(dialog->Hwnd(), &client);
    RECT combo;
    GetWindowRect(dialog->Item(IDC_PAGE_COMBO), &combo);
    const MainLayout expected = ComputeMainLayout(client.right, client.bottom, 150, combo.bottom - combo.top);
    EXPECT_EQ(BoxOf(IDC_TREE), expected.tree);
    EXPECT_EQ(BoxOf(IDC_SPLITTER), expected.splitter);
    EXPECT_EQ(BoxOf(IDC_STATUS), expected.status);
    EXPECT_EQ(BoxOf(IDC_LIST), expected.list);
    EXPECT_EQ(BoxOf(IDC_PAGE_COMBO).x, expected.combo.x);
    EXPECT_FALSE(IsWindowVisible(dialog->Item(IDC_STATUS)));

    HWND list = dialog->Item(IDC_LIST);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 6);
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 5);
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_NORMAL)), 5);
    EXPECT_EQ(TreeView_GetBkColor(dialog->Item(IDC_TREE)), 15663086u);
    EXPECT_EQ(ListView_GetTextColor(list), 128u);
    EXPECT_TRUE(dialog->HookInstalled());
    EXPECT_TRUE(KeysTaken(kFocusKey));
    EXPECT_FALSE(KeysTaken(kTrayKey));
    EXPECT_FALSE(dialog->IconPresent());

    char title[64] = {};
    GetWindowTextA(dialog->Hwnd(), title, sizeof title);
    EXPECT_STREQ(title, "ぶりんどる");
    HMENU system = GetSystemMenu(dialog->Hwnd(), FALSE);
    char label[32] = {};
    GetMenuStringA(system, 0, label, sizeof label, MF_BYPOSITION);
    EXPECT_STREQ(label, "Brindle");
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainWindow, AnEmptyStoredRectangleKeepsAVisibleWindow) {
    testing::WriteBytes(path, "[Brindle]\r\nwinMainFrame=0,0,0,0\r\n");
    store = std::make_unique<SettingsStore>(messages, path);
    store->Load();
    Open();
    RECT window;
    GetWindowRect(dialog->Hwnd(), &window);
    EXPECT_GT(window.right - window.left, 200);
    EXPECT_GT(window.bottom - window.top, 100);
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
}

TEST_F(MainWindow, SplitterDragKeepsTheLastValidPositionAndIsSaved) {
    Open();
    SendMessageA(dialog->Hwnd(), WM_SPLITTER_DRAG, 0, 0);
    EXPECT_TRUE(dialog->Dragging());
    SendMessageA(dialog->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(220, 50));
    SendMessageA(dialog->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 50));      // not inside: ignored
    SendMessageA(dialog->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5000, 50));   // beyond the right edge
    SendMessageA(dialog->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5000, 50));
    EXPECT_FALSE(dialog->Dragging());
    EXPECT_EQ(dialog->SplitterPosition(), 220);
    EXPECT_EQ(BoxOf(IDC_SPLITTER).x, 220);
    EXPECT_EQ(BoxOf(IDC_TREE).width, 219);

    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);  // Escape
    RecordingMessages m;
    SettingsStore reread(m, path);
    reread.Load();
    Preferences prefs;
    reread.GetPreferences(prefs);
    EXPECT_EQ(prefs.winSeparator, 220);
}

TEST_F(MainWindow, ClosingSaveWritesTheWindowState) {
    Open();
    MoveWindow(dialog->Hwnd(), 30, 40, 500, 350, TRUE);
    HWND list = dialog->Item(IDC_LIST);
    SetWindowLongA(list, GWL_STYLE, (GetWindowLongA(list, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_SMALLICON);
    ListView_SetBkColor(list, RGB(1, 2, 3));
    TreeView_SetTextColor(dialog->Item(IDC_TREE), RGB(4, 5, 6));

    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    const std::string text = testing::ReadBytes(path);
    EXPECT_NE(text.find("winMainFrame=30,40,530,390\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("ListStyle=2\r\n"), std::string::npos);
    EXPECT_NE(text.find("clrListBack=197121\r\n"), std::string::npos);
    EXPECT_NE(text.find("clrTreeText=394500\r\n"), std::string::npos);
    EXPECT_NE(text.find("clrListText=128\r\n"), std::string::npos);
    EXPECT_NE(text.find("lfHeight=-14\r\nlfWidth=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("lfFaceName=IPAGothic\r\n"), std::string::npos);
    EXPECT_NE(text.find("winSeparator=150\r\n"), std::string::npos);
    EXPECT_NE(text.find("0=Top,-1,0,0"), std::string::npos);
    EXPECT_FALSE(dialog->HookInstalled());
    EXPECT_FALSE(KeysTaken(kFocusKey));
}

TEST_F(MainWindow, HideAndRestoreSwitchIconAndHotKeys) {
    Open();
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(dialog->IconPresent());
    EXPECT_EQ(dialog->CurrentTrayIcon(), dialog->LoadedIcon(IDI_TRAY));
    EXPECT_NE(dialog->TrayMenu(), nullptr);
    EXPECT_TRUE(KeysTaken(kFocusKey));  // now as the restore key
    EXPECT_TRUE(KeysTaken(kTrayKey));

    // Moved while hidden: restoring puts it back at the stored rectangle.
    MoveWindow(dialog->Hwnd(), 0, 0, 300, 200, FALSE);
    SendMessageA(dialog->Hwnd(), WM_HOTKEY, kHotKeyRestore, 0);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(dialog->IconPresent());
    EXPECT_EQ(dialog->CurrentTrayIcon(), nullptr);
    EXPECT_EQ(dialog->TrayMenu(), nullptr);
    EXPECT_TRUE(KeysTaken(kFocusKey));
    EXPECT_FALSE(KeysTaken(kTrayKey));
    RECT window;
    GetWindowRect(dialog->Hwnd(), &window);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.right, 700);
}

TEST_F(MainWindow, IconButtonsAndTheReverseFlag) {
    Open();
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    SendMessageA(dialog->Hwnd(), WM_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONUP);  // no action
    EXPECT_FALSE(Visible());
    SendMessageA(dialog->Hwnd(), WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONUP);
    EXPECT_TRUE(Visible());
    dialog.reset();

    MainDialog::Options reversed;
    reversed.reverseButtons = true;
    Open(reversed);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    SendMessageA(dialog->Hwnd(), WM_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(Visible());
}

TEST_F(MainWindow, NotReadyIgnoresHotKeysClicksAndTheInstanceQuery) {
    Open();
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    dialog->SetReady(false);
    SendMessageA(dialog->Hwnd(), WM_HOTKEY, kHotKeyRestore, 0);
    SendMessageA(dialog->Hwnd(), WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONUP);
    SendMessageA(dialog->Hwnd(), WM_INSTANCE_QUERY, 2, 0);
    EXPECT_FALSE(Visible());
    dialog->SetReady(true);
    SendMessageA(dialog->Hwnd(), WM_INSTANCE_QUERY, 2, 0);
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainWindow, AcceleratorsAndTheSystemMenuReachTheSameCommands) {
    Open();
    // Ctrl+H through the accelerator table.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG message{dialog->Item(IDC_LIST), WM_KEYDOWN, 'H', 0x00230001, 0, {}};
    EXPECT_TRUE(dialog->PreTranslateMessage(message));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(dialog->IconPresent());
    SendMessageA(dialog->Hwnd(), WM_INSTANCE_QUERY, 2, 0);
    ASSERT_TRUE(Visible());

    // The "Hide" item of the "Brindle" popup in the system menu.
    SendMessageA(dialog->Hwnd(), WM_SYSCOMMAND, ID_HIDE, 0);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(dialog->IconPresent());
}

TEST_F(MainWindow, InstanceQueryAnswersOnlyItsOwnName) {
    MainDialog::Options options;
    options.instanceName = "INI.eldnirB/:C_MutexBrindle";
    Open(options);
    HWND window = dialog->Hwnd();
    EXPECT_EQ(static_cast<uint32_t>(SendMessageA(window, WM_INSTANCE_QUERY, 0, 0)),
              instance_query::NamePrefix(options.instanceName));
    EXPECT_EQ(SendMessageA(window, WM_INSTANCE_QUERY, 1, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_INSTANCE_QUERY, 7, 0), 0);

    auto copy = [window](uintptr_t tag, const void* data, DWORD size) {
        COPYDATASTRUCT c{tag, size, const_cast<void*>(data)};
        return SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&c));
    };
    const std::string& own = options.instanceName;
    EXPECT_EQ(copy(instance_query::kCopyDataTag, own.c_str(), own.size() + 1), 1);
    EXPECT_EQ(copy(instance_query::kCopyDataTag + 1, own.c_str(), own.size() + 1), 0);
    EXPECT_EQ(copy(instance_query::kCopyDataTag, own.c_str(), own.size()), 0);  // no terminator
    EXPECT_EQ(copy(instance_query::kCopyDataTag, nullptr, 0), 0);
    std::string huge(1 << 20, 'I');
    EXPECT_EQ(copy(instance_query::kCopyDataTag, huge.c_str(), huge.size() + 1), 0);
    EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, 0), 0);

    // A second start of the same settings file finds this window and brings it back.
    SendMessageA(window, WM_COMMAND, ID_HIDE, 0);
    ASSERT_FALSE(Visible());
    EXPECT_FALSE(HandOverToRunningInstance("INI.eldnirB/:C_MutexBrindlf"));
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(HandOverToRunningInstance(own));
    EXPECT_TRUE(Visible());
}

TEST_F(MainWindow, TaskbarHiddenModeKeepsAnIconInBothStates) {
    MainDialog::Options options;
    options.taskbarHidden = true;
    Open(options);
    EXPECT_TRUE(dialog->IconPresent());
    EXPECT_EQ(dialog->CurrentTrayIcon(), dialog->LoadedIcon(IDI_SMALL));
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    EXPECT_EQ(dialog->CurrentTrayIcon(), dialog->LoadedIcon(IDI_TRAY));
    SendMessageA(dialog->Hwnd(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);  // Explorer restarted
    EXPECT_TRUE(dialog->IconPresent());
    EXPECT_EQ(dialog->CurrentTrayIcon(), dialog->LoadedIcon(IDI_TRAY));
    SendMessageA(dialog->Hwnd(), WM_HOTKEY, kHotKeyRestore, 0);
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(dialog->IconPresent());
    EXPECT_EQ(dialog->CurrentTrayIcon(), dialog->LoadedIcon(IDI_SMALL));
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(dialog->IconPresent());
}

TEST_F(MainWindow, BringToFrontMovesAndShowsTheTarget) {
    Open();
    HWND target = CreateWindowA("STATIC", "target", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    WINDOWPLACEMENT& placement = dialog->BringToFrontPlacement();
    placement.rcNormalPosition = {40, 50, 240, 150};
    placement.flags = 0;
    // Another program's wParam is no pointer to follow: nothing happens, nothing crashes.
    SendMessageA(dialog->Hwnd(), WM_BRING_TO_FRONT, 0x12345678, reinterpret_cast<LPARAM>(target));
    EXPECT_FALSE(IsWindowVisible(target));
    SendMessageA(dialog->Hwnd(), WM_BRING_TO_FRONT, reinterpret_cast<WPARAM>(&placement),
                 reinterpret_cast<LPARAM>(target));
    RECT rect;
    GetWindowRect(target, &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right, 240);
    EXPECT_EQ(rect.bottom, 150);
    EXPECT_TRUE(IsWindowVisible(target));
    // The hide flag (-1) hides it again.
    EXPECT_EQ(dialog->BringToFront(target, placement.rcNormalPosition, -1), 1);
    EXPECT_FALSE(IsWindowVisible(target));
    DestroyWindow(target);
    EXPECT_EQ(dialog->BringToFront(target, placement.rcNormalPosition, 0), 0);  // no longer a window
}

// Pointer-carrying messages sent from another thread (as another program would) are left alone: a
// tooltip request that the window answers from its own thread goes unanswered from another.
TEST_F(MainWindow, ForeignPointersAreNotFollowed) {
    Open();
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = dialog->Hwnd();
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(dialog->Item(IDC_LIST));
    info.hdr.code = TTN_NEEDTEXTA;
    info.uFlags = TTF_IDISHWND;
    strcpy(info.szText, "untouched");
    info.lpszText = info.szText;
    SetCursorPos(0, 0);
    struct Send {
        HWND window;
        NMTTDISPINFOA* info;
        static DWORD WINAPI Run(void* data) {
            auto* send = static_cast<Send*>(data);
            SendMessageA(send->window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(send->info));
            return 0;
        }
    } send{dialog->Hwnd(), &info};
    HANDLE thread = CreateThread(nullptr, 0, Send::Run, &send, 0, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 5000, QS_ALLINPUT | QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        Pump();
    }
    CloseHandle(thread);
    EXPECT_STREQ(info.szText, "untouched");
    SendMessageA(dialog->Hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));  // from this thread: answered
    EXPECT_STREQ(info.lpszText, "選択してください");
}

TEST_F(MainWindow, ShortcutCommandsLaunchByStoreIndex) {
    // On a page that is not shown, so the list stays empty and Enter finds nothing selected.
    store->AddShortcut("gone", "C:\\no\\such\\program.exe", nullptr, nullptr, 0, 7, 0, 1, nullptr);
    Open();
    SendMessageA(dialog->Hwnd(), WM_COMMAND, kFirstItemCommand + 0, 0);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_NE(messages.boxes[0].text.find("C:\\no\\such\\program.exe"), std::string::npos);
    EXPECT_EQ(messages.boxes[0].style & MB_ICONMASK, static_cast<unsigned>(MB_ICONHAND));
    SendMessageA(dialog->Hwnd(), WM_COMMAND, kFirstItemCommand + 1, 0);  // no shortcut 1: nothing happens
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDOK, 0);                    // nothing selected: nothing happens
    EXPECT_EQ(messages.boxes.size(), 1u);
    EXPECT_TRUE(Visible());
}

TEST_F(MainWindow, TooltipAndTheTaskKeyWithoutItsDialog) {
    Open();
    HWND list = dialog->Item(IDC_LIST);
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = dialog->Hwnd();
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(list);
    info.hdr.code = TTN_NEEDTEXTA;
    info.uFlags = TTF_IDISHWND;
    SetCursorPos(0, 0);
    SendMessageA(dialog->Hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.lpszText, "選択してください");

    // Without a task select dialog the task key passes on.
    KBDLLHOOKSTRUCT event{};
    event.vkCode = 'T';
    EXPECT_FALSE(KeyboardHook::HandleEvent(WM_KEYDOWN, event));
    event.vkCode = VK_LSHIFT;
    KeyboardHook::HandleEvent(WM_KEYDOWN, event);
    EXPECT_TRUE(KeyboardHook::Matcher().IsDown(TaskKeyMatcher::kLeftShift));
    KeyboardHook::HandleEvent(WM_KEYUP, event);
    EXPECT_FALSE(KeyboardHook::Matcher().IsDown(TaskKeyMatcher::kLeftShift));
}

}  // namespace
}  // namespace brindle

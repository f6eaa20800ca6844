// The main window, created for real on a temporary settings file and driven with messages.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "about/about_dialog.h"
#include "app/instance_name.h"
#include "app/launcher_app.h"
#include "mainwnd/hot_keys.h"
#include "mainwnd/keyboard_hook_win.h"
#include "mainwnd/layout.h"
#include "mainwnd/main_dialog.h"
#include "platform/instance_query.h"
#include "resource.h"
#include "store/settings_store.h"
#include "system/power_win.h"
#include "ui/data_exchange.h"
#include "ui/message_box_win.h"
#include "ui/subclass.h"
#include "unit/recording_power_actions.h"
#include "unit/test_support.h"
#include "win/win_test_support.h"

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
                            "dwHotkeyFocus=" +
                                std::to_string(kFocusKey) + "\r\ndwHotkeyTray=" + std::to_string(kTrayKey) +
                                "\r\n[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n");
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
    }
    void TearDown() override {
        dialog.reset();
        DeleteFileA(path.c_str());
        DeleteFileA((path + ".bak").c_str());
    }
    void Open(MainDialog::Options options = {}) {
        if (options.instanceName.empty())
            options.instanceName = "INI.test_Mutex";
        dialog = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();  // the deferred initialisation
        // and what comes once the window is idle; the search window is made last
        ASSERT_TRUE(testing::PumpMessagesUntil([&] { return dialog->SearchWindow() != nullptr; }));
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
    const MainLayout expected = ComputeMainLayout(client.right, client.bottom, 150, combo.bottom - combo.top,
                                                  ui::ScaleToDpi(2, ui::SystemDpi()));
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
    SendMessageA(dialog->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 50));     // not inside: ignored
    SendMessageA(dialog->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5000, 50));  // beyond the right edge
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

// Runs `work` on another thread while this one keeps answering the messages it sends (as the shell's
// thread and other programs do).
template <typename Work>
void OnAnotherThread(Work work) {
    struct Call {
        Work* work;
        static DWORD WINAPI Run(void* data) {
            (*static_cast<Call*>(data)->work)();
            return 0;
        }
    } call{&work};
    HANDLE thread = CreateThread(nullptr, 0, Call::Run, &call, 0, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT | QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        Pump();
    }
    CloseHandle(thread);
}

NMTTDISPINFOA TooltipRequest(HWND from, HWND list) {
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = from;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(list);
    info.hdr.code = TTN_NEEDTEXTA;
    info.uFlags = TTF_IDISHWND;
    strcpy(info.szText, "untouched");
    info.lpszText = info.szText;
    return info;
}

// Another program posts the page tree and the shortcut list thousands of WM_NOTIFY messages with addresses
// that mean nothing here: the controls never read them, the program goes on and its file is as it was.
TEST_F(MainWindow, WildNotificationsFromAnotherProgramNeverReachTheTreeAndTheList) {
    store->AddShortcut("kept", "C:\\kept.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    Open();
    const std::string before = testing::ReadBytes(path);
    HWND tree = dialog->Item(IDC_TREE), list = dialog->Item(IDC_LIST);
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string poster = module;
    poster = poster.substr(0, poster.rfind('\\')) + "\\notify_poster.exe";
    std::string command = "\"" + poster + "\" 3000 " + std::to_string(reinterpret_cast<uintptr_t>(tree)) + " " +
                          std::to_string(reinterpret_cast<uintptr_t>(list));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(poster.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        Pump();
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(exitCode, 0u);
    Pump();

    ASSERT_TRUE(IsWindow(dialog->Hwnd()));
    EXPECT_EQ(TreeView_GetCount(tree), 1u);
    EXPECT_EQ(ListView_GetItemCount(list), 1);
    EXPECT_EQ(testing::ReadBytes(path), before);
    // The list's own header still reaches it: the second column moves with the first one's new width.
    ASSERT_NE(ListView_GetHeader(list), nullptr);
    ListView_SetColumnWidth(list, 0, 123);
    RECT second{};
    ListView_GetSubItemRect(list, 0, 1, LVIR_BOUNDS, &second);
    EXPECT_EQ(second.left, 123);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    const std::string after = testing::ReadBytes(path);
    EXPECT_NE(after.find("0=Top,"), std::string::npos);
    EXPECT_NE(after.find("Namespace=kept"), std::string::npos);
}

// A WM_NOTIFY is read only when its header is memory of this process naming a window of the dialog on
// its thread: another program's pointer is never followed, wherever the message comes from.
TEST_F(MainWindow, NotificationsAreReadOnlyFromOurOwnWindows) {
    Open();
    SetCursorPos(0, 0);
    HWND window = dialog->Hwnd(), list = dialog->Item(IDC_LIST);

    // A pointer into memory that is not there (another process's address) is not touched.
    void* gone = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    VirtualFree(gone, 0, MEM_RELEASE);
    LRESULT answer = 1;
    OnAnotherThread([&] { answer = SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(gone)); });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(gone)), 0);

    // A header naming a window of another thread is not ours.
    HWND stranger = nullptr;
    NMTTDISPINFOA foreign{};
    OnAnotherThread([&] {
        stranger = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        foreign = TooltipRequest(stranger, list);
        SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&foreign));
        DestroyWindow(stranger);
    });
    EXPECT_STREQ(foreign.szText, "untouched");

    // From the dialog's own controls it is answered, also when another thread sent it.
    NMTTDISPINFOA own = TooltipRequest(list, list);
    OnAnotherThread([&] { SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&own)); });
    EXPECT_STREQ(own.lpszText, "選択してください");
}

// What the menu's item measuring got from the main window, and the end of the session meanwhile.
int measured, refused;
MainDialog* current;

LRESULT CALLBACK CountMeasures(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_MEASUREITEM && call->hwnd == current->Hwnd()) {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(call->lParam);
        // Measured by the window: the name's width and the icon column (unanswered: 0 wide).
        (item->itemWidth > 20 && item->itemHeight >= 18 ? measured : refused)++;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK EndSessionAndMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SendMessageA(current->Hwnd(), WM_QUERYENDSESSION, 0, 0);
    SendMessageA(current->Hwnd(), WM_ENDSESSION, TRUE, 0);
    EndMenu();
}

// The shell sends the icon's callback from its own thread. The menu tracked inside it must still get its
// items measured and drawn (the system sends those on this thread, while "in a sent message"), and a
// session that ends while it is open saves where the window stands, not where the menu parked it.
TEST_F(MainWindow, TheTrayMenuOfARealClickIsMeasuredAndNeverSavesTheParkedRectangle) {
    Open();
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    ASSERT_FALSE(Visible());

    measured = refused = 0;
    current = dialog.get();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, CountMeasures, nullptr, GetCurrentThreadId());
    // Inside the menu's loop: the session ends, then the menu is closed.
    UINT_PTR timer = SetTimer(nullptr, 0, 300, EndSessionAndMenu);
    HWND window = dialog->Hwnd();
    OnAnotherThread([&] { SendMessageA(window, WM_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONDOWN); });
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);

    EXPECT_GT(measured, 0);
    EXPECT_EQ(refused, 0);
    EXPECT_NE(testing::ReadBytes(path).find("winMainFrame=100,80,700,500\r\n"), std::string::npos)
        << testing::ReadBytes(path);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 100);  // back in its place, still hidden
    EXPECT_FALSE(Visible());
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
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDOK, 0);                   // nothing selected: nothing happens
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

// The dialogs of this thread that `owner` owns.
struct OwnedSearch {
    HWND owner;
    std::vector<HWND> found;
};
BOOL CALLBACK CollectOwnedDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<OwnedSearch*>(data);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (GetWindow(window, GW_OWNER) == search.owner && std::strcmp(name, "#32770") == 0)
        search.found.push_back(window);
    return TRUE;
}
std::vector<HWND> OwnedDialogs(HWND owner) {
    OwnedSearch search{owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectOwnedDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The start-up makes only what the first paint shows: the version window and the task select dialog
// come with their first use, once each, and neither is refreshed while it is hidden.
TEST_F(MainWindow, TheVersionAndTaskWindowsAreMadeOnFirstUseAndRefreshedOnlyWhenShown) {
    Open();
    // The search window is made after the first paint (see below): it is not counted.
    const HWND searchWindow = dialog->SearchWindow();
    auto Owned = [&] {
        std::vector<HWND> owned = OwnedDialogs(dialog->Hwnd());
        std::erase(owned, searchWindow);
        return owned;
    };
    EXPECT_TRUE(Owned().empty());

    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_VERSION, 0);
    HWND about = dialog->About()->Hwnd();
    ASSERT_TRUE(about);
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_EQ(Owned(), std::vector<HWND>{about});
    EXPECT_EQ(ui::WindowText(about), "ぶりんどるのバージョン情報");
    EXPECT_TRUE(KillTimer(about, AboutDialog::kRefreshTimer)) << "refreshed while shown";
    SendMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindowVisible(about));
    EXPECT_FALSE(KillTimer(about, AboutDialog::kRefreshTimer)) << "no refresh while hidden";
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_VERSION, 0);
    EXPECT_EQ(dialog->About()->Hwnd(), about);
    EXPECT_TRUE(KillTimer(about, AboutDialog::kRefreshTimer));
    EXPECT_EQ(Owned().size(), 1u);

    // Made and refreshed by its command, not before; once made it stays, hidden, until shown again.
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_TASK, 0);
    HWND task = dialog->TaskSelectWindow();
    ASSERT_TRUE(task);
    EXPECT_NE(task, about);
    EXPECT_TRUE(IsWindowVisible(task));
    ShowWindow(task, SW_HIDE);
    EXPECT_EQ(dialog->TaskSelectWindow(), task);
    EXPECT_EQ(Owned().size(), 2u);

    // The closing save keeps both rectangles once the windows exist.
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    const std::string saved = testing::ReadBytes(path);
    EXPECT_NE(saved.find("winAboutBox="), std::string::npos);
    EXPECT_NE(saved.find("winTaskSelect="), std::string::npos);
}

// The search window waits until the window is idle after its first paint; a window that was never shown
// makes it with its first use.
TEST_F(MainWindow, TheSearchWindowIsMadeOnceIdleAfterTheFirstPaintOrByItsFirstUse) {
    dialog =
        std::make_unique<MainDialog>(*store, messages, MainDialog::Options{false, false, false, "INI.test_Mutex", {}});
    ASSERT_TRUE(dialog->Create(nullptr));
    EXPECT_EQ(dialog->SearchWindow(), nullptr);
    EXPECT_TRUE(OwnedDialogs(dialog->Hwnd()).empty());
    ShowWindow(dialog->Hwnd(), SW_SHOW);
    SetForegroundWindow(dialog->Hwnd());
    SetFocus(dialog->Item(IDC_LIST));  // the user is already at the list when it is made
    ASSERT_TRUE(testing::PumpMessagesUntil([&] { return dialog->SearchWindow() != nullptr; }));
    const HWND made = dialog->SearchWindow();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(GetFocus(), dialog->Item(IDC_LIST));
    EXPECT_FALSE(IsWindowVisible(made));
    EXPECT_EQ(OwnedDialogs(dialog->Hwnd()), std::vector<HWND>{made});
    InvalidateRect(dialog->Hwnd(), nullptr, TRUE);
    Pump();
    EXPECT_EQ(dialog->SearchWindow(), made) << "made again by a later paint";
    dialog.reset();

    dialog =
        std::make_unique<MainDialog>(*store, messages, MainDialog::Options{false, false, false, "INI.test_Mutex", {}});
    ASSERT_TRUE(dialog->Create(nullptr));
    Pump();
    EXPECT_EQ(dialog->SearchWindow(), nullptr);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_SEARCH, 0);
    ASSERT_NE(dialog->SearchWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog->SearchWindow()));
    EXPECT_EQ(OwnedDialogs(dialog->Hwnd()), std::vector<HWND>{dialog->SearchWindow()});
}

// The start-up fills the views without writing the file it read (nor a backup of it).
TEST_F(MainWindow, TheStartUpWritesNothing) {
    const std::string before = testing::ReadBytes(path);
    Open();
    EXPECT_EQ(ListView_GetItemCount(dialog->Item(IDC_LIST)), 0);
    EXPECT_EQ(testing::ReadBytes(path), before);
    EXPECT_EQ(GetFileAttributesA((path + ".bak").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Never made, the two windows leave their stored rectangles as they were.
TEST_F(MainWindow, WindowsNeverMadeKeepTheirStoredRectangles) {
    testing::WriteBytes(path,
                        "[Brindle]\r\nwinAboutBox=11,12,13,14\r\nwinTaskSelect=21,22,323,324\r\n"
                        "[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n");
    store = std::make_unique<SettingsStore>(messages, path);
    store->Load();
    Open();
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    const std::string saved = testing::ReadBytes(path);
    EXPECT_NE(saved.find("winAboutBox=11,12,13,14\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("winTaskSelect=21,22,323,324\r\n"), std::string::npos) << saved;
}

// After the tray menu the hidden window can still hold the keyboard: nothing it receives acts.
TEST_F(MainWindow, AHiddenWindowIgnoresEscapeEnterAndTheAccelerators) {
    store->AddShortcut("gone", "C:\\no\\such\\program.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    Open();
    HWND list = dialog->Item(IDC_LIST);
    ASSERT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 0);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    ASSERT_FALSE(Visible());
    SetFocus(list);

    for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN), WPARAM('H')}) {
        MSG message{list, WM_KEYDOWN, key, 0x00010001, 0, {}};
        EXPECT_TRUE(dialog->PreTranslateMessage(message)) << key;
    }
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDOK, 0);      // Enter: no launch
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);  // Escape: the program goes on
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_TRUE(IsWindow(dialog->Hwnd()));
    EXPECT_TRUE(dialog->HookInstalled());
    EXPECT_TRUE(dialog->IconPresent());

    // Shown again, the same keys work; a request to close from outside closes even a hidden window.
    SendMessageA(dialog->Hwnd(), WM_INSTANCE_QUERY, 2, 0);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(messages.boxes.size(), 1u);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    SendMessageA(dialog->Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog->IconPresent());
    EXPECT_FALSE(dialog->HookInstalled());
}

// The keyboard hook, the system menu's popup and the notification area's icons come once the window is
// idle after its first paint, which waits for none of them; a window that starts hidden is never painted
// and still gets its hook (the task key works from the tray) and its icon in the notification area.
TEST_F(MainWindow, TheHookMenuPopupAndTrayIconsComeOnceIdleOrWithAHiddenStart) {
    auto systemMenuTop = [&] {
        char label[32] = {};
        GetMenuStringA(GetSystemMenu(dialog->Hwnd(), FALSE), 0, label, sizeof label, MF_BYPOSITION);
        return std::string(label);
    };
    MainDialog::Options options;
    options.instanceName = "INI.test_Mutex";
    dialog = std::make_unique<MainDialog>(*store, messages, options);
    ASSERT_TRUE(dialog->Create(nullptr));
    EXPECT_FALSE(dialog->HookInstalled());
    EXPECT_NE(systemMenuTop(), "Brindle");
    ShowWindow(dialog->Hwnd(), SW_SHOW);
    EXPECT_TRUE(testing::PumpMessagesUntil([&] { return dialog->HookInstalled(); }));
    EXPECT_EQ(systemMenuTop(), "Brindle");
    for (int icon : {IDI_TRAY, IDI_SMALL, IDI_BUSY, IDI_APP})
        EXPECT_TRUE(dialog->LoadedIcon(icon)) << icon;
    dialog.reset();
    EXPECT_FALSE(KeyboardHook::Installed());

    options.startHidden = true;
    dialog = std::make_unique<MainDialog>(*store, messages, options);
    ASSERT_TRUE(dialog->Create(nullptr));
    Pump();
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(dialog->HookInstalled());
    ASSERT_TRUE(dialog->LoadedIcon(IDI_TRAY));
    EXPECT_EQ(dialog->CurrentTrayIcon(), dialog->LoadedIcon(IDI_TRAY));
    SendMessageA(dialog->Hwnd(), WM_INSTANCE_QUERY, 2, 0);  // shown: painted, the popup comes once idle
    EXPECT_TRUE(testing::PumpMessagesUntil([&] { return systemMenuTop() == "Brindle"; }));
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainWindow, AStoredPlaceTheUserCannotReachIsMovedOntoTheScreen) {
    testing::WriteBytes(path, "[Brindle]\r\nwinMainFrame=-600,-400,80,60\r\nwinSeparator=5000\r\n");
    store = std::make_unique<SettingsStore>(messages, path);
    store->Load();
    Open();
    RECT window;
    GetWindowRect(dialog->Hwnd(), &window);
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
    EXPECT_EQ(window.right - window.left, 680);
    EXPECT_EQ(window.bottom - window.top, 460);

    // The splitter of a wider window stays inside this one, where it can be dragged.
    RECT client;
    GetClientRect(dialog->Hwnd(), &client);
    EXPECT_LE(BoxOf(IDC_SPLITTER).x, client.right - 2);
    EXPECT_EQ(dialog->SplitterPosition(), BoxOf(IDC_SPLITTER).x);
}

TEST_F(MainWindow, LosingTheMouseCaptureEndsTheSplitterDrag) {
    Open();
    SendMessageA(dialog->Hwnd(), WM_SPLITTER_DRAG, 0, 0);
    SendMessageA(dialog->Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(260, 50));
    ASSERT_TRUE(dialog->Dragging());
    HWND other = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);  // another window takes the mouse
    EXPECT_FALSE(dialog->Dragging());
    EXPECT_EQ(BoxOf(IDC_SPLITTER).x, 150);  // the bar stays where it was
    ReleaseCapture();
    DestroyWindow(other);

    SendMessageA(dialog->Hwnd(), WM_SPLITTER_DRAG, 0, 0);  // the next press starts a new drag
    EXPECT_TRUE(dialog->Dragging());
    SendMessageA(dialog->Hwnd(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(dialog->Dragging());
}

// Each handle has one owner that releases it once.
TEST_F(MainWindow, MenusAndImageListsAreReleasedByTheirOneOwner) {
    Open();
    HMENU popup = GetSubMenu(GetSystemMenu(dialog->Hwnd(), FALSE), 0);
    ASSERT_TRUE(IsMenu(popup));
    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);  // the closing save releases the menu resource
    EXPECT_TRUE(IsMenu(popup)) << "the system menu still holds its popup";

    HWND list = dialog->Item(IDC_LIST);
    HIMAGELIST small = ListView_GetImageList(list, LVSIL_SMALL);
    HIMAGELIST large = ListView_GetImageList(list, LVSIL_NORMAL);
    DestroyWindow(list);
    EXPECT_EQ(ImageList_GetImageCount(small), 5) << "the window's image lists outlive the list";
    EXPECT_EQ(ImageList_GetImageCount(large), 5);
}

// The power items of a popup, as "id:enabled" in order; the gray ones as the rules decide from what the
// system offers now.
std::vector<std::string> PowerItemStates(HMENU menu) {
    std::vector<std::string> states;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        const UINT id = GetMenuItemID(menu, position);
        const bool grayed = GetMenuState(menu, position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
        states.push_back(std::to_string(id) + (grayed ? ":gray" : ":on"));
    }
    return states;
}

std::vector<std::string> ExpectedPowerStates(const MainDialog& dialog) {
    const PowerFeatures features = ReadPowerFeatures(dialog.Power());
    std::vector<std::string> states;
    for (int id :
         {ID_LOCK, ID_LOG_OFF, ID_SHUTDOWN, ID_POWER_OFF, ID_REBOOT, ID_STAND_BY, ID_HIBERNATE, ID_SCREEN_SAVER}) {
        states.push_back(std::to_string(id) + (PowerItemEnabled(*PowerCommandOf(id), features) ? ":on" : ":gray"));
    }
    return states;
}

// The screen saver switched off for a test, so that one item must be grayed; restored afterwards.
class NoScreenSaver {
public:
    NoScreenSaver() {
        SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &was_, 0);
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    }
    ~NoScreenSaver() { SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, was_, nullptr, 0); }

private:
    BOOL was_ = FALSE;
};

// What the open popup menu showed, read while it was open.
struct OpenMenu {
    std::vector<std::string> states;
    RECT rect{};
} openMenu;

void CALLBACK ReadOpenMenuThenChooseLogOff(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND window = FindWindowA("#32768", nullptr);
    HMENU menu = window ? reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)) : nullptr;
    if (!menu) {
        EndMenu();
        return;
    }
    openMenu.states = PowerItemStates(menu);
    GetWindowRect(window, &openMenu.rect);
    // Down to the second item ("&Log off") and Enter, as the keyboard does.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessageA(window, WM_KEYDOWN, key, 0);
        PostMessageA(window, WM_KEYUP, key, 0xC0000000);
    }
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

// Alt+X pops the "Shutdown" popup up at the cursor, its items enabled by the rules while it is open, and
// the chosen item arrives as a command that reaches the installed actions only.
TEST_F(MainWindow, AltXPopsUpTheShutdownItemsAtTheCursorEnabledByWhatTheSystemOffers) {
    NoScreenSaver noScreenSaver;
    Open();
    testing::RecordingPowerActions actions;
    dialog->SetPowerActions(&actions);
    SetForegroundWindow(dialog->Hwnd());
    SetCursorPos(230, 210);
    openMenu = {};

    UINT_PTR read = SetTimer(nullptr, 0, 200, ReadOpenMenuThenChooseLogOff);
    UINT_PTR close = SetTimer(nullptr, 0, 3000, CloseMenu);  // when the keys did not choose
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    MSG altX{dialog->Item(IDC_LIST), WM_SYSKEYDOWN, 'X', 0x202D0001, 0, {}};
    EXPECT_TRUE(dialog->PreTranslateMessage(altX));
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    KillTimer(nullptr, read);
    KillTimer(nullptr, close);
    Pump();

    const std::vector<std::string> expected = ExpectedPowerStates(*dialog);
    EXPECT_EQ(openMenu.states, expected);
    EXPECT_EQ(expected.back(), std::to_string(ID_SCREEN_SAVER) + ":gray");
    EXPECT_EQ(openMenu.rect.left, 230);
    EXPECT_EQ(openMenu.rect.top, 210);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"Privilege()", "Exit(0,4294967295)"}));
}

// The system menu's copy of the popup is updated as it opens, whatever state its items were left in.
TEST_F(MainWindow, TheSystemMenusShutdownItemsAreUpdatedWhenTheyOpen) {
    NoScreenSaver noScreenSaver;
    Open();
    HMENU shutdown = GetSubMenu(GetSubMenu(GetSystemMenu(dialog->Hwnd(), FALSE), 0), 11);
    ASSERT_EQ(GetMenuItemID(shutdown, 0), UINT(ID_LOCK));
    const std::vector<std::string> expected = ExpectedPowerStates(*dialog);
    for (int position = 0; position < 8; ++position) {
        const bool on = expected[position].ends_with(":on");
        EnableMenuItem(shutdown, position, MF_BYPOSITION | (on ? MF_GRAYED : MF_ENABLED));
    }
    SendMessageA(dialog->Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(shutdown), MAKELPARAM(9, FALSE));
    EXPECT_EQ(PowerItemStates(shutdown), expected);
}

// Every command of the range, from the menu or from anywhere else, acts through the installed actions
// (never the real ones: under Wine ExitWindowsEx ends the session).
TEST_F(MainWindow, PowerCommandsReachTheInstalledActionsOnly) {
    Open();
    testing::RecordingPowerActions actions;
    dialog->SetPowerActions(&actions);
    const bool nt = ReadPowerFeatures(dialog->Power()).ntFamily;
    const struct {
        int id;
        const char* act;
    } expected[] = {
        {ID_LOCK, "Lock()"},
        {ID_LOG_OFF, "Exit(0,4294967295)"},
        {ID_SHUTDOWN, "Exit(1,0)"},
        {ID_POWER_OFF, "Exit(8,0)"},
        {ID_REBOOT, "Exit(2,0)"},
        {ID_STAND_BY, "SetSuspendState(000)"},
        {ID_HIBERNATE, "SetSuspendState(100)"},
        {ID_SCREEN_SAVER, "ScreenSaver()"},
    };
    for (const auto& [id, act] : expected) {
        actions.calls.clear();
        SendMessageA(dialog->Hwnd(), WM_COMMAND, id, 0);
        ASSERT_FALSE(actions.calls.empty()) << id;
        EXPECT_EQ(actions.calls.back(), act);
        EXPECT_EQ(actions.calls.front() == "Privilege()", nt) << id;
    }
    // The system menu's copy sends its items as system commands.
    actions.calls.clear();
    SendMessageA(dialog->Hwnd(), WM_SYSCOMMAND, ID_REBOOT, 0);
    ASSERT_FALSE(actions.calls.empty());
    EXPECT_EQ(actions.calls.back(), "Exit(2,0)");
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainWindow, EveryWayOutTakesTheIconOutOfTheNotificationArea) {
    MainDialog::Options options;
    options.taskbarHidden = true;
    Open(options);
    ASSERT_TRUE(dialog->IconPresent());
    HWND window = dialog->Hwnd();
    DestroyWindow(window);  // as when the start fails and the program quits
    EXPECT_FALSE(dialog->IconPresent());
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = kTrayIconId;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &data)) << "no icon was left behind";
}

TEST_F(MainWindow, TheKeyboardHookForgetsAClosedWindowAndIsRenewed) {
    Open();
    UnhookWindowsHookEx(KeyboardHook::Handle());  // as the system does after a slow call
    SendMessageA(dialog->Hwnd(), WM_TIMER, kHookRenewalTimer, 0);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = VK_LSHIFT;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &press[0], sizeof(INPUT));
    for (int i = 0; i < 50 && !KeyboardHook::Matcher().IsDown(TaskKeyMatcher::kLeftShift); ++i) {
        Pump();
        Sleep(10);
    }
    EXPECT_TRUE(KeyboardHook::Matcher().IsDown(TaskKeyMatcher::kLeftShift)) << "the renewed hook sees keys";
    SendInput(1, &press[1], sizeof(INPUT));
    Pump();

    SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    dialog.reset();
    KBDLLHOOKSTRUCT event{};
    event.vkCode = VK_RSHIFT;
    EXPECT_FALSE(KeyboardHook::HandleEvent(WM_KEYDOWN, event));
    EXPECT_FALSE(KeyboardHook::Matcher().IsDown(TaskKeyMatcher::kRightShift)) << "no dialog behind it any more";
}

// The program holds OLE on its thread from before its first window to after its last: the shell's menus
// and verbs need it there, and no scoped pair inside may be the one that takes it down. (Looked at on a
// thread of its own, since this test program holds OLE on its main thread as the program does.)
TEST(Program, HoldsOleOnItsThreadForItsWholeLife) {
    struct Apartments {
        HRESULT before = E_FAIL, during = E_FAIL, after = E_FAIL;
    } seen;
    // A thread in a multi-threaded apartment cannot join a single-threaded one: the answer tells which
    // apartment the thread is in, if any.
    auto tryMultiThreaded = [] {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(result))
            CoUninitialize();
        return result;
    };
    std::thread([&] {
        seen.before = tryMultiThreaded();
        {
            RecordingMessages messages;
            LauncherApp app(TempFile("brindle-ole") + ".exe", messages);
            seen.during = tryMultiThreaded();
        }
        seen.after = tryMultiThreaded();
    }).join();
    EXPECT_EQ(seen.before, S_OK);
    EXPECT_EQ(seen.during, RPC_E_CHANGED_MODE) << "the program's thread is in a single-threaded apartment";
    EXPECT_EQ(seen.after, S_OK) << "and leaves it when it ends";
}

// A lock that cannot be taken is never a reason to run without one.
TEST(InstanceLock, OnlyAFreeNameIsTaken) {
    const std::string name = "BrindleLockTest" + std::to_string(GetCurrentProcessId());
    ui::UniqueKernelHandle first, second;
    unsigned long error = 0;
    EXPECT_EQ(TakeNamedLock(name, first, error), LockOutcome::Taken);
    EXPECT_EQ(TakeNamedLock(name, second, error), LockOutcome::Running);
    EXPECT_FALSE(second);

    // Made by an instance with other rights: no access from here.
    SECURITY_DESCRIPTOR denyAll;
    InitializeSecurityDescriptor(&denyAll, SECURITY_DESCRIPTOR_REVISION);
    ACL emptyAcl;
    InitializeAcl(&emptyAcl, sizeof emptyAcl, ACL_REVISION);
    SetSecurityDescriptorDacl(&denyAll, TRUE, &emptyAcl, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &denyAll, FALSE};
    ui::UniqueKernelHandle locked(CreateMutexA(&attributes, TRUE, (name + "apart").c_str()));
    ASSERT_TRUE(locked);
    EXPECT_EQ(TakeNamedLock(name + "apart", second, error), LockOutcome::RunningApart) << error;

    // The name belongs to another kind of object.
    ui::UniqueKernelHandle event(CreateEventA(nullptr, TRUE, FALSE, (name + "event").c_str()));
    EXPECT_EQ(TakeNamedLock(name + "event", second, error), LockOutcome::Failed);
    EXPECT_FALSE(second);
}

TEST(InstanceLock, AStartThatCannotTakeTheLockSaysWhyAndWritesNothing) {
    const std::string path = TempFile("brindle-lock");
    const std::string original = "[Brindle]\r\nwinMainFrame=1,2,3,4\r\n[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n";
    testing::WriteBytes(path, original);
    RecordingMessages messages;
    const std::string lockName = LockName(InstanceName(path));
    ui::UniqueKernelHandle squatter(CreateEventA(nullptr, TRUE, FALSE, lockName.c_str()));
    ASSERT_TRUE(squatter);

    LauncherApp app("C:\\brindle.exe", messages);
    EXPECT_EQ(app.Run(("\"" + path + "\"").c_str()), 0);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_NE(messages.boxes[0].text.find("起動できません"), std::string::npos) << messages.boxes[0].text;
    EXPECT_NE(messages.boxes[0].text.find(path), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(path), original);
    DeleteFileA(path.c_str());
    DeleteFileA((path + ".bak").c_str());
}

// "-restore" asks, puts the backup in place and starts on it; the file it replaced stays the backup for the
// whole run, so a second restore undoes the first. Where another instance runs on the file, nothing changes.
TEST(RestoreStart, AStartWithRestoreAsksThenRunsOnTheBackup) {
    const std::string path = TempFile("brindle-restore");
    const std::string backup = path + ".bak";
    const std::string now = "[Brindle]\r\n[Page]\r\n0=Now,-1,0,0,\"\",\"\"\r\n";
    const std::string before = "[Brindle]\r\n[Page]\r\n0=Before,-1,0,0,\"\",\"\"\r\n";
    testing::WriteBytes(path, now);
    testing::WriteBytes(backup, before);
    {
        // Another instance holds the file's lock: it would save over a restored file.
        RecordingMessages messages;
        ui::UniqueKernelHandle running(CreateMutexA(nullptr, TRUE, LockName(InstanceName(path)).c_str()));
        LauncherApp app("C:\\brindle.exe", messages);
        EXPECT_EQ(app.Run(("-restore \"" + path + "\"").c_str()), 0);
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_NE(messages.boxes[0].text.find("実行中のため、バックアップから元に戻せません"), std::string::npos)
            << messages.boxes[0].text;
        EXPECT_EQ(testing::ReadBytes(path), now);
        EXPECT_EQ(testing::ReadBytes(backup), before);
    }
    RecordingMessages messages;
    messages.answers = {box::kAnswerYes};
    testing::ModalWatchdog closeTheWindow;  // Escape on the main window once it shows
    LauncherApp app("C:\\brindle.exe", messages);
    EXPECT_EQ(app.Run(("-restore \"" + path + "\"").c_str()), 0);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_NE(messages.boxes[0].text.find("の内容に戻しますか？"), std::string::npos) << messages.boxes[0].text;
    EXPECT_EQ(messages.boxes[0].style, box::kYesNo | box::kIconQuestion);
    ASSERT_FALSE(closeTheWindow.Captions().empty());
    EXPECT_NE(testing::ReadBytes(path).find("[Page]\r\n0=Before,-1,0,0"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(backup), now);
    DeleteFileA(path.c_str());
    DeleteFileA(backup.c_str());
}

// The running instance is allowed to take the foreground before it is asked to come back.
TEST_F(MainWindow, HandOverGrantsTheForegroundFirst) {
    MainDialog::Options options;
    options.instanceName = "INI.kcab/gnidnah_Mutex";
    Open(options);
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    std::vector<unsigned long> granted;
    bool hiddenWhenGranted = false;
    EXPECT_TRUE(HandOverToRunningInstance(options.instanceName, [&](unsigned long process) {
        granted.push_back(process);
        hiddenWhenGranted = !Visible();
    }));
    EXPECT_EQ(granted, std::vector<unsigned long>{GetCurrentProcessId()});
    EXPECT_TRUE(hiddenWhenGranted);
    EXPECT_TRUE(Visible());
}

// A class of ours over a control whose handler throws: the user is told, the system never sees it.
TEST(Subclassing, AnExceptionInAHandlerStopsAtTheWindowProcedure) {
    struct Throwing : ui::SubclassedWindow {
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_USER)
                throw std::runtime_error("broken");
            return DefaultProc(message, wParam, lParam);
        }
    } throwing;
    RecordingMessages messages;
    ui::SetAppMessages(&messages);
    HWND control = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(throwing.Attach(control));
    EXPECT_EQ(SendMessageA(control, WM_USER, 0, 0), 0);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "内部エラーが発生しました。\nbroken");
    DestroyWindow(control);
    ui::SetAppMessages(nullptr);
}

}  // namespace
}  // namespace brindle

// The task select dialog, made by the real main window on a temporary settings file and driven through
// its controls, with helper programs (task_helper.exe copied under several names) as the other programs.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mainwnd/keyboard_hook_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "tasks/task_select_dialog.h"
#include "ui/message_box_win.h"
#include "unit/test_support.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

// Ctrl+Shift+F9 is the task key of these tests.
constexpr int32_t kTaskKey = (1 | 2) << 16 | VK_F9;
constexpr UINT kMark = WM_APP + 7;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Pumps until `done` holds or about ten seconds have gone; whether it held is the test's business.
bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 1000; ++i) {
        Pump();
        if (done())
            return true;
        Sleep(10);
    }
    return done();
}

std::string ThisFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

// One helper program under a name of its own, with its titled windows.
class Helper {
public:
    Helper(const testing::WinFolder& folder,
           const std::string& program,
           const std::vector<std::string>& titles,
           const char* mode = "answer")
        : record_(folder.File(program + ".txt")) {
        const std::string exe = folder.File(program);
        CopyFileA((ThisFolder() + "\\task_helper.exe").c_str(), exe.c_str(), FALSE);
        std::string command = "\"" + exe + "\" \"" + record_ + "\" " + mode;
        for (const std::string& title : titles)
            command += " \"" + title + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_)) {
            ADD_FAILURE() << "cannot start " << exe;
            return;
        }
        PumpUntil([&] {
            windows_.clear();
            EnumWindows(AddWindow, reinterpret_cast<LPARAM>(this));
            return Record().find("ready") != std::string::npos && windows_.size() == titles.size();
        });
    }
    ~Helper() {
        if (process_.hProcess) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    DWORD Id() const { return process_.dwProcessId; }
    std::string Record() const { return testing::ReadBytes(record_); }
    HWND Window(const std::string& title) const {
        for (HWND window : windows_) {
            char text[256] = "";
            GetWindowTextA(window, text, sizeof text);
            if (title == text)
                return window;
        }
        return nullptr;
    }
    // Waits until a message posted now has reached the helper: everything posted to it before has too.
    void Settle(const std::string& title) const {
        PostMessageA(Window(title), kMark, 0, 0);
        PumpUntil([&] { return Record().find("mark " + title) != std::string::npos; });
    }

private:
    static BOOL CALLBACK AddWindow(HWND window, LPARAM data) {
        auto* self = reinterpret_cast<Helper*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == self->process_.dwProcessId && IsWindowVisible(window))
            self->windows_.push_back(window);
        return TRUE;
    }

    std::string record_;
    PROCESS_INFORMATION process_{};
    std::vector<HWND> windows_;
};

class TaskSelect : public ::testing::Test {
protected:
    void SetUp() override {
        ui::SetAppMessages(&refusals);
        path = folder.File("Brindle.INI");
        // Larger than the dialog is made at 150 % too, so the stored size is taken as it is.
        WriteSettings("winTaskSelect=60,70,760,570\r\n");
    }
    void TearDown() override {
        main.reset();
        ui::SetAppMessages(nullptr);
    }
    void WriteSettings(const std::string& extra) {
        testing::WriteBytes(
            path, "[Brindle]\r\nwinMainFrame=20,20,420,320\r\ndwHotkeyTask=" + std::to_string(kTaskKey) + "\r\n" +
                      extra + "[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n");
    }
    void Open() {
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
        main = std::make_unique<MainDialog>(*store, messages, MainDialog::Options{false, false, false, "INI.task", {}});
        ASSERT_TRUE(main->Create(nullptr));
        ShowWindow(main->Hwnd(), SW_SHOW);
        // The keyboard hook comes once the window is idle after its first paint; the search window last.
        ASSERT_TRUE(PumpUntil([&] { return main->SearchWindow() != nullptr; }));
        ASSERT_NE(main->TaskSelect(), nullptr);
        dialog = main->TaskSelect();
        window = dialog->Hwnd();
    }
    // The "&Task..." command of the system menu.
    void ShowByCommand() {
        SendMessageA(main->Hwnd(), WM_SYSCOMMAND, ID_TASK, 0);
        Pump();
    }
    // The listed entries of the helpers' processes, as "[program]title", in list order.
    std::vector<std::string> HelperTexts(const std::vector<const Helper*>& helpers) {
        std::vector<std::string> texts;
        for (const TaskEntry& entry : dialog->Entries()) {
            for (const Helper* helper : helpers) {
                if (entry.processId == helper->Id())
                    texts.push_back(EntryText(entry));
            }
        }
        return texts;
    }
    int IndexOf(HWND target) {
        const auto& entries = dialog->Entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            if (reinterpret_cast<HWND>(entries[i].window) == target)
                return static_cast<int>(i);
        }
        return -1;
    }
    // Selects the entry of `target` in the list as a click does (selection, then LBN_SELCHANGE).
    void Choose(HWND target) {
        const int index = IndexOf(target);
        ASSERT_GE(index, 0);
        HWND list = dialog->Item(IDC_TASK_LIST);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TASK_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    void Click(int id) { SendMessageA(dialog->Item(id), BM_CLICK, 0, 0); }
    void Type(int id, const char* text) { SetWindowTextA(dialog->Item(id), text); }
    std::string Field(int id) { return ui::WindowText(dialog->Item(id)); }
    bool Enabled(int id) { return IsWindowEnabled(dialog->Item(id)) != FALSE; }
    static RECT RectOf(HWND target) {
        RECT rect{};
        GetWindowRect(target, &rect);
        return rect;
    }

    testing::WinFolder folder;
    std::string path;
    RecordingMessages messages, refusals;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> main;
    TaskSelectDialog* dialog = nullptr;
    HWND window = nullptr;
};

void PressKeys(const std::vector<std::pair<WORD, bool>>& keys) {
    std::vector<INPUT> inputs;
    for (const auto& [key, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST_F(TaskSelect, ListsTheOtherProgramsByProgramAndTitleButNeverOurOwnWindows) {
    Open();
    EXPECT_FALSE(IsWindowVisible(window)) << "made hidden";
    Helper beta(folder, "beta.exe", {"b2", "b1"});
    Helper zeta(folder, "Zeta.exe", {"z"});
    Helper alpha(folder, "alpha.exe", {"a"});
    HWND ours = CreateWindowA("STATIC", "our own window", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40, nullptr, nullptr,
                              nullptr, nullptr);
    ShowByCommand();

    EXPECT_TRUE(IsWindowVisible(window));
    // Upper case before lower case; one program's windows by title, whatever their z-order.
    EXPECT_EQ(HelperTexts({&beta, &zeta, &alpha}),
              (std::vector<std::string>{"[Zeta.exe]z", "[alpha.exe]a", "[beta.exe]b1", "[beta.exe]b2"}));
    for (const TaskEntry& entry : dialog->Entries()) {
        EXPECT_NE(entry.processId, GetCurrentProcessId()) << entry.title;
        EXPECT_NE(entry.title, "ぶりんどる");
    }
    // One list item per entry, as wide as the widest text, at least 17 pixels high; nothing selected.
    HWND list = dialog->Item(IDC_TASK_LIST);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(dialog->Entries().size()));
    EXPECT_EQ(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), dialog->List().WidestText());
    EXPECT_GT(dialog->List().WidestText(), 20);
    EXPECT_GE(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 17);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_FALSE(Enabled(IDOK));
    EXPECT_FALSE(Enabled(IDC_TASK_CLOSE));
    EXPECT_EQ(GetFocus(), list);

    // Cancel goes back to the topmost window listed: the one shown last.
    EXPECT_EQ(dialog->ReturnWindow(), alpha.Window("a"));
    Click(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(window));
    Pump();
    EXPECT_EQ(main->BringToFrontPlacement().rcNormalPosition.left, RectOf(alpha.Window("a")).left);
    DestroyWindow(ours);
}

TEST_F(TaskSelect, SelectMovesAndSizesAsTypedAndAMinimisedWindowNeverBecomesEmpty) {
    Open();
    Helper helper(folder, "mover.exe", {"target", "other"});
    HWND target = helper.Window("target");
    ShowByCommand();
    Choose(target);
    EXPECT_TRUE(Enabled(IDOK));
    EXPECT_TRUE(Enabled(IDC_TASK_CLOSE));
    const RECT before = RectOf(target);
    EXPECT_EQ(Field(IDC_TASK_X), std::to_string(before.left));
    EXPECT_EQ(Field(IDC_TASK_WIDTH), std::to_string(before.right - before.left));
    EXPECT_FALSE(Enabled(IDC_TASK_X));

    // The owner-drawn items: the selected one yellow, the others white, and the hint drawn on a full
    // repaint.
    HWND list = dialog->Item(IDC_TASK_LIST);
    RECT item{}, other{};
    const int index = IndexOf(target);
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index == 0 ? 1 : 0), reinterpret_cast<LPARAM>(&other));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = GetDC(list);
    EXPECT_EQ(GetPixel(dc, item.right - 4, (item.top + item.bottom) / 2), RGB(255, 255, 0));
    EXPECT_EQ(GetPixel(dc, other.right - 4, (other.top + other.bottom) / 2), RGB(255, 255, 255));
    ReleaseDC(list, dc);
    RECT select = RectOf(dialog->Item(IDOK)), client{};
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&select), 2);
    GetClientRect(window, &client);
    dc = GetDC(window);
    int textPixels = 0;
    for (int x = 0; x < select.left - 1; ++x) {
        for (int y = select.top; y < client.bottom; ++y)
            textPixels += GetPixel(dc, x, y) == GetSysColor(COLOR_BTNTEXT);
    }
    ReleaseDC(window, dc);
    EXPECT_GT(textPixels, 20) << "the hint text";

    // Position ticked, size not: moved to (10, 20), its size kept.
    Click(IDC_TASK_POSITION);
    EXPECT_TRUE(Enabled(IDC_TASK_X));
    EXPECT_FALSE(Enabled(IDC_TASK_WIDTH));
    Type(IDC_TASK_X, "10");
    Type(IDC_TASK_Y, "20");
    Click(IDOK);
    EXPECT_FALSE(IsWindowVisible(window));
    // The main window's WM_APP+5; the window is moved on its own thread, once it gets there.
    PumpUntil([&] { return RectOf(target).left == 10; });
    RECT moved = RectOf(target);
    EXPECT_EQ(moved.left, 10);
    EXPECT_EQ(moved.top, 20);
    EXPECT_EQ(moved.right - moved.left, before.right - before.left);
    EXPECT_EQ(moved.bottom - moved.top, before.bottom - before.top);

    // Minimised: the fields show a real rectangle, and Select with Size ticked restores the window with
    // that size, never 0 x 0.
    ShowWindow(target, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(target));
    ShowByCommand();
    Choose(target);
    EXPECT_GT(std::stoi(Field(IDC_TASK_WIDTH)), 0);
    EXPECT_GT(std::stoi(Field(IDC_TASK_HEIGHT)), 0);
    Click(IDC_TASK_SIZE);
    Click(IDOK);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(target); }));
    RECT restored = RectOf(target);
    EXPECT_GT(restored.right - restored.left, 0);
    EXPECT_GT(restored.bottom - restored.top, 0);

    // Negative numbers are shown and read with their sign; a typed size is applied.
    ShowByCommand();
    Choose(target);
    Click(IDC_TASK_POSITION);
    Click(IDC_TASK_SIZE);
    Type(IDC_TASK_X, "-8");
    Type(IDC_TASK_Y, "30");
    Type(IDC_TASK_WIDTH, "300");
    Type(IDC_TASK_HEIGHT, "150");
    Click(IDOK);
    // The window is moved on its own thread, once it gets there.
    PumpUntil([&] { return RectOf(target).left == -8; });
    EXPECT_EQ(RectOf(target).left, -8);
    EXPECT_EQ(RectOf(target).right, 292);
    EXPECT_EQ(RectOf(target).bottom, 180);
    ShowByCommand();
    Choose(target);
    EXPECT_EQ(Field(IDC_TASK_X), "-8");
    EXPECT_TRUE(refusals.boxes.empty());
}

TEST_F(TaskSelect, RefusedNumbersKeepTheDialogOpenWithTheFieldFocused) {
    Open();
    Helper helper(folder, "still.exe", {"still"});
    HWND target = helper.Window("still");
    const RECT before = RectOf(target);
    ShowByCommand();
    Choose(target);
    Click(IDC_TASK_SIZE);
    Type(IDC_TASK_WIDTH, "0");
    Click(IDOK);
    ASSERT_EQ(refusals.boxes.size(), 1u);
    EXPECT_EQ(refusals.boxes[0].text, "幅と高さには1以上の数を入力してください。");
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetFocus(), dialog->Item(IDC_TASK_WIDTH));

    Type(IDC_TASK_WIDTH, "200");
    Click(IDC_TASK_POSITION);
    Type(IDC_TASK_X, "99999");
    Click(IDOK);
    ASSERT_EQ(refusals.boxes.size(), 2u);
    EXPECT_EQ(refusals.boxes[1].text, "その位置ではWindowがどのモニタにも表示されません。");
    EXPECT_EQ(GetFocus(), dialog->Item(IDC_TASK_X));

    Type(IDC_TASK_Y, "ten");
    Type(IDC_TASK_X, "10");
    Click(IDOK);
    ASSERT_EQ(refusals.boxes.size(), 3u);
    EXPECT_EQ(GetFocus(), dialog->Item(IDC_TASK_Y));
    EXPECT_TRUE(IsWindowVisible(window));
    Pump();
    helper.Settle("still");
    const RECT after = RectOf(target);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right, before.right);
}

// Answers the confirmation as told, after doing what the test wants done while the box is up, and
// notes whether the main window was ready meanwhile.
class Confirmations : public Messages {
public:
    Confirmations(MainDialog& main, int answer) : main_(main), answer_(answer) {}
    int Show(const std::string& text, unsigned style) override {
        texts.push_back(text);
        styles.push_back(style);
        readyMeanwhile.push_back(main_.Ready());
        if (meanwhile)
            meanwhile();
        return answer_;
    }
    void RequestQuit(int) override {}
    std::vector<std::string> texts;
    std::vector<unsigned> styles;
    std::vector<bool> readyMeanwhile;
    std::function<void()> meanwhile;

private:
    MainDialog& main_;
    int answer_;
};

TEST_F(TaskSelect, CloseAsksOnceForEveryWindowOfAProgramAndNoClosesNothing) {
    Open();
    Helper three(folder, "three.exe", {"one", "two", "three"});
    Helper single(folder, "single.exe", {"alone"});
    ShowByCommand();

    // Without Shift: the selected window only, no question.
    Confirmations yes(*main, IDYES);
    dialog->SetQuestions(&yes);
    Choose(three.Window("two"));
    Click(IDC_TASK_CLOSE);
    three.Settle("one");
    EXPECT_EQ(three.Record().find("close"), three.Record().rfind("close"));
    EXPECT_NE(three.Record().find("close two"), std::string::npos);
    EXPECT_TRUE(yes.texts.empty());
    EXPECT_TRUE(IsWindowVisible(window)) << "the dialog stays open";
    EXPECT_LT(IndexOf(three.Window("two")), 0) << "read again at once";

    // With Shift, on a main window that an editing dialog holds: the real box, answered No, posts nothing;
    // the main window stays as it was.
    PressKeys({{VK_SHIFT, true}});
    ASSERT_TRUE(PumpUntil([] { return GetKeyState(VK_SHIFT) < 0; }));
    main->SetReady(false);
    dialog->SetQuestions(nullptr);
    {
        testing::ModalWatchdog no(IDNO);
        Choose(three.Window("one"));
        Click(IDC_TASK_CLOSE);
        // (The watchdog also notes our own dialogs, which it finds on the same thread.)
        EXPECT_EQ(std::count(no.Captions().begin(), no.Captions().end(), "ぶりんどる - タスクセレクト"), 1);
    }
    EXPECT_FALSE(main->Ready());
    EXPECT_FALSE(IsWindowEnabled(main->Hwnd()));
    three.Settle("three");
    EXPECT_EQ(three.Record().find("close one"), std::string::npos);
    EXPECT_EQ(three.Record().find("close three"), std::string::npos);

    // Answered Yes: one question naming the program, every window of it closed, the other program's not.
    // (Wine takes the modifiers from the X server when a window is activated, which knows nothing of
    // injected keys: Shift is pressed again.)
    PressKeys({{VK_SHIFT, false}, {VK_SHIFT, true}});
    ASSERT_TRUE(PumpUntil([] { return GetKeyState(VK_SHIFT) < 0; }));
    main->SetReady(true);
    dialog->SetQuestions(&yes);
    Choose(three.Window("three"));
    Click(IDC_TASK_CLOSE);
    PressKeys({{VK_SHIFT, false}});
    ASSERT_EQ(yes.texts.size(), 1u);
    EXPECT_EQ(yes.texts[0],
              "three.exe "
              "で起動しているWindowが２つ以上あります。\n全てのWindowにクローズメッセージを送りますがよろしいですか？");
    EXPECT_EQ(yes.styles[0], static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL | MB_TOPMOST));
    EXPECT_EQ(yes.readyMeanwhile, std::vector<bool>{false});
    EXPECT_TRUE(main->Ready());
    EXPECT_TRUE(IsWindowEnabled(main->Hwnd()));
    PumpUntil([&] { return three.Record().find("close three") != std::string::npos; });
    EXPECT_NE(three.Record().find("close one"), std::string::npos);
    EXPECT_NE(three.Record().find("close three"), std::string::npos);
    single.Settle("alone");
    EXPECT_EQ(single.Record().find("close"), std::string::npos);
    // Read again a second later, when the windows are gone.
    EXPECT_TRUE(PumpUntil([&] { return HelperTexts({&three}).empty(); }));
}

// While the question is up, the list is not read again (by the timer of an earlier Close or by the task
// key): "Yes" closes the windows the question was about, and only those.
TEST_F(TaskSelect, CloseReachesTheWindowsChosenBeforeTheQuestionWhateverHappensMeanwhile) {
    Open();
    Helper three(folder, "three.exe", {"one", "two"});
    std::unique_ptr<Helper> newcomer;
    ShowByCommand();
    Confirmations yes(*main, IDYES);
    std::vector<std::string> listedMeanwhile;
    yes.meanwhile = [&] {
        // A program started meanwhile sorts just before three.exe: the places of three.exe's windows in a
        // list read again would move by one.
        newcomer = std::make_unique<Helper>(folder, "thr.exe", std::vector<std::string>{"victim"});
        SendMessageA(window, WM_TIMER, 1, 0);
        PostMessageA(main->Hwnd(), WM_TASK_KEY, 0, 0);
        Pump();
        listedMeanwhile = HelperTexts({&three, newcomer.get()});
    };
    dialog->SetQuestions(&yes);
    // Shift goes to the window in front: the activation that follows the end of the last test's helpers
    // may still be on its way, and the key is pressed again once the dialog is in front.
    for (int attempt = 0; attempt < 5 && GetKeyState(VK_SHIFT) >= 0; ++attempt) {
        SetForegroundWindow(window);
        PumpUntil([&] { return GetForegroundWindow() == window; });
        PressKeys({{VK_SHIFT, true}});
        for (int i = 0; i < 100 && GetKeyState(VK_SHIFT) >= 0; ++i) {
            Pump();
            Sleep(10);
        }
    }
    ASSERT_LT(GetKeyState(VK_SHIFT), 0);
    Choose(three.Window("one"));
    Click(IDC_TASK_CLOSE);
    PressKeys({{VK_SHIFT, false}});
    ASSERT_EQ(yes.texts.size(), 1u);
    ASSERT_TRUE(newcomer);
    EXPECT_EQ(listedMeanwhile, (std::vector<std::string>{"[three.exe]one", "[three.exe]two"}));

    PumpUntil([&] { return three.Record().find("close two") != std::string::npos; });
    EXPECT_NE(three.Record().find("close one"), std::string::npos);
    EXPECT_NE(three.Record().find("close two"), std::string::npos);
    newcomer->Settle("victim");
    EXPECT_EQ(newcomer->Record().find("close"), std::string::npos);
    // Read again once answered: the newcomer is listed.
    EXPECT_EQ(HelperTexts({newcomer.get()}), std::vector<std::string>{"[thr.exe]victim"});
}

// Another program answers the length of its title with a number no text has: the list still comes, with
// its title cut to a length the list can show.
TEST_F(TaskSelect, AnotherProgramsWordOnItsTitleLengthIsNotTaken) {
    Open();
    const std::string title = "long " + std::string(3000, 'x');
    Helper huge(folder, "huge.exe", {title}, "huge");
    ShowByCommand();
    const std::vector<std::string> listed = HelperTexts({&huge});
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0], "[huge.exe]" + title.substr(0, kTaskTitleMaxBytes));
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(TaskSelect, AHungProgramHoldsUpNeitherTheListNorTheMainWindow) {
    Open();
    Helper hung(folder, "hung.exe", {"hung window"}, "hang");
    HWND target = hung.Window("hung window");
    ASSERT_NE(target, nullptr);
    // It never answers: each of these would wait for ever without a time limit.
    ShowByCommand();
    EXPECT_EQ(HelperTexts({&hung}), std::vector<std::string>{"[hung.exe]hung window"});
    Choose(target);
    Click(IDC_TASK_POSITION);
    Type(IDC_TASK_X, "30");
    Click(IDOK);
    Pump();  // the main window brings it to the front without waiting for it
    EXPECT_FALSE(IsWindowVisible(window));
    ShowByCommand();
    EXPECT_EQ(IndexOf(target) >= 0, true);
}

TEST_F(TaskSelect, TheTaskKeyIsOnlyDecidedInTheHookAndShowsTheDialogAfterIt) {
    Open();
    Helper helper(folder, "keyed.exe", {"keyed"});
    KBDLLHOOKSTRUCT event{};
    event.vkCode = VK_LCONTROL;
    KeyboardHook::HandleEvent(WM_KEYDOWN, event);
    event.vkCode = VK_LSHIFT;
    KeyboardHook::HandleEvent(WM_KEYDOWN, event);
    event.vkCode = VK_F9;
    EXPECT_TRUE(KeyboardHook::HandleEvent(WM_KEYDOWN, event)) << "the key is swallowed";
    // Nothing was refreshed or shown inside the hook's call: a message waits for the main window.
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(dialog->Entries().empty() || HelperTexts({&helper}).empty());
    MSG waiting;
    EXPECT_TRUE(PeekMessageA(&waiting, main->Hwnd(), WM_TASK_KEY, WM_TASK_KEY, PM_NOREMOVE));
    Pump();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(HelperTexts({&helper}), std::vector<std::string>{"[keyed.exe]keyed"});

    // The user's path: real key presses reach the hook while the program waits for messages.
    Click(IDCANCEL);
    SetForegroundWindow(main->Hwnd());
    Pump();
    ASSERT_FALSE(IsWindowVisible(window));
    PressKeys({{VK_LCONTROL, true},
               {VK_LSHIFT, true},
               {VK_F9, true},
               {VK_F9, false},
               {VK_LSHIFT, false},
               {VK_LCONTROL, false}});
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
}

// Every key press on the desktop waits for the low-level hook. The hook answers on a thread of its own,
// so keys typed while the main thread is busy are decided at once (the main window shows the dialog when
// it gets to it), and the main window's end ends that thread.
TEST_F(TaskSelect, TheTaskKeyIsDecidedWhileTheMainThreadIsBusyAndTheHookEndsWithTheWindow) {
    Open();
    Helper helper(folder, "busy.exe", {"busy"});
    SetForegroundWindow(main->Hwnd());
    Pump();
    ASSERT_FALSE(IsWindowVisible(window));
    struct Typist {
        static DWORD WINAPI Run(void*) {
            PressKeys({{VK_LCONTROL, true},
                       {VK_LSHIFT, true},
                       {VK_F9, true},
                       {VK_F9, false},
                       {VK_LSHIFT, false},
                       {VK_LCONTROL, false}});
            return 0;
        }
    };
    HANDLE typist = CreateThread(nullptr, 0, Typist::Run, nullptr, 0, nullptr);
    ASSERT_NE(typist, nullptr);
    // Busy: this thread looks at no message until the keys are through (a hook on this thread would hold
    // them until then; the limit only keeps a failing run from hanging).
    EXPECT_EQ(WaitForSingleObject(typist, 10000), WAIT_OBJECT_0) << "the keys waited for the main thread";
    while (MsgWaitForMultipleObjects(1, &typist, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        Pump();
    CloseHandle(typist);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_EQ(HelperTexts({&helper}), std::vector<std::string>{"[busy.exe]busy"});

    const DWORD hookThread = KeyboardHook::ThreadId();
    ASSERT_NE(hookThread, 0u);
    EXPECT_NE(hookThread, GetCurrentThreadId());
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, hookThread);
    ASSERT_NE(thread, nullptr);
    DestroyWindow(main->Hwnd());
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "the hook's thread has ended";
    CloseHandle(thread);
    EXPECT_FALSE(main->HookInstalled());
    EXPECT_EQ(KeyboardHook::ThreadId(), 0u);
}

TEST_F(TaskSelect, HiddenWhenAnotherProgramIsActivatedAndItsPlaceIsKeptOnScreen) {
    Open();
    Helper helper(folder, "other.exe", {"elsewhere"});
    RECT place = RectOf(window);
    EXPECT_EQ(place.left, 60);
    EXPECT_EQ(place.top, 70);
    EXPECT_EQ(place.right, 760);
    ShowByCommand();
    ASSERT_TRUE(IsWindowVisible(window));
    SetForegroundWindow(helper.Window("elsewhere"));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }));

    // Moved and sized, then the main window closes: the closing save keeps the dialog's rectangle.
    MoveWindow(window, 80, 90, 720, 500, FALSE);
    SendMessageA(main->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_NE(testing::ReadBytes(path).find("winTaskSelect=80,90,800,590\r\n"), std::string::npos);
    main.reset();

    // A rectangle on a monitor that is gone comes back where the user can reach it.
    WriteSettings("winTaskSelect=9000,9000,9700,9500\r\n");
    Open();
    place = RectOf(window);
    EXPECT_LT(place.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_LT(place.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(place.right - place.left, 700);

    // The window cannot be made smaller than it was made.
    MINMAXINFO limits{};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_GT(limits.ptMinTrackSize.x, 100);
    EXPECT_GT(limits.ptMinTrackSize.y, 100);
}

}  // namespace
}  // namespace brindle

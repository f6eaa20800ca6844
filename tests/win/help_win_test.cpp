// F1 as a user presses it: a real key event in the main window, in a modal dialog and in the version
// window, while the program's own loop runs. A recorder stands in for the HTML Help control and notes
// which file and page were asked for; then the real control opens the compiled file in its window type.
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "about/about_dialog.h"
#include "launch/help_topics.h"
#include "launch/help_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "unit/test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

class RecordingViewer : public HelpViewer {
public:
    HWND Display(const std::string& file, const std::string& page) override {
        asked.emplace_back(file, page);
        return nullptr;
    }
    std::vector<std::pair<std::string, std::string>> asked;
};

std::string ModulePath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The help file the program asks for: its own path with ".chm".
std::string OwnHelpFile() {
    std::string path = ModulePath();
    return path.substr(0, path.rfind('.')) + ".chm";
}

void PressKey(WORD key) {
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = key;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
}

// The enabled dialog of this thread other than the ones named.
struct DialogSearch {
    HWND main, about, found;
};

BOOL CALLBACK FindOtherDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && window != search.main && window != search.about &&
        IsWindowVisible(window) && IsWindowEnabled(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND OtherDialog(HWND main, HWND about) {
    DialogSearch search{main, about, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOtherDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The user, played by a thread timer while MainDialog::DoModal runs the program's loop.
MainDialog* g_running = nullptr;
RecordingViewer* g_viewer = nullptr;
std::vector<size_t> g_askedAfter;  // how many requests the recorder had after each F1
std::vector<std::string> g_focusClass;
int g_step = 0;

void Note(HWND focus) {
    char className[32] = "";
    GetClassNameA(focus, className, sizeof className);
    g_focusClass.push_back(className);
}

void CALLBACK PlayF1(HWND, UINT, UINT_PTR id, DWORD) {
    HWND main = g_running->Hwnd(), about = g_running->About()->Hwnd();
    switch (g_step++) {
        case 0:  // the list of the main window has the focus
            SetForegroundWindow(main);
            SetFocus(g_running->Item(IDC_LIST));
            Note(GetFocus());
            PressKey(VK_F1);
            break;
        case 1:  // the page tree
            g_askedAfter.push_back(g_viewer->asked.size());
            SetFocus(g_running->Item(IDC_TREE));
            Note(GetFocus());
            PressKey(VK_F1);
            break;
        case 2:
            g_askedAfter.push_back(g_viewer->asked.size());
            PostMessageA(main, WM_COMMAND, ID_ADD_PAGE, 0);  // the page dialog runs its own loop
            break;
        case 3: {  // F1 in the page dialog's name field
            HWND dialog = OtherDialog(main, about);
            if (!dialog)
                break;
            SetForegroundWindow(dialog);
            SetFocus(GetDlgItem(dialog, IDC_PAGE_NAME));
            Note(GetFocus());
            PressKey(VK_F1);
            break;
        }
        case 4:
            g_askedAfter.push_back(g_viewer->asked.size());
            PostMessageA(OtherDialog(main, about), WM_COMMAND, IDCANCEL, 0);
            PostMessageA(main, WM_COMMAND, ID_VERSION, 0);
            break;
        case 5:  // the version window, modeless, on its OK button
            SetForegroundWindow(about);
            SetFocus(GetDlgItem(about, IDOK));
            Note(GetFocus());
            PressKey(VK_F1);
            break;
        default:
            g_askedAfter.push_back(g_viewer->asked.size());
            KillTimer(nullptr, id);
            PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
            break;
    }
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND dialog = OtherDialog(g_running->Hwnd(), g_running->About()->Hwnd());
    if (dialog)
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(g_running->Hwnd(), WM_COMMAND, IDCANCEL, 0);
}

class Help : public ::testing::Test {
protected:
    void TearDown() override {
        SetHelpViewer(nullptr);
        DeleteFileA(path.c_str());
    }

    testing::TempFolder folder;
    std::string path = folder.File("Help.INI");
    RecordingMessages messages;
};

TEST_F(Help, F1OpensThePageOfTheWindowOrDialogItIsPressedIn) {
    testing::WriteBytes(path, "[Brindle]\r\nwinMainFrame=100,80,700,500\r\n[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n");
    SettingsStore store(messages, path);
    store.Load();
    MainDialog::Options options;
    options.instanceName = "INI.help_f1_Mutex";
    MainDialog dialog(store, messages, options);
    RecordingViewer viewer;
    EXPECT_EQ(SetHelpViewer(&viewer), nullptr);
    g_running = &dialog;
    g_viewer = &viewer;
    g_step = 0;
    g_askedAfter.clear();
    g_focusClass.clear();
    const UINT_PTR player = SetTimer(nullptr, 0, 300, PlayF1);
    const UINT_PTR guard = SetTimer(nullptr, 0, 15000, GiveUp);
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    KillTimer(nullptr, player);
    KillTimer(nullptr, guard);

    // The keys reached the controls a user would have had the focus in, and each F1 asked once.
    EXPECT_EQ(g_focusClass, (std::vector<std::string>{"SysListView32", "SysTreeView32", "Edit", "Button"}));
    EXPECT_EQ(g_askedAfter, (std::vector<size_t>{1, 2, 3, 4}));
    const std::string file = OwnHelpFile();
    EXPECT_EQ(viewer.asked, (std::vector<std::pair<std::string, std::string>>{{file, help::kStartPage},
                                                                              {file, help::kStartPage},
                                                                              {file, help::kPageDialog},
                                                                              {file, help::kVersionWindow}}));
}

// With the compiled help beside the program, the HTML Help control opens its window of the program's
// window type (its caption comes from the file). Wine's viewer shows no page in it: it lacks the HTML
// engine, so the page itself cannot be checked here.
TEST_F(Help, TheHtmlHelpControlOpensTheWindowTypeOfTheCompiledFile) {
    std::string compiled = "Z:" BRINDLE_HELP_FILE;
    for (char& c : compiled)
        if (c == '/')
            c = '\\';
    const std::string beside = OwnHelpFile();
    ASSERT_TRUE(CopyFileA(compiled.c_str(), beside.c_str(), FALSE)) << compiled;
    if (HtmlHelpControlPath().empty())
        GTEST_SKIP() << "no HTML Help control registered";

    HWND window = ShowHelp(help::kSortDialog);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindow(window));
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "ぶりんどる ヘルプ");
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    DestroyWindow(window);
    DeleteFileA(beside.c_str());
}

}  // namespace
}  // namespace brindle

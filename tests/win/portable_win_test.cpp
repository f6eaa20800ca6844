// One settings file on a "stick" reached through two drive letters (P: and Q:, mapped by
// with-stick-drives.sh): the program started from either one launches the same program beside it and
// shows its icon, whatever the current folder. The test starts a copy of itself from each drive as the
// program; that copy runs the main window in-process and checks it.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "launch/system_win.h"
#include "platform/platform_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/message_box_win.h"
#include "unit/test_support.h"

namespace brindle {
namespace {

constexpr char kChildVariable[] = "BRINDLE_STICK_DRIVE";
constexpr int kMissingImage = 4;  // the list's image of a target that is not there
constexpr int kProgramImage = 2;

std::string ModuleFolder() {
    const std::string path = ModulePath();
    return path.substr(0, path.rfind('\\'));
}

// ASCII letters only: drive letters and the names here; double-byte characters are not touched.
std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The settings file: the probe by a path relative to the program's folder, to its drive and through
// %BRINDLE_DRIVE%, work folders (one through %BRINDLE_DIR%) and an icon relative to the program as well.
constexpr char kSettings[] =
    "[Brindle]\r\nwinMainFrame=100,80,700,500\r\nwinSeparator=150\r\nListStyle=3\r\nPage=0\r\niChkLoadIcon=2\r\n"
    "[Page]\r\n0=Stick,-1,0,0,\"\",\"\"\r\n"
    "[#00000]\r\nNamespace=dotdot\r\nCommandLine=..\\Tools\\probe.exe\r\nReadIcon=1\r\n"
    "Iconname=.\\portable_win_tests.exe\r\nWorkfolder=.\r\n"
    "[#00001]\r\nNamespace=drive\r\nCommandLine=\\Tools\\probe.exe\r\nReadIcon=1\r\nWorkfolder=\\Tools\r\n"
    "[#00002]\r\nNamespace=variable\r\nCommandLine=\"%BRINDLE_DRIVE%\\Tools\\probe.exe\" -x\r\n"
    "Workfolder=%BRINDLE_DIR%\r\n";

// The copy started from a drive of the stick: it is the program here.
TEST(PortableChild, LaunchesTheProbeBesideItAndShowsItsIcon) {
    const char* drive = std::getenv(kChildVariable);
    if (!drive)
        GTEST_SKIP() << "started by the test below";
    SetProgramPathVariables();
    ASSERT_EQ(Lower(ModulePath()), Lower(std::string(drive) + "\\brindle\\portable_win_tests.exe"));

    testing::RecordingMessages messages;
    ui::SetAppMessages(&messages);
    SettingsStore store(messages, ModuleFolder() + "\\Brindle.INI");
    ASSERT_TRUE(store.Load());
    MainDialog::Options options;
    options.instanceName = "INI.stick_Mutex";
    auto window = std::make_unique<MainDialog>(store, messages, options);
    ASSERT_TRUE(window->Create(nullptr));
    ShowWindow(window->Hwnd(), SW_SHOW);
    Pump();

    HWND list = window->Item(IDC_LIST);
    ASSERT_EQ(ListView_GetItemCount(list), 3);
    int images[3] = {};
    for (int i = 0; i < 3; ++i) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE | LVIF_PARAM;
        item.iItem = i;
        ListView_GetItem(list, &item);
        images[item.lParam] = item.iImage;
    }
    EXPECT_GT(images[0], kMissingImage) << "the icon read from .\\portable_win_tests.exe";
    EXPECT_GT(images[1], kMissingImage) << "the icon read from \\Tools\\probe.exe";
    EXPECT_EQ(images[2], kProgramImage) << "the existence check of %BRINDLE_DRIVE%\\Tools\\probe.exe";

    const std::string probe = Lower(std::string(drive) + "\\tools\\probe.exe");
    const std::string workFolders[3] = {Lower(std::string(drive) + "\\brindle"), Lower(std::string(drive) + "\\tools"),
                                        Lower(std::string(drive) + "\\brindle")};
    const std::string report = ModuleFolder() + "\\report.txt";
    SetEnvironmentVariableA("BRINDLE_PROBE_OUT", report.c_str());
    for (int index = 0; index < 3; ++index) {
        DeleteFileA(report.c_str());
        SendMessageA(window->Hwnd(), WM_COMMAND, kFirstItemCommand + index, 0);
        std::string text;
        for (int i = 0; i < 200 && text.empty(); ++i) {
            text = testing::ReadBytes(report);
            if (text.empty())
                Sleep(50);
        }
        const size_t lineEnd = text.find('\n');
        ASSERT_NE(lineEnd, std::string::npos) << "shortcut " << index << " started nothing";
        EXPECT_NE(Lower(text.substr(0, lineEnd)).find(probe), std::string::npos) << text;
        EXPECT_EQ(Lower(text.substr(lineEnd + 1, text.find('\n', lineEnd + 1) - lineEnd - 1)), workFolders[index]);
    }
    EXPECT_TRUE(messages.boxes.empty());
    window.reset();
    ui::SetAppMessages(nullptr);
}

// Runs the copy on the stick from `drive` with another current folder; its exit code.
DWORD RunFromDrive(const std::string& drive) {
    std::string commandLine = drive + "\\Brindle\\portable_win_tests.exe --gtest_filter=PortableChild.*";
    SetEnvironmentVariableA(kChildVariable, drive.c_str());
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, windows,
                                        &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    if (!started)
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFE;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(PortableDrives, TheSameSettingsFileLaunchesTheSameProgramFromTwoDriveLetters) {
    if (std::getenv(kChildVariable))
        GTEST_SKIP() << "the copy on the stick runs the other test";
    // The stick's folder as this side sees it; P: and Q: are both mapped to it.
    const std::string stick = ModuleFolder() + "\\stick";
    CreateDirectoryA(stick.c_str(), nullptr);
    CreateDirectoryA((stick + "\\Brindle").c_str(), nullptr);
    CreateDirectoryA((stick + "\\Tools").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(ModulePath().c_str(), (stick + "\\Brindle\\portable_win_tests.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((ModuleFolder() + "\\launch_probe.exe").c_str(), (stick + "\\Tools\\probe.exe").c_str(), FALSE));
    testing::WriteBytes(stick + "\\Brindle\\Brindle.INI", kSettings);
    ASSERT_NE(GetFileAttributesA("P:\\Brindle\\Brindle.INI"), INVALID_FILE_ATTRIBUTES) << "P: is not mapped";
    ASSERT_NE(GetFileAttributesA("Q:\\Brindle\\Brindle.INI"), INVALID_FILE_ATTRIBUTES) << "Q: is not mapped";

    EXPECT_EQ(RunFromDrive("P:"), 0u);
    EXPECT_EQ(RunFromDrive("Q:"), 0u);
}

}  // namespace
}  // namespace brindle

// Launches through the real shell (under Wine): a probe program of the tests records what it was given.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launch/command_line.h"
#include "launch/shell_launch_win.h"
#include "launch/system_win.h"
#include "store/settings_store.h"
#include "unit/test_support.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::ModalWatchdog;
using testing::RecordingMessages;
using testing::WinFolder;

std::string ModuleFolder() {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path(module);
    return path.substr(0, path.rfind('\\'));
}

struct ProbeReport {
    std::string commandLine, folder;
    int show = -2;
};

class ShellLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        // The probe under a name with a blank and double-byte characters, in a folder of the same kind.
        ASSERT_TRUE(CopyFileA((ModuleFolder() + "\\launch_probe.exe").c_str(), probe.c_str(), FALSE));
        CreateDirectoryA(work.c_str(), nullptr);
        SetEnvironmentVariableA("BRINDLE_PROBE_OUT", report.c_str());
        SetEnvironmentVariableA("BRINDLE_TEST_DIR", folder.Path().c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("BRINDLE_PROBE_OUT", nullptr); }

    int Add(const std::string& commandLine, const char* workFolder, int showType) {
        return store.AddShortcut("probe", commandLine.c_str(), nullptr, workFolder, showType, 0, 0, 1, nullptr);
    }
    int Run(int index, const std::vector<std::string>& arguments = {}) {
        DeleteFileA(report.c_str());
        return LaunchShortcut(store, index, arguments, nullptr, messages, system);
    }
    // What the probe wrote, waiting for it up to ten seconds.
    ProbeReport Report() {
        std::string text;
        for (int i = 0; i < 200 && text.empty(); ++i) {
            text = testing::ReadBytes(report);
            if (text.empty())
                Sleep(50);
        }
        ProbeReport r;
        size_t first = text.find('\n'), second = text.find('\n', first + 1);
        if (second == std::string::npos) {
            ADD_FAILURE() << "the probe wrote no report";
            return r;
        }
        r.commandLine = text.substr(0, first);
        r.folder = text.substr(first + 1, second - first - 1);
        r.show = std::atoi(text.c_str() + second + 1);
        return r;
    }
    // The parameters the probe got: its command line after the quoted program path.
    static std::string Parameters(const ProbeReport& r) {
        size_t close = r.commandLine[0] == '"' ? r.commandLine.find('"', 1) : std::string::npos;
        return close == std::string::npos ? "<unquoted: " + r.commandLine + ">" : r.commandLine.substr(close + 1);
    }

    WinFolder folder;
    std::string probe = folder.File("プローブ 表.exe");
    std::string work = folder.File("作業 場所");
    std::string report = folder.File("report.txt");
    RecordingMessages messages;
    SettingsStore store{messages, folder.File("Brindle.INI")};
    WinSystem system;
};

TEST_F(ShellLaunch, QuotedProgramWithParametersFolderAndShowTypes) {
    int index = Add("\"%BRINDLE_TEST_DIR%\\プローブ 表.exe\" -n %USERPROFILE%", "%BRINDLE_TEST_DIR%\\作業 場所", 0);
    EXPECT_GT(Run(index), 32);
    ProbeReport r = Report();
    EXPECT_NE(r.commandLine.find("プローブ 表.exe"), std::string::npos) << r.commandLine;
    EXPECT_EQ(Parameters(r), "  -n %USERPROFILE%");  // the shell puts its own blank before ours
    EXPECT_EQ(r.folder, work);
    EXPECT_EQ(r.show, SW_SHOWNORMAL);
    EXPECT_TRUE(messages.boxes.empty());

    const std::pair<int, int> shows[] = {{1, SW_SHOWMAXIMIZED}, {2, SW_SHOWMINIMIZED}, {5, SW_SHOWNORMAL}};
    for (const auto& [showType, expected] : shows) {
        EXPECT_GT(Run(Add("\"" + probe + "\"", nullptr, showType)), 32);
        EXPECT_EQ(Report().show, expected) << showType;
    }
}

TEST_F(ShellLaunch, DroppedFilesAreAppendedInOrderOrFillThePlaceholders) {
    int plain = Add("\"" + probe + "\" -n", nullptr, 0);
    EXPECT_GT(Run(plain, {"C:\\a b.txt", "C:\\予定\\c.txt"}), 32);
    EXPECT_EQ(Parameters(Report()), "  -n \"C:\\a b.txt\" \"C:\\予定\\c.txt\"");

    int placeholders = Add("\"" + probe + "\" /x %2 %1", nullptr, 0);
    EXPECT_GT(Run(placeholders, {"A", "B"}), 32);
    EXPECT_EQ(Parameters(Report()), "  /x \"B\" \"A\"");
    EXPECT_GT(Run(placeholders, {"A"}), 32);
    EXPECT_EQ(Parameters(Report()), "  /x %2 \"A\"");
    EXPECT_GT(Run(placeholders), 32);
    EXPECT_EQ(Parameters(Report()), "  /x  ");

    int temp = Add("\"" + probe + "\" %TEMP%", nullptr, 0);
    EXPECT_GT(Run(temp, {"A"}), 32);
    EXPECT_EQ(Parameters(Report()), "  %TEMP%");
    EXPECT_TRUE(messages.boxes.empty());
}

// A batch file that writes each argument it got on a line of its own, as the command processor gives it.
TEST_F(ShellLaunch, DroppedNamesReachABatchFileAsOneArgumentEach) {
    const std::string batch = folder.File("引数 記録.bat"), record = folder.File("args.txt");
    testing::WriteBytes(batch,
                        "@echo off\r\n"
                        ">>\"%BRINDLE_ARGS_OUT%\" echo 1=%1\r\n"
                        ">>\"%BRINDLE_ARGS_OUT%\" echo 2=%2\r\n"
                        ">>\"%BRINDLE_ARGS_OUT%\" echo 3=%3\r\n"
                        ">>\"%BRINDLE_ARGS_OUT%\" echo end\r\n");
    SetEnvironmentVariableA("BRINDLE_ARGS_OUT", record.c_str());
    // What the batch file recorded, waiting for it up to ten seconds.
    auto recorded = [&] {
        std::string text;
        for (int i = 0; i < 200 && text.find("end") == std::string::npos; ++i) {
            Sleep(50);
            text = testing::ReadBytes(record);
        }
        DeleteFileA(record.c_str());
        return text;
    };
    const std::string amp = folder.File("x&md_injected.txt"), spaced = folder.File("a b&c.txt");
    const std::string root = "Z:\\";

    EXPECT_GT(Run(Add("\"" + batch + "\"", nullptr, 0), {amp, spaced}), 32);
    EXPECT_EQ(recorded(), "1=\"" + amp + "\"\r\n2=\"" + spaced + "\"\r\n3=\r\nend\r\n");
    // In place of the placeholders; one the template quotes itself is not quoted again.
    EXPECT_GT(Run(Add("\"" + batch + "\" %2 \"%1\"", nullptr, 0), {spaced, amp}), 32);
    EXPECT_EQ(recorded(), "1=\"" + amp + "\"\r\n2=\"" + spaced + "\"\r\n3=\r\nend\r\n");
    EXPECT_GT(Run(Add("\"" + batch + "\" %1 -x", nullptr, 0), {root}), 32);
    EXPECT_EQ(recorded(), "1=\"Z:\\\\\"\r\n2=-x\r\n3=\r\nend\r\n");
    SetEnvironmentVariableA("BRINDLE_ARGS_OUT", nullptr);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ShellLaunch, FailuresAreShownAndNothingStartsWithoutACommandLine) {
    ModalWatchdog watchdog;
    int missing = Add("\"" + folder.File("ない.exe") + "\" -q", "C:\\", 0);
    EXPECT_EQ(Run(missing), 2);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "起動に失敗しました(Code=2:指定されたファイルが見つかりませんでした)\nCmd.=" +
                                          folder.File("ない.exe") + "\nPara= -q\nWorkfolder=C:\\\n");
    EXPECT_EQ(messages.boxes[0].style, box::kIconStop);

    messages.boxes.clear();
    EXPECT_EQ(Run(Add("\"\" -q", nullptr, 0)), 0);
    EXPECT_EQ(Run(store.ShortcutCount()), 0);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "コマンドラインが空です。");
    EXPECT_EQ(messages.boxes[0].style, box::kIconExclamation);

    messages.boxes.clear();
    EXPECT_EQ(OpenPath(folder.File("ない"), nullptr, messages), 2);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "起動に失敗しました(Code=2:指定されたファイルが見つかりませんでした)\nCmd.=" +
                                          folder.File("ない") + "\n");
    EXPECT_TRUE(watchdog.Captions().empty());
}

TEST_F(ShellLaunch, OpenPathStartsNormalAndExistFolderRefusesAnAddress) {
    DeleteFileA(report.c_str());
    EXPECT_GT(OpenPath(probe, nullptr, messages), 32);
    ProbeReport r = Report();
    EXPECT_EQ(r.show, SW_SHOWNORMAL);
    EXPECT_TRUE(messages.boxes.empty());

    int web = Add("https://example.com/", nullptr, 0);
    EXPECT_FALSE(OpenFolderOfShortcut(store, web, nullptr, messages, system));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text,
              "このショートカットのコマンドラインから割り出したフォルダは開けません。\nCmd=https://example.com/\n");
    EXPECT_EQ(messages.boxes[0].style, box::kOk);
    EXPECT_FALSE(OpenFolderOfShortcut(store, store.ShortcutCount(), nullptr, messages, system));
    EXPECT_EQ(messages.boxes.size(), 1u);
}

}  // namespace
}  // namespace brindle

// Splitting command lines, merging dropped files into the parameters, and what a launch hands over.
#include <gtest/gtest.h>

#include "fake_system.h"
#include "launch/command_line.h"
#include "launch/launch_plan.h"

namespace brindle {
namespace {

using testing::FakeSystem;

struct Split {
    std::string file, parameters;
};

Split SplitOf(const char* commandLine, FakeSystem& system) {
    Split split;
    SplitCommandLine(commandLine, split.file, split.parameters, system);
    return split;
}

TEST(SplitCommandLine, QuotedFileWithParametersAndUnquotedWholeTexts) {
    FakeSystem system;
    Split s = SplitOf("\"C:\\Program Files\\Ed\\ed.exe\" -n", system);
    EXPECT_EQ(s.file, "C:\\Program Files\\Ed\\ed.exe");
    EXPECT_EQ(s.parameters, " -n");  // the leading blank is kept

    s = SplitOf("\"C:\\表\\ソフト.exe\"/a \"b c\"", system);
    EXPECT_EQ(s.file, "C:\\表\\ソフト.exe");
    EXPECT_EQ(s.parameters, "/a \"b c\"");

    // Without a closing quote, or without a leading one, the whole text is the file.
    s = SplitOf("C:\\Program Files\\Ed\\ed.exe -n", system);
    EXPECT_EQ(s.file, "C:\\Program Files\\Ed\\ed.exe -n");
    EXPECT_EQ(s.parameters, "");
    s = SplitOf("\"C:\\a b\\ed.exe -n", system);
    EXPECT_EQ(s.file, "\"C:\\a b\\ed.exe -n");
    EXPECT_EQ(s.parameters, "");
    s = SplitOf("ed.exe \"x y\"", system);
    EXPECT_EQ(s.file, "ed.exe \"x y\"");

    s = SplitOf("\"\" -n", system);
    EXPECT_EQ(s.file, "");
    EXPECT_EQ(s.parameters, " -n");

    Split untouched{"keep", "these"};
    SplitCommandLine(nullptr, untouched.file, untouched.parameters, system);
    EXPECT_EQ(untouched.file, "keep");
    EXPECT_EQ(untouched.parameters, "these");
}

TEST(SplitCommandLine, ExpandsTheFilePartOnly) {
    FakeSystem system;
    system.variables = {{"WINDIR", "C:\\Windows"}, {"USERPROFILE", "C:\\Users\\me"}};
    Split s = SplitOf("\"%WINDIR%\\notepad.exe\" %USERPROFILE%\\a.txt", system);
    EXPECT_EQ(s.file, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(s.parameters, " %USERPROFILE%\\a.txt");
    EXPECT_EQ(SplitOf("%WINDIR%\\notepad.exe %USERPROFILE%", system).file, "C:\\Windows\\notepad.exe C:\\Users\\me");

    system.failExpansion = true;
    EXPECT_EQ(SplitOf("%WINDIR%\\notepad.exe", system).file, "%WINDIR%\\notepad.exe");
}

std::string Merged(std::string parameters, const std::vector<std::string>& arguments) {
    MergeArguments(parameters, arguments);
    return parameters;
}

TEST(MergeArguments, AppendsEachArgumentInQuotes) {
    EXPECT_EQ(Merged(" -n", {"C:\\a b.txt", "C:\\c.txt"}), " -n \"C:\\a b.txt\" \"C:\\c.txt\"");
    // Characters the command processor reads stay inside the argument.
    EXPECT_EQ(Merged("", {"C:\\x&calc", "C:\\a|b^c"}), " \"C:\\x&calc\" \"C:\\a|b^c\"");
    // A full-width blank is a double-byte character; a trail byte 0x5C ends no name with a backslash.
    EXPECT_EQ(Merged("", {"表　計算.txt", "C:\\ソ"}), " \"表　計算.txt\" \"C:\\ソ\"");
    // A folder's closing backslash is doubled, so that it does not escape the closing quote.
    EXPECT_EQ(Merged("", {"Z:\\", "C:\\a b\\"}), " \"Z:\\\\\" \"C:\\a b\\\\\"");
    // A quote, which no file name holds, cannot close the quotes early.
    EXPECT_EQ(Merged("", {"C:\\x\" & calc & \""}), " \"C:\\x & calc & \"");
    std::vector<std::string> many(12, "f");
    EXPECT_EQ(Merged("", many), " \"f\" \"f\" \"f\" \"f\" \"f\" \"f\" \"f\" \"f\" \"f\" \"f\" \"f\" \"f\"");
    EXPECT_EQ(Merged(" -n", {}), " -n");
}

TEST(MergeArguments, ReplacesPlaceholdersWhenTheParametersHoldAPercentSign) {
    EXPECT_EQ(Merged(" /x %2 %1", {"B", "A"}), " /x \"A\" \"B\"");
    EXPECT_EQ(Merged(" /x %2 %1", {"A"}), " /x %2 \"A\"");
    EXPECT_EQ(Merged(" /x %2 %1", {}), " /x  ");
    EXPECT_EQ(Merged("%1=%1,%3", {"a b", "-", "c"}), "\"a b\"=\"a b\",\"c\"");  // every occurrence

    // A placeholder the template quotes already takes the bare name, also inside a longer quoted text;
    // the template's own quotes decide, not those of names put in before.
    EXPECT_EQ(Merged(" \"%1\" %2", {"a b", "x&y"}), " \"a b\" \"x&y\"");
    EXPECT_EQ(Merged(" \"--in=%1.txt\" %1", {"a b"}), " \"--in=a b.txt\" \"a b\"");
    EXPECT_EQ(Merged(" \"%1\" \"%2\"", {"Z:\\", "C:\\a\\b"}), " \"Z:\\\\\" \"C:\\a\\b\"");

    // Any '%', also one of a variable reference, switches from appending to replacing.
    EXPECT_EQ(Merged(" %TEMP%\\out", {"A", "B"}), " %TEMP%\\out");
    EXPECT_EQ(Merged(" 50%", {"A"}), " 50%");

    // Beyond the ninth argument nothing is used; "%10" is placeholder 1 followed by a 0.
    std::vector<std::string> ten = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "X"};
    EXPECT_EQ(Merged("%9 %10", ten), "\"9\" \"1\"0");
    // A name put in is never read again for placeholders.
    EXPECT_EQ(Merged(" %1", {"%2", "B"}), " \"%2\"");
    EXPECT_EQ(Merged(" %1", {"%1%1"}), " \"%1%1\"");
    // Without arguments every placeholder 1 to 9 goes; other uses of '%' stay.
    EXPECT_EQ(Merged("%0 %1%9 %% %a", {}), "%0  %% %a");
}

TEST(ShowCommandFor, MapsTheShowTypesAndLaunchesAnyOtherNormal) {
    EXPECT_EQ(ShowCommandFor(0), kShowNormal);
    EXPECT_EQ(ShowCommandFor(1), kShowMaximized);
    EXPECT_EQ(ShowCommandFor(2), kShowMinimized);
    for (int odd : {3, 7, -1, 65536})
        EXPECT_EQ(ShowCommandFor(odd), kShowNormal) << odd;
}

TEST(PlanLaunch, BuildsFileParametersFolderAndShowCommand) {
    FakeSystem system;
    system.variables = {{"TEMP", "C:\\Temp"}, {"LONG", std::string(300, 'd')}};
    ShortcutRecord shortcut;
    shortcut.commandLine = "\"%TEMP%\\ed.exe\" -n %TEMP%";
    shortcut.workFolder = "%TEMP%\\work";
    shortcut.showType = 1;
    LaunchPlan plan;
    std::string error;
    ASSERT_TRUE(PlanLaunch(shortcut, {"A"}, system, plan, error));
    EXPECT_EQ(plan.file, "C:\\Temp\\ed.exe");
    EXPECT_EQ(plan.parameters, " -n %TEMP%");  // placeholder mode: nothing appended
    EXPECT_EQ(plan.directory, "C:\\Temp\\work");
    EXPECT_EQ(plan.show, kShowMaximized);

    // An absent work folder is empty; a failed expansion keeps the text; long results stay whole.
    shortcut.commandLine = "%LONG%\\x.exe";
    shortcut.workFolder = nullptr;
    ASSERT_TRUE(PlanLaunch(shortcut, {}, system, plan, error));
    EXPECT_EQ(plan.file, std::string(300, 'd') + "\\x.exe");
    EXPECT_EQ(plan.directory, "");
    shortcut.workFolder = "%TEMP%";
    system.failExpansion = true;
    ASSERT_TRUE(PlanLaunch(shortcut, {}, system, plan, error));
    EXPECT_EQ(plan.directory, "%TEMP%");
    EXPECT_EQ(error, "");
}

TEST(PlanLaunch, AnEmptyCommandLineStartsNothing) {
    FakeSystem system;
    ShortcutRecord shortcut;
    for (const char* commandLine : {static_cast<const char*>(nullptr), "\"\"", "\"\" -n"}) {
        shortcut.commandLine = commandLine;
        LaunchPlan plan;
        std::string error;
        EXPECT_FALSE(PlanLaunch(shortcut, {"A"}, system, plan, error));
        EXPECT_EQ(error, "コマンドラインが空です。");
    }
}

TEST(LaunchTexts, FailureBoxesAndMessages) {
    LaunchPlan plan{"C:\\x.exe", " -n", "C:\\w", 1};
    EXPECT_EQ(LaunchFailureText(2, plan),
              "起動に失敗しました(Code=2:指定されたファイルが見つかりませんでした)\nCmd.=C:\\x.exe\nPara= -n\n"
              "Workfolder=C:\\w\n");
    EXPECT_EQ(OpenFailureText(3, "C:\\d"),
              "起動に失敗しました(Code=3:指定されたパスが見つかりませんでした)\nCmd.=C:\\d\n");
    EXPECT_EQ(NoFolderText("http://a/"),
              "このショートカットのコマンドラインから割り出したフォルダは開けません。\nCmd=http://a/\n");
    EXPECT_EQ(NoFolderText(nullptr), "このショートカットのコマンドラインから割り出したフォルダは開けません。\nCmd=\n");

    // Codes without a documented meaning share one text.
    for (int code : {1, 4, 12, 25})
        EXPECT_STREQ(ShellExecuteErrorText(code), "ShellExecuteを実行できません") << code;
    EXPECT_STREQ(ShellExecuteErrorText(31),
                 "指定されたﾌｧｲﾙ拡張子に関連付けられたｱﾌﾟﾘｹｰｼｮﾝがないか、\n印刷可能ではないﾌｧｲﾙを印刷しようとしました");
}

}  // namespace
}  // namespace brindle

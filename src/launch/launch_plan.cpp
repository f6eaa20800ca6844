#include "launch/launch_plan.h"

#include "launch/command_line.h"
#include "text/append.h"

namespace brindle {

bool PlanLaunch(const ShortcutRecord& shortcut,
                const std::vector<std::string>& arguments,
                Environment& env,
                LaunchPlan& plan,
                std::string& error) {
    plan = LaunchPlan{};
    plan.show = ShowCommandFor(shortcut.showType);
    SplitCommandLine(shortcut.commandLine, plan.file, plan.parameters, env);
    if (plan.file.empty()) {
        error = "コマンドラインが空です。";
        return false;
    }
    MergeArguments(plan.parameters, arguments);
    if (shortcut.workFolder) {
        plan.directory = ExpandPath(shortcut.workFolder, env);
    }
    return true;
}

namespace {

void AppendCodeLine(std::string& out, int code) {
    out += "起動に失敗しました(Code=";
    text::AppendInt(out, code);
    out += ':';
    out += ShellExecuteErrorText(code);
    out += ")\n";
}

}  // namespace

std::string LaunchFailureText(int code, const LaunchPlan& plan) {
    std::string out;
    AppendCodeLine(out, code);
    out += "Cmd.=" + plan.file + "\nPara=" + plan.parameters + "\nWorkfolder=" + plan.directory + "\n";
    return out;
}

std::string OpenFailureText(int code, const std::string& path) {
    std::string out;
    AppendCodeLine(out, code);
    out += "Cmd.=" + path + "\n";
    return out;
}

std::string NoFolderText(const char* commandLine) {
    std::string out = "このショートカットのコマンドラインから割り出したフォルダは開けません。\nCmd=";
    text::AppendText(out, commandLine);
    out += "\n";
    return out;
}

const char* ShellExecuteErrorText(int code) {
    switch (code) {
        case 0:
            return "ﾒﾓﾘまたはﾘｿｰｽが不足しています";
        case 2:  // ERROR_FILE_NOT_FOUND
            return "指定されたファイルが見つかりませんでした";
        case 3:  // ERROR_PATH_NOT_FOUND
            return "指定されたパスが見つかりませんでした";
        case 5:  // SE_ERR_ACCESSDENIED
            return "OSが、指定されたﾌｧｲﾙへのｱｸｾｽを拒否しました";
        case 8:  // SE_ERR_OOM
            return "操作を完了するのに十分なﾒﾓﾘがありません";
        case 11:  // ERROR_BAD_FORMAT
            return "実行ﾌｧｲﾙが無効です";
        case 26:  // SE_ERR_SHARE
            return "共有違反が発生しました";
        case 27:  // SE_ERR_ASSOCINCOMPLETE
            return "ﾌｧｲﾙ名の関連付けが不完全、または無効です";
        case 28:  // SE_ERR_DDETIMEOUT
            return "要求がﾀｲﾑｱｳﾄしたので、DDEﾄﾗﾝｻﾞｸｼｮﾝを完了できませんでした";
        case 29:  // SE_ERR_DDEFAIL
            return "DDEﾄﾗﾝｻﾞｸｼｮﾝが失敗しました";
        case 30:  // SE_ERR_DDEBUSY
            return "他のDDEﾄﾗﾝｻﾞｸｼｮﾝが現在処理中なので、DDEﾄﾗﾝｻﾞｸｼｮﾝを完了できませんでした";
        case 31:  // SE_ERR_NOASSOC
            return "指定されたﾌｧｲﾙ拡張子に関連付けられたｱﾌﾟﾘｹｰｼｮﾝがないか、\n印刷可能ではないﾌｧｲﾙを印刷しようとしまし"
                   "た";
        case 32:  // SE_ERR_DLLNOTFOUND
            return "指定されたﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘ(DLL)が見つかりませんでした";
        default:  // 1, 4, 6, 7, 9, 10, 12 to 25: no documented meaning
            return "ShellExecuteを実行できません";
    }
}

}  // namespace brindle

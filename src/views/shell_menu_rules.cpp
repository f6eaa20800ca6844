#include "views/shell_menu_rules.h"

namespace brindle {

const char kShellCommandFailed[] = "失敗しました";
const char kPasteFormatError[] = "クリップデータの形式が違うか足りませんので貼り付けできません";
const char kPasteOnlyIntoFolder[] = "ディレクトリにのみ貼り付けできます\n解析した出力先=%s";
const char kPasteUnknownEffect[] = "貼り付け方法が不明です %08x";
const char kPasteAborted[] = "貼り付け処理は中断されました";
const char kPasteFailed[] = "貼り付けに失敗しました(Code=%lu:%s)";
const char kPasteProgressTitle[] = "貼り付けています…";
const char kNamesOutsideCodePage[] = "以下のファイル名はこのシステムの文字で表せないので扱えません。\n%s";
const char kClipboardBusy[] = "クリップボードを開けませんでした。他のプログラムが使用中です。";
const char kOnlyFirstDropped[] = "複数のﾌｧｲﾙをﾄﾞﾛｯﾌﾟしましたが、以下の1つのみ有効です。\n%s";

const char* FileOperationFailureReason(unsigned long result) {
    switch (result) {
        case 2:
            return "ファイルが見つかりません";
        case 3:
            return "パスが見つかりません";
        case 5:
        case 0x78:
            return "アクセスが拒否されました";
        case 32:
            return "ファイルが他のプログラムに使用されています";
        case 112:
            return "ディスクの空き領域が足りません";
        case 0x71:
            return "元のファイルと貼り付け先が同じです";
        case 0x72:
        case 0x7A:
            return "貼り付け元と貼り付け先の数が合いません";
        case 0x74:
        case 0x10074:
            return "ドライブのルートは移動できません";
        case 0x76:
        case 0x7D:
            return "貼り付け先が貼り付け元のフォルダの中にあります";
        case 0x79:
        case 0x81:
        case 0xB7:
            return "パスが長すぎます";
        case 0x7C:
        case 0x402:
            return "貼り付け元または貼り付け先のパスが無効です";
        case 0x7E:
            return "貼り付け先が既存のファイルです";
        case 0x80:
            return "貼り付け先が既存のフォルダです";
        case 0x82:
        case 0x83:
        case 0x84:
            return "貼り付け先は書き込めない光ディスクです";
        case 0x85:
            return "ファイルが貼り付け先には大きすぎます";
        case 0x86:
        case 0x87:
        case 0x88:
            return "貼り付け元の光ディスクを読めません";
        case 0x10000:
            return "貼り付け先でエラーが発生しました";
        default:
            return "不明なエラーです";
    }
}

bool IsFileOperationCancel(unsigned long result) {
    return result == 0x75 || result == 1223;  // DE_OPCANCELLED, ERROR_CANCELLED
}

VerbRule RuleForVerb(const std::string& verb, bool copyPaste, bool cutDelete) {
    if (verb == "copy")
        return copyPaste ? VerbRule::TakeCopy : VerbRule::Gray;
    if (verb == "paste")
        return copyPaste ? VerbRule::TakePaste : VerbRule::Gray;
    if (verb == "cut")
        return cutDelete ? VerbRule::TakeCut : VerbRule::Gray;
    if (verb == "link" || verb == "delete")
        return cutDelete ? VerbRule::Keep : VerbRule::Gray;
    return VerbRule::Keep;
}

}  // namespace brindle

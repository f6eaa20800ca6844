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

// The shortcut commands: add (also from a dropped path), edit and remove a shortcut.
#include <windows.h>

#include <commctrl.h>

#include <map>

#include "editing/shortcut_dialog.h"
#include "editing/shortcut_from_path_win.h"
#include "mainwnd/main_dialog.h"
#include "store/settings_store.h"
#include "ui/messages.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

std::string TextOf(const char* text) {
    return text ? text : "";
}

ShortcutDialog::RelativePaths RelativePathsFor(const SettingsStore& store, ShortcutDialog::RelativePaths when) {
    Preferences prefs;
    store.GetPreferences(prefs);
    return prefs.bRelativePaths ? when : ShortcutDialog::RelativePaths::Off;
}

}  // namespace

bool MainDialog::AddShortcutFromPath(const std::string* path) {
    ShortcutDialog dialog;
    std::map<std::string, HTREEITEM> items;
    pageTree_.ChoiceList(nullptr, true, dialog.pageCandidates, items);
    if (const std::optional<int32_t> caretPage = CaretPageId()) {
        PageRecord page;
        if (store_.FindPage(*caretPage, page))
            dialog.chosenPage = views::KeyText(page.id, page.name);
    }
    dialog.check = 1;
    dialog.relativePaths = RelativePathsFor(store_, ShortcutDialog::RelativePaths::AllFields);
    if (path)
        FillShortcutFromPath(Hwnd(), *path, system_, dialog);
    if (RunModal(dialog) != IDOK)
        return false;
    const std::optional<int32_t> pageId = PageOfChoice(items, dialog.chosenPage);
    if (!pageId) {
        messages_.Show(kUnknownPage, box::kIconExclamation);
        return false;
    }
    const int added =
        store_.AddShortcut(dialog.name.c_str(), dialog.commandLine.c_str(), dialog.icon.c_str(),
                           dialog.workFolder.c_str(), dialog.showType, *pageId, dialog.noIcon ? 0 : 1, dialog.check,
                           dialog.comment.c_str());
    store_.SetShortcutRunAs(added, dialog.runAs != 0);
    ShowPageNow();
    return true;
}

void MainDialog::EditShortcut() {
    const int index = IsWindowVisible(Hwnd()) ? SelectedShortcut() : -1;
    ShortcutRecord shortcut;
    if (index < 0 || !store_.GetShortcutAt(index, shortcut))
        return;
    ShortcutDialog dialog;
    dialog.name = TextOf(shortcut.name);
    dialog.commandLine = TextOf(shortcut.commandLine);
    dialog.icon = TextOf(shortcut.icon);
    dialog.workFolder = TextOf(shortcut.workFolder);
    dialog.comment = TextOf(shortcut.comment);
    dialog.showType = shortcut.showType;
    dialog.check = shortcut.check;
    dialog.noIcon = shortcut.readIcon ? 0 : 1;
    dialog.runAs = shortcut.runAs;
    dialog.relativePaths = RelativePathsFor(store_, ShortcutDialog::RelativePaths::ChangedFields);
    std::map<std::string, HTREEITEM> items;
    pageTree_.ChoiceList(nullptr, true, dialog.pageCandidates, items);
    // The shortcut's own page: the tree's caret may already stand on another page whose switch is due.
    PageRecord page;
    if (store_.FindPage(shortcut.pageId, page))
        dialog.chosenPage = views::KeyText(page.id, page.name);
    if (RunModal(dialog) != IDOK)
        return;
    const std::optional<int32_t> pageId = PageOfChoice(items, dialog.chosenPage);
    if (!pageId) {
        messages_.Show(kUnknownPage, box::kIconExclamation);
        return;
    }
    store_.ReplaceShortcutAt(index, dialog.name.c_str(), dialog.commandLine.c_str(), dialog.icon.c_str(),
                             dialog.workFolder.c_str(), dialog.showType, *pageId, dialog.noIcon ? 0 : 1, dialog.check,
                             dialog.comment.c_str());
    store_.SetShortcutRunAs(index, dialog.runAs != 0);
    ShowPageNow();
}

void MainDialog::RemoveShortcut() {
    // The index is taken before the question: a refill while the box is open may renumber the items.
    const int index = IsWindowVisible(Hwnd()) ? SelectedShortcut() : -1;
    ShortcutRecord shortcut;
    if (index < 0 || !store_.GetShortcutAt(index, shortcut))
        return;
    const std::string question = "ショートカット '" + TextOf(shortcut.name) + "' を削除しますか？";
    if (messages_.Show(question, box::kYesNo | box::kIconQuestion) != box::kAnswerYes)
        return;
    store_.RemoveShortcutAt(index);
    ShowPageNow();
}

}  // namespace brindle

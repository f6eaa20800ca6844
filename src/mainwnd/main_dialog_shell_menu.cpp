// The shortcut list's right-click menus, the commands of the shell's menu, and files dropped on the list.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "launch/command_line.h"
#include "launch/shell_launch_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/messages.h"
#include "views/clipboard_blocks.h"
#include "views/clipboard_win.h"
#include "views/dropped_files_win.h"
#include "views/shell_menu_rules.h"

namespace brindle {
namespace {

constexpr int kListMenuPosition = 2;      // "ListCtrl" in the menu resource
constexpr int kProgramItemsPosition = 3;  // "ListCtrl2"
constexpr int kViewCommands[] = {ID_VIEW_ICON, ID_VIEW_SMALL_ICON, ID_VIEW_LIST, ID_VIEW_DETAIL};

int ViewCommandOf(LONG style) {
    switch (style & LVS_TYPEMASK) {
        case LVS_SMALLICON:
            return ID_VIEW_SMALL_ICON;
        case LVS_LIST:
            return ID_VIEW_LIST;
        case LVS_REPORT:
            return ID_VIEW_DETAIL;
        default:
            return ID_VIEW_ICON;
    }
}

// The program's own items go in front of the shell's, each with its text, id and state.
void InsertProgramItems(HMENU from, HMENU popup) {
    const int count = GetMenuItemCount(from);
    for (int position = 0; position < count; ++position) {
        char text[256] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        if (GetMenuItemInfoA(from, static_cast<UINT>(position), TRUE, &item))
            InsertMenuItemA(popup, static_cast<UINT>(position), TRUE, &item);
    }
}

}  // namespace

void MainDialog::SetShellMenuSource(ShellMenuSource* source) {
    shellMenus_ = source ? source : &shellItemMenus_;
}

void MainDialog::SetMenuTracker(MenuTracker* tracker) {
    menuTracker_ = tracker ? tracker : &popupTracker_;
}

// NM_RCLICK on the list: the program's own menu without a selection or with Ctrl held, else the shell's
// menu of the selected shortcut's target under the program's shortcut items.
void MainDialog::ShowListMenu() {
    if (shellMenu_)
        return;  // one menu at a time
    POINT at{};
    GetCursorPos(&at);
    const int index = SelectedShortcut();
    if (index < 0 || system_.IsKeyDown(kVirtualKeyControl)) {
        ShowOwnListMenu(index >= 0, at);
        return;
    }
    ShortcutRecord shortcut;
    if (!store_.GetShortcutAt(index, shortcut))
        return;
    std::string file, parameters;
    SplitCommandLine(shortcut.commandLine, file, parameters, system_);

    ui::UniqueMenu popup(CreatePopupMenu());
    HMENU programItems = GetSubMenu(menu_.Get(), kProgramItemsPosition);
    if (!popup || !programItems)
        return;
    ShellMenuState state;
    const bool built = !file.empty() && BuildShellMenu(*shellMenus_, Hwnd(), file, popup.Get(), 0, kFirstItemCommand,
                                                       kLastItemCommand, CMF_EXPLORE, state);
    if (built) {
        Preferences prefs;
        store_.GetPreferences(prefs);
        // Taken now: a page switch while the menu is up refills the list under it.
        state.target = file;
        ApplyVerbRules(popup.Get(), state, prefs.bCopyPaste != 0, prefs.bCutDelete != 0);
    }
    InsertProgramItems(programItems, popup.Get());
    // A target the shell cannot find gets no shell menu, and nothing to run elevated either.
    const bool runAs = built && InsertRunAsItem(popup.Get(), file, ID_RUN_AS_ADMIN);
    const int programCount = GetMenuItemCount(programItems) + (runAs ? 1 : 0);
    if (GetMenuItemCount(popup.Get()) > programCount)
        InsertMenuA(popup.Get(), static_cast<UINT>(programCount), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    if (built)
        shellMenu_ = std::move(state);
    const UINT chosen = menuTracker_->Track(popup.Get(), Hwnd(), at);
    // The shell's items are carried out as the menu's own choice, while the menu is still held; the
    // program's items are the main window's commands.
    if (IsItemCommand(static_cast<int>(chosen))) {
        if (shellMenu_)
            RunShellMenuItem(static_cast<int>(chosen));
    } else if (chosen) {
        SendMessageA(Hwnd(), WM_COMMAND, LOWORD(chosen), 0);
    }
    shellMenu_.reset();
}

void MainDialog::ShowOwnListMenu(bool selected, POINT at) {
    HMENU popup = GetSubMenu(menu_.Get(), kListMenuPosition);
    if (!popup)
        return;
    for (int command : kViewCommands)
        CheckMenuItem(popup, static_cast<UINT>(command), MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(popup, static_cast<UINT>(ViewCommandOf(GetWindowLongA(Item(IDC_LIST), GWL_STYLE))),
                  MF_BYCOMMAND | MF_CHECKED);
    for (int command : {ID_EDIT_SHORTCUT, ID_REMOVE_SHORTCUT, ID_EXIST_FOLDER})
        EnableMenuItem(popup, static_cast<UINT>(command), MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
    const UINT chosen = menuTracker_->Track(popup, Hwnd(), at);
    if (chosen)
        SendMessageA(Hwnd(), WM_COMMAND, LOWORD(chosen), 0);
}

// WM_COMMAND 16384..32766: the tray menu's shortcuts. While a shell menu is held (tracked, or its command
// running) such a command is nobody's: another program may send any id, and the shell's items are
// carried out only as the tracked menu's choice.
void MainDialog::OnItemCommand(int id) {
    if (!shellMenu_)
        LaunchShortcut(store_, id - kFirstItemCommand, {}, Hwnd(), messages_, system_);
}

void MainDialog::RunShellMenuItem(int id) {
    ShellMenuState& state = *shellMenu_;
    if (id == state.copyId || id == state.cutId) {
        PutFileOnClipboard(Hwnd(), state.target, id == state.copyId ? kEffectCopy : kEffectMove, messages_);
    } else if (id == state.pasteId) {
        PasteFiles(Hwnd(), state.target, messages_);
    } else if (state.Gave(id)) {
        if (FAILED(InvokeShellCommand(*state.menu.Get(), Hwnd(), static_cast<UINT>(id) - state.firstId)))
            messages_.Show(kShellCommandFailed, box::kOk);
    }
    // Any other id in the range is neither the shell's nor a shortcut's while the menu is held.
    state.copyId = state.cutId = state.pasteId = 0;
}

// Files dropped on the list start the selected shortcut with them, or, with Ctrl held or no single
// selection, propose a shortcut for the first. Nothing while an editing dialog is open.
void MainDialog::OnDropFiles(HDROP drop) {
    std::optional<std::vector<std::string>> names;
    if (ready_)
        names = DroppedNames(drop, messages_);
    DragFinish(drop);
    if (!names || names->empty())
        return;
    const int index = SelectedShortcut();
    if (ListView_GetSelectedCount(Item(IDC_LIST)) == 1 && index >= 0 && !system_.IsKeyDown(kVirtualKeyControl)) {
        LaunchShortcut(store_, index, *names, Hwnd(), messages_, system_);
        return;
    }
    if (names->size() > 1) {
        std::vector<char> text(std::strlen(kOnlyFirstDropped) + names->front().size() + 1);
        std::snprintf(text.data(), text.size(), kOnlyFirstDropped, names->front().c_str());
        messages_.Show(text.data(), box::kIconExclamation);
    }
    AddShortcutFromPath(&names->front());
}

}  // namespace brindle

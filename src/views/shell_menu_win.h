#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "platform/com.h"

// The shell's context menu of a shortcut's target, behind two seams: where the menu comes from, and how
// a popup is tracked. Tests hand in a menu object of their own and choose items themselves.
namespace brindle {

class ShellMenuSource {
public:
    virtual ~ShellMenuSource() = default;
    // The shell's context menu object for `path`, or null when the shell cannot parse or bind it.
    virtual ui::ComPtr<IContextMenu> MenuOf(HWND owner, const std::string& path) = 0;
};

// The desktop shell's menu: the path's parent folder asked for the menu of its last item.
class ShellItemMenus : public ShellMenuSource {
public:
    ui::ComPtr<IContextMenu> MenuOf(HWND owner, const std::string& path) override;
};

class MenuTracker {
public:
    virtual ~MenuTracker() = default;
    // Shows `popup` at `at` (screen) until the user chooses; the chosen id, or 0 when dismissed.
    virtual UINT Track(HMENU popup, HWND owner, POINT at) = 0;
};

class PopupMenuTracker : public MenuTracker {
public:
    UINT Track(HMENU popup, HWND owner, POINT at) override;
};

// Held from the moment a shell menu was built until it closed and its command was carried out.
struct ShellMenuState {
    ui::ComPtr<IContextMenu> menu;
    ui::ComPtr<IContextMenu2> menu2;         // may be null
    ui::ComPtr<IContextMenu3> menu3;         // may be null
    UINT firstId = 0, endId = 0;             // the shell gave out the ids firstId .. endId - 1
    int copyId = 0, cutId = 0, pasteId = 0;  // items the program carries out itself; 0 for none
    std::string target;                      // the file copy and cut put on the clipboard, and where paste puts files

    bool Gave(int id) const { return id >= static_cast<int>(firstId) && id < static_cast<int>(endId); }
};

// Lets the shell fill `popup` from `position` with ids first..last. False when there is no menu or it
// has no items; `state` then holds nothing.
bool BuildShellMenu(ShellMenuSource& source,
                    HWND owner,
                    const std::string& path,
                    HMENU popup,
                    UINT position,
                    UINT first,
                    UINT last,
                    UINT flags,
                    ShellMenuState& state);

// Reads the verb of every item of `popup` the shell gave out: copy, cut and paste are taken over or
// grayed, link and delete kept or grayed, by the two options.
void ApplyVerbRules(HMENU popup, ShellMenuState& state, bool copyPaste, bool cutDelete);

// Puts "管理者として実行" (command `id`) at the top of `popup` when `file` names a program; true when it did.
bool InsertRunAsItem(HMENU popup, const std::string& file, UINT id);

// Carries out the shell's command at `offset` from the first id.
HRESULT InvokeShellCommand(IContextMenu& menu, HWND owner, UINT offset);

// Menu messages for the shell's owner-drawn submenus while its menu is up; true when the shell took it.
bool ForwardMenuMessage(const ShellMenuState& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace brindle

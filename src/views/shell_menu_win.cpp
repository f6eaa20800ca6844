#include "views/shell_menu_win.h"

#include <cstring>

#include "launch/classify.h"
#include "platform/folder_browser_win.h"
#include "views/shell_menu_rules.h"

namespace brindle {
namespace {

using ui::ComPtr;

constexpr char kRunAsItemText[] = "管理者として実行";

// Frees an item id list from the shell allocator when it goes.
struct ItemList {
    IMalloc* allocator;
    LPITEMIDLIST list = nullptr;
    ~ItemList() {
        if (list)
            allocator->Free(list);
    }
};

// The last item of a list that holds at least one.
LPCITEMIDLIST LastItem(LPCITEMIDLIST list) {
    LPCITEMIDLIST last = list;
    for (auto* at = list; at->mkid.cb;
         at = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(at) + at->mkid.cb))
        last = at;
    return last;
}

// Every item before `last`, closed by a zero count.
LPITEMIDLIST CopyBefore(IMalloc& allocator, LPCITEMIDLIST list, LPCITEMIDLIST last) {
    const size_t size = static_cast<size_t>(reinterpret_cast<const BYTE*>(last) - reinterpret_cast<const BYTE*>(list));
    auto* copy = static_cast<BYTE*>(allocator.Alloc(size + 2));
    if (!copy)
        return nullptr;
    std::memcpy(copy, list, size);
    copy[size] = 0;
    copy[size + 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(copy);
}

}  // namespace

ComPtr<IContextMenu> ShellItemMenus::MenuOf(HWND owner, const std::string& path) {
    ComPtr<IMalloc> allocator = ShellAllocator();
    if (!allocator)
        return nullptr;
    ItemList whole{allocator.Get(), ParsePath(path.c_str())};
    if (!whole.list || !whole.list->mkid.cb)
        return nullptr;
    LPCITEMIDLIST last = LastItem(whole.list);
    ItemList parent{allocator.Get(), CopyBefore(*allocator.Get(), whole.list, last)};
    ItemList child{allocator.Get(), CopyItem(last)};
    ComPtr<IShellFolder> desktop, folder;
    if (!parent.list || !child.list || FAILED(SHGetDesktopFolder(&desktop)))
        return nullptr;
    // An item right under the desktop has the desktop itself as its folder.
    if (!parent.list->mkid.cb) {
        folder = desktop;
    } else if (FAILED(desktop->BindToObject(parent.list, nullptr, IID_IShellFolder, &folder))) {
        return nullptr;
    }
    ComPtr<IContextMenu> menu;
    LPCITEMIDLIST children[] = {child.list};
    if (FAILED(folder->GetUIObjectOf(owner, 1, children, IID_IContextMenu, nullptr, &menu)))
        return nullptr;
    return menu;
}

UINT PopupMenuTracker::Track(HMENU popup, HWND owner, POINT at) {
    return static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
}

bool BuildShellMenu(ShellMenuSource& source,
                    HWND owner,
                    const std::string& path,
                    HMENU popup,
                    UINT position,
                    UINT first,
                    UINT last,
                    UINT flags,
                    ShellMenuState& state) {
    ComPtr<IContextMenu> menu = source.MenuOf(owner, path);
    if (!menu)
        return false;
    const HRESULT added = menu->QueryContextMenu(popup, position, first, last, flags);
    // The result's code is one more than the largest offset used.
    const UINT used = FAILED(added) ? 0 : HRESULT_CODE(added);
    if (used == 0)
        return false;
    state = ShellMenuState{};
    state.menu = menu;
    menu.As(&state.menu2);
    menu.As(&state.menu3);
    state.firstId = first;
    state.endId = first + used > last + 1 ? last + 1 : first + used;
    return true;
}

void ApplyVerbRules(HMENU popup, ShellMenuState& state, bool copyPaste, bool cutDelete) {
    state.copyId = state.cutId = state.pasteId = 0;
    const int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        const int id = static_cast<int>(GetMenuItemID(popup, position));
        if (!state.Gave(id))
            continue;
        char verb[256] = "";
        if (FAILED(state.menu->GetCommandString(id - state.firstId, GCS_VERBA, nullptr, verb, sizeof verb)))
            continue;
        verb[sizeof verb - 1] = '\0';
        switch (RuleForVerb(verb, copyPaste, cutDelete)) {
            case VerbRule::TakeCopy:
                state.copyId = id;
                break;
            case VerbRule::TakeCut:
                state.cutId = id;
                break;
            case VerbRule::TakePaste:
                state.pasteId = id;
                break;
            case VerbRule::Gray:
                EnableMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | MF_GRAYED);
                break;
            case VerbRule::Keep:
                break;
        }
    }
}

HRESULT InvokeShellCommand(IContextMenu& menu, HWND owner, UINT offset) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(offset);
    info.nShow = SW_SHOWNORMAL;
    return menu.InvokeCommand(&info);
}

bool ForwardMenuMessage(const ShellMenuState& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            // Only menu items: the views' own owner drawing is none of the shell's business.
            if (reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType != ODT_MENU)
                return false;
            [[fallthrough]];
        case WM_INITMENUPOPUP:
            if (state.menu3) {
                state.menu3->HandleMenuMsg2(message, wParam, lParam, &result);
            } else if (state.menu2) {
                state.menu2->HandleMenuMsg(message, wParam, lParam);
            } else {
                return false;
            }
            result = message == WM_INITMENUPOPUP ? 0 : TRUE;
            return true;
        case WM_MENUCHAR:
            return state.menu3 && SUCCEEDED(state.menu3->HandleMenuMsg2(message, wParam, lParam, &result));
        default:
            return false;
    }
}

bool InsertRunAsItem(HMENU popup, const std::string& file, UINT id) {
    if (!IsProgramName(file))
        return false;
    return InsertMenuA(popup, 0, MF_BYPOSITION | MF_STRING, id, kRunAsItemText) != FALSE;
}

}  // namespace brindle

#include "traymenu/tray_menu_win.h"

#include <algorithm>
#include <cstdio>

#include "launch/classify.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/messages.h"
#include "views/own_images_win.h"

namespace brindle {
namespace {

constexpr char kTooMany[] = "メニューにこれ以上登録できません。ショートカットを減らしてください。";
constexpr char kCloseMenu[] = "メニューを消す";
constexpr char kEmpty[] = "(Empty)";
constexpr char kError[] = "Error.";
// The icon column: the icon and a pixel of the raised frame on each side.
constexpr int kIconFrame = 2;

std::string Format(const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool AppendOwnerDrawn(HMENU menu, UINT flags, UINT_PTR id, LONG_PTR data) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE | ((flags & MF_POPUP) ? MIIM_SUBMENU : 0);
    info.fType = MFT_OWNERDRAW;
    info.fState = (flags & MF_GRAYED) ? MFS_GRAYED : 0;
    if (flags & MF_POPUP) {
        info.hSubMenu = reinterpret_cast<HMENU>(id);
    } else {
        info.wID = static_cast<UINT>(id);
    }
    info.dwItemData = static_cast<ULONG_PTR>(data);
    return InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info) != 0;
}

// The name of an entry's page (by id) or shortcut (by index); false when the store no longer has it.
bool NameOf(const tray_menu::Entry& entry, const SettingsStore& store, std::string& name) {
    const char* text = nullptr;
    if (entry.kind == tray_menu::kPageItem) {
        PageRecord page;
        if (!store.FindPage(entry.key, page))
            return false;
        text = page.name;
    } else {
        ShortcutRecord shortcut;
        if (!store.GetShortcutAt(entry.key, shortcut))
            return false;
        text = shortcut.name;
    }
    name = text ? text : "";
    return true;
}

}  // namespace

bool TrayMenu::Build(HMENU root, const SettingsStore& store, System& system, Messages& messages, TrayMenuHost& host) {
    if (!root) {
        return false;
    }
    host.BeginBuild();
    Discard();
    host.ClearIconCache();

    const int pages = store.PageCount();
    for (int p = 0; p < pages; ++p) {
        host.Progress(Format("Page %d Wait...", p));
        PageRecord page;
        store.GetPageAt(p, page);
        int image = 0, selected = 0;
        host.PageImages(p, image, selected);
        entries_.push_back({tray_menu::kPageItem, page.id, image, selected, reinterpret_cast<uintptr_t>(CreateMenu())});
    }
    host.Progress(Format("Page %d OK", pages));

    const tray_menu::Placement placement = tray_menu::PlaceItems(store);
    for (int p = 0; p < pages; ++p) {
        host.Progress(Format("Menu %d Wait...", p));
        const int parent = placement.pageParent[p];
        HMENU target = parent < 0 ? root : reinterpret_cast<HMENU>(entries_[parent].handle);
        // A submenu that is in a menu goes with it; one that could not be put in one stays ours.
        if (!AppendOwnerDrawn(target, MF_POPUP, entries_[p].handle, p)) {
            loose_.push_back(reinterpret_cast<HMENU>(entries_[p].handle));
        }
    }
    host.Progress(Format("Menu %d OK", pages));

    const int placed = static_cast<int>(placement.shortcutPage.size());
    for (int s = 0; s < placed; ++s) {
        ShortcutRecord shortcut;
        store.GetShortcutAt(s, shortcut);
        const int command = tray_menu::kFirstCommand + s;
        const int kind = ClassifyTarget(shortcut.commandLine, shortcut.check, store, system);
        const int cacheIndex = shortcut.readIcon ? host.IconCacheIndex(shortcut) : -1;
        const int32_t image = tray_menu::ShortcutImage(kind, cacheIndex);
        entries_.push_back({tray_menu::kShortcutItem, s, image, image, static_cast<uintptr_t>(command)});
        const int page = placement.shortcutPage[s];
        if (page >= 0) {
            host.Progress(Format("Shortcut %d Wait...", s));
            AppendOwnerDrawn(reinterpret_cast<HMENU>(entries_[page].handle), 0, command,
                             static_cast<LONG_PTR>(entries_.size() - 1));
        }
    }
    if (placement.limitReached) {
        messages.Show(kTooMany, box::kIconStop);
    }
    host.Progress(Format("Shortcut %d OK", placed));

    for (int p = 0; p < pages; ++p) {
        host.Progress(Format("Last check %d Wait...", p));
        if (placement.pageEmpty[p]) {
            AppendOwnerDrawn(reinterpret_cast<HMENU>(entries_[p].handle), MF_GRAYED, 0, -1);
        }
    }
    AppendMenuA(root, MF_STRING, tray_menu::kCloseCommand, kCloseMenu);
    BuildImages(host);
    host.Progress("Last check OK");
    host.ClearIconCache();
    host.EndBuild();
    return true;
}

void TrayMenu::BuildImages(TrayMenuHost& host) {
    HIMAGELIST list = views::OwnStripImageList(views::OwnStrip::Classes, iconSize_);
    if (list) {
        ImageList_SetImageCount(list, tray_menu::kClassImages);
        for (HICON icon : host.CachedSmallIcons())
            ImageList_ReplaceIcon(list, -1, icon);
    }
    images_.Reset(list);  // without it the items draw without icons
}

void TrayMenu::Discard() {
    // The submenus in the menu are destroyed with the root: destroying them here as well would destroy
    // each one twice, the second time whatever menu has been given its handle meanwhile.
    for (HMENU menu : loose_)
        DestroyMenu(menu);
    loose_.clear();
    entries_.clear();
    images_.Reset();
}

TrayMenu::ItemLook TrayMenu::LookOf(LONG_PTR data,
                                    bool highlighted,
                                    const SettingsStore& store,
                                    HIMAGELIST treeImages) const {
    ItemLook look;
    if (data == -1) {
        look.text = kEmpty;
        look.empty = true;
        return look;
    }
    const bool inTable = data >= 0 && static_cast<size_t>(data) < entries_.size();
    if (inTable && entries_[data].kind != tray_menu::kPageItem && entries_[data].kind != tray_menu::kShortcutItem) {
        look.drawn = false;
        return look;
    }
    if (!inTable || !NameOf(entries_[data], store, look.text)) {
        look.text = kError;
        look.valid = false;
        return look;
    }
    const tray_menu::Entry& entry = entries_[data];
    const bool page = entry.kind == tray_menu::kPageItem;
    look.images = page ? treeImages : images_.Get();
    look.image = page && highlighted ? entry.selectedImage : entry.image;
    return look;
}

void TrayMenu::Measure(MEASUREITEMSTRUCT& item, HWND window, HFONT font, const SettingsStore& store) const {
    const ItemLook look = LookOf(static_cast<LONG_PTR>(item.itemData), false, store, nullptr);
    if (!look.drawn) {
        return;
    }
    HDC dc = GetDC(window);
    const int saved = SaveDC(dc);
    if (font)
        SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, look.text.c_str(), static_cast<int>(look.text.size()), &size);
    RestoreDC(dc, saved);
    ReleaseDC(window, dc);
    const int column = iconSize_ + kIconFrame;
    item.itemWidth = static_cast<UINT>(size.cx + (look.empty ? 4 : column + 2));
    item.itemHeight = static_cast<UINT>(std::max<LONG>(size.cy + 2, column));
}

void TrayMenu::Draw(const DRAWITEMSTRUCT& item, HFONT font, const SettingsStore& store, HIMAGELIST treeImages) const {
    const bool highlighted = (item.itemState & ODS_SELECTED) != 0;
    const bool grayed = (item.itemState & ODS_GRAYED) != 0;
    const ItemLook look = LookOf(static_cast<LONG_PTR>(item.itemData), highlighted, store, treeImages);
    if (!look.drawn) {
        return;
    }
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    if (font)
        SelectObject(dc, font);

    const int column = iconSize_ + kIconFrame;
    RECT iconCell = item.rcItem, textCell = item.rcItem;
    if (!look.empty) {
        iconCell.right = column;
        textCell.left = column;
    }
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_MENU));
    COLORREF text = GetSysColor(COLOR_MENUTEXT), back = GetSysColor(COLOR_MENU);
    if (highlighted) {
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        back = GetSysColor(COLOR_HIGHLIGHT);
        FillRect(dc, &textCell, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    if (grayed)
        text = GetSysColor(COLOR_GRAYTEXT);
    if (!look.valid) {
        text = RGB(128, 0, 0);
        back = RGB(255, 240, 240);
        // Dark red on pale pink: the pink is painted, since the text itself is drawn transparently.
        HBRUSH pink = CreateSolidBrush(back);
        FillRect(dc, &item.rcItem, pink);
        DeleteObject(pink);
    }
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, back);
    SetTextColor(dc, text);

    if (look.images && look.image >= 0 && look.image < ImageList_GetImageCount(look.images)) {
        if (HICON icon = ImageList_GetIcon(look.images, look.image, ILD_NORMAL)) {
            HBRUSH brush = CreateSolidBrush(back);
            // Drawn at the menu's icon size: a page's image comes from the tree's list, which may be made for
            // another monitor's scale.
            const int top = iconCell.top + (iconCell.bottom - iconCell.top - iconSize_) / 2;
            if (grayed) {
                DrawStateA(dc, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, iconCell.left + 1, top, iconSize_,
                           iconSize_, DST_ICON | DSS_DISABLED);
            } else {
                DrawIconEx(dc, iconCell.left + 1, top, icon, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
            }
            DeleteObject(brush);
            DestroyIcon(icon);
        }
        if (highlighted) {
            // A raised frame around the icon: light top and left, shadow bottom and right.
            const int x = iconCell.left, y = iconCell.top, cx = iconCell.right - x, cy = iconCell.bottom - y;
            const RECT light[] = {{x, y, x + cx - 1, y + 1}, {x, y, x + 1, y + cy - 1}};
            const RECT shadow[] = {{x + cx - 1, y, x + cx, y + cy}, {x, y + cy - 1, x + cx, y + cy}};
            for (const RECT& r : light)
                FillRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            for (const RECT& r : shadow)
                FillRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        }
    }
    textCell.left += 2;
    DrawTextA(dc, look.text.c_str(), static_cast<int>(look.text.size()), &textCell, DT_SINGLELINE | DT_VCENTER);
    RestoreDC(dc, saved);
}

LRESULT TrayMenu::MenuChar(unsigned typed, HMENU menu, const SettingsStore& store) const {
    const int count = GetMenuItemCount(menu);
    std::vector<std::string> texts(count > 0 ? count : 0);
    std::vector<const char*> candidates(texts.size(), nullptr);
    int highlighted = -1;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
        // Only the owner-drawn items carry a table index: the closing item's data is 0 as well, and so is
        // that of every item of the main window's other menus.
        if (!GetMenuItemInfoA(menu, i, TRUE, &info) || !(info.fType & MFT_OWNERDRAW))
            continue;
        const LONG_PTR data = static_cast<LONG_PTR>(info.dwItemData);
        if (data < 0 || static_cast<size_t>(data) >= entries_.size())
            continue;
        const tray_menu::Entry& entry = entries_[data];
        if (entry.kind != tray_menu::kPageItem && entry.kind != tray_menu::kShortcutItem)
            continue;
        NameOf(entry, store, texts[i]);  // empty when the store no longer has it
        candidates[i] = texts[i].c_str();
        if (info.fState & MFS_HILITE)
            highlighted = i;
    }
    const int position = tray_menu::MnemonicMatch(typed, candidates, highlighted);
    return position < 0 ? -1 : MAKELRESULT(position, MNC_SELECT);
}

}  // namespace brindle

#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "store/records.h"
#include "traymenu/tray_menu_model.h"
#include "ui/handles.h"

namespace brindle {

class Messages;
class SettingsStore;
class System;

// What building the tray menu needs from the main window and its views.
class TrayMenuHost {
public:
    virtual ~TrayMenuHost() = default;
    virtual void BeginBuild() = 0;                       // status line shown, busy icon
    virtual void Progress(const std::string& text) = 0;  // a progress text for the status line
    virtual void EndBuild() = 0;                         // status line hidden, icon of the hidden state
    virtual void PageImages(int pageIndex, int& image, int& selectedImage) = 0;  // of the page's tree item
    // The icon cache index of a shortcut's own icon (read on first use), or -1.
    virtual int IconCacheIndex(const ShortcutRecord& shortcut) = 0;
    virtual std::vector<HICON> CachedSmallIcons() = 0;  // the cache's small icons, in cache order
    virtual void ClearIconCache() = 0;
};

// The popup menu of all pages and shortcuts shown from the notification area, and its item table.
class TrayMenu {
public:
    // Fills the empty popup menu `root`; false only when it is null. Past the last command id the user
    // is told and the remaining shortcuts are left out.
    bool Build(HMENU root, const SettingsStore& store, System& system, Messages& messages, TrayMenuHost& host);
    // Empties the table and deletes the image list. The caller destroys root, and with it every page
    // submenu that went into the menu; the few that could not be put in are destroyed here.
    void Discard();

    // The edge of the menu's icons in pixels (the small icon size at the DPI where the menu opens): the
    // class images and the shortcuts' icons are made at it, and every row is tall enough for it. Set
    // before Build.
    void SetIconSize(int size) { iconSize_ = size > 0 ? size : kDefaultIconSize; }
    int IconSize() const { return iconSize_; }

    const std::vector<tray_menu::Entry>& Entries() const { return entries_; }
    HIMAGELIST Images() const { return images_.Get(); }

    // Owner drawing of the menu's items (the item data is an index into the table, or -1).
    void Measure(MEASUREITEMSTRUCT& item, HWND window, HFONT font, const SettingsStore& store) const;
    void Draw(const DRAWITEMSTRUCT& item, HFONT font, const SettingsStore& store, HIMAGELIST treeImages) const;
    // WM_MENUCHAR: MAKELRESULT(position, MNC_SELECT), or -1 for default processing.
    LRESULT MenuChar(unsigned typed, HMENU menu, const SettingsStore& store) const;

private:
    struct ItemLook {
        std::string text;
        HIMAGELIST images = nullptr;
        int image = -1;
        bool valid = true;   // false: "Error."
        bool drawn = true;   // false: an entry of another kind
        bool empty = false;  // the "(Empty)" placeholder
    };
    ItemLook LookOf(LONG_PTR data, bool highlighted, const SettingsStore& store, HIMAGELIST treeImages) const;
    void BuildImages(TrayMenuHost& host);

    std::vector<tray_menu::Entry> entries_;
    std::vector<HMENU> loose_;  // page submenus that could not be put into a menu
    ui::UniqueImageList images_;
    static constexpr int kDefaultIconSize = 16;
    int iconSize_ = kDefaultIconSize;
};

}  // namespace brindle

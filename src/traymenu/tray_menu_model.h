#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace brindle {

class SettingsStore;

// The tray menu mirrors the page tree: a submenu per page, nested like the tree, and an item per
// shortcut in its page's submenu. This is its structure, apart from the menus themselves.
namespace tray_menu {

constexpr int kPageItem = 1;
constexpr int kShortcutItem = 2;
constexpr int kFirstCommand = 16384;  // a shortcut item's command: 16384 + store index
constexpr int kLastCommand = 32766;
constexpr int kCloseCommand = 32767;  // "メニューを消す": no handler, choosing it only closes the menu
constexpr int kClassImages = 5;       // class images come first in the tray image list
constexpr int kMissingImage = 4;

// One record of the tray menu's item table; owner-drawn items carry its index as item data.
struct Entry {
    int32_t kind;           // kPageItem or kShortcutItem
    int32_t key;            // page id, or shortcut index
    int32_t image;          // tree image (pages) or tray image (shortcuts)
    int32_t selectedImage;  // the same for shortcuts
    uintptr_t handle;       // the page's submenu, or the shortcut's command id
};

struct Placement {
    // For page index p: the page index whose submenu holds p's submenu, or -1 for the root.
    std::vector<int> pageParent;
    // For shortcut index s (only those that fit the command range): the page index whose submenu
    // holds it, or -1 when its page does not exist (the shortcut then has no menu item).
    std::vector<int> shortcutPage;
    // For page index p: true when its submenu gets nothing and shows "(Empty)".
    std::vector<bool> pageEmpty;
    // Shortcuts past the last command id are left out.
    bool limitReached = false;
};

// Where every page and shortcut goes. Pages nest as in the page tree (views::PlacePages): a page whose
// parents never lead to the top level hangs at the root with the pages below it, and a menu never
// contains itself. A shortcut goes to the first page with its page id.
Placement PlaceItems(const SettingsStore& store);

// The tray image of a shortcut: the class image of its target kind (0 to 3, -1 missing), or 5 + the
// icon cache index of its own icon when it has one.
int32_t ShortcutImage(int targetKind, int iconCacheIndex);

// Keyboard mnemonics of owner-drawn items. `texts[i]` is item i's text, or absent (nullptr) for items
// without a mnemonic (placeholders, other kinds); `highlighted` is the highlighted position or -1.
// Returns the position to select, or -1 when no item matches `typed`.
int MnemonicMatch(unsigned typed, const std::vector<const char*>& texts, int highlighted);

// The mnemonic byte of a text: the byte after the first '&', else the first byte; read as signed, so
// a double-byte or half-width katakana first byte is negative and never matches a typed character.
int MnemonicOf(std::string_view text);

}  // namespace tray_menu
}  // namespace brindle

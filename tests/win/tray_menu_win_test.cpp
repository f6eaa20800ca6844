// The tray menu built for real from a store, read back through the menu functions, measured, drawn.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "launch/system_win.h"
#include "store/settings_store.h"
#include "traymenu/tray_menu_win.h"
#include "unit/test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

class FakeHost : public TrayMenuHost {
public:
    void BeginBuild() override { ++begun; }
    void Progress(const std::string& text) override { last = text; }
    void EndBuild() override { ++ended; }
    void PageImages(int pageIndex, int& image, int& selected) override {
        image = 0;
        selected = 1;
        (void)pageIndex;
    }
    // A cache index per icon source the test names; the cache itself is the main window's.
    int IconCacheIndex(const ShortcutRecord& shortcut) override {
        const auto found = cacheIndex.find(shortcut.icon ? shortcut.icon : "");
        return found == cacheIndex.end() ? -1 : found->second;
    }
    std::vector<HICON> CachedSmallIcons() override {
        return std::vector<HICON>(cacheIndex.size(), LoadIconA(nullptr, IDI_APPLICATION));
    }
    void ClearIconCache() override { ++cleared; }

    int begun = 0, ended = 0, cleared = 0;
    std::string last;
    std::map<std::string, int> cacheIndex{{"C:\\a.ico", 1}, {"C:\\b.ico", 0}};
};

std::string MenuText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

MENUITEMINFOA ItemInfo(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE | MIIM_SUBMENU;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
}

class TrayMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto page = [this](const char* name, int32_t id, int32_t parent) {
            PageRecord p;
            p.name = name;
            p.id = id;
            p.parentId = parent;
            store.AddPage(p);
        };
        page("Apps", 3, -1);    // 0: children and shortcuts
        page("Empty", 8, -1);   // 1: nothing: "(Empty)"
        page("Games", 5, 3);    // 2: under Apps
        page("Orphan", 9, 77);  // 3: parent missing: at the root
        store.AddShortcut("Avocado", "C:\\windows\\notepad.exe", "C:\\a.ico", nullptr, 0, 3, 1, 0, nullptr);
        store.AddShortcut("apple", "https://example.com/", nullptr, nullptr, 0, 3, 0, 1, nullptr);
        store.AddShortcut("Lost", "x.exe", nullptr, nullptr, 0, 42, 0, 0, nullptr);
        store.AddShortcut("Banana", "C:\\windows\\regedit.exe", "C:\\b.ico", nullptr, 0, 5, 1, 0, nullptr);
        store.AddShortcut("Gone", "C:\\no\\such\\file.txt", nullptr, nullptr, 0, 5, 0, 1, nullptr);
        root = CreatePopupMenu();
    }
    void TearDown() override {
        menu.Discard();
        DestroyMenu(root);
    }

    RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
    WinSystem system;
    FakeHost host;
    TrayMenu menu;
    HMENU root = nullptr;
};

TEST_F(TrayMenuTest, MirrorsThePageTree) {
    ASSERT_TRUE(menu.Build(root, store, system, messages, host));
    EXPECT_EQ(host.begun, 1);
    EXPECT_EQ(host.ended, 1);
    EXPECT_EQ(host.last, "Last check OK");

    // Root: Apps, Empty, Orphan, then the closing item.
    ASSERT_EQ(GetMenuItemCount(root), 4);
    EXPECT_EQ(ItemInfo(root, 0).dwItemData, 0u);
    EXPECT_EQ(ItemInfo(root, 1).dwItemData, 1u);
    EXPECT_EQ(ItemInfo(root, 2).dwItemData, 3u);
    EXPECT_TRUE(ItemInfo(root, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(MenuText(root, 3), "メニューを消す");
    EXPECT_EQ(GetMenuItemID(root, 3), 32767u);

    // Apps: its child page Games, then its shortcuts Avocado (0) and apple (1).
    HMENU apps = GetSubMenu(root, 0);
    ASSERT_EQ(GetMenuItemCount(apps), 3);
    EXPECT_EQ(GetSubMenu(apps, 0), reinterpret_cast<HMENU>(menu.Entries()[2].handle));
    EXPECT_EQ(GetMenuItemID(apps, 1), 16384u);
    EXPECT_EQ(GetMenuItemID(apps, 2), 16385u);
    EXPECT_EQ(ItemInfo(apps, 1).dwItemData, 4u);  // table index: pages first, then shortcuts

    // Empty pages get a grayed placeholder; Games holds Banana and Gone.
    HMENU empty = GetSubMenu(root, 1);
    ASSERT_EQ(GetMenuItemCount(empty), 1);
    EXPECT_EQ(static_cast<LONG_PTR>(ItemInfo(empty, 0).dwItemData), -1);
    EXPECT_TRUE(ItemInfo(empty, 0).fState & MFS_GRAYED);
    EXPECT_EQ(GetMenuItemID(empty, 0), 0u);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(apps, 0)), 2);

    // The shortcut of a missing page has a table entry and no item.
    ASSERT_EQ(menu.Entries().size(), 9u);
    EXPECT_EQ(menu.Entries()[6].kind, tray_menu::kShortcutItem);
    EXPECT_EQ(menu.Entries()[6].handle, 16386u);

    // Images: a cached icon is tray image 5 + its cache index, after the five class images; the others
    // show the class image of their target.
    EXPECT_EQ(menu.Entries()[4].image, 6);  // Avocado's own icon, cache index 1
    EXPECT_EQ(menu.Entries()[7].image, 5);  // Banana's, cache index 0
    EXPECT_EQ(menu.Entries()[5].image, 0);  // a web address
    EXPECT_EQ(menu.Entries()[8].image, 4);  // a missing file with the existence check
    EXPECT_EQ(ImageList_GetImageCount(menu.Images()), 7);
    EXPECT_EQ(menu.Entries()[0].selectedImage, 1);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(TrayMenuTest, MeasureDrawAndMnemonics) {
    ASSERT_TRUE(menu.Build(root, store, system, messages, host));
    HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HFONT small = CreateFontA(-10, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 0, 0, "IPAGothic");
    HFONT large = CreateFontA(-40, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 0, 0, "IPAGothic");

    auto measure = [&](LONG_PTR data, HFONT font) {
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemData = static_cast<ULONG_PTR>(data);
        menu.Measure(item, window, font, store);
        return item;
    };
    auto textWidth = [&](const char* text, HFONT font) {
        HDC dc = GetDC(window);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
        SelectObject(dc, old);
        ReleaseDC(window, dc);
        return size.cx;
    };
    EXPECT_EQ(measure(0, small).itemWidth, static_cast<UINT>(textWidth("Apps", small) + 20));
    EXPECT_EQ(measure(0, small).itemHeight, 18u);
    EXPECT_GT(measure(0, large).itemHeight, 18u);
    EXPECT_EQ(measure(-1, small).itemWidth, static_cast<UINT>(textWidth("(Empty)", small) + 4));
    EXPECT_EQ(measure(4, small).itemWidth, static_cast<UINT>(textWidth("Avocado", small) + 20));
    EXPECT_EQ(measure(99, small).itemWidth, static_cast<UINT>(textWidth("Error.", small) + 20));

    // "Error." for a shortcut removed behind the menu's back: dark red on pale pink.
    store.RemoveShortcutAt(4);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 24);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.hDC = dc;
    draw.rcItem = {0, 0, 120, 24};
    draw.itemData = 8;  // Gone, now index 4 of the store: no longer there
    menu.Draw(draw, large, store, nullptr);
    EXPECT_EQ(GetPixel(dc, 119, 0), RGB(255, 240, 240));
    bool darkRed = false;
    for (int x = 0; x < 120 && !darkRed; ++x) {
        for (int y = 0; y < 24 && !darkRed; ++y)
            darkRed = GetPixel(dc, x, y) == RGB(128, 0, 0);
    }
    EXPECT_TRUE(darkRed);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    // Mnemonics in the Apps submenu: "Games", "Avocado", "apple".
    HMENU apps = GetSubMenu(root, 0);
    EXPECT_EQ(menu.MenuChar('a', apps, store), MAKELRESULT(1, MNC_SELECT));
    EXPECT_EQ(menu.MenuChar('G', apps, store), MAKELRESULT(0, MNC_SELECT));
    EXPECT_EQ(menu.MenuChar('q', apps, store), -1);
    EXPECT_EQ(menu.MenuChar('e', GetSubMenu(root, 1), store), -1);  // the placeholder has none

    DeleteObject(small);
    DeleteObject(large);
    DestroyWindow(window);
}

// The menu opened on a monitor of another scale: 32-pixel icons (200 %) read into its image list, rows as
// tall as an icon and its frame, the shortcut's class picture drawn at that size.
TEST_F(TrayMenuTest, IconsAndRowsAtTheSizeOfTheMonitorWhereItOpens) {
    menu.SetIconSize(32);
    ASSERT_TRUE(menu.Build(root, store, system, messages, host));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(menu.Images(), &cx, &cy));
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 32);
    EXPECT_EQ(ImageList_GetImageCount(menu.Images()), 5 + 2);  // the classes, then the cached icons

    HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HFONT font = CreateFontA(-10, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 0, 0, "IPAGothic");
    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemData = 5;  // "apple", an address: the internet class picture
    menu.Measure(item, window, font, store);
    EXPECT_EQ(item.itemHeight, 34u);
    HDC dc = GetDC(window);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, "apple", 5, &size);
    SelectObject(dc, oldFont);
    ReleaseDC(window, dc);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(size.cx + 36));

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 34);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.hDC = memory;
    draw.rcItem = {0, 0, 120, 34};
    draw.itemData = 5;
    menu.Draw(draw, font, store, nullptr);
    const COLORREF back = GetSysColor(COLOR_MENU);
    int left = 120, right = -1, top = 34, bottom = -1;
    for (int y = 0; y < 34; ++y) {
        for (int x = 0; x < 34; ++x) {
            if (GetPixel(memory, x, y) == back)
                continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    // The globe is 23 pixels across in its 32-pixel square; a 16-pixel picture would be 12.
    EXPECT_GE(right - left + 1, 20);
    EXPECT_GE(bottom - top + 1, 20);
    EXPECT_LE(right, 33);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    DestroyWindow(window);
}

TEST_F(TrayMenuTest, DiscardReleasesEverySubmenuAndTheImageList) {
    ASSERT_TRUE(menu.Build(root, store, system, messages, host));
    std::vector<HMENU> submenus;
    for (const tray_menu::Entry& entry : menu.Entries()) {
        if (entry.kind == tray_menu::kPageItem)
            submenus.push_back(reinterpret_cast<HMENU>(entry.handle));
    }
    ASSERT_EQ(submenus.size(), 4u);
    for (HMENU submenu : submenus)
        EXPECT_TRUE(IsMenu(submenu));
    ASSERT_NE(menu.Images(), nullptr);
    menu.Discard();
    EXPECT_EQ(menu.Images(), nullptr);
    EXPECT_TRUE(menu.Entries().empty());
    // Each submenu is destroyed once, with the root: a handle destroyed before would be destroyed again
    // here, and a new menu made meanwhile could have been given it.
    for (HMENU submenu : submenus)
        EXPECT_TRUE(IsMenu(submenu));
    HMENU bystander = CreatePopupMenu();
    ASSERT_TRUE(DestroyMenu(root));
    root = CreatePopupMenu();
    for (HMENU submenu : submenus)
        EXPECT_FALSE(IsMenu(submenu));
    EXPECT_TRUE(IsMenu(bystander));
    DestroyMenu(bystander);
}

// How many more GDI objects the process can make: its quota less the objects it holds. A leak of any
// GDI object (a brush, a bitmap, a DC, an icon's bitmaps) shows as less room.
int GdiRoom() {
    std::vector<HBRUSH> brushes;
    while (brushes.size() < 100000) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush)
            break;
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return static_cast<int>(brushes.size());
}

TEST_F(TrayMenuTest, DiscardAndDrawingReleaseEverything) {
    HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 24);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontA(-12, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 0, 0, "IPAGothic");
    // One hide and show as the user has it: build, measure and draw every item in both states, discard.
    auto cycle = [&] {
        ASSERT_TRUE(menu.Build(root, store, system, messages, host));
        std::vector<HMENU> submenus;
        for (const tray_menu::Entry& entry : menu.Entries()) {
            if (entry.kind == tray_menu::kPageItem)
                submenus.push_back(reinterpret_cast<HMENU>(entry.handle));
        }
        ASSERT_EQ(submenus.size(), 4u);
        IMAGEINFO images{};
        ASSERT_TRUE(ImageList_GetImageInfo(menu.Images(), 0, &images));
        for (LONG_PTR data = -1; data < static_cast<LONG_PTR>(menu.Entries().size()); ++data) {
            MEASUREITEMSTRUCT measure{};
            measure.CtlType = ODT_MENU;
            measure.itemData = static_cast<ULONG_PTR>(data);
            menu.Measure(measure, window, font, store);
            for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED), static_cast<UINT>(ODS_GRAYED)}) {
                DRAWITEMSTRUCT draw{};
                draw.CtlType = ODT_MENU;
                draw.hDC = dc;
                draw.rcItem = {0, 0, 120, 24};
                draw.itemData = static_cast<ULONG_PTR>(data);
                draw.itemState = state;
                menu.Draw(draw, font, store, menu.Images());
            }
        }
        menu.Discard();
        DestroyMenu(root);  // with every submenu in it
        root = CreatePopupMenu();
        for (HMENU submenu : submenus)
            EXPECT_FALSE(IsMenu(submenu));
        // The image list is gone with its bitmaps.
        EXPECT_EQ(menu.Images(), nullptr);
        EXPECT_EQ(GetObjectType(images.hbmImage), 0u);
        EXPECT_TRUE(menu.Entries().empty());
    };
    cycle();  // the first use of the menu, drawing and image functions may set up what they keep
    const int room = GdiRoom();
    for (int i = 0; i < 20; ++i)
        cycle();
    // Twenty cycles of ten items drawn three times each: a leak of one object per draw or per build
    // would take hundreds.
    EXPECT_GE(GdiRoom(), room - 4);

    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DestroyWindow(window);
}

// A typed letter moves only between the owner-drawn items: the closing item "メニューを消す" carries
// item data 0 too, and must not be taken for the table's first page.
TEST(TrayMenuKeys, OnlyThePagesAndShortcutsTakeATypedLetter) {
    RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
    PageRecord kid, top;
    kid.name = "Kid";  // page index 0, below Top: not in the root menu
    kid.id = 1;
    kid.parentId = 2;
    top.name = "Top";
    top.id = 2;
    top.parentId = -1;
    store.AddPage(kid);
    store.AddPage(top);
    WinSystem system;
    FakeHost host;
    TrayMenu menu;
    HMENU root = CreatePopupMenu();
    ASSERT_TRUE(menu.Build(root, store, system, messages, host));
    ASSERT_EQ(GetMenuItemCount(root), 2);  // Top and the closing item
    EXPECT_EQ(menu.MenuChar('k', root, store), -1);
    EXPECT_EQ(menu.MenuChar('m', root, store), -1);  // "メニューを消す" has no letter either
    EXPECT_EQ(menu.MenuChar('t', root, store), MAKELRESULT(0, MNC_SELECT));
    EXPECT_EQ(menu.MenuChar('k', GetSubMenu(root, 0), store), MAKELRESULT(0, MNC_SELECT));
    menu.Discard();
    DestroyMenu(root);
}

TEST_F(TrayMenuTest, TooManyShortcutsAreRefusedWithAMessage) {
    for (int i = 0; i < 16384; ++i)
        store.AddShortcut("s", "x.exe", nullptr, nullptr, 0, 8, 0, 0, nullptr);
    ASSERT_TRUE(menu.Build(root, store, system, messages, host));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "メニューにこれ以上登録できません。ショートカットを減らしてください。");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(root, 1)), 16383 - 5);  // the five earlier ones took ids too
}

}  // namespace
}  // namespace brindle

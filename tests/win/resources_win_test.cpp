// The resources linked into the program, read back through the same functions the program uses.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resource.h"

namespace brindle {
namespace {

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

std::string LoadText(UINT id) {
    char buffer[512] = {};
    int length = LoadStringA(Module(), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

TEST(Resources, StringsComeOutInTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 932u) << "the tests expect a Japanese system";
    EXPECT_EQ(LoadText(IDS_APP_NAME), "ぶりんどる");
    EXPECT_EQ(LoadText(IDS_TITLE_SELECTED), "ぶりんどる：選択中（%s）");
    EXPECT_EQ(LoadText(IDS_HOME_PAGE), "https://brindle.example.jp/");
    EXPECT_EQ(LoadText(IDS_ICON_SOURCE), "%s>%d");
    EXPECT_EQ(LoadText(IDS_TASK_HINT), "前に出したいWindowを選択してください。");
    // Shift_JIS bytes, not UTF-8 ones: "ぶ" is 0x82 0xD4.
    EXPECT_EQ(LoadText(IDS_APP_NAME).substr(0, 2), "\x82\xD4");
}

// ---- menus ----

struct Item {
    UINT id;  // 0: separator; -1: popup
    const char* text;
};
constexpr UINT kPopup = static_cast<UINT>(-1);

const std::vector<Item> kShutdownItems = {
    {ID_LOCK, "Lock &window"},      {ID_LOG_OFF, "&Log off"},
    {ID_SHUTDOWN, "&Shutdown"},     {ID_POWER_OFF, "&Power off"},
    {ID_REBOOT, "&Reboot"},         {ID_STAND_BY, "S&tand by"},
    {ID_HIBERNATE, "&Hibernation"}, {ID_SCREEN_SAVER, "S&creenSaver"},
};

std::string MenuText(HMENU menu, UINT position) {
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

void ExpectItems(HMENU menu, const std::vector<Item>& expected, const std::string& where) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size())) << where;
    for (UINT i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(where + " position " + std::to_string(i));
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
        if (expected[i].id == 0) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_FALSE(info.fType & MFT_SEPARATOR);
        EXPECT_EQ(MenuText(menu, i), expected[i].text);
        if (expected[i].id == kPopup) {
            EXPECT_NE(info.hSubMenu, nullptr);
        } else {
            EXPECT_EQ(info.hSubMenu, nullptr);
            EXPECT_EQ(info.wID, expected[i].id);
        }
    }
}

TEST(Resources, MenuHoldsTheFivePopupsWithTheirCommands) {
    HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    ExpectItems(
        menu,
        {{kPopup, "Main"}, {kPopup, "TreeCtrl"}, {kPopup, "ListCtrl"}, {kPopup, "ListCtrl2"}, {kPopup, "Shutdown"}},
        "bar");
    if (GetMenuItemCount(menu) == 5) {
        HMENU main = GetSubMenu(menu, 0);
        ExpectItems(main,
                    {{ID_ADD_PAGE, "&Add Page..."},
                     {ID_EDIT_PAGE, "&Edit Page..."},
                     {ID_REMOVE_PAGE, "&Remove Page..."},
                     {ID_SORT_ROOT, "Root &Sort"},
                     {ID_IMPORT, "取り込み(&I)..."},
                     {0, nullptr},
                     {ID_HIDE, "&Hide..."},
                     {0, nullptr},
                     {ID_TASK, "&Task..."},
                     {ID_SEARCH, "検索(&F)..."},
                     {0, nullptr},
                     {kPopup, "&Shutdown"},
                     {0, nullptr},
                     {ID_PREFERENCES, "Environ(&1)"},
                     {ID_VERSION, "&Version..."}},
                    "Main");
        if (GetMenuItemCount(main) == 14)
            ExpectItems(GetSubMenu(main, 10), kShutdownItems, "Main/Shutdown");
        ExpectItems(GetSubMenu(menu, 1),
                    {{ID_ADD_PAGE, "&Add Page..."},
                     {ID_EDIT_PAGE, "&Edit Page..."},
                     {ID_REMOVE_PAGE, "&Remove Page..."},
                     {ID_SORT_CHILD, "&Sort Child"},
                     {ID_IMPORT, "取り込み(&I)..."}},
                    "TreeCtrl");
        ExpectItems(GetSubMenu(menu, 2),
                    {{ID_ADD_SHORTCUT, "&Add Shortcut"},
                     {ID_SORT_SHORTCUT, "&Sort Shortcut"},
                     {0, nullptr},
                     {ID_EDIT_SHORTCUT, "&Edit Shortcut"},
                     {ID_REMOVE_SHORTCUT, "&Remove Shortcut"},
                     {0, nullptr},
                     {ID_EXIST_FOLDER, "Exist &folder"},
                     {0, nullptr},
                     {ID_VIEW_ICON, "&Icon"},
                     {ID_VIEW_SMALL_ICON, "S&mall Icon"},
                     {ID_VIEW_LIST, "&List"},
                     {ID_VIEW_DETAIL, "&Detail"}},
                    "ListCtrl");
        ExpectItems(GetSubMenu(menu, 3),
                    {{ID_EDIT_SHORTCUT, "&Edit Shortcut"},
                     {ID_REMOVE_SHORTCUT, "&Remove Shortcut"},
                     {0, nullptr},
                     {ID_EXIST_FOLDER, "Exist &folder"}},
                    "ListCtrl2");
        ExpectItems(GetSubMenu(menu, 4), kShutdownItems, "Shutdown");
    }
    DestroyMenu(menu);
}

TEST(Resources, AcceleratorTable) {
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32] = {};
    int count = CopyAcceleratorTableA(table, entries, 32);
    const BYTE ctrl = FVIRTKEY | FCONTROL;
    const BYTE ctrlShift = FVIRTKEY | FCONTROL | FSHIFT;
    const ACCEL expected[] = {
        {ctrl, '1', ID_PREFERENCES},         {ctrl, 'A', ID_ADD_PAGE},
        {ctrlShift, 'A', ID_ADD_SHORTCUT},   {ctrl, 'E', ID_EDIT_PAGE},
        {ctrlShift, 'E', ID_EDIT_SHORTCUT},  {ctrl, 'F', ID_SEARCH},
        {ctrl, 'H', ID_HIDE},
        {ctrl, 'R', ID_REMOVE_PAGE},         {ctrlShift, 'R', ID_REMOVE_SHORTCUT},
        {ctrl, 'S', ID_SORT_CHILD},          {ctrlShift, 'S', ID_SORT_SHORTCUT},
        {ctrl, 'I', ID_IMPORT},              {FVIRTKEY, VK_APPS, ID_CONTEXT_KEY},
        {FVIRTKEY | FALT, 'X', ID_SHUTDOWN_POPUP},
    };
    ASSERT_EQ(count, 14);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(entries[i].fVirt & 0x7F, expected[i].fVirt);  // 0x80 marks the last entry in the resource
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].cmd, expected[i].cmd);
    }
    DestroyAcceleratorTable(table);
}

// ---- icons ----

// The image the system picks from an icon group for a size, as stored in the resource.
const BITMAPINFOHEADER* IconImage(UINT id, int size) {
    HRSRC group = FindResourceA(Module(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    if (!group)
        return nullptr;
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Module(), group)));
    int image = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(image), MAKEINTRESOURCEA(3));  // RT_ICON
    if (!found)
        return nullptr;
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), found)));
}

// Share of the pixels of a 32-bit icon image that are opaque, in percent.
int OpaquePercent(const BITMAPINFOHEADER* header) {
    auto* pixels = reinterpret_cast<const BYTE*>(header + 1);
    int count = header->biWidth * header->biWidth;
    int opaque = 0;
    for (int i = 0; i < count; ++i)
        opaque += pixels[i * 4 + 3] >= 128;
    return opaque * 100 / count;
}

// Every size the display scales ask for, from 16 (100 %) to 48 (the large icon at 150 %).
TEST(Resources, IconsHoldDrawnImagesAtEveryScalesSize) {
    for (UINT id : {IDI_APP, IDI_BUSY, IDI_SMALL, IDI_TRAY}) {
        for (int size : {16, 20, 24, 32, 40, 48}) {
            SCOPED_TRACE("icon " + std::to_string(id) + " at " + std::to_string(size));
            HICON icon = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bitmap = {};
            GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, size);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
            // The stored image has this size itself (not scaled from another) and is neither empty nor a
            // filled square.
            const BITMAPINFOHEADER* image = IconImage(id, size);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(image->biWidth, size);
            EXPECT_EQ(image->biBitCount, 32);
            int opaque = OpaquePercent(image);
            EXPECT_GT(opaque, 20);
            EXPECT_LT(opaque, 90);
        }
    }
    // The notification-area icon of a hidden window must tell itself apart from the shown one.
    for (int size : {16, 20, 24, 32, 40, 48}) {
        const BITMAPINFOHEADER* shown = IconImage(IDI_SMALL, size);
        const BITMAPINFOHEADER* hidden = IconImage(IDI_TRAY, size);
        ASSERT_TRUE(shown && hidden);
        EXPECT_NE(std::memcmp(shown + 1, hidden + 1, size * size * 4), 0);
    }
}

// ---- bitmaps and image lists ----

struct Strip {
    UINT id;
    int cell;
    int images;
    COLORREF mask;
};
const Strip kStrips[] = {
    {IDB_TREE, 16, 2, RGB(0, 0, 128)},
    {IDB_CLASS_SMALL, 16, 5, RGB(255, 0, 0)},
    {IDB_CLASS_LARGE, 32, 5, RGB(255, 0, 0)},
    {IDB_TREE_20, 20, 2, RGB(0, 0, 128)},
    {IDB_TREE_24, 24, 2, RGB(0, 0, 128)},
    {IDB_TREE_32, 32, 2, RGB(0, 0, 128)},
    {IDB_TREE_40, 40, 2, RGB(0, 0, 128)},
    {IDB_TREE_48, 48, 2, RGB(0, 0, 128)},
    {IDB_CLASS_20, 20, 5, RGB(255, 0, 0)},
    {IDB_CLASS_24, 24, 5, RGB(255, 0, 0)},
    {IDB_CLASS_40, 40, 5, RGB(255, 0, 0)},
    {IDB_CLASS_48, 48, 5, RGB(255, 0, 0)},
};

// Pixels of a bitmap resource as COLORREFs, top row first.
std::vector<COLORREF> Pixels(UINT id, int width, int height) {
    HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(id));
    std::vector<COLORREF> out;
    if (!bitmap)
        return out;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits(width * height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (DWORD bgr : bits)
        out.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    return out;
}

TEST(Resources, BitmapsHaveTheirSizesAndMaskColourBackgrounds) {
    for (const Strip& strip : kStrips) {
        SCOPED_TRACE("bitmap " + std::to_string(strip.id));
        HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(strip.id));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        DeleteObject(bitmap);
        int width = strip.cell * strip.images;
        EXPECT_EQ(info.bmWidth, width);
        EXPECT_EQ(info.bmHeight, strip.cell);

        std::vector<COLORREF> pixels = Pixels(strip.id, width, strip.cell);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(width * strip.cell));
        for (int image = 0; image < strip.images; ++image) {
            SCOPED_TRACE("image " + std::to_string(image));
            int left = image * strip.cell;
            auto at = [&](int x, int y) { return pixels[y * width + left + x]; };
            EXPECT_EQ(at(0, 0), strip.mask);  // corners are background
            EXPECT_EQ(at(strip.cell - 1, strip.cell - 1), strip.mask);
            // The middle of every picture is drawn, and the picture covers a fair part of its square.
            int c = strip.cell / 2;
            for (int y = c - 1; y <= c; ++y)
                for (int x = c - 1; x <= c; ++x)
                    EXPECT_NE(at(x, y), strip.mask) << x << "," << y;
            int drawn = 0;
            for (int y = 0; y < strip.cell; ++y)
                for (int x = 0; x < strip.cell; ++x)
                    drawn += at(x, y) != strip.mask;
            EXPECT_GT(drawn * 100 / (strip.cell * strip.cell), 25);
        }
    }
}

// Draws image `index` transparently on a square filled with `fill` and reads back two pixels.
void DrawOnFill(HIMAGELIST list, int index, int cell, COLORREF fill, COLORREF* corner, COLORREF* centre) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, cell, cell);
    HGDIOBJ old = SelectObject(dc, target);
    RECT all = {0, 0, cell, cell};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
    *corner = GetPixel(dc, 0, 0);
    *centre = GetPixel(dc, cell / 2, cell / 2);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

// Every image of the list shows its picture and lets the background through where the mask colour was.
void ExpectMasked(HIMAGELIST list, const Strip& strip) {
    const COLORREF fill = RGB(1, 254, 3);  // a colour none of the pictures uses
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), strip.images);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, strip.cell);
    EXPECT_EQ(cy, strip.cell);
    for (int image = 0; image < ImageList_GetImageCount(list); ++image) {
        COLORREF corner, centre;
        DrawOnFill(list, image, strip.cell, fill, &corner, &centre);
        EXPECT_EQ(corner, fill) << "image " << image << ": background not transparent";
        EXPECT_NE(centre, fill) << "image " << image << ": picture missing";
    }
}

TEST(Resources, ImageListsBuiltFromTheBitmapsAreMasked) {
    for (const Strip& strip : kStrips) {
        SCOPED_TRACE("bitmap " + std::to_string(strip.id));
        // Loaded in one go from the resource with the mask colour...
        HIMAGELIST loaded =
            ImageList_LoadImageA(Module(), MAKEINTRESOURCEA(strip.id), strip.cell, 1, strip.mask, IMAGE_BITMAP, 0);
        ExpectMasked(loaded, strip);
        // ...and created with device-dependent colours and a mask, then filled from the bitmap.
        HIMAGELIST built = ImageList_Create(strip.cell, strip.cell, ILC_COLORDDB | ILC_MASK, strip.images, 8);
        HBITMAP bitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(strip.id));
        EXPECT_EQ(ImageList_AddMasked(built, bitmap, strip.mask), 0);
        DeleteObject(bitmap);
        ExpectMasked(built, strip);
        // The class lists use their last image as overlay 1.
        if (strip.images == 5) {
            EXPECT_TRUE(ImageList_SetOverlayImage(built, 4, 1));
        }
        if (loaded)
            ImageList_Destroy(loaded);
        ImageList_Destroy(built);
    }
}

// ---- main window template ----

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

struct Control {
    int id;
    const char* className;
    DWORD style;    // all of these bits set
    DWORD without;  // none of these
    DWORD exStyle;  // all of these bits set
    bool bordered;
};

// What the created windows no longer show (the combo passes WS_VSCROLL on to its list, the dialog manager
// trades WS_BORDER for WS_EX_CLIENTEDGE) is read from the template itself.
struct TemplateItem {
    DWORD id;
    DWORD style;
};

struct Template {
    std::wstring font;
    WORD pointSize = 0;
    BYTE charset = 0;
    std::vector<TemplateItem> items;
};

// Skips a name-or-ordinal field of a dialog template.
const WORD* SkipName(const WORD* at) {
    if (*at == 0xFFFF)
        return at + 2;
    while (*at)
        ++at;
    return at + 1;
}

Template ReadTemplate(UINT id) {
    Template out;
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!found)
        return out;
    auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
    auto* words = reinterpret_cast<const WORD*>(bytes);
    if (words[0] != 1 || words[1] != 0xFFFF)
        return out;  // DIALOGEX only
    DWORD style;
    std::memcpy(&style, bytes + 12, 4);
    WORD count = words[8];
    const WORD* at = words + 13;            // after the rectangle
    at = SkipName(SkipName(SkipName(at)));  // menu, class, title
    if (style & DS_SETFONT) {
        out.pointSize = at[0];
        out.charset = reinterpret_cast<const BYTE*>(at)[5];
        at += 3;
        while (*at)
            out.font += static_cast<wchar_t>(*at++);
        ++at;
    }
    for (WORD i = 0; i < count; ++i) {
        auto offset = (reinterpret_cast<const BYTE*>(at) - bytes + 3) & ~3;
        const BYTE* item = bytes + offset;
        TemplateItem entry;
        std::memcpy(&entry.style, item + 8, 4);
        std::memcpy(&entry.id, item + 20, 4);
        out.items.push_back(entry);
        at = SkipName(SkipName(reinterpret_cast<const WORD*>(item + 24)));                // class, title
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at + 1) + *at);  // creation data
    }
    return out;
}

TEST(Resources, MainTemplateAsWritten) {
    Template dialog = ReadTemplate(IDD_MAIN);
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.font, L"MS UI Gothic");
    EXPECT_EQ(dialog.charset, SHIFTJIS_CHARSET);
    auto style = [&](DWORD id) -> DWORD {
        for (const TemplateItem& item : dialog.items)
            if (item.id == id)
                return item.style;
        ADD_FAILURE() << "no control " << id;
        return 0;
    };
    ASSERT_EQ(dialog.items.size(), 7u);
    EXPECT_TRUE(style(IDC_PAGE_COMBO) & WS_VSCROLL);
    EXPECT_TRUE(style(IDC_TREE) & WS_BORDER);
    EXPECT_TRUE(style(IDC_LIST) & WS_BORDER);
}

TEST(Resources, MainTemplateCreatesItsControls) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_MAIN), nullptr, QuietProc, 0);
    ASSERT_NE(dialog, nullptr);

    char title[64] = {};
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "ぶりんどる");
    DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & frame, frame);

    const Control controls[] = {
        {IDC_TREE, "SysTreeView32",
         TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | WS_TABSTOP |
             WS_VISIBLE,
         TVS_HASLINES, 0, true},
        {IDC_SPLITTER, "Static", SS_NOTIFY | SS_ETCHEDVERT | WS_VISIBLE, 0, 0, false},
        {IDC_PAGE_COMBO, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP | WS_VISIBLE, 0, 0, false},
        {IDC_STATUS, "Edit", ES_READONLY | ES_AUTOHSCROLL, WS_VISIBLE, 0, false},
        {IDC_LIST, "SysListView32",
         LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_EDITLABELS | LVS_SHAREIMAGELISTS |
             WS_TABSTOP | WS_VISIBLE,
         0, WS_EX_ACCEPTFILES, true},
        {IDOK, "Button", BS_DEFPUSHBUTTON, WS_VISIBLE, 0, false},
        {IDCANCEL, "Button", 0, WS_VISIBLE | BS_DEFPUSHBUTTON, 0, false},
    };
    for (const Control& control : controls) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        HWND window = GetDlgItem(dialog, control.id);
        ASSERT_NE(window, nullptr);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        EXPECT_EQ(lstrcmpiA(name, control.className), 0) << name;
        DWORD style = GetWindowLongA(window, GWL_STYLE);
        DWORD exStyle = GetWindowLongA(window, GWL_EXSTYLE);
        EXPECT_EQ(style & control.style, control.style) << std::hex << style;
        EXPECT_EQ(style & control.without, 0u) << std::hex << style;
        EXPECT_EQ(exStyle & control.exStyle, control.exStyle) << std::hex << exStyle;
        // The dialog manager turns a child's WS_BORDER into the sunken WS_EX_CLIENTEDGE.
        if (control.bordered) {
            EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE));
        }
    }
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDC_LIST), GWL_STYLE) & LVS_TYPEMASK, static_cast<DWORD>(LVS_ICON));
    // Seven children and no more: the program lays out exactly these.
    int children = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 7);
    DestroyWindow(dialog);
}

// ---- version and manifest ----

std::string VersionValue(const std::vector<BYTE>& data, const char* name) {
    std::string path = std::string("\\StringFileInfo\\041104B0\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return "";
    return value;
}

TEST(Resources, VersionInformation) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(Module(), path, MAX_PATH);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));

    EXPECT_EQ(VersionValue(data, "ProductName"), "ぶりんどる");
    EXPECT_EQ(VersionValue(data, "FileDescription"), "ぶりんどる");
    EXPECT_EQ(VersionValue(data, "LegalTrademarks"), "ORIOLE");
    // The project version, as CMake hands it to the build.
    EXPECT_EQ(VersionValue(data, "FileVersion"), BRINDLE_PROJECT_VERSION ".0");
    EXPECT_EQ(VersionValue(data, "ProductVersion"), BRINDLE_PROJECT_VERSION ".0");
    EXPECT_EQ(VersionValue(data, "InternalName"), "brindle");
    EXPECT_EQ(VersionValue(data, "OriginalFilename"), "brindle.exe");
    EXPECT_FALSE(VersionValue(data, "CompanyName").empty());
    EXPECT_FALSE(VersionValue(data, "LegalCopyright").empty());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD versionMS = BRINDLE_PROJECT_VERSION_MAJOR << 16 | BRINDLE_PROJECT_VERSION_MINOR;
    const DWORD versionLS = BRINDLE_PROJECT_VERSION_PATCH << 16;
    EXPECT_EQ(fixed->dwFileVersionMS, versionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, versionLS);
    EXPECT_EQ(fixed->dwProductVersionMS, versionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, versionLS);

    WORD* translation = nullptr;
    ASSERT_TRUE(
        VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x411);
    EXPECT_EQ(translation[1], 1200);
}

// The manifest is in force: the process got version 6 of the common controls, which both Windows and Wine
// load from the side-by-side store (Wine's DllGetVersion reports 5 for either, so the path tells).
TEST(Resources, ManifestSelectsCommonControls6) {
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(comctl, path, MAX_PATH);
    std::string lower = path;
    CharLowerA(lower.data());
    EXPECT_NE(lower.find("\\winsxs\\"), std::string::npos) << path;
    EXPECT_NE(lower.find("common-controls"), std::string::npos) << path;

    HRSRC manifest = FindResourceA(Module(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    std::string text(static_cast<const char*>(LockResource(LoadResource(Module(), manifest))),
                     SizeofResource(Module(), manifest));
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    // Per-monitor v2 where Windows has it, per-monitor on 8.1, system-aware on 7 and 8.
    EXPECT_NE(text.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<"),
              std::string::npos);
    EXPECT_NE(text.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                        "PerMonitorV2, PerMonitor<"),
              std::string::npos);
}

}  // namespace
}  // namespace brindle

// The main window at the display scale of its monitor: run at 96 DPI and, in the 144-DPI pass, at 144.
// Every size is compared with the one the scale asks for, so the same checks hold at both.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/dpi_win.h"
#include "unit/test_support.h"
#include "views/icon_reader_win.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string ModulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

int IconEdge(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

int ImageEdge(HIMAGELIST list) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, cy);
    return cx;
}

LONG FontHeight(HFONT font) {
    LOGFONTA logFont{};
    GetObjectA(font, sizeof logFont, &logFont);
    return logFont.lfHeight;
}

// The box of the pixels in `rect` of a window's client area that differ from `background`: what was
// drawn there, as it is on the screen.
RECT InkBox(HWND window, RECT rect, COLORREF background) {
    RECT ink{rect.right, rect.bottom, rect.left, rect.top};
    HDC dc = GetDC(window);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (GetPixel(dc, x, y) == background)
                continue;
            ink.left = std::min<LONG>(ink.left, x);
            ink.top = std::min<LONG>(ink.top, y);
            ink.right = std::max<LONG>(ink.right, x + 1);
            ink.bottom = std::max<LONG>(ink.bottom, y + 1);
        }
    }
    ReleaseDC(window, dc);
    return ink;
}

class MainWindowDpi : public ::testing::Test {
protected:
    void SetUp() override {
        dpi = ui::SystemDpi();
        small = ui::MetricForDpi(SM_CXSMICON, dpi);
        large = ui::MetricForDpi(SM_CXICON, dpi);
        path = folder.File("Brindle.INI");
        const std::string exe = ModulePath();
        // A program (class image) and a shortcut whose icon is read from this program's own icons.
        testing::WriteBytes(path,
                            "[Brindle]\r\nwinMainFrame=100,80,700,500\r\nwinSeparator=150\r\nListStyle=1\r\n"
                            "Page=0\r\niChkLoadIcon=2\r\nlfHeight=-12\r\nlfFaceName=IPAGothic\r\n"
                            "clrListBack=16777215\r\nclrListTxBk=16777215\r\nclrListText=0\r\n"
                            "[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n"
                            "[#00000]\r\nNamespace=漢字の名前\r\nCommandLine=\"" +
                                exe +
                                "\"\r\nPageId=0\r\n[#00001]\r\nNamespace=own\r\nCommandLine=x.exe\r\n"
                                "ReadIcon=1\r\nIconname=" +
                                exe + "\r\nPageId=0\r\n");
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
        MainDialog::Options options;
        options.instanceName = "INI.dpi_test_Mutex";
        dialog = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();  // the deferred initialisation fills the views
        ASSERT_TRUE(testing::PumpMessagesUntil([&] { return dialog->SearchWindow() != nullptr; }));
        list = dialog->Item(IDC_LIST);
        tree = dialog->Item(IDC_TREE);
    }
    void TearDown() override {
        if (dialog && dialog->Hwnd())
            DestroyWindow(dialog->Hwnd());
        dialog.reset();
    }
    void CloseAndExpectTheStoredFont() {
        SendMessageA(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
        const std::string text = testing::ReadBytes(path);
        EXPECT_NE(text.find("lfHeight=-12\r\nlfWidth=0\r\n"), std::string::npos) << text;
    }

    unsigned dpi = 96;
    int small = 16, large = 32;
    testing::WinFolder folder;
    std::string path;
    RecordingMessages messages;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> dialog;
    HWND list = nullptr, tree = nullptr;
};

TEST_F(MainWindowDpi, FontRowsImageListsAndSplitterFollowTheScaleAndTheFileKeepsThe96DpiFont) {
    EXPECT_EQ(dialog->Dpi(), ui::WindowDpi(dialog->Hwnd()));
    EXPECT_EQ(dialog->Dpi(), dpi);
    EXPECT_EQ(small, ui::SmallIconSizeForDpi(dpi));  // Wine's metrics follow the scale as Windows' do

    // The stored font, shown scaled; the file's font untouched.
    EXPECT_EQ(FontHeight(dialog->ShownFont()), ui::ScaleToDpi(-12, dpi));
    EXPECT_EQ(FontHeight(reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0))), ui::ScaleToDpi(-12, dpi));
    EXPECT_EQ(dialog->StoredFont().lfHeight, -12);

    // Image lists at the scale's icon sizes; rows tall enough for their icons.
    EXPECT_EQ(ImageEdge(ListView_GetImageList(list, LVSIL_SMALL)), small);
    EXPECT_EQ(ImageEdge(ListView_GetImageList(list, LVSIL_NORMAL)), large);
    EXPECT_EQ(ImageEdge(TreeView_GetImageList(tree, TVSIL_NORMAL)), small);
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    RECT row{};
    ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
    EXPECT_GE(row.bottom - row.top, small);
    EXPECT_GE(TreeView_GetItemHeight(tree), small);
    // The shortcut's own icon went into the list (image 5) from a read at the list's sizes.
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 6);

    // The splitter bar is 2 pixels wide at 96 DPI.
    RECT bar;
    GetWindowRect(dialog->Item(IDC_SPLITTER), &bar);
    EXPECT_EQ(bar.right - bar.left, ui::ScaleToDpi(2, dpi));

    // The window's and the notification area's icons at their sizes.
    EXPECT_EQ(IconEdge(reinterpret_cast<HICON>(SendMessageA(dialog->Hwnd(), WM_GETICON, ICON_SMALL, 0))), small);
    EXPECT_EQ(IconEdge(reinterpret_cast<HICON>(SendMessageA(dialog->Hwnd(), WM_GETICON, ICON_BIG, 0))), large);
    EXPECT_EQ(IconEdge(dialog->LoadedIcon(IDI_TRAY)), small);
    CloseAndExpectTheStoredFont();
}

// What the user sees: the list's class icon and its name drawn at the scale's size, read off the screen.
TEST_F(MainWindowDpi, TheListDrawsItsIconAndTextAtTheScale) {
    SetForegroundWindow(dialog->Hwnd());
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(tree);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT icon{}, label{};
    ListView_GetItemRect(list, 0, &icon, LVIR_ICON);
    ListView_GetItemRect(list, 0, &label, LVIR_LABEL);
    // The program class picture: a window frame across the whole width (15 of 16 pixels at 96 DPI).
    const RECT drawn = InkBox(list, icon, RGB(255, 255, 255));
    EXPECT_GE(drawn.right - drawn.left, ui::ScaleToDpi(14, dpi)) << "icon cell " << icon.right - icon.left;
    EXPECT_LE(drawn.right - drawn.left, small);
    // Kanji stand about as tall as the font's em: 12 pixels at 96 DPI, 18 at 144.
    const RECT text = InkBox(list, label, RGB(255, 255, 255));
    EXPECT_GE(text.bottom - text.top, ui::ScaleToDpi(8, dpi)) << "label " << label.bottom - label.top;
    EXPECT_LE(text.bottom - text.top, ui::ScaleToDpi(14, dpi));
}

// As Windows sends it when the window crosses to a monitor of another scale: 200 % here, then back.
TEST_F(MainWindowDpi, ADpiChangeTakesTheSuggestedRectangleAndRebuildsFontImageListsAndIcons) {
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    ASSERT_TRUE(dialog->IconPresent());
    HICON trayBefore = dialog->CurrentTrayIcon();
    const int reads = dialog->IconReads();

    for (const unsigned next : {192u, dpi}) {
        SCOPED_TRACE(next);
        const int nextSmall = ui::MetricForDpi(SM_CXSMICON, next), nextLarge = ui::MetricForDpi(SM_CXICON, next);
        RECT suggested{150, 60, 150 + static_cast<LONG>(600 * next / 96), 60 + static_cast<LONG>(420 * next / 96)};
        ShowWindow(dialog->Hwnd(), SW_SHOWNA);
        SendMessageA(dialog->Hwnd(), WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(dialog->Dpi(), next);
        RECT window;
        GetWindowRect(dialog->Hwnd(), &window);
        EXPECT_TRUE(EqualRect(&window, &suggested));
        EXPECT_EQ(FontHeight(dialog->ShownFont()), ui::ScaleToDpi(-12, next));
        EXPECT_EQ(FontHeight(reinterpret_cast<HFONT>(SendMessageA(tree, WM_GETFONT, 0, 0))), ui::ScaleToDpi(-12, next));
        EXPECT_EQ(ImageEdge(ListView_GetImageList(list, LVSIL_SMALL)), nextSmall);
        EXPECT_EQ(ImageEdge(ListView_GetImageList(list, LVSIL_NORMAL)), nextLarge);
        EXPECT_EQ(ImageEdge(TreeView_GetImageList(tree, TVSIL_NORMAL)), nextSmall);
        EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 6);
        EXPECT_EQ(IconEdge(reinterpret_cast<HICON>(SendMessageA(dialog->Hwnd(), WM_GETICON, ICON_SMALL, 0))),
                  nextSmall);
        RECT bar;
        GetWindowRect(dialog->Item(IDC_SPLITTER), &bar);
        EXPECT_EQ(bar.right - bar.left, ui::ScaleToDpi(2, next));
        RECT row{};
        ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
        EXPECT_GE(row.bottom - row.top, nextSmall);
        // The notification icon is added again, with the picture of the same role.
        EXPECT_TRUE(dialog->IconPresent());
        EXPECT_EQ(dialog->CurrentTrayIcon(), dialog->LoadedIcon(IDI_TRAY));
        ShowWindow(dialog->Hwnd(), SW_HIDE);
    }
    EXPECT_NE(dialog->CurrentTrayIcon(), trayBefore);
    EXPECT_GT(dialog->IconReads(), reads) << "the icons are read again at the new sizes, not stretched";
    // The splitter keeps its place in the window: 150 at the start, back at the start's scale.
    EXPECT_NEAR(dialog->SplitterPosition(), 150, 1);

    ShowWindow(dialog->Hwnd(), SW_SHOW);
    CloseAndExpectTheStoredFont();
    const std::string text = testing::ReadBytes(path);
    EXPECT_NE(text.find("winMainFrame=150,60," + std::to_string(150 + 600 * dpi / 96) + "," +
                        std::to_string(60 + 420 * dpi / 96) + "\r\n"),
              std::string::npos)
        << text;
}

// The tray menu at the scale where it opens: rows as tall as an icon and its frame, icons of that size.
TEST_F(MainWindowDpi, TrayMenuRowsAreTallEnoughForIconsOfTheScale) {
    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_HIDE, 0);
    ASSERT_NE(dialog->TrayMenu(), nullptr);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(dialog->TrayMenuDpi(), ui::PointDpi(cursor));
    EXPECT_EQ(dialog->TrayMenuItems().IconSize(), small);
    EXPECT_EQ(ImageEdge(dialog->TrayMenuItems().Images()), small);
    EXPECT_EQ(FontHeight(dialog->TrayMenuFont()), ui::ScaleToDpi(-12, dialog->TrayMenuDpi()));
    const auto& entries = dialog->TrayMenuItems().Entries();
    ASSERT_FALSE(entries.empty());
    for (size_t i = 0; i < entries.size(); ++i) {
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemData = i;
        SendMessageA(dialog->Hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(static_cast<int>(item.itemHeight), small + 2) << i;
        EXPECT_GT(static_cast<int>(item.itemWidth), small + 2) << i;
    }
}

TEST(IconReaderSizes, IconsAreReadAtTheAskedSizesFromTheFilesOwnImages) {
    testing::WinFolder folder;
    RecordingMessages messages;
    SettingsStore store(messages, folder.File("Brindle.INI"));
    Preferences prefs;
    store.GetPreferences(prefs);
    prefs.iChkLoadIcon = 2;
    store.SetPreferencesAndSave(prefs);
    WinSystem system;
    WinIconReader reader(store, system);
    // A program's own icons, and a document's and a folder's from where the shell keeps them: at sizes
    // of every scale, 200 % included, which no system metric of this run has.
    const std::string document = folder.File("文書.txt");
    testing::WriteBytes(document, "no icons");
    const std::string subfolder = folder.File("フォルダ");
    ASSERT_TRUE(CreateDirectoryA(subfolder.c_str(), nullptr));
    for (const std::string& source : {ModulePath(), document, subfolder}) {
        for (const IconSizes sizes : {IconSizes{32, 16}, IconSizes{48, 24}, IconSizes{40, 20}, IconSizes{64, 32}}) {
            SCOPED_TRACE(source + " at " + std::to_string(sizes.small));
            IconHandle largeIcon = nullptr, smallIcon = nullptr;
            reader.Read(source, sizes, largeIcon, smallIcon);
            EXPECT_EQ(IconEdge(static_cast<HICON>(largeIcon)), sizes.large);
            EXPECT_EQ(IconEdge(static_cast<HICON>(smallIcon)), sizes.small);
            reader.Destroy(largeIcon);
            reader.Destroy(smallIcon);
        }
    }
}

}  // namespace
}  // namespace brindle

// A reference of the start-up benchmark: the main window's template showing what brindle.exe shows at
// start-up for the benchmark's settings files, made the plain way with the platform's own calls and
// nothing of the program's code. Its start-up is the platform's part of brindle.exe's: the font, the
// colours, the image lists, the tree's pages, the combo's paths, the list's first page, their first paint.
//   bare_main_filled.exe PAGES SHORTCUTS
// The content is the benchmark's: pages "ページN", 0-9 at the top and page p under page p % 10, all
// closed; page 0 shown with its shortcuts s (s % PAGES == 0) named "ショートカットS", shown as files.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "resource.h"

namespace {

constexpr UINT kFill = WM_APP + 16;  // clear of the instance query that tools send to main windows
// The class images: web address, file, program, folder, missing. The benchmark's command lines
// ("C:\windows\notepad.exe 12", unquoted) are files by brindle.exe's rule: the whole line is the name.
constexpr int kFileImage = 1;
constexpr int kMissingImage = 4;
constexpr int kClosedFolder = 0, kOpenFolder = 1;

int pages = 50, shortcuts = 1000;

// The list's row r is shortcut r * pages: the shortcuts of page 0.
int ShownShortcuts() {
    return pages > 0 ? (shortcuts + pages - 1) / pages : 0;
}

std::string PageName(int page) {
    return "ページ" + std::to_string(page);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

// The template's size, centred in the work area of its monitor.
void Centre(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    MoveWindow(window, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, width, height, TRUE);
}

// The settings file's font: MS Mincho, 12 pixels at 96 DPI.
void SetFont(HWND dialog, int dpi) {
    LOGFONTA logFont{};
    logFont.lfHeight = MulDiv(-12, dpi, 96);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyA(logFont.lfFaceName, "ＭＳ 明朝");
    HFONT font = CreateFontIndirectA(&logFont);  // lives as long as the process
    for (int id : {0, IDC_TREE, IDC_LIST, IDC_STATUS, IDC_PAGE_COMBO}) {
        HWND window = id ? GetDlgItem(dialog, id) : dialog;
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

struct DrawnStrip {
    int size, tree, classes;
};
constexpr DrawnStrip kDrawn[] = {{16, IDB_TREE, IDB_CLASS_SMALL}, {20, IDB_TREE_20, IDB_CLASS_20},
                                 {24, IDB_TREE_24, IDB_CLASS_24}, {32, IDB_TREE_32, IDB_CLASS_LARGE},
                                 {40, IDB_TREE_40, IDB_CLASS_40}, {48, IDB_TREE_48, IDB_CLASS_48}};

// The strip drawn at the size nearest to `wanted` (16 and 32 pixels at 96 DPI), its background cut out.
HIMAGELIST Strip(int wanted, bool tree) {
    const DrawnStrip* drawn = &kDrawn[0];
    for (const DrawnStrip& strip : kDrawn) {
        if (std::abs(strip.size - wanted) <= std::abs(drawn->size - wanted))
            drawn = &strip;
    }
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                     MAKEINTRESOURCEA(tree ? drawn->tree : drawn->classes),
                                                     IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    HIMAGELIST images = ImageList_Create(drawn->size, drawn->size, ILC_COLORDDB | ILC_MASK, 8, 8);
    if (bitmap && images)
        ImageList_AddMasked(images, bitmap, tree ? RGB(0, 0, 128) : RGB(255, 0, 0));
    if (bitmap)
        DeleteObject(bitmap);
    return images;
}

void SetListImages(HWND list) {
    HIMAGELIST small = Strip(GetSystemMetrics(SM_CXSMICON), false);
    HIMAGELIST large = Strip(GetSystemMetrics(SM_CXICON), false);
    ImageList_SetOverlayImage(small, kMissingImage, 1);
    ImageList_SetOverlayImage(large, kMissingImage, 1);
    ListView_SetImageList(list, small, LVSIL_SMALL);
    ListView_SetImageList(list, large, LVSIL_NORMAL);
}

// The tree on the left up to the 2-pixel splitter; on the right the closed combo over the list (the
// status line, hidden, in the combo's place).
void LayOut(HWND dialog, int dpi) {
    RECT client, bar, combo;
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, IDC_SPLITTER), &bar);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bar), 2);
    GetWindowRect(GetDlgItem(dialog, IDC_PAGE_COMBO), &combo);
    const int barWidth = MulDiv(2, dpi, 96), cx = client.right, cy = client.bottom;
    const int x = bar.left > cx - barWidth ? cx - barWidth : bar.left;
    const int right = x + barWidth, width = cx - right, comboHeight = combo.bottom - combo.top;
    HDWP batch = BeginDeferWindowPos(5);
    batch = DeferWindowPos(batch, GetDlgItem(dialog, IDC_TREE), nullptr, 0, 0, x - 1, cy, SWP_NOZORDER);
    batch = DeferWindowPos(batch, GetDlgItem(dialog, IDC_SPLITTER), nullptr, x, 0, barWidth, cy, SWP_NOZORDER);
    batch = DeferWindowPos(batch, GetDlgItem(dialog, IDC_STATUS), nullptr, right, 0, width, comboHeight, SWP_NOZORDER);
    batch = DeferWindowPos(batch, GetDlgItem(dialog, IDC_PAGE_COMBO), nullptr, right, 0, width, cy, SWP_NOZORDER);
    batch = DeferWindowPos(batch, GetDlgItem(dialog, IDC_LIST), nullptr, right, comboHeight + 1, width,
                           cy - comboHeight - 1, SWP_NOZORDER);
    if (batch)
        EndDeferWindowPos(batch);
}

void InitDialog(HWND dialog) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const int dpi = ScreenDpi();
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SMALL), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    Centre(dialog);
    SetFont(dialog, dpi);

    HWND tree = GetDlgItem(dialog, IDC_TREE), list = GetDlgItem(dialog, IDC_LIST);
    TreeView_SetTextColor(tree, RGB(0, 0, 0));
    TreeView_SetInsertMarkColor(tree, RGB(0, 0, 128));
    TreeView_SetBkColor(tree, RGB(255, 255, 255));
    ListView_SetTextColor(list, RGB(0, 0, 0));
    ListView_SetTextBkColor(list, RGB(255, 255, 255));
    ListView_SetBkColor(list, RGB(255, 255, 255));
    // Large icons, the default settings' view (the template's own since the list starts in it).
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    if ((style & LVS_TYPEMASK) != LVS_ICON)
        SetWindowLongA(list, GWL_STYLE, (style & ~LVS_TYPEMASK) | LVS_ICON);
    SetListImages(list);
    LayOut(dialog, dpi);

    // A modal dialog shows itself only when its queue first runs empty, which would be after the fill:
    // brindle.exe fills its views with the window on screen.
    ShowWindow(dialog, SW_SHOWNORMAL);
    PostMessageA(dialog, kFill, 0, 0);
}

// The pages in id order, each under its parent, closed; page 0 is the caret page.
HTREEITEM FillTree(HWND tree) {
    TreeView_SetImageList(tree, Strip(GetSystemMetrics(SM_CXSMICON), true), TVSIL_NORMAL);
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);  // thousands of items: one paint at the end
    std::vector<HTREEITEM> items(static_cast<size_t>(pages));
    for (int p = 0; p < pages; ++p) {
        const std::string name = PageName(p);
        TVINSERTSTRUCTA insert{};
        insert.hParent = p < 10 ? TVI_ROOT : items[static_cast<size_t>(p % 10)];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(name.c_str());
        insert.item.lParam = p;
        insert.item.iImage = kClosedFolder;
        insert.item.iSelectedImage = kOpenFolder;
        items[static_cast<size_t>(p)] = TreeView_InsertItem(tree, &insert);
    }
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
    return pages > 0 ? items[0] : nullptr;
}

// Every page's path ("ページ3/ページ13"), sorted by the combo itself.
void FillCombo(HWND combo) {
    for (int p = 0; p < pages; ++p) {
        const std::string path = p < 10 ? PageName(p) : PageName(p % 10) + "/" + PageName(p);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    const std::string shown = PageName(0);
    const LRESULT at =
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(shown.c_str()));
    SendMessageA(combo, CB_SETCURSEL, at == CB_ERR ? 0 : at, 0);
}

std::string ShortcutName(int row) {
    return "ショートカット" + std::to_string(row * pages);
}

// The list asks for each row it shows (it holds no items of its own).
void FillList(HWND dialog, HWND list) {
    const int count = ShownShortcuts();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCount(list, count);
    if (count > 0)
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    if (count == 0)
        return;
    // The title names the selected shortcut.
    char format[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_TITLE_SELECTED, format, sizeof format);
    std::string title = format;
    if (const size_t at = title.find("%s"); at != std::string::npos)
        title.replace(at, 2, ShortcutName(0));
    SetWindowTextA(dialog, title.c_str());
}

void Fill(HWND dialog) {
    HWND tree = GetDlgItem(dialog, IDC_TREE);
    HTREEITEM first = FillTree(tree);
    FillCombo(GetDlgItem(dialog, IDC_PAGE_COMBO));
    if (first) {
        TreeView_SelectItem(tree, first);
        TreeView_EnsureVisible(tree, first);
    }
    FillList(dialog, GetDlgItem(dialog, IDC_LIST));
}

void AnswerDisplayInfo(NMLVDISPINFOA& info) {
    LVITEMA& item = info.item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynA(item.pszText, ShortcutName(item.iItem).c_str(), item.cchTextMax);
    if (item.mask & LVIF_IMAGE)
        item.iImage = item.iSubItem == 0 ? kFileImage : 0;
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            InitDialog(dialog);
            return TRUE;
        case kFill:
            Fill(dialog);
            return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == IDC_LIST && header->code == LVN_GETDISPINFOA)
                AnswerDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc >= 3) {
        pages = std::max(1, std::atoi(__argv[1]));
        shortcuts = std::max(0, std::atoi(__argv[2]));
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, Procedure, 0));
}

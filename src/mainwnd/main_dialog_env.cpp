// The main window's environment: the user's window rectangle, font, colours, view mode, image lists and
// splitter position going in at start-up, and the closing save writing them back.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "about/about_dialog.h"
#include "mainwnd/hot_keys.h"
#include "search/search_dialog.h"
#include "mainwnd/keyboard_hook_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "tasks/task_select_dialog.h"
#include "ui/messages.h"
#include "ui/on_screen_win.h"
#include "views/own_images_win.h"
#include "views/shortcut_list_win.h"

namespace brindle {
namespace {

constexpr char kInitError[] = "環境初期化エラー";

static_assert(sizeof(FontSpec) == sizeof(LOGFONTA), "FontSpec mirrors LOGFONTA");

}  // namespace

// A stored rectangle that is empty (the default, or a hand-edited file) keeps the template's size,
// centred; one whose caption the user cannot reach (a display that is gone) is moved onto the nearest
// monitor.
void MainDialog::ApplyWindowRect(const Rect& stored) {
    RECT current;
    GetWindowRect(Hwnd(), &current);
    const RECT rect = ui::PlaceOnScreen({stored.left, stored.top, stored.right, stored.bottom}, current);
    MoveWindow(Hwnd(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

// The settings file holds the font at 96 DPI; it is shown at the window's DPI and kept as stored, so a
// closing save writes back what was read whatever the screen.
bool MainDialog::ApplyFont(const FontSpec& stored) {
    LOGFONTA logFont;
    std::memcpy(&logFont, &stored, sizeof logFont);
    logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    logFont.lfHeight = ui::ScaleToDpi(logFont.lfHeight, dpi_);
    logFont.lfWidth = ui::ScaleToDpi(logFont.lfWidth, dpi_);
    HFONT font = CreateFontIndirectA(&logFont);
    if (!font) {
        return false;  // the controls keep their font
    }
    storedFont_ = stored;
    for (HWND window : {Hwnd(), Item(IDC_TREE), Item(IDC_LIST), Item(IDC_STATUS), Item(IDC_PAGE_COMBO)}) {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (taskSelect_)
        taskSelect_->SetListFont(font);
    font_.Reset(font);
    if (HDC dc = GetDC(Hwnd())) {
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, "Tree", 4, &size);
        SelectObject(dc, old);
        ReleaseDC(Hwnd(), dc);
        lineHeight_ = size.cy;
    }
    return true;
}

// The class images at the small and large icon sizes of the window's DPI.
bool MainDialog::BuildListImageLists() {
    HIMAGELIST small = views::OwnStripImageList(views::OwnStrip::Classes, ui::MetricForDpi(SM_CXSMICON, dpi_));
    HIMAGELIST large = views::OwnStripImageList(views::OwnStrip::Classes, ui::MetricForDpi(SM_CXICON, dpi_));
    if (!small || !large) {
        if (small)
            ImageList_Destroy(small);
        if (large)
            ImageList_Destroy(large);
        return false;
    }
    // Image 4 (target missing) doubles as overlay 1.
    ImageList_SetOverlayImage(small, 4, 1);
    ImageList_SetOverlayImage(large, 4, 1);
    HWND list = Item(IDC_LIST);
    ListView_SetImageList(list, small, LVSIL_SMALL);
    ListView_SetImageList(list, large, LVSIL_NORMAL);
    smallImages_.Reset(small);
    largeImages_.Reset(large);
    return true;
}

void MainDialog::InitEnvironment() {
    Preferences prefs;
    store_.GetPreferences(prefs);

    // The controls are placed once, below, with the stored splitter position and the new font: the
    // move's own layout would be undone.
    layoutHeld_ = true;
    ApplyWindowRect(prefs.winMainFrame);
    layoutHeld_ = false;
    InvalidateRect(Hwnd(), nullptr, TRUE);
    ApplyFont(prefs.font);

    HWND tree = Item(IDC_TREE);
    TreeView_SetTextColor(tree, prefs.clrTreeText);
    TreeView_SetInsertMarkColor(tree, prefs.clrTreeMark);
    TreeView_SetBkColor(tree, prefs.clrTreeBack);
    HWND list = Item(IDC_LIST);
    ListView_SetTextColor(list, prefs.clrListText);
    ListView_SetTextBkColor(list, prefs.clrListTxBk);
    ListView_SetBkColor(list, prefs.clrListBack);

    LONG style = GetWindowLongA(list, GWL_STYLE);
    SetWindowLongA(list, GWL_STYLE, (style & ~LVS_TYPEMASK) | (prefs.ListStyle & LVS_TYPEMASK));
    if ((prefs.ListStyle & LVS_TYPEMASK) == LVS_REPORT) {
        ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        ApplyColumnRule(list, columnsInserted_);
    }

    if (!BuildListImageLists()) {
        messages_.Show(kInitError, box::kIconStop);
        messages_.RequestQuit(-1);
        return;
    }
    ApplyListIconSizes();

    // The stored splitter position is put back; 0 (never dragged) keeps the template's place.
    RECT client;
    GetClientRect(Hwnd(), &client);
    splitterPos_ = prefs.winSeparator;
    Layout(client.right, client.bottom, prefs.winSeparator > 0);

    // At start-up they come after the first paint (or at once for a hidden start); again with the
    // preferences.
    if (inputServicesStarted_)
        StartInputServices();
    hotKeys_.Register(kHotKeyFocus);
    hotKeys_.Register(kHotKeySearch);
}

void MainDialog::StartInputServices() {
    inputServicesStarted_ = true;
    CreateTooltip();
    KeyboardHook::Install(this);
    SetTimer(Hwnd(), kHookRenewalTimer, kHookRenewalMs, nullptr);
}

// The list is its one tool, registered with the new window: the tooltip is made again whenever the
// environment is applied again (the preferences dialog), and must not come back empty.
void MainDialog::CreateTooltip() {
    tooltip_.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
    if (tooltip_) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = Hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_LIST));
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tooltip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void MainDialog::DeferredInit() {
    if (options_.taskbarHidden)
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconBusy_.Get());
    if (options_.startHidden) {
        ShowWindow(Hwnd(), SW_HIDE);
        EnsureTrayIcons();     // no paint comes to load them
        StartInputServices();  // nor to start these
    }

    BuildTreeImageList();
    // Without the folder pictures the pages are still shown, so the tree is built either way.
    BuildTree();
    TreeView_EnsureVisible(Item(IDC_TREE), TreeView_GetSelection(Item(IDC_TREE)));
    pending_ = false;
    // The start-up has changed nothing, so it writes nothing: a large settings file takes tens of
    // milliseconds to save.
    RefillList(false);
    KillTimer(Hwnd(), kPageTimer);

    if (options_.taskbarHidden)
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconSmall_.Get());
    if (options_.startHidden)
        PostMessageA(Hwnd(), WM_COMMAND, ID_HIDE, 0);
}

void MainDialog::ClosingSave() {
    hotKeys_.UnregisterAll();

    Preferences prefs;
    store_.GetPreferences(prefs);
    // A minimised window's rectangle is its icon's; the restored one is what the next start needs.
    // The tray menu parks the hidden window off screen while it is open (a session can end then).
    RECT rect;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (parkedFrom_) {
        rect = *parkedFrom_;
    } else if (IsIconic(Hwnd()) && GetWindowPlacement(Hwnd(), &placement)) {
        rect = placement.rcNormalPosition;
    } else {
        GetWindowRect(Hwnd(), &rect);
    }
    prefs.winMainFrame = {rect.left, rect.top, rect.right, rect.bottom};
    if (about_)
        about_->PutRectangleInto(prefs);  // a session's end never destroys it before the settings are written
    if (font_)
        prefs.font = storedFont_;  // as the file held it, never the font scaled for the screen
    HWND tree = Item(IDC_TREE), list = Item(IDC_LIST);
    prefs.clrTreeText = TreeView_GetTextColor(tree);
    prefs.clrTreeMark = TreeView_GetInsertMarkColor(tree);
    prefs.clrTreeBack = TreeView_GetBkColor(tree);
    prefs.clrListText = ListView_GetTextColor(list);
    prefs.clrListTxBk = ListView_GetTextBkColor(list);
    prefs.clrListBack = ListView_GetBkColor(list);
    prefs.ListStyle = static_cast<uint32_t>(GetWindowLongA(list, GWL_STYLE)) & LVS_TYPEMASK;
    prefs.winSeparator = splitterPos_;
    if (taskSelect_) {  // never made: the stored rectangle stays
        const RECT taskSelect = taskSelect_->RectToKeep();
        prefs.winTaskSelect = {taskSelect.left, taskSelect.top, taskSelect.right, taskSelect.bottom};
    }
    if (search_) {
        const RECT search = search_->RectToKeep();
        if (!IsRectEmpty(&search))  // never shown: the stored place stays
            prefs.winSearch = {search.left, search.top, search.right, search.bottom};
    }
    store_.SetPreferencesAndSave(prefs);
    pageTree_.SaveExpanded(store_);

    if (!keepMenu_)
        menu_.Reset();
    if (trayIcon_.Present()) {
        if (options_.taskbarHidden) {
            trayIcon_.Notify(NotificationIcon::Op::Modify, iconSmall_.Get());
        } else {
            trayIcon_.Notify(NotificationIcon::Op::Delete, nullptr);
        }
    }
    tooltip_.Reset();
    KillTimer(Hwnd(), kHookRenewalTimer);
    KeyboardHook::Remove();
}

void MainDialog::SetReady(bool ready) {
    ready_ = ready;
    EnableWindow(Hwnd(), ready);
    EnableAbout(ready);
}

void MainDialog::SetStatusText(const std::string& text) {
    HWND status = Item(IDC_STATUS);
    SetWindowTextA(status, text.c_str());
    UpdateWindow(status);
    RefreshTitle();
}

void MainDialog::ShowStatusFor(const std::string& text) {
    SetStatusText(text);
    ShowWindow(Item(IDC_STATUS), SW_SHOW);
    SetTimer(Hwnd(), kStatusTimer, kStatusShownMs, nullptr);
}

void MainDialog::RefreshTitle() {
    HWND list = Item(IDC_LIST);
    const int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    char format[256] = {};
    if (selected < 0) {
        LoadStringA(GetModuleHandleA(nullptr), IDS_APP_NAME, format, sizeof format);
        SetTitle(format);
        return;
    }
    LoadStringA(GetModuleHandleA(nullptr), IDS_TITLE_SELECTED, format, sizeof format);
    char name[1024] = {};
    ListView_GetItemText(list, selected, 0, name, sizeof name);
    // The one "%s" of the title is replaced by the name; the name itself is taken as it is.
    std::string title = format;
    size_t at = title.find("%s");
    if (at != std::string::npos)
        title.replace(at, 2, name);
    SetTitle(title);
}

// Every status text refreshes the title, and under Wine every caption set goes on to the X server,
// so the same caption is not set again.
void MainDialog::SetTitle(const std::string& title) {
    char shown[1024 + 256] = "";
    GetWindowTextA(Hwnd(), shown, sizeof shown);
    if (title != shown)
        SetWindowTextA(Hwnd(), title.c_str());
}

}  // namespace brindle

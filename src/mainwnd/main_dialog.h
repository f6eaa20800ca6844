#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "launch/system_win.h"
#include "mainwnd/hot_key_registry_win.h"
#include "mainwnd/notification_icon_win.h"
#include "mainwnd/page_tree_ctrl.h"
#include "mainwnd/shortcut_list_ctrl.h"
#include "mainwnd/splitter_bar.h"
#include "mainwnd/status_throttle.h"
#include "search/search_host.h"
#include "store/preferences.h"
#include "system/power_win.h"
#include "tasks/task_select_host.h"
#include "traymenu/tray_menu_win.h"
#include "ui/dialog.h"
#include "ui/dpi_win.h"
#include "ui/handles.h"
#include "views/custom_draw_win.h"
#include "views/icon_cache.h"
#include "views/icon_reader_win.h"
#include "views/page_tree_win.h"
#include "views/shell_menu_win.h"
#include "views/shortcut_list_model_win.h"

namespace brindle {

class SettingsStore;
class Messages;
class AboutDialog;
class TaskSelectDialog;
class SearchDialog;

// Private messages of the main window.
constexpr UINT WM_INSTANCE_QUERY = WM_APP + 1;
constexpr UINT WM_DEFERRED_INIT = WM_APP + 3;
constexpr UINT WM_SPLITTER_DRAG = WM_APP + 4;
constexpr UINT WM_BRING_TO_FRONT = WM_APP + 5;
// Posted by the keyboard hook when the task key was pressed: the dialog is shown outside the hook.
constexpr UINT WM_TASK_KEY = WM_APP + 6;
// Timers of the main window: 1 delays a page switch, 2 renews the keyboard hook.
constexpr UINT_PTR kPageTimer = 1;
constexpr UINT_PTR kHookRenewalTimer = 2;
constexpr UINT kHookRenewalMs = 30000;
// Timer 7 hides a closing status text (an import's result) after kStatusShownMs.
constexpr UINT_PTR kStatusTimer = 7;
constexpr UINT kStatusShownMs = 4000;
// Timer 8, started by the first paint: what the first paint does not need (the notification icons, the
// system menu's popup, the keyboard hook with the list's tooltip, the search window) is made when it
// fires, a piece a tick from the second on. A timer comes after every paint and posted message; the
// second tick comes after the window has waited for input.
constexpr UINT_PTR kIdleWorkTimer = 8;
constexpr UINT kIdleWorkDelayMs = 10;
// Commands that carry a shortcut's store index: 16384 + index.
constexpr int kFirstItemCommand = 16384;
constexpr int kLastItemCommand = 32766;
constexpr bool IsItemCommand(int id) {
    return id >= kFirstItemCommand && id <= kLastItemCommand;
}

// The program's main window: page tree, splitter, page combo over the status line, shortcut list.
// It lives in the notification area while hidden (main_dialog_tray.cpp).
class MainDialog : public ui::Dialog, private TrayMenuHost, private TaskSelectHost, private SearchHost {
public:
    struct Options {
        bool reverseButtons = false;
        bool startHidden = false;
        bool taskbarHidden = false;  // the bChkTaskhide copy taken at start-up
        std::string instanceName;
        std::function<void()> exitSteps;  // the application's exit steps, run on WM_ENDSESSION
    };

    MainDialog(SettingsStore& store, Messages& messages, Options options);
    ~MainDialog() override;

    // Operations offered to the rest of the program.
    void Layout(int clientWidth, int clientHeight, bool useDragPosition);
    void InitEnvironment();
    void ClosingSave();
    // Closing save, icon out of the notification area, end of the dialog (and of the program).
    void Close();
    void SetReady(bool ready) override;
    void SetStatusText(const std::string& text);
    void RefreshTitle();
    void SetTitle(const std::string& title);
    // Shows `text` in the status line (over the page combo) for kStatusShownMs.
    void ShowStatusFor(const std::string& text);
    // The page tree, the combo and their item table from the store (main_dialog_views.cpp).
    void BuildTree();
    void ClearTree();
    // The shortcut list of the current page; stores the page as `Page` and saves the settings file (the
    // callers that changed the store count on that save). `saveUnchanged` false leaves the file alone
    // when `Page` is already the page shown, as at start-up, where nothing has changed yet.
    void RefillList(bool saveUnchanged = true);
    void Hide();
    void Restore();
    void Focus();
    int BringToFront(HWND target, const RECT& rect, int flags);
    // Fills the record below and posts WM_APP+5, so the window comes to the front after this message.
    void BringToFrontLater(HWND target, const RECT& rect, UINT flags) override;

    // State, for the views and for tests.
    bool Ready() const override { return ready_; }
    bool IconPresent() const { return trayIcon_.Present(); }
    HICON CurrentTrayIcon() const { return trayIcon_.Current(); }
    HICON LoadedIcon(int id) const;
    HMENU TrayMenu() const { return trayMenu_.Get(); }
    const brindle::TrayMenu& TrayMenuItems() const { return trayItems_; }
    int SplitterPosition() const { return splitterPos_; }
    bool Dragging() const { return dragging_; }
    bool HookInstalled() const;
    void SetFocusHotKeyEnabled(bool enabled) { focusHotKey_ = enabled; }
    SettingsStore& Store() { return store_; }
    const PageTree& Pages() const { return pageTree_; }
    bool PageSwitchPending() const { return pending_; }
    int IconReads() const { return iconReader_.Reads(); }
    // The DPI the window is drawn for (its monitor's), the one the tray menu was built for, and the
    // stored font as the settings file holds it (at 96 DPI; shown scaled to the window's DPI).
    unsigned Dpi() const { return dpi_; }
    unsigned TrayMenuDpi() const { return trayMenuDpi_; }
    const FontSpec& StoredFont() const { return storedFont_; }
    HFONT ShownFont() const { return font_.Get(); }
    HFONT TrayMenuFont() const { return trayFont_ ? trayFont_.Get() : font_.Get(); }
    // The task select dialog and its window, made hidden on first use (not at start-up); null when it
    // could not be made.
    TaskSelectDialog* TaskSelect();
    HWND TaskSelectWindow();
    // The task select dialog's window when it has been made; never makes it.
    HWND TaskSelectWindowIfMade() const;
    // Whether the task select dialog is on the screen; never makes it.
    bool TaskSelectShown() const;
    // False once the task select dialog failed to be made: the task key then passes on.
    bool TaskSelectAvailable() const { return !taskSelectFailed_; }
    // The version window, made hidden on first use (not at start-up); its Hwnd() is null when the
    // window could not be made, and everything here leaves it alone until then.
    AboutDialog* About();
    // Refreshes the task select dialog and brings it to the front where it stands.
    void ShowTaskSelect();
    // The search window and its window; null when it could not be made.
    SearchDialog* Search() const { return search_.get(); }
    HWND SearchWindow() const;
    void OpenSearch();
    // The shutdown, power and lock commands act through `actions` (tests record them); null restores the
    // real ones.
    void SetPowerActions(PowerActions* actions) { powerActions_ = actions; }
    // The power library is loaded when a power item or command first needs it, not at start-up.
    const PowerFunctions& Power() const;
    // The record whose address WM_APP+5 carries: the target rectangle and extra SetWindowPos flags.
    WINDOWPLACEMENT& BringToFrontPlacement() { return bringToFront_; }

    // Proposes a new shortcut, for `path` when one is given (a dropped file), in the shortcut dialog and
    // stores it on OK. True when a shortcut was added.
    bool AddShortcutFromPath(const std::string* path);

    // Where the shortcut list's shell menu comes from and how its menus are tracked (tests hand their
    // own); null restores the real ones.
    void SetShellMenuSource(ShellMenuSource* source);
    void SetMenuTracker(MenuTracker* tracker);
    // The context-menu state while a shell context menu is up and its command has not finished; null
    // otherwise.
    const ShellMenuState* HeldShellMenu() const { return shellMenu_ ? &*shellMenu_ : nullptr; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnHelp() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void InsertMainPopupIntoSystemMenu();
    HWND HostWindow() const override { return Hwnd(); }

    // main_dialog_dpi.cpp: everything the window sizes itself follows the DPI of its monitor
    void LoadOwnIcons();  // the window's and the notification area's
    void LoadWindowIcons();
    void LoadTrayIcons();
    void EnsureTrayIcons();  // the notification area's, unless they are loaded
    void SetWindowIcons();
    void BuildTreeImageList();
    void ApplyListIconSizes();
    bool PrepareTrayMenuAt(POINT where);
    void OnDpiChanged(unsigned dpi, const RECT* suggested);
    int SplitterWidth() const;

    // main_dialog_env.cpp
    void ApplyWindowRect(const Rect& rect);
    bool ApplyFont(const FontSpec& font);
    bool BuildListImageLists();
    void CreateTooltip();
    void StartInputServices();  // the list's tooltip and the keyboard hook with its renewal
    void WorkOnceIdle();
    void DeferredInit();

    // main_dialog_layout.cpp
    void BeginSplitterDrag();
    void DrawDragLine(int x);
    bool OnMouseMove(WPARAM keys, int x);
    bool OnLButtonUp();
    void CancelSplitterDrag();
    bool PaintMinimised();

    // main_dialog_tray.cpp
    void OnTrayNotify(UINT mouseMessage);
    void OnHotKey(int id);
    void ShowTrayMenu();
    bool BuildTrayMenu();
    void DiscardTrayMenu();
    LRESULT OnInstanceQuery(WPARAM which);
    LRESULT OnCopyData(const COPYDATASTRUCT* data);

    // main_dialog_tray_menu.cpp: building the tray menu and drawing its items
    void BeginBuild() override;
    void Progress(const std::string& text) override;
    void EndBuild() override;
    void PageImages(int pageIndex, int& image, int& selectedImage) override;
    int IconCacheIndex(const ShortcutRecord& shortcut) override;
    std::vector<HICON> CachedSmallIcons() override;
    void ClearIconCache() override;
    bool OnMenuItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // main_dialog_views.cpp
    bool OnTreeNotify(NMHDR& header, LRESULT& result);
    bool OnListNotify(NMHDR& header, LRESULT& result);
    void OnPageSelected();
    void OnPageTimer();
    void OnComboChoice();
    void SetViewMode(uint32_t mode);
    void SizeListColumns();
    void ShowTreeMenu();

    // main_dialog_shell_menu.cpp
    void ShowListMenu();
    void ShowOwnListMenu(bool selected, POINT at);
    void OnItemCommand(int id);
    void RunShellMenuItem(int id);  // the tracked shell menu's choice
    void OnDropFiles(HDROP drop);

    // main_dialog_pages.cpp, main_dialog_shortcuts.cpp: the editing commands
    std::optional<int32_t> CaretPageId() const;
    std::optional<int32_t> PageOfChoice(const std::map<std::string, HTREEITEM>& items, const std::string& key) const;
    void AddPage();
    void EditPage();
    void RemovePage();
    void EditShortcut();
    void RemoveShortcut();
    void ShowPageNow();
    void ImportFolders();

    // main_dialog_commands.cpp
    // Runs a modal dialog of a command: hot keys and tray clicks wait meanwhile (the ready flag).
    INT_PTR RunModal(ui::Dialog& dialog);
    void CreateTaskSelect();
    void CreateAbout();
    void EnableAbout(bool enable);  // kept for a version window made later
    int SelectedShortcut() const;   // the store index of the first selected list item, or -1
    void OnSysCommand(WPARAM id, LPARAM lParam);
    void OnContextKey();
    void ShowShutdownPopup();
    bool OnPowerCommand(int id);
    bool OnTooltipText(NMHDR& header);

    // main_dialog_sort.cpp
    bool OnSortCommand(int id);
    bool SortPages(HTREEITEM parent);  // the children of `parent`, or the top level for null
    bool SortShortcuts();

    // main_dialog_preferences.cpp
    void ShowPreferences();

    // main_dialog_search.cpp
    void CreateSearch();  // once: later calls do nothing
    SettingsStore& SearchStore() override { return store_; }
    System& SearchSystem() override { return system_; }
    Messages& SearchMessages() override { return messages_; }
    HIMAGELIST SearchClassImages() override;
    void LaunchFound(int storeIndex, const std::vector<std::string>& files) override;
    void ShowFoundInMain(int storeIndex) override;
    void OpenFolderOfFound(int storeIndex) override;

    SettingsStore& store_;
    Messages& messages_;
    Options options_;
    WinSystem system_;
    WinIconReader iconReader_{store_, system_};
    IconCache iconCache_{iconReader_};
    PageIconCache pageIcons_{iconReader_};
    ShortcutListModel listModel_{store_, system_, iconReader_};
    ColumnSizer columnSizer_;
    PageTree pageTree_;
    ListPainter listPainter_;

    // The notification area's icons at the size its monitor asks for; the window's own at the window's.
    ui::UniqueIcon iconHidden_, iconSmall_, iconBusy_;
    ui::UniqueIcon iconBig_, iconWindowSmall_;
    unsigned dpi_ = ui::kBaseDpi;
    unsigned trayMenuDpi_ = 0;  // the DPI of the last tray menu built
    FontSpec storedFont_{};
    SplitterBar splitter_;
    ShortcutListCtrl list_;
    PageTreeCtrl treeCtrl_;
    int splitterPos_ = 0;
    bool dragging_ = false;
    bool layoutHeld_ = false;  // a size change does not place the controls (the environment does)
    int lineHeight_ = 0;
    bool columnsInserted_ = false;

    NotificationIcon trayIcon_;
    HotKeyRegistry hotKeys_{store_};
    ui::UniqueMenu trayMenu_;
    brindle::TrayMenu trayItems_;
    std::unique_ptr<StatusThrottle> buildProgress_;
    bool menuMessageBusy_ = false;
    std::optional<RECT> parkedFrom_;  // where the hidden window stands while the tray menu parks it

    bool ready_ = true;
    bool focusHotKey_ = true;
    bool pending_ = false;  // a page switch waits for timer 1
    bool mouseClicked_ = false;
    bool keyTyped_ = false;
    bool keepMenu_ = false;
    bool filling_ = false;  // the shortcut list is being filled

    ui::UniqueMenu menu_;
    HACCEL accelerators_ = nullptr;  // resource tables are freed with the module
    ui::UniqueFont font_;
    ui::UniqueFont trayFont_;  // the stored font at the tray menu's DPI
    ui::UniqueImageList smallImages_, largeImages_, treeImages_;
    ui::UniqueWindow tooltip_;
    UINT taskbarCreated_ = 0;
    std::unique_ptr<TaskSelectDialog> taskSelect_;
    std::unique_ptr<SearchDialog> search_;
    bool searchTried_ = false;   // CreateSearch ran (a failed window is not tried again)
    bool firstPaintSeen_ = false;        // the first paint started the timer of what waits for it
    bool systemMenuFilled_ = false;      // the "Main" popup is in the system menu
    bool inputServicesStarted_ = false;  // StartInputServices ran: it runs again with the environment
    int idleWorkDone_ = 0;               // the pieces of WorkOnceIdle done so far
    bool taskSelectFailed_ = false;
    WINDOWPLACEMENT bringToFront_{};
    mutable std::optional<PowerLibrary> power_;
    std::optional<WinPowerActions> realPowerActions_;  // made with the first power command
    PowerActions* powerActions_ = nullptr;
    std::unique_ptr<AboutDialog> about_;
    bool aboutEnabled_ = true;
    ShellItemMenus shellItemMenus_;
    PopupMenuTracker popupTracker_;
    ShellMenuSource* shellMenus_ = &shellItemMenus_;
    MenuTracker* menuTracker_ = &popupTracker_;
    std::optional<ShellMenuState> shellMenu_;  // the context-menu state
};

}  // namespace brindle

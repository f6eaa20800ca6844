#include "about/about_dialog.h"

#include "launch/help_win.h"
#include "launch/shell_launch_win.h"
#include "platform/platform_win.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/on_screen_win.h"

namespace brindle {

AboutDialog::AboutDialog(SettingsStore& store, Messages& messages)
    : ui::Dialog(IDD_ABOUT), store_(store), messages_(messages) {}

// The window goes while the whole object is still there, so its rectangle is saved.
AboutDialog::~AboutDialog() {
    Destroy();
}

BOOL AboutDialog::OnInitDialog() {
    gauge_.Attach(Item(IDC_ABOUT_GAUGE));
    MoveToStoredPlace();
    char address[512] = {};
    LoadStringA(GetModuleHandleA(nullptr), IDS_HOME_PAGE, address, sizeof address);
    homePage_ = address;
    productLine_ = ReadProductLine();
    windowsLine_ = DescribeWindows(ReadOsVersion());
    SetTimer(Hwnd(), kRefreshTimer, kRefreshMs, nullptr);
    RefreshFigures();
    UpdateData(false);
    return TRUE;
}

// The stored corner, with the template's size; a place whose caption cannot be reached (a monitor that is
// gone) is moved onto the nearest monitor, and no stored place (0,0,0,0: a first start) centres the window.
void AboutDialog::MoveToStoredPlace() {
    Preferences prefs;
    store_.GetPreferences(prefs);
    RECT current;
    GetWindowRect(Hwnd(), &current);
    const Rect& stored = prefs.winAboutBox;
    RECT wanted{};
    if (stored.left || stored.top || stored.right || stored.bottom) {
        wanted = {stored.left, stored.top, stored.left + (current.right - current.left),
                  stored.top + (current.bottom - current.top)};
    }
    const RECT place = ui::PlaceOnScreen(wanted, current);
    SetWindowPos(Hwnd(), nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutDialog::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Text(IDC_ABOUT_COMMIT, commitLine_);
    exchange.Text(IDC_ABOUT_PHYSICAL, physicalLine_);
    exchange.Text(IDC_ABOUT_VIRTUAL, virtualLine_);
    exchange.Text(IDC_ABOUT_WINDOWS, windowsLine_);
    exchange.Text(IDC_ABOUT_PRODUCT, productLine_);
}

void AboutDialog::RefreshFigures() {
    const MemoryFigures figures = ReadMemoryFigures();
    const MemoryLines lines = FormatMemoryLines(figures);
    physicalLine_ = lines.physical;
    commitLine_ = lines.commitCharge;
    virtualLine_ = lines.virtualMemory;

    const MemoryShares shares = PhysicalShares(figures);
    GaugeStatusInput status;
    status.controlDown = IsKeyDown(VK_CONTROL);
    status.shiftDown = IsKeyDown(VK_SHIFT);
    status.freeResources = resources_.Read();
    if (status.shiftDown)
        status.dateTime = CurrentDateTime();
    status.usedPerMille = shares.usedPerMille;
    gauge_.SetValue(shares.freePerMille, 1000);
    SetWindowTextA(gauge_.Hwnd(), GaugeStatusText(status).c_str());
}

void AboutDialog::Show() {
    if (!Hwnd())
        return;
    RefreshFigures();
    UpdateData(false);
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(Hwnd());
}

void AboutDialog::PutRectangleInto(Preferences& prefs) const {
    RECT rect;
    if (Hwnd() && GetWindowRect(Hwnd(), &rect))
        prefs.winAboutBox = {rect.left, rect.top, rect.right, rect.bottom};
}

void AboutDialog::SaveRectangle() {
    Preferences prefs;
    store_.GetPreferences(prefs);
    PutRectangleInto(prefs);
    store_.SetPreferencesAndSave(prefs);
}

// F6 hands the keyboard back to the main window (the owner), which hands it here again with its own F6.
bool AboutDialog::PreTranslateMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_F6 && IsWindowEnabled(Hwnd())) {
        HWND owner = GetWindow(Hwnd(), GW_OWNER);
        if (owner && IsWindowVisible(owner)) {
            SetForegroundWindow(owner);
            return true;
        }
    }
    return ui::Dialog::PreTranslateMessage(message);
}

bool AboutDialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
    if (id != IDC_ABOUT_HOME_PAGE)
        return false;
    if (openLink_)
        openLink_(homePage_);
    else
        OpenPath(homePage_, Hwnd(), messages_);
    return true;
}

bool AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& /*result*/) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kRefreshTimer) {
                RefreshFigures();
                UpdateData(false);
            }
            return false;
        case WM_DESTROY:
            KillTimer(Hwnd(), kRefreshTimer);
            SaveRectangle();
            return false;
        default:
            return false;
    }
}

bool AboutDialog::OnHelp() {
    ShowHelp(help::kVersionWindow);
    return true;
}

}  // namespace brindle

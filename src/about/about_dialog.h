#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "about/gauge_static.h"
#include "system/system_info_win.h"
#include "ui/dialog.h"

namespace brindle {

class Messages;
class SettingsStore;
struct Preferences;

// The version window: product line, the running Windows, and the memory figures with a gauge of the free
// physical memory, refreshed every second (timer 1) as long as the window exists. Modeless: made hidden
// with the main window (its owner), shown and hidden any number of times, destroyed with it; its rectangle
// goes to the settings file then.
class AboutDialog : public ui::Dialog {
public:
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 1000;

    AboutDialog(SettingsStore& store, Messages& messages);
    ~AboutDialog() override;

    // Shown (SW_SHOWNORMAL) with current figures, and given the focus.
    void Show();
    // The window's rectangle into `prefs` (winAboutBox); nothing without a window.
    void PutRectangleInto(Preferences& prefs) const;
    // Opens the home page address; the shell by default (tests record instead).
    void SetLinkOpener(std::function<void(const std::string& address)> opener) { openLink_ = std::move(opener); }
    const GaugeStatic& Gauge() const { return gauge_; }
    GaugeStatic& Gauge() { return gauge_; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    // F1: this dialog's page of the help.
    bool OnHelp() override;
    void OnOK() override { EndDialog(IDOK); }
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void MoveToStoredPlace();
    void RefreshFigures();
    void SaveRectangle();

    SettingsStore& store_;
    Messages& messages_;
    std::function<void(const std::string&)> openLink_;
    FreeResourcesMeter resources_;
    GaugeStatic gauge_;
    std::string homePage_;
    std::string productLine_, windowsLine_, physicalLine_, commitLine_, virtualLine_;
};

}  // namespace brindle

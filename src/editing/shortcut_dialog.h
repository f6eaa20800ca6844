#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/dialog.h"

namespace brindle {

// Edits one shortcut: name, command line, icon, work folder, comment, window size at launch, the page
// that holds it, and whether its icon is read and its target checked. The command that runs it fills the
// page candidates (key texts "%d:%s") and reads the chosen one back.
class ShortcutDialog : public ui::Dialog {
public:
    ShortcutDialog();

    std::vector<std::string> pageCandidates;
    std::string chosenPage;  // in: the entry to propose; out: the entry chosen at OK
    int showType = 0;        // 0 normal, 1 maximised, 2 minimised
    std::string commandLine;
    std::string comment;
    std::string icon;
    std::string name;
    std::string workFolder;
    int noIcon = 1;
    int check = 1;
    int runAs = 0;  // launched as administrator

    // With the preference on, paths on the program's own drive are stored drive-relative at OK: every
    // path of a new shortcut, only the fields the user changed of an existing one.
    enum class RelativePaths { Off, AllFields, ChangedFields };
    RelativePaths relativePaths = RelativePaths::Off;

protected:
    BOOL OnInitDialog() override;
    // F1: this dialog's page of the help.
    bool OnHelp() override;
    void OnOK() override;
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void EnableIconControls();
    void BrowseCommand();
    void BrowseIcon();
    void BrowseFolder();

    void StoreRelativePaths();

    int pageIndex_ = -1;
    std::string initialCommandLine_, initialIcon_, initialWorkFolder_;
};

// The file part of a command line with its environment variables expanded.
std::string CommandFile(const std::string& commandLine);

// The message when a shortcut has no page to go to.
extern const char kUnknownPage[];

}  // namespace brindle

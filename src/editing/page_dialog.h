#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/dialog.h"

namespace brindle {

// Names a page, chooses its parent page and optionally gives it two icons. The command that runs it fills
// the parent candidates (key texts "%d:%s"; "[Root]" always comes first) and reads the chosen one back.
class PageDialog : public ui::Dialog {
public:
    PageDialog();

    std::vector<std::string> parentCandidates;
    std::string chosenParent;  // in: the entry to propose; out: the entry chosen at OK
    std::string name;
    std::string pageIdText;
    int useIcons = 0;
    std::string normalIcon;
    std::string selectedIcon;
    bool adding = false;  // "Add Page" in the caption

protected:
    BOOL OnInitDialog() override;
    // F1: this dialog's page of the help.
    bool OnHelp() override;
    void OnOK() override;
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void EnableIconControls();
    void ChooseIcon(std::string& source);

    int parentIndex_ = -1;
};

}  // namespace brindle

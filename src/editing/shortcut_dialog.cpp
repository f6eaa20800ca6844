#include "editing/shortcut_dialog.h"

#include "editing/change_icon_dialog.h"
#include "editing/edit_rules.h"
#include "launch/command_line.h"
#include "launch/help_win.h"
#include "launch/program_relative.h"
#include "platform/platform_win.h"
#include "launch/system_win.h"
#include "resource.h"
#include "ui/message_box_win.h"
#include "ui/messages.h"
#include "ui/pickers_win.h"

namespace brindle {
namespace {

constexpr const char* kShowTypes[] = {"通常の大きさ", "最大化", "最小化"};
constexpr char kCommandTitle[] = "実行ﾌｧｲﾙ名を指定してください";
constexpr char kCommandFilter[] = "実行可能ﾌｧｲﾙ(*.exe;*.dll;*.bat)\0*.exe;*.dll;*.bat\0全てのﾌｧｲﾙ\0*.*\0";
constexpr char kFolderTitle[] = "作業ディレクトリを指定してください";
// The classic file buffer of the pickers: a longer name is not proposed rather than cut.
constexpr size_t kPickerPath = MAX_PATH;

std::string ProposedPath(const std::string& path) {
    return path.size() < kPickerPath ? path : std::string();
}

}  // namespace

const char kUnknownPage[] = "格納するページが不明なので、ショートカットが追加できません。";

std::string CommandFile(const std::string& commandLine) {
    WinSystem system;
    std::string file, parameters;
    SplitCommandLine(commandLine.c_str(), file, parameters, system);
    return file;
}

ShortcutDialog::ShortcutDialog() : ui::Dialog(IDD_SHORTCUT) {}

BOOL ShortcutDialog::OnInitDialog() {
    HWND show = Item(IDC_SHORTCUT_SHOW);
    for (const char* text : kShowTypes)
        SendMessageA(show, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    HWND pages = Item(IDC_SHORTCUT_PAGE);
    SendMessageA(pages, CB_RESETCONTENT, 0, 0);
    for (const std::string& candidate : pageCandidates)
        SendMessageA(pages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(candidate.c_str()));
    pageIndex_ = chosenPage.empty() ? 0
                                    : static_cast<int>(SendMessageA(pages, CB_FINDSTRINGEXACT, -1,
                                                                    reinterpret_cast<LPARAM>(chosenPage.c_str())));
    initialCommandLine_ = commandLine;
    initialIcon_ = icon;
    initialWorkFolder_ = workFolder;
    UpdateData(false);
    EnableIconControls();
    return TRUE;
}

void ShortcutDialog::DoDataExchange(ui::DataExchange& exchange) {
    exchange.ComboIndex(IDC_SHORTCUT_PAGE, pageIndex_);
    exchange.ComboIndex(IDC_SHORTCUT_SHOW, showType);
    exchange.Text(IDC_SHORTCUT_COMMAND, commandLine);
    exchange.Text(IDC_SHORTCUT_COMMENT, comment);
    exchange.Text(IDC_SHORTCUT_ICON, icon);
    exchange.Text(IDC_SHORTCUT_NAME, name);
    exchange.Text(IDC_SHORTCUT_FOLDER, workFolder);
    exchange.Check(IDC_SHORTCUT_NO_ICON, noIcon);
    exchange.Check(IDC_SHORTCUT_CHECK, check);
    exchange.Check(IDC_SHORTCUT_RUN_AS, runAs);
}

void ShortcutDialog::StoreRelativePaths() {
    if (relativePaths == RelativePaths::Off)
        return;
    // An existing absolute path the user did not touch is never rewritten behind the user's back.
    const bool all = relativePaths == RelativePaths::AllFields;
    const std::string folder = ProgramFolderOf(ModulePath());
    if (all || commandLine != initialCommandLine_)
        commandLine = MakeCommandLineDriveRelative(commandLine, folder);
    if (all || icon != initialIcon_)
        icon = MakeDriveRelative(icon, folder);
    if (all || workFolder != initialWorkFolder_)
        workFolder = MakeDriveRelative(workFolder, folder);
}

void ShortcutDialog::EnableIconControls() {
    const BOOL enable = noIcon ? FALSE : TRUE;
    EnableWindow(Item(IDC_SHORTCUT_ICON), enable);
    EnableWindow(Item(IDC_SHORTCUT_BROWSE_ICON), enable);
}

void ShortcutDialog::BrowseCommand() {
    UpdateData(true);
    FileOpenRequest request;
    request.title = kCommandTitle;
    request.filter.assign(kCommandFilter, sizeof kCommandFilter - 1);
    request.initialPath = ProposedPath(CommandFile(commandLine));
    if (std::optional<std::string> chosen = ui::AppPickers().OpenFile(request))
        commandLine = *chosen;  // the arguments go with the old file
    UpdateData(false);
}

void ShortcutDialog::BrowseIcon() {
    UpdateData(true);
    ChangeIconDialog picker;
    picker.SetInitial(icon.empty() ? CommandFile(commandLine) : icon);
    if (picker.DoModal(Hwnd()) == IDOK) {
        icon = picker.Result();
        UpdateData(false);
    }
}

void ShortcutDialog::BrowseFolder() {
    UpdateData(true);
    FolderRequest request;
    request.title = kFolderTitle;
    request.initialPath = ProposedPath(workFolder);
    if (std::optional<std::string> chosen = ui::AppPickers().ChooseFolder(request))
        workFolder = *chosen;
    UpdateData(false);
}

bool ShortcutDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED)
        return false;
    switch (id) {
        case IDC_SHORTCUT_BROWSE_COMMAND:
            BrowseCommand();
            return true;
        case IDC_SHORTCUT_BROWSE_ICON:
            BrowseIcon();
            return true;
        case IDC_SHORTCUT_BROWSE_FOLDER:
            BrowseFolder();
            return true;
        case IDC_SHORTCUT_NO_ICON:
            UpdateData(true);
            EnableIconControls();
            return true;
        default:
            return false;
    }
}

void ShortcutDialog::OnOK() {
    if (!UpdateData(true))
        return;
    ui::DataExchange refuse(Hwnd(), true);
    if (name.empty()) {
        refuse.Fail(IDC_SHORTCUT_NAME, dialogs::kShortcutNameRequired, MB_ICONHAND);
        return;
    }
    if (auto message = dialogs::ForbiddenCharacterMessage(name, dialogs::kForbiddenInName)) {
        refuse.Fail(IDC_SHORTCUT_NAME, *message, MB_ICONHAND);
        return;
    }
    // Without a page there is nowhere to store the shortcut: say so while the input is still here.
    const LRESULT page = SendMessageA(Item(IDC_SHORTCUT_PAGE), CB_GETCURSEL, 0, 0);
    if (page == CB_ERR) {
        refuse.Fail(IDC_SHORTCUT_PAGE, kUnknownPage, MB_ICONEXCLAMATION);
        return;
    }
    chosenPage = ui::WindowText(Item(IDC_SHORTCUT_PAGE));
    commandLine = dialogs::QuoteProgramPart(commandLine, [](const std::string& text) {
        const DWORD attributes = GetFileAttributesA(CommandFile(text).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    });
    StoreRelativePaths();
    EndDialog(IDOK);
}

bool ShortcutDialog::OnHelp() {
    ShowHelp(help::kShortcutDialog);
    return true;
}

}  // namespace brindle

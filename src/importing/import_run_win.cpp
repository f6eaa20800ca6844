#include "importing/import_run_win.h"

#include <shlobj.h>

#include "launch/shell_link_win.h"
#include "launch/shortcut_proposal_win.h"
#include "launch/system.h"
#include "text/append.h"
#include "ui/pickers_win.h"

namespace brindle {
namespace {

constexpr char kFolderTitle[] = "取り込むフォルダを指定してください";
constexpr DWORD kStatusInterval = 100;  // ms between two progress texts

std::string KnownFolder(int csidl) {
    char path[MAX_PATH] = "";
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

// The stored fields of each link, unresolved: a link whose target is missing must not hold the import.
class LinkReader : public ShortcutReader {
public:
    ShortcutProposal Read(const std::string& path, const FoundFile& found) override {
        return ProposeShortcut(path, &found, links_);
    }

private:
    ShellLinkReader links_{false};
};

// Shows the count now and then, and watches for Escape among the keys typed meanwhile.
class StatusProgress : public ImportProgress {
public:
    explicit StatusProgress(const std::function<void(const std::string&)>& status) : status_(status) {}
    bool Continue(int added, const std::string&) override {
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
            if (message.wParam == VK_ESCAPE)
                return false;
        }
        const DWORD now = GetTickCount();
        if (now - shown_ >= kStatusInterval) {
            shown_ = now;
            std::string text = "取り込み中... ";
            text::AppendInt(text, added);
            text += " 件 (Escで中止)";
            status_(text);
        }
        return true;
    }

private:
    const std::function<void(const std::string&)>& status_;
    DWORD shown_ = 0;
};

}  // namespace

std::vector<std::string> ImportRoots(ImportSource source) {
    std::vector<std::string> roots;
    auto add = [&roots](const std::string& path) {
        if (!path.empty())
            roots.push_back(path);
    };
    switch (source) {
        case ImportSource::Folder: {
            FolderRequest request;
            request.title = kFolderTitle;
            if (std::optional<std::string> chosen = ui::AppPickers().ChooseFolder(request))
                add(*chosen);
            break;
        }
        case ImportSource::StartMenu:
            add(KnownFolder(CSIDL_PROGRAMS));
            if (!roots.empty())
                add(KnownFolder(CSIDL_COMMON_PROGRAMS));
            break;
        case ImportSource::Desktop:
            add(KnownFolder(CSIDL_DESKTOPDIRECTORY));
            if (!roots.empty())
                add(KnownFolder(CSIDL_COMMON_DESKTOPDIRECTORY));
            break;
        case ImportSource::None:
            break;
    }
    return roots;
}

ImportResult RunImport(SettingsStore& store,
                       System& system,
                       const std::vector<std::string>& roots,
                       int32_t parentId,
                       const std::function<void(const std::string&)>& status) {
    if (roots.empty())
        return {};
    StatusProgress progress(status);
    const std::string name = FolderTitle(roots.front());
    const HRESULT com = CoInitialize(nullptr);
    ImportResult result;
    {
        LinkReader reader;  // its link class goes before COM does
        result = ImportFolders(store, system, reader, progress, roots, name, parentId);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}

std::string ImportDoneText(const ImportResult& result) {
    std::string text = result.cancelled ? "取り込みを中止しました: " : "取り込みました: ";
    text::AppendInt(text, result.pages);
    text += " ページ, ";
    text::AppendInt(text, result.shortcuts);
    text += " ショートカット";
    return text;
}

}  // namespace brindle

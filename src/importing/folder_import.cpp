#include "importing/folder_import.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "launch/system.h"
#include "store/settings_store.h"
#include "text/sjis.h"

namespace brindle {

namespace {

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// A folder's entries, over all its merged paths: files in name order, subfolders by name (merged).
struct Entries {
    std::vector<std::pair<std::string, FoundFile>> files;  // path, entry
    std::vector<std::pair<std::string, std::vector<std::string>>> folders;
};

Entries ListEntries(System& system, const std::vector<std::string>& paths) {
    Entries entries;
    for (const std::string& path : paths) {
        for (const FoundFile& found : system.FindFiles(path + "\\*")) {
            if (found.name == "." || found.name == "..")
                continue;
            const std::string full = path + "\\" + found.name;
            if (!found.directory) {
                // The folder's own settings for Explorer, hidden in every Start menu folder.
                if (!EqualsIgnoringAsciiCase(found.name, "desktop.ini"))
                    entries.files.emplace_back(full, found);
                continue;
            }
            auto same = std::find_if(entries.folders.begin(), entries.folders.end(), [&](const auto& folder) {
                return EqualsIgnoringAsciiCase(folder.first, found.name);
            });
            if (same != entries.folders.end())
                same->second.push_back(full);
            else
                entries.folders.push_back({found.name, {full}});
        }
    }
    std::stable_sort(entries.files.begin(), entries.files.end(), [](const auto& a, const auto& b) {
        return sjis::Compare(a.second.name.c_str(), b.second.name.c_str()) < 0;
    });
    std::stable_sort(entries.folders.begin(), entries.folders.end(),
                     [](const auto& a, const auto& b) { return sjis::Compare(a.first.c_str(), b.first.c_str()) < 0; });
    return entries;
}

// One folder level: its page is made when its first shortcut (or a subfolder's) needs it.
struct Level {
    Level* parent = nullptr;
    std::string name;
    int32_t parentId = kTopLevel;
    std::optional<int32_t> pageId;
    std::set<std::string> commandLines;  // of the shortcuts on the page
};

class Importer {
public:
    Importer(SettingsStore& store, System& system, ShortcutReader& reader, ImportProgress& progress)
        : store_(store), system_(system), reader_(reader), progress_(progress) {}

    // False once cancelled.
    bool Import(Level& level, const std::vector<std::string>& paths) {
        const Entries entries = ListEntries(system_, paths);
        for (const auto& [file, found] : entries.files) {
            const ShortcutProposal proposal = reader_.Read(file, found);
            if (!proposal.commandLine.empty())
                AddShortcut(level, proposal);
            if (!progress_.Continue(result.shortcuts, file)) {
                result.cancelled = true;
                return false;
            }
        }
        for (const auto& [name, folderPaths] : entries.folders) {
            Level child;
            child.parent = &level;
            child.name = ImportedName(name);
            if (!Import(child, folderPaths))
                return false;
        }
        return true;
    }

    ImportResult result;

private:
    void AddShortcut(Level& level, const ShortcutProposal& proposal) {
        const int32_t pageId = EnsurePage(level);  // also reads the shortcuts of a page that was there
        if (level.commandLines.count(proposal.commandLine))
            return;
        const std::string name = ImportedName(proposal.name);
        store_.AddShortcut(name.c_str(), proposal.commandLine.c_str(), proposal.icon.c_str(),
                           proposal.workFolder.c_str(), 0, pageId, proposal.readIcon ? 1 : 0, proposal.check ? 1 : 0,
                           proposal.comment.c_str());
        level.commandLines.insert(proposal.commandLine);
        ++result.shortcuts;
    }

    int32_t EnsurePage(Level& level) {
        if (level.pageId)
            return *level.pageId;
        const int32_t parentId = level.parent ? EnsurePage(*level.parent) : level.parentId;
        level.pageId = ExistingPage(level.name, parentId);
        if (level.pageId) {
            ShortcutRecord shortcut;
            for (int i = 0; i < store_.ShortcutCount(); ++i) {
                if (store_.GetShortcutAt(i, shortcut) && shortcut.pageId == *level.pageId && shortcut.commandLine)
                    level.commandLines.insert(shortcut.commandLine);
            }
        } else {
            PageRecord page;
            page.name = level.name.c_str();
            page.id = store_.NextFreePageId();
            page.parentId = parentId;
            store_.AddPage(page);
            level.pageId = page.id;
            ++result.pages;
        }
        if (!level.parent)
            result.topPageId = *level.pageId;
        return *level.pageId;
    }

    std::optional<int32_t> ExistingPage(const std::string& name, int32_t parentId) const {
        PageRecord page;
        for (int i = 0; i < store_.PageCount(); ++i) {
            if (store_.GetPageAt(i, page) && page.parentId == parentId && page.name && name == page.name)
                return page.id;
        }
        return std::nullopt;
    }

    SettingsStore& store_;
    System& system_;
    ShortcutReader& reader_;
    ImportProgress& progress_;
};

}  // namespace

std::string FolderTitle(const std::string& path) {
    std::string trimmed = path;
    while (!trimmed.empty() && (trimmed.back() == '\\' || trimmed.back() == '/') &&
           (trimmed.size() < 2 || !sjis::IsLeadByte(static_cast<unsigned char>(trimmed[trimmed.size() - 2]))))
        trimmed.pop_back();
    size_t start = 0;
    for (size_t at = sjis::FindAnyOf(trimmed, "\\/"); at != std::string::npos;
         at = sjis::FindAnyOf(trimmed, "\\/", at + 1))
        start = at + 1;
    std::string title = trimmed.substr(start);
    if (title.size() == 2 && title[1] == ':')
        title.pop_back();
    return title;
}

std::string ImportedName(const std::string& name) {
    std::string out = name;
    for (size_t at = sjis::FindAnyOf(out, "=,<>/\\\""); at != std::string::npos;
         at = sjis::FindAnyOf(out, "=,<>/\\\"", at + 1))
        out[at] = '_';
    return out;
}

ImportResult ImportFolders(SettingsStore& store,
                           System& system,
                           ShortcutReader& reader,
                           ImportProgress& progress,
                           const std::vector<std::string>& roots,
                           const std::string& pageName,
                           int32_t parentId) {
    Importer importer(store, system, reader, progress);
    Level top;
    top.name = ImportedName(pageName);
    top.parentId = parentId;
    importer.Import(top, roots);
    return importer.result;
}

}  // namespace brindle

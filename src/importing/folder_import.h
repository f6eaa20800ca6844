#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "launch/shortcut_proposal.h"

// Imports folders as pages: each folder a page, its subfolders child pages, its files shortcuts made by
// the rules of a dropped file. Portable: the files come through the system seam, the shortcut a file
// makes through ShortcutReader.
namespace brindle {

class SettingsStore;
class System;
struct FoundFile;

class ShortcutReader {
public:
    virtual ~ShortcutReader() = default;
    // The shortcut the file at `path` makes; `found` is its entry in the listing of its folder.
    virtual ShortcutProposal Read(const std::string& path, const FoundFile& found) = 0;
};

class ImportProgress {
public:
    virtual ~ImportProgress() = default;
    // Called after each file with the count of shortcuts added so far; false cancels the import (what
    // was imported stays).
    virtual bool Continue(int added, const std::string& file) = 0;
};

struct ImportResult {
    int pages = 0;      // pages made
    int shortcuts = 0;  // shortcuts added
    bool cancelled = false;
    int32_t topPageId = -1;  // the page of the imported folder, or -1 when it gave no page
};

// Imports the folders `roots` merged into one (as the Start menu shows the user's and all users'
// programs: subfolders of the same name become one page) as the page `pageName` under `parentId`
// (kTopLevel for the top). A folder that gives no shortcut gives no page. A page of the same name
// already under the same parent is used again, and a shortcut whose command line already stands on its
// page is not added twice, so importing again adds only what is new. Names that hold characters a page
// or shortcut name may not hold get '_' in their place. The store is changed but not saved.
ImportResult ImportFolders(SettingsStore& store,
                           System& system,
                           ShortcutReader& reader,
                           ImportProgress& progress,
                           const std::vector<std::string>& roots,
                           const std::string& pageName,
                           int32_t parentId);

// The name of a folder's page: its last part, extension and all ("C:\\Apps\\Tools.v2\\" gives
// "Tools.v2"); the drive for the top of a drive ("C:\\" gives "C").
std::string FolderTitle(const std::string& path);

// A page's or shortcut's name with every character it may not hold (= , < > / \ ") replaced by '_'.
std::string ImportedName(const std::string& name);

}  // namespace brindle

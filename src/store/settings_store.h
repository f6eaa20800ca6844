#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "store/preferences.h"
#include "store/records.h"
#include "store/text_pool.h"

namespace brindle {

class Messages;

// The one owner of pages, shortcuts and Preferences, and of every text in them. Operations that take a
// table index return false and change nothing when the index is outside the table.
class SettingsStore {
public:
    SettingsStore(Messages& messages, std::string settingsPath);
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Counts the changes of pages and shortcuts (added, removed, replaced, moved, renumbered, reordered,
    // loaded): whoever keeps something made from them makes it again when the count differs. The expanded
    // state of a page and the "run as administrator" flag are not counted; launches are counted apart,
    // since they move no shortcut and change only its launch count and time.
    uint64_t Changes() const { return changes_; }
    uint64_t Launches() const { return launches_; }
    // The table indices of the shortcuts launched since the launch count was `since`, oldest first (a
    // shortcut launched twice is there twice). Only the last kLaunchRecord launches are kept: false when
    // more came since, or when `since` is not a count this store had, and then `indices` is left empty.
    // The indices are those of the launch: valid while Changes() is what it was when `since` was read.
    static constexpr int kLaunchRecord = 32;  // a few launches come between two searches; 128 bytes
    bool LaunchedSince(uint64_t since, std::vector<int>& indices) const;

    // Preferences
    bool GetPreferences(Preferences& out) const;
    bool SetPreferencesAndSave(const Preferences& prefs);  // the result of the save is not passed on

    // Pages
    int PageCount() const { return static_cast<int>(pages_.size()); }
    bool GetPageAt(int index, PageRecord& out) const;
    int IndexOfPage(int32_t id) const;
    bool FindPage(int32_t id, PageRecord& out) const;
    int AddPage(PageRecord& page);  // `page` receives the store's copies of its texts
    bool ReplacePageAt(int index,
                       const char* name,
                       int32_t expanded,
                       int32_t id,
                       int32_t parentId,
                       int32_t useIcons,
                       const char* normalIcon,
                       const char* selectedIcon);
    bool ReplacePage(const char* name,
                     int32_t expanded,
                     int32_t id,
                     int32_t parentId,
                     int32_t useIcons,
                     const char* normalIcon,
                     const char* selectedIcon);
    bool SetPageExpanded(int32_t id, int32_t expanded);
    // The same for many pages in one pass: each (id, state) goes to the first page of that id, and of
    // two states for one id the later wins, as one SetPageExpanded call after another would leave it.
    void SetPagesExpanded(const std::vector<std::pair<int32_t, int32_t>>& states);
    bool RemovePageAt(int index);  // with the page's shortcuts; child pages stay
    bool RemovePage(int32_t id);
    int32_t NextFreePageId() const;
    bool IsAncestorPage(int32_t id, int32_t ancestorId) const;
    void SortPagesById();
    // Gives the page with id newOrder[i] the id handOut[i], with its child pages and shortcuts. False
    // (nothing changed) unless both lists hold the same ids.
    bool RenumberPages(const std::vector<int32_t>& handOut,
                       const std::vector<int32_t>& newOrder,
                       int32_t* currentPageId);

    // Shortcuts
    int ShortcutCount() const { return static_cast<int>(shortcuts_.size()); }
    bool GetShortcutAt(int index, ShortcutRecord& out) const;
    int AddShortcut(const char* name,
                    const char* commandLine,
                    const char* icon,
                    const char* workFolder,
                    int32_t showType,
                    int32_t pageId,
                    int32_t readIcon,
                    int32_t check,
                    const char* comment);
    bool ReplaceShortcutAt(int index,
                           const char* name,
                           const char* commandLine,
                           const char* icon,
                           const char* workFolder,
                           int32_t showType,
                           int32_t pageId,
                           int32_t readIcon,
                           int32_t check,
                           const char* comment);
    // Whether the shortcut is launched as administrator; the other fields are left as they are.
    bool SetShortcutRunAs(int index, bool runAs);
    bool RemoveShortcutAt(int index);
    // Counts a launch of the shortcut at `index` at `utcSeconds`; kept in memory until the next save.
    bool NoteLaunch(int index, int64_t utcSeconds);
    int CountShortcuts(int32_t pageId) const;  // kTopLevel (-1) counts all
    // order[i] is the table index of the record that is to occupy the page's i-th slot. False (nothing
    // changed) unless `order` is a permutation of the page's own slots.
    bool ReorderShortcuts(int32_t pageId, const std::vector<int>& order);

    // The settings file
    void SetSettingsPath(const std::string& pattern);
    const std::string& GetSettingsPath() const { return settingsPath_; }
    bool Load();
    bool Save();
    std::string SaveText() const;                        // the file's bytes as Save writes them
    bool LoadFailed() const { return loadError_; }       // read with errors, or not read at all: never saved over
    bool LoadUnreadable() const { return unreadable_; }  // not read at all (held, binary, a foreign encoding)
    // The backup already holds the file as it was before this run (it was just restored from the backup,
    // which swaps the two): the saves of this run keep it.
    void KeepTheBackupThisRun() { backupKept_ = true; }

private:
    friend class SettingsReader;

    void FreeTexts(PageRecord& page);
    void FreeTexts(ShortcutRecord& shortcut);
    void Unreadable(const std::string& errorText);

    Messages& messages_;
    std::string settingsPath_;
    Preferences prefs_;
    std::vector<PageRecord> pages_;
    std::vector<ShortcutRecord> shortcuts_;
    TextPool pool_;
    bool loadError_ = false;  // set by a malformed or unreadable file; blocks every save of this run
    bool unreadable_ = false;
    bool backupKept_ = false;  // this run's first save kept the file it replaced as the backup
    uint64_t changes_ = 0;
    uint64_t launches_ = 0;
    std::array<int32_t, kLaunchRecord> launched_{};  // launch number n went to launched_[n % kLaunchRecord]
};

}  // namespace brindle

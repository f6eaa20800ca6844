// Load and Save of the settings file: the store's side of the disk.
#include <cstring>
#include <string>

#include "store/settings_backup.h"
#include "store/settings_encoding.h"
#include "store/settings_io.h"
#include "store/settings_reader.h"
#include "store/settings_store.h"
#include "text/append.h"
#include "ui/messages.h"

namespace brindle {
namespace {

constexpr char kSaveErrorSuffix[] = "\n環境情報を保存できません。";
constexpr char kReadErrorSuffix[] = "\n環境情報を読み込めません。今回はこのファイルに保存しません。";
constexpr char kNewPageName[] = "New page";

void AppendPreferences(std::string& out, const Preferences& prefs) {
    out += "[Brindle]\r\n";
    for (size_t k = 0; k < kPrefKeyCount; ++k) {
        const PrefKey& key = kPrefKeys[k];
        if (key.kind == PrefKind::Ignored) {
            continue;
        }
        out += key.key;
        switch (key.kind) {
            case PrefKind::Unsigned:
            case PrefKind::Signed:
                text::AppendInt(out, ReadField<int32_t>(prefs, key.offset));
                break;
            case PrefKind::Byte:
                text::AppendInt(out, ReadField<uint8_t>(prefs, key.offset));
                break;
            case PrefKind::FaceName:
                out.append(prefs.font.lfFaceName, strnlen(prefs.font.lfFaceName, sizeof prefs.font.lfFaceName));
                break;
            case PrefKind::Rectangle: {
                Rect r = ReadField<Rect>(prefs, key.offset);
                text::AppendInt(out, r.left);
                out += ',';
                text::AppendInt(out, r.top);
                out += ',';
                text::AppendInt(out, r.right);
                out += ',';
                text::AppendInt(out, r.bottom);
                break;
            }
            case PrefKind::Ignored:
                break;
        }
        out += "\r\n";
    }
}

void AppendPage(std::string& out, const PageRecord& page) {
    text::AppendInt(out, page.id);
    out += '=';
    text::AppendText(out, page.name);
    out += ',';
    text::AppendInt(out, page.parentId);
    out += ',';
    text::AppendInt(out, page.expanded);
    out += ',';
    text::AppendInt(out, page.useIcons);
    out += ",\"";
    text::AppendText(out, page.normalIcon);
    out += "\",\"";
    text::AppendText(out, page.selectedIcon);
    out += "\"\r\n";
}

void AppendKey(std::string& out, const char* key, const char* value) {
    out += key;
    text::AppendText(out, value);
    out += "\r\n";
}

void AppendKey(std::string& out, const char* key, int32_t value) {
    out += key;
    text::AppendInt(out, value);
    out += "\r\n";
}

void AppendShortcut(std::string& out, int index, const ShortcutRecord& s) {
    out += "[#";
    text::AppendZeroPadded(out, index, 5);
    out += "]\r\n";
    AppendKey(out, "Namespace=", s.name);
    // Launch figures only for shortcuts that were launched, right after the name: readers that count a
    // section's keys never count these.
    if (s.launchCount > 0)
        AppendKey(out, "LaunchCount=", s.launchCount);
    if (s.lastLaunch > 0) {
        out += "LastLaunch=";
        out += std::to_string(s.lastLaunch);
        out += "\r\n";
    }
    int lines = 1;
    // Right after the name: the reader closes a section at its ninth known key, and this key is not
    // one of the nine (an older copy ignores it).
    if (s.runAs != 0)
        AppendKey(out, "RunAs=", 1);
    if (s.commandLine)
        AppendKey(out, "CommandLine=", s.commandLine), ++lines;
    if (s.readIcon != 0)
        AppendKey(out, "ReadIcon=", s.readIcon), ++lines;
    if (s.check == 0)
        AppendKey(out, "NoCheck=", 1), ++lines;
    if (s.icon)
        AppendKey(out, "Iconname=", s.icon), ++lines;
    if (s.workFolder)
        AppendKey(out, "Workfolder=", s.workFolder), ++lines;
    if (s.showType != 0)
        AppendKey(out, "ShowType=", s.showType), ++lines;
    if (s.pageId != 0)
        AppendKey(out, "PageId=", s.pageId), ++lines;
    if (s.comment)
        AppendKey(out, "Comment=", s.comment), ++lines;
    // The reader drops a section of one key line, which would lose this shortcut at the next start.
    // "NoCheck=0" stands for the check flag 1 this shortcut has, and keeps it.
    if (lines == 1)
        AppendKey(out, "NoCheck=", 0);
}

}  // namespace

void SettingsStore::SetSettingsPath(const std::string& pattern) {
    settingsPath_ = settings_io::ResolveSettingsPath(pattern);
}

bool SettingsStore::Load() {
    ++changes_;  // the reader adds to the tables directly
    std::string bytes, errorText;
    switch (settings_io::ReadWholeFile(settingsPath_, bytes, errorText)) {
        case settings_io::ReadResult::kNotFound: {
            PageRecord page;
            page.name = kNewPageName;
            page.id = 0;
            page.parentId = kTopLevel;
            AddPage(page);
            break;
        }
        case settings_io::ReadResult::kFailed:
            Unreadable(errorText);
            break;
        case settings_io::ReadResult::kRead: {
            // An editor may have saved the file in another encoding, or it holds binary garbage: it is
            // read only as the Shift_JIS text the reader knows, and never taken for an empty file.
            std::string why;
            if (!settings_encoding::ToShiftJis(bytes, why)) {
                Unreadable(settingsPath_ + "\n" + why);
                break;
            }
            SettingsReader(*this).Read(bytes.data(), bytes.size());
            break;
        }
    }
    return true;
}

// The file is there and may hold everything the user made: the run goes on without it and never saves
// over it.
void SettingsStore::Unreadable(const std::string& errorText) {
    messages_.Show(errorText + kReadErrorSuffix, box::kIconStop);
    loadError_ = true;
    unreadable_ = true;
}

std::string SettingsStore::SaveText() const {
    std::string out;
    // About 40 bytes a page line and 160 a shortcut section, so the text is built without regrowing.
    out.reserve(1024 + pages_.size() * 64 + shortcuts_.size() * 256);
    AppendPreferences(out, prefs_);
    out += "[Page]\r\n";
    for (const PageRecord& page : pages_) {
        // A page without a name cannot be read back (the reader drops it), so it is not written.
        if (page.name)
            AppendPage(out, page);
    }
    for (size_t i = 0; i < shortcuts_.size(); ++i) {
        AppendShortcut(out, static_cast<int>(i), shortcuts_[i]);
    }
    return out;
}

bool SettingsStore::Save() {
    if (loadError_) {
        return false;  // the file was read with errors; it stays as it is for this run
    }
    // The file as it was before this run is the backup: the program saves at every page switch, so a
    // backup of each save would hold the last switch, not what the user had.
    const std::string backup = backupKept_ ? std::string() : settings_backup::BackupPathOf(settingsPath_);
    std::string errorText;
    if (!settings_io::ReplaceWholeFile(settingsPath_, SaveText(), errorText, backup)) {
        messages_.Show(errorText + kSaveErrorSuffix, box::kIconStop);
        return false;
    }
    backupKept_ = true;
    return true;
}

}  // namespace brindle

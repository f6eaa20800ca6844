// Load and Save of the settings file: the store's side of the disk.
#include <cstring>

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
            // The file is there and may hold everything the user made: the run goes on without it and
            // never saves over it.
            messages_.Show(errorText + kReadErrorSuffix, box::kIconStop);
            loadError_ = true;
            break;
        case settings_io::ReadResult::kRead:
            SettingsReader(*this).Read(bytes.data(), bytes.size());
            break;
    }
    return true;
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
    std::string errorText;
    if (!settings_io::ReplaceWholeFile(settingsPath_, SaveText(), errorText)) {
        messages_.Show(errorText + kSaveErrorSuffix, box::kIconStop);
        return false;
    }
    return true;
}

}  // namespace brindle

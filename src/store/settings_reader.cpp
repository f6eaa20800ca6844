#include "store/settings_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "store/settings_store.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "ui/messages.h"

namespace brindle {
namespace {

constexpr char kDelimiterErrorText[] = "環境ﾌｧｲﾙ読み込みｴﾗｰ\n区切り文字を認識できません。確認して下さい";

// The value after `key` when `line` begins with it (the key includes its '='), else null.
const char* ValueOf(std::string_view line, std::string_view key) {
    return line.size() >= key.size() && std::memcmp(line.data(), key.data(), key.size()) == 0 ? line.data() + key.size()
                                                                                              : nullptr;
}

// An icon field of a page line: the text inside its leading quote, or the whole field.
std::string_view Unquote(std::string_view field) {
    if (field.empty() || field.front() != '"') {
        return field;
    }
    field.remove_prefix(1);
    size_t close = sjis::FindChar(field, '"');
    return close == std::string_view::npos ? field : field.substr(0, close);
}

// A time in UTC seconds: decimal digits, saturated rather than wrapped; anything else reads as 0 (never).
int64_t SecondsOf(const char* text) {
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value > (INT64_MAX - 9) / 10 ? INT64_MAX : value * 10 + (*text - '0');
    return value;
}

}  // namespace

const char* FindLineEnd(const char* line) {
    return line + std::strcspn(line, "\r\n");
}

void SettingsReader::Read(char* text, size_t length) {
    // Nothing after a NUL byte is ever seen.
    if (const void* nul = std::memchr(text, '\0', length)) {
        length = static_cast<const char*>(nul) - text;
    }
    // Every CR and every LF ends a line; each line is ended with a NUL in place, so the C conversions
    // never read into the next one.
    char* const end = text + length;
    *end = '\0';
    for (char* line = text; line < end;) {
        char* lineEnd = line + (FindLineEnd(line) - line);
        char* next = lineEnd + 1;
        if (*lineEnd == '\r' && *next == '\n')
            ++next;  // CR LF: skip the empty line between
        *lineEnd = '\0';
        ReadLine(std::string_view(line, lineEnd - line));
        line = next;
    }
    if (shortcutOpen_ && keyCount_ >= 2) {
        FinishShortcut();
    }
    DiscardPending();
}

void SettingsReader::DiscardPending() {
    store_.FreeTexts(pending_);  // a dropped section's texts
    pending_ = NewPending();
}

// Save writes "NoCheck=" only for shortcuts without the existence check, so a section without the key
// stands for a shortcut with it.
ShortcutRecord SettingsReader::NewPending() {
    ShortcutRecord record;
    record.check = 1;
    return record;
}

void SettingsReader::ReadLine(std::string_view line) {
    if (line.empty()) {
        return;
    }
    if (line[0] == '[') {
        ReadHeader(line);
    } else if (section_ == Section::Brindle) {
        ReadPreference(line);
    } else if (section_ == Section::Page) {
        ReadPageLine(line.data());
    } else if (shortcutOpen_) {
        ReadShortcutKey(line);
    }
}

void SettingsReader::ReadHeader(std::string_view line) {
    if (shortcutOpen_ && keyCount_ >= 2) {
        FinishShortcut();
    }
    shortcutOpen_ = false;
    if (ValueOf(line, "[Brindle]")) {
        section_ = Section::Brindle;
    } else if (ValueOf(line, "[Page]")) {
        section_ = Section::Page;
    } else {
        section_ = Section::Other;
    }
    if (line.size() > 1 && line[1] == '#') {
        const char* after = nullptr;
        numbers::StrToUL(line.data() + 2, &after, 10);
        if (*after == ']') {
            DiscardPending();
            shortcutOpen_ = true;
            keyCount_ = 0;
        }
    }
}

void SettingsReader::ReadPreference(std::string_view line) {
    Preferences& prefs = store_.prefs_;
    for (size_t k = 0; k < kPrefKeyCount; ++k) {
        const PrefKey& key = kPrefKeys[k];
        const char* value = ValueOf(line, key.key);
        if (!value) {
            continue;
        }
        switch (key.kind) {
            case PrefKind::Unsigned:
                WriteField(prefs, key.offset, numbers::StrToUL(value, nullptr, 10));
                break;
            case PrefKind::Signed:
                WriteField(prefs, key.offset, numbers::AtoI(value));
                break;
            case PrefKind::Byte:
                WriteField(prefs, key.offset, static_cast<uint8_t>(numbers::AtoI(value)));
                break;
            case PrefKind::FaceName: {
                // The field holds 31 bytes; a longer name keeps whole characters only.
                std::string_view name = sjis::CutAtBoundary(value, sizeof prefs.font.lfFaceName - 1);
                std::memset(prefs.font.lfFaceName, 0, sizeof prefs.font.lfFaceName);
                std::memcpy(prefs.font.lfFaceName, name.data(), name.size());
                break;
            }
            case PrefKind::Rectangle: {
                Rect rect;
                rect.left = ReadRectNumber(value, true);
                rect.top = ReadRectNumber(value, true);
                rect.right = ReadRectNumber(value, true);
                rect.bottom = ReadRectNumber(value, false);
                WriteField(prefs, key.offset, rect);
                break;
            }
            case PrefKind::Ignored:
                break;
        }
        return;
    }
}

int32_t SettingsReader::ReadRectNumber(const char*& p, bool commaFollows) {
    const char* end = nullptr;
    int32_t value = numbers::StrToL(p, &end, 10);
    p = end;
    if (commaFollows) {
        if (*p == ',') {
            ++p;
        } else {
            DelimiterError();  // carry on from where the comma was expected
        }
    }
    return value;
}

void SettingsReader::ReadPageLine(const char* line) {
    const char* p = nullptr;
    PageRecord page;
    page.id = numbers::StrToL(line, &p, 10);
    if (*p == '=') {
        ++p;
    } else {
        DelimiterError();  // the fields are read from where the '=' was expected
    }

    // Six fields split at commas; a double quote toggles a stretch in which commas do not split.
    std::string_view rest(p);
    std::string_view fields[6];
    size_t count = 0;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < rest.size() && count < 6; i += sjis::CharLength(rest, i)) {
        if (rest[i] == '"') {
            quoted = !quoted;
        } else if (rest[i] == ',' && !quoted) {
            fields[count++] = rest.substr(start, i - start);
            start = i + 1;
        }
    }
    if (count < 6 && start <= rest.size()) {
        fields[count++] = rest.substr(start);
    }

    if (fields[0].empty()) {
        return;  // a page without a name is dropped
    }
    // A field ends at ',' or at the line's end, neither of which atoi reads as a digit or a blank.
    auto number = [&fields](int index) { return fields[index].empty() ? 0 : numbers::AtoI(fields[index].data()); };
    TextPool& pool = store_.pool_;
    page.name = pool.CopyFromLine(fields[0].data(), fields[0].size());
    page.parentId = number(1);
    page.expanded = number(2);
    page.useIcons = number(3);
    std::string_view normal = Unquote(fields[4]);
    std::string_view selected = Unquote(fields[5]);
    page.normalIcon = pool.CopyFromLine(normal.data(), normal.size());
    page.selectedIcon = pool.CopyFromLine(selected.data(), selected.size());
    store_.pages_.push_back(page);
}

void SettingsReader::ReadShortcutKey(std::string_view line) {
    TextPool& pool = store_.pool_;
    auto text = [&pool, line](const char*& slot, const char* value) {
        pool.Free(slot);  // a repeated key overwrites
        slot = pool.CopyFromLine(value, line.data() + line.size() - value);
    };
    auto number = [](const char* value) { return numbers::StrToL(value, nullptr, 0); };

    const char* v;
    // The launch figures came after the nine keys of older files, which count their keys to close a
    // section; they are not counted here either, so a file reads the same in every version.
    if ((v = ValueOf(line, "LaunchCount="))) {
        pending_.launchCount = std::max<int32_t>(0, number(v));
        return;
    }
    if ((v = ValueOf(line, "LastLaunch="))) {
        pending_.lastLaunch = SecondsOf(v);
        return;
    }
    if ((v = ValueOf(line, "Namespace="))) {
        text(pending_.name, v);
    } else if ((v = ValueOf(line, "CommandLine="))) {
        text(pending_.commandLine, v);
    } else if ((v = ValueOf(line, "ReadIcon="))) {
        pending_.readIcon = number(v);
    } else if ((v = ValueOf(line, "Iconname="))) {
        text(pending_.icon, v);
    } else if ((v = ValueOf(line, "Workfolder="))) {
        text(pending_.workFolder, v);
    } else if ((v = ValueOf(line, "ShowType="))) {
        pending_.showType = number(v);
    } else if ((v = ValueOf(line, "PageId="))) {
        pending_.pageId = number(v);
    } else if ((v = ValueOf(line, "Comment="))) {
        text(pending_.comment, v);
    } else if ((v = ValueOf(line, "NoCheck="))) {
        pending_.check = number(v) ^ 1;
    } else if ((v = ValueOf(line, "RunAs="))) {
        pending_.runAs = number(v) != 0 ? 1 : 0;
        return;  // not one of the nine keys that close a section
    } else {
        return;  // unrecognised keys are not counted
    }
    if (++keyCount_ == 9) {
        FinishShortcut();
        shortcutOpen_ = false;
    }
}

void SettingsReader::FinishShortcut() {
    store_.shortcuts_.push_back(pending_);
    pending_ = NewPending();
}

void SettingsReader::DelimiterError() {
    store_.messages_.Show(kDelimiterErrorText, box::kIconStop);
    store_.messages_.RequestQuit(1);
    store_.loadError_ = true;
}

}  // namespace brindle

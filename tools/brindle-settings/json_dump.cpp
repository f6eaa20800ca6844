#include "json_dump.h"

#include <cstring>

#include "store/settings_store.h"
#include "to_utf8.h"

namespace brindle {
namespace {

void AppendQuoted(std::string& out, const std::string& utf8) {
    out += '"';
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

void AppendPreferences(std::string& out, const Preferences& prefs) {
    out += "{";
    bool first = true;
    for (size_t k = 0; k < kPrefKeyCount; ++k) {
        const PrefKey& key = kPrefKeys[k];
        if (key.kind == PrefKind::Ignored) {
            continue;
        }
        out += first ? "" : ", ";
        first = false;
        AppendQuoted(out, std::string(key.key, std::strlen(key.key) - 1));
        out += ": ";
        switch (key.kind) {
            case PrefKind::Unsigned:
                out += std::to_string(ReadField<uint32_t>(prefs, key.offset));
                break;
            case PrefKind::Signed:
                out += std::to_string(ReadField<int32_t>(prefs, key.offset));
                break;
            case PrefKind::Byte:
                out += std::to_string(ReadField<uint8_t>(prefs, key.offset));
                break;
            case PrefKind::FaceName:
                out += JsonText(std::string(prefs.font.lfFaceName, strnlen(prefs.font.lfFaceName, 32)).c_str());
                break;
            case PrefKind::Rectangle: {
                Rect r = ReadField<Rect>(prefs, key.offset);
                out += "[" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
                       ", " + std::to_string(r.bottom) + "]";
                break;
            }
            case PrefKind::Ignored:
                break;
        }
    }
    out += "}";
}

void AppendMember(std::string& out, const char* name, const std::string& value, bool last = false) {
    out += '"';
    out += name;
    out += "\": ";
    out += value;
    out += last ? "" : ", ";
}

}  // namespace

std::string JsonText(const char* sjis) {
    if (!sjis) {
        return "null";
    }
    std::string out;
    AppendQuoted(out, ToUtf8(sjis));
    return out;
}

std::string DumpJson(const SettingsStore& store) {
    std::string out = "{\"loadError\": ";
    out += store.LoadFailed() ? "true" : "false";
    out += ",\n \"preferences\": ";
    Preferences prefs;
    store.GetPreferences(prefs);
    AppendPreferences(out, prefs);

    out += ",\n \"pages\": [";
    for (int i = 0; i < store.PageCount(); ++i) {
        PageRecord p;
        store.GetPageAt(i, p);
        out += i ? ",\n  {" : "\n  {";
        AppendMember(out, "id", std::to_string(p.id));
        AppendMember(out, "name", JsonText(p.name));
        AppendMember(out, "parent", std::to_string(p.parentId));
        AppendMember(out, "expanded", std::to_string(p.expanded));
        AppendMember(out, "useIcons", std::to_string(p.useIcons));
        AppendMember(out, "normalIcon", JsonText(p.normalIcon));
        AppendMember(out, "selectedIcon", JsonText(p.selectedIcon), true);
        out += "}";
    }
    out += "],\n \"shortcuts\": [";
    for (int i = 0; i < store.ShortcutCount(); ++i) {
        ShortcutRecord s;
        store.GetShortcutAt(i, s);
        out += i ? ",\n  {" : "\n  {";
        AppendMember(out, "name", JsonText(s.name));
        AppendMember(out, "commandLine", JsonText(s.commandLine));
        AppendMember(out, "icon", JsonText(s.icon));
        AppendMember(out, "workFolder", JsonText(s.workFolder));
        AppendMember(out, "showType", std::to_string(s.showType));
        AppendMember(out, "pageId", std::to_string(s.pageId));
        AppendMember(out, "readIcon", std::to_string(s.readIcon));
        AppendMember(out, "check", std::to_string(s.check));
        AppendMember(out, "comment", JsonText(s.comment));
        AppendMember(out, "runAs", std::to_string(s.runAs), true);
        out += "}";
    }
    out += "]}\n";
    return out;
}

}  // namespace brindle

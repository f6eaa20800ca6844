#include "store/settings_path.h"

#include "text/sjis.h"

namespace brindle {

std::string SettingsPathForModule(const std::string& modulePath) {
    // The extension is the program file's own: a '.' before the last separator belongs to a folder's name.
    // Separators are looked for at character boundaries, since 0x5C is also a trail byte.
    size_t dot = std::string::npos;
    for (size_t i = 0; i < modulePath.size(); i += sjis::CharLength(modulePath, i)) {
        if (modulePath[i] == '.') {
            dot = i;
        } else if (modulePath[i] == '\\' || modulePath[i] == '/') {
            dot = std::string::npos;
        }
    }
    return modulePath.substr(0, dot) + ".INI";
}

}  // namespace brindle

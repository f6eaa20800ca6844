#include "store/settings_path.h"

namespace brindle {

std::string SettingsPathForModule(const std::string& modulePath) {
    // '.' is below 0x40, so it is never the trail byte of a double-byte character.
    size_t dot = modulePath.rfind('.');
    return modulePath.substr(0, dot) + ".INI";
}

}  // namespace brindle

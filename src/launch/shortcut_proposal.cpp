#include "launch/shortcut_proposal.h"

#include "text/sjis.h"

namespace brindle {

bool IsNetworkPath(const std::string& path) {
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

std::string FileTitle(const std::string& path) {
    size_t start = 0;
    for (size_t at = sjis::FindAnyOf(path, "\\/:"); at != std::string::npos;
         at = sjis::FindAnyOf(path, "\\/:", at + 1)) {
        start = at + 1;
    }
    std::string name = path.substr(start);
    size_t dot = std::string::npos;
    for (size_t at = sjis::FindChar(name, '.'); at != std::string::npos; at = sjis::FindChar(name, '.', at + 1))
        dot = at;
    // A name that is only an extension (".profile") keeps it.
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

std::string LinkCommandLine(const std::string& target, const std::string& arguments) {
    return "\"" + target + "\" " + arguments;
}

}  // namespace brindle

#pragma once

#include <string>

// What a new shortcut made from a file (dropped, or imported from a folder) holds. Portable: texts are
// bytes of code page 932.
namespace brindle {

struct ShortcutProposal {
    std::string name;
    std::string commandLine;
    std::string icon;
    std::string workFolder;
    std::string comment;
    bool readIcon = false;
    bool check = true;
};

// Whether `path` names a network share (\\server\...), where no work folder is proposed.
bool IsNetworkPath(const std::string& path);
// The file's name without folder and extension, as a new shortcut's name.
std::string FileTitle(const std::string& path);

// The command line of a shortcut made from a shell link: the quoted target, a blank and the arguments
// (the blank stays when there are none).
std::string LinkCommandLine(const std::string& target, const std::string& arguments);

}  // namespace brindle

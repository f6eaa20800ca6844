#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "platform/com.h"

namespace brindle {

// How long the shell may look for a link's target that is not where the link says (milliseconds).
constexpr DWORD kLinkResolveTimeoutMs = 500;
// The flags links are resolved with: no user interface, no update of the link file, the time-out.
extern const DWORD kLinkResolveFlags;

// The fields of a shell link. A link made by the Windows Installer gives the installed component's path
// as its target when the component is installed locally.
struct ShellLinkFields {
    std::string target;
    std::string arguments;
    std::string iconSource;  // "" when the link names no icon of its own
    std::string workingDirectory;
    std::string description;
};

// Reads shell links one after another (the link class is looked up once). `resolve` asks the shell to look for a
// target that is not where the link says (without user interface, within kLinkResolveTimeoutMs); without
// it only the link's stored fields are read, as an import of a whole folder wants: a search per missing
// target there would hold the import for seconds.
class ShellLinkReader {
public:
    explicit ShellLinkReader(bool resolve, HWND owner = nullptr);
    ShellLinkReader(const ShellLinkReader&) = delete;
    ShellLinkReader& operator=(const ShellLinkReader&) = delete;

    // The fields are filled only when the link was loaded and its target read. Returns the result of
    // the last call made.
    HRESULT Read(const std::string& linkPath, ShellLinkFields& fields);

private:
    bool resolve_;
    HWND owner_;
    ui::ComPtr<IClassFactory> links_;
    HRESULT found_;  // the result of looking the class up
};

// Reads a shell link file, resolving it (see ShellLinkReader). The optional outputs are filled only when
// every call up to the target succeeded. Returns the result of the last call made.
HRESULT ResolveShellLink(HWND owner,
                         const std::string& linkPath,
                         std::string& target,
                         std::string* arguments = nullptr,
                         std::string* iconSource = nullptr,
                         std::string* workingDirectory = nullptr,
                         std::string* description = nullptr);

// Reads the web address of an Internet shortcut file (kept whole, however long).
HRESULT ResolveInternetShortcut(const std::string& path, std::string& address);

}  // namespace brindle

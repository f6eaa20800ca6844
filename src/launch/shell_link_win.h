#pragma once

#include <windows.h>

#include <string>

namespace brindle {

// How long the shell may look for a link's target that is not where the link says (milliseconds).
constexpr DWORD kLinkResolveTimeoutMs = 500;
// The flags links are resolved with: no user interface, no update of the link file, the time-out.
extern const DWORD kLinkResolveFlags;

// Reads a shell link file. A link made by the Windows Installer gives the installed component's path
// as its target when the component is installed locally. The optional outputs are filled only when
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

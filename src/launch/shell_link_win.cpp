#include "launch/shell_link_win.h"

#include <intshcut.h>
#include <msi.h>
#include <shlobj.h>

#include <functional>

#include "launch/shell_texts.h"
#include "platform/com.h"
#include "platform/platform_win.h"
#include "platform/system_library_win.h"

namespace brindle {

using ui::ComPtr;

namespace {

// Reads a text through a getter that fills a buffer of a given size. A text that fills the buffer to
// its last byte may have been cut, so it is read again with a larger buffer.
HRESULT ReadText(const std::function<HRESULT(char*, int)>& get, std::string& out) {
    HRESULT result = E_FAIL;
    for (int size = MAX_PATH; size <= 65536; size *= 4) {
        std::string buffer(size, '\0');
        result = get(buffer.data(), size);
        buffer.resize(strnlen(buffer.data(), size));
        out = buffer;
        if (FAILED(result) || out.size() + 1 < size_t(size)) {
            break;
        }
    }
    return result;
}

using GetShortcutTargetFn = UINT(WINAPI*)(LPCSTR, LPSTR, LPSTR, LPSTR);
using GetComponentPathFn = INSTALLSTATE(WINAPI*)(LPCSTR, LPCSTR, LPSTR, DWORD*);

// The path of the component a Windows Installer link starts, when it is installed locally; else empty.
std::string InstallerLinkTarget(const std::string& linkPath) {
    // Loaded once and kept: an import reads thousands of links, and each load costs far more than a read.
    static const HMODULE msi = LoadSystemLibrary("msi.dll");
    if (!msi) {
        return {};
    }
    std::string path;
    auto getTarget = ProcAddress<GetShortcutTargetFn>(msi, "MsiGetShortcutTargetA");
    auto getPath = ProcAddress<GetComponentPathFn>(msi, "MsiGetComponentPathA");
    char product[40] = "", feature[40] = "", component[40] = "";
    if (getTarget && getPath && getTarget(linkPath.c_str(), product, feature, component) == ERROR_SUCCESS) {
        std::string buffer(MAX_PATH, '\0');
        DWORD size = MAX_PATH;
        INSTALLSTATE state = getPath(product, component, buffer.data(), &size);
        if (state == INSTALLSTATE_MOREDATA) {
            buffer.assign(size + 1, '\0');
            size = static_cast<DWORD>(buffer.size());
            state = getPath(product, component, buffer.data(), &size);
        }
        if (state == INSTALLSTATE_LOCAL) {
            path.assign(buffer.c_str());
        }
    }
    return path;
}

}  // namespace

const DWORD kLinkResolveFlags = SLR_NO_UI | SLR_NOUPDATE | (kLinkResolveTimeoutMs << 16);

ShellLinkReader::ShellLinkReader(bool resolve, HWND owner)
    : resolve_(resolve),
      owner_(owner),
      found_(CoGetClassObject(CLSID_ShellLink,
                              CLSCTX_INPROC_SERVER,
                              nullptr,
                              IID_IClassFactory,
                              reinterpret_cast<void**>(links_.GetAddressOf()))) {}

HRESULT ShellLinkReader::Read(const std::string& linkPath, ShellLinkFields& fields) {
    // A new link object for each file: one object loaded twice may keep a field the second file lacks.
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    HRESULT result = found_;
    if (SUCCEEDED(result))
        result = links_->CreateInstance(nullptr, IID_IShellLinkA, reinterpret_cast<void**>(link.GetAddressOf()));
    if (SUCCEEDED(result))
        result = link.As(&file);
    if (SUCCEEDED(result))
        result = file->Load(Widen(linkPath).c_str(), STGM_READ);
    if (FAILED(result))
        return result;
    // Only a link the installer made is worth the installer's own reading of the file, which costs more
    // than the whole rest; where the flags cannot be read, every link is asked about.
    std::string working;
    ComPtr<IShellLinkDataList> data;
    DWORD flags = SLDF_HAS_DARWINID;
    if (FAILED(link.As(&data)) || FAILED(data->GetFlags(&flags)) || (flags & SLDF_HAS_DARWINID))
        working = InstallerLinkTarget(linkPath);
    const bool fromInstaller = !working.empty();
    // Without user interface and without updating: a link whose target is gone (an offline share, a
    // removed drive) must neither hold the program in a search nor have the user's file rewritten. Its
    // stored fields are read whether or not the target was found.
    if (resolve_)
        link->Resolve(owner_, kLinkResolveFlags);
    if (!fromInstaller) {
        char path[MAX_PATH] = "";
        result = link->GetPath(path, MAX_PATH, nullptr, 0);
        working = path;
    }
    if (FAILED(result))
        return result;
    fields.target = working;
    result = ReadText([&](char* buffer, int size) { return link->GetDescription(buffer, size); }, fields.description);
    result = ReadText([&](char* buffer, int size) { return link->GetArguments(buffer, size); }, fields.arguments);
    std::string location;
    int index = 0;
    result = ReadText([&](char* buffer, int size) { return link->GetIconLocation(buffer, size, &index); }, location);
    fields.iconSource = LinkIconSource(location, index, fields.target);
    result = ReadText([&](char* buffer, int size) { return link->GetWorkingDirectory(buffer, size); },
                      fields.workingDirectory);
    return result;
}

HRESULT ResolveShellLink(HWND owner,
                         const std::string& linkPath,
                         std::string& target,
                         std::string* arguments,
                         std::string* iconSource,
                         std::string* workingDirectory,
                         std::string* description) {
    target.clear();
    ShellLinkFields fields;
    const HRESULT result = ShellLinkReader(true, owner).Read(linkPath, fields);
    target = fields.target;
    if (arguments)
        *arguments = fields.arguments;
    if (iconSource)
        *iconSource = fields.iconSource;
    if (workingDirectory)
        *workingDirectory = fields.workingDirectory;
    if (description)
        *description = fields.description;
    return result;
}

HRESULT ResolveInternetShortcut(const std::string& path, std::string& address) {
    ComPtr<IUniformResourceLocatorA> locator;
    ComPtr<IPersistFile> file;
    HRESULT result = CoCreateInstance(CLSID_InternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IUniformResourceLocatorA, reinterpret_cast<void**>(locator.GetAddressOf()));
    if (SUCCEEDED(result)) {
        result = locator->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.GetAddressOf()));
    }
    if (SUCCEEDED(result))
        result = file->Load(Widen(path).c_str(), STGM_READ);
    if (SUCCEEDED(result)) {
        char* url = nullptr;
        result = locator->GetURL(&url);
        if (!url) {
            result = E_FAIL;
        } else {
            address = url;
            ComPtr<IMalloc> allocator;
            if (SUCCEEDED(SHGetMalloc(&allocator))) {
                allocator->Free(url);
            }
        }
    }
    return result;
}

}  // namespace brindle

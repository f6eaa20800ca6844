#include "launch/help_win.h"

#include <htmlhelp.h>

#include "launch/shell_texts.h"
#include "launch/system_win.h"
#include "platform/platform_win.h"
#include "platform/system_library_win.h"

namespace brindle {

namespace {

constexpr char kHtmlHelpServerKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HelpViewer* installedViewer = nullptr;  // null: the HTML Help control

HtmlHelpFn LoadHtmlHelp() {
    static HtmlHelpFn function = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::string path = HtmlHelpControlPath();
        HMODULE control = LoadLibraryAtPath(path);
        if (control) {
            // The control stays loaded for the rest of the run, as its help windows need it.
            function = ProcAddress<HtmlHelpFn>(control, "HtmlHelpA");
        }
    }
    return function;
}

}  // namespace

std::string HtmlHelpControlPath() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpServerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    std::string value(1024, '\0');
    DWORD type = 0, size = static_cast<DWORD>(value.size() - 1);
    LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    value.resize(strnlen(value.c_str(), size));
    std::string expanded;
    if (type == REG_EXPAND_SZ) {
        return WinSystem().Expand(value, expanded) ? expanded : std::string();
    }
    return value;
}

HelpViewer* SetHelpViewer(HelpViewer* viewer) {
    HelpViewer* previous = installedViewer;
    installedViewer = viewer;
    return previous;
}

HWND ShowHelp(const char* page) {
    const std::string file = HelpFileOfModule(ModulePath());
    if (installedViewer) {
        return installedViewer->Display(file, page);
    }
    HtmlHelpFn htmlHelp = LoadHtmlHelp();
    if (!htmlHelp) {
        return nullptr;
    }
    const std::string topic = HelpTopic(file, page);
    return htmlHelp(GetDesktopWindow(), topic.c_str(), HH_DISPLAY_TOPIC, 0);
}

}  // namespace brindle

#include <windows.h>

#include <string>

#include "app/launcher_app.h"
#include "platform/system_library_win.h"
#include "ui/message_box_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // Before anything can load a library: the program often sits in a folder others can write to.
    brindle::ProtectLibrarySearch();
    // Long module paths are kept whole: the buffer grows until the name fits.
    std::string modulePath(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, modulePath.data(), static_cast<DWORD>(modulePath.size()));
        if (length < modulePath.size()) {
            modulePath.resize(length);
            break;
        }
        modulePath.resize(modulePath.size() * 2);
    }
    brindle::ui::WindowsMessages messages;
    brindle::ui::SetAppMessages(&messages);
    brindle::LauncherApp app(modulePath, messages);
    return app.Run(commandLine);
}

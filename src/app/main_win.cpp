#include <windows.h>

#include <string>

#include "app/launcher_app.h"
#include "launch/system_win.h"
#include "platform/platform_win.h"
#include "platform/system_library_win.h"
#include "ui/message_box_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // Before anything can load a library: the program often sits in a folder others can write to.
    brindle::ProtectLibrarySearch();
    brindle::SetProgramPathVariables();
    const std::string modulePath = brindle::ModulePath();
    brindle::ui::WindowsMessages messages;
    brindle::ui::SetAppMessages(&messages);
    brindle::LauncherApp app(modulePath, messages);
    return app.Run(commandLine);
}

// Which library names and registered paths the program may load.
#include <gtest/gtest.h>

#include "platform/system_library.h"

namespace brindle {
namespace {

TEST(SystemLibrary, OnlyBareNamesOfSystemLibraries) {
    for (const char* name : {"msi.dll", "powrprof.dll", "Powrprof.dll", "hhctrl.ocx", "api-ms-win-core_1.dll"}) {
        EXPECT_TRUE(IsSystemLibraryName(name)) << name;
    }
    // Every way a name could lead the loader out of the system folder, and names that are no file.
    for (const char* name :
         {"", ".", "..", "..\\msi.dll", "../msi.dll", "sub\\msi.dll", "sub/msi.dll", "C:\\Windows\\System32\\msi.dll",
          "C:msi.dll", "\\\\server\\share\\msi.dll", "msi.dll:stream", ".msi.dll", "msi .dll", "msi.dll ", "表.dll"}) {
        EXPECT_FALSE(IsSystemLibraryName(name)) << name;
    }
    EXPECT_FALSE(IsSystemLibraryName(std::string_view("msi\0evil.dll", 12)));
}

TEST(SystemLibrary, AbsolutePathsOnly) {
    for (const char* path : {"C:\\Windows\\System32\\hhctrl.ocx", "c:/windows/system32/hhctrl.ocx", "Z:\\",
                             "\\\\server\\share\\hhctrl.ocx", "\\\\?\\C:\\Windows\\hhctrl.ocx", "C:\\表\\help.ocx"}) {
        EXPECT_TRUE(IsAbsoluteWindowsPath(path)) << path;
    }
    for (const char* path : {"", "hhctrl.ocx", "system32\\hhctrl.ocx", ".\\hhctrl.ocx", "..\\hhctrl.ocx",
                             "\\Windows\\hhctrl.ocx", "/Windows/hhctrl.ocx", "C:hhctrl.ocx", "C:", "1:\\x.ocx", "\\\\",
                             "\\\\\\server\\x.ocx", "\"C:\\Windows\\hhctrl.ocx\"", " C:\\x.ocx"}) {
        EXPECT_FALSE(IsAbsoluteWindowsPath(path)) << path;
    }
}

}  // namespace
}  // namespace brindle

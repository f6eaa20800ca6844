// Libraries planted beside the program and in its current folder under the names of system libraries
// (msi.dll and powrprof.dll, built from planted_library.c) are never loaded, on any path that loads a
// library. CTest runs this program with Wine told to prefer native msi.dll and powrprof.dll to its own, as
// Windows would (it has no builtin libraries); the first test shows that a bare name then really takes
// the planted ones.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launch/help_win.h"
#include "launch/shell_link_win.h"
#include "platform/com.h"
#include "platform/system_library.h"
#include "platform/system_library_win.h"
#include "system/power_win.h"
#include "unit/test_support.h"
#include "win/link_files.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::InstalledComponent;
using testing::WinFolder;

// The planted libraries append the path they were loaded from to the file this variable names.
constexpr char kLoadLogVariable[] = "BRINDLE_PLANTED_LOG";
constexpr const char* kPlantedNames[] = {"msi.dll", "powrprof.dll"};
// A copy of a planted library under a name no system library has, in the current folder only.
constexpr char kCurrentFolderOnly[] = "brindle_planted.dll";

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

// The folders of the run: the program's own, with the planted libraries beside it, and a current folder
// holding copies of them.
struct RunFolders {
    std::string program;
    std::unique_ptr<WinFolder> work;
    std::string current, loadLog;
};

RunFolders& Folders() {
    static RunFolders folders;
    return folders;
}

class PlantedLibraries : public ::testing::Environment {
public:
    void SetUp() override {
        RunFolders& folders = Folders();
        folders.program = FolderOf(ModulePath(nullptr));
        folders.work = std::make_unique<WinFolder>("brindle-planted-" + std::to_string(GetCurrentProcessId()));
        folders.current = folders.work->File("current");
        folders.loadLog = folders.work->File("loads.txt");
        ASSERT_TRUE(CreateDirectoryA(folders.current.c_str(), nullptr));
        for (const char* name : kPlantedNames) {
            ASSERT_TRUE(
                CopyFileA((folders.program + "\\" + name).c_str(), (folders.current + "\\" + name).c_str(), FALSE))
                << name << " is not beside the test program";
        }
        ASSERT_TRUE(CopyFileA((folders.program + "\\msi.dll").c_str(),
                              (folders.current + "\\" + kCurrentFolderOnly).c_str(), FALSE));
        testing::WriteBytes(folders.current + "\\notepad.exe", "not a program");
        SetEnvironmentVariableA(kLoadLogVariable, folders.loadLog.c_str());
        ASSERT_TRUE(SetCurrentDirectoryA(folders.current.c_str()));
    }
    void TearDown() override {
        SetCurrentDirectoryA(Folders().program.c_str());
        Folders().work.reset();
    }
};

std::string PlantedLoads() {
    return Lower(testing::ReadBytes(Folders().loadLog));
}

void ForgetPlantedLoads() {
    DeleteFileA(Folders().loadLog.c_str());
}

// Runs this program again in the current folder in one of the modes of ChildMain; its exit code.
DWORD RunChild(const std::string& mode, const std::string& name) {
    std::string command = "\"" + ModulePath(nullptr) + "\" " + mode + " " + name;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, Folders().current.c_str(),
                        &startup, &process)) {
        return 100;
    }
    DWORD code = 101;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// Each test but the first ends with no planted library loaded, by this process or a child.
class NoPlantedLoad : public ::testing::Test {
protected:
    void SetUp() override { ForgetPlantedLoads(); }
    void TearDown() override { EXPECT_EQ(PlantedLoads(), "") << "a planted library was loaded"; }
};

// Whether the log holds exactly one load: of `name`, from the folder called `folder` (the test program's
// is "planted", see CMakeLists.txt; the current folder is "current").
bool OneLoadFrom(const std::string& folder, const std::string& name) {
    const std::string loads = PlantedLoads(), line = Lower("\\" + folder + "\\" + name + "\r\n");
    return loads.size() >= line.size() && loads.compare(loads.size() - line.size(), line.size(), line) == 0 &&
           std::count(loads.begin(), loads.end(), '\n') == 1;
}

// Without this the other tests could not fail: under Wine's usual settings a bare name gets Wine's own
// library whatever lies beside the program.
TEST(PlantedLibrariesControl, ABareNameTakesThemFromBesideTheProgramOrTheCurrentFolder) {
    for (const char* name : kPlantedNames) {
        ForgetPlantedLoads();
        EXPECT_EQ(RunChild("--bare-load", name), 0u) << name;
        EXPECT_TRUE(OneLoadFrom("planted", name)) << PlantedLoads();
    }
    ForgetPlantedLoads();
    EXPECT_EQ(RunChild("--bare-load", kCurrentFolderOnly), 0u);
    EXPECT_TRUE(OneLoadFrom("current", kCurrentFolderOnly)) << PlantedLoads();
    ForgetPlantedLoads();
}

TEST_F(NoPlantedLoad, SystemLibrariesAndTheirFunctionsComeFromTheSystemFolder) {
    const struct {
        const char* library;
        std::vector<const char*> functions;
    } expected[] = {
        {"powrprof.dll", {"SetSuspendState", "IsPwrHibernateAllowed", "IsPwrShutdownAllowed", "IsPwrSuspendAllowed"}},
        {"msi.dll", {"MsiGetShortcutTargetA", "MsiGetComponentPathA"}},
    };
    for (const auto& [library, functions] : expected) {
        HMODULE module = LoadSystemLibrary(library);
        ASSERT_NE(module, nullptr) << library;
        EXPECT_EQ(Lower(FolderOf(ModulePath(module))), Lower(SystemFolder())) << library;
        for (const char* function : functions) {
            EXPECT_NE(GetProcAddress(module, function), nullptr) << library << " " << function;
        }
        FreeLibrary(module);
    }

    // A library the system folder lacks is not looked for anywhere else; names that lead elsewhere, the
    // planted library's own path among them, are refused.
    EXPECT_EQ(LoadSystemLibrary(kCurrentFolderOnly), nullptr);
    for (const std::string& name : {Folders().program + "\\msi.dll", Folders().current + "\\msi.dll",
                                    std::string(".\\msi.dll"), std::string("..\\current\\msi.dll")}) {
        EXPECT_EQ(LoadSystemLibrary(name.c_str()), nullptr) << name;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << name;
    }
}

// The power commands' loader takes the power library from the system folder, the others from the process,
// and what its functions report is what the functions say when called directly.
TEST_F(NoPlantedLoad, ThePowerFunctionsComeFromTheSystemFolderAndAnswerAsCalledDirectly) {
    PowerLibrary library;
    ASSERT_NE(library.PowerModule(), nullptr);
    EXPECT_EQ(Lower(FolderOf(ModulePath(library.PowerModule()))), Lower(SystemFolder()));
    const PowerFunctions& found = library.Functions();
    HMODULE power = library.PowerModule(), kernel = GetModuleHandleA("kernel32.dll"),
            user = GetModuleHandleA("user32.dll"), advapi = GetModuleHandleA("advapi32.dll");
    const struct {
        const void* found;
        HMODULE module;
        const char* name;
    } entries[] = {
        {reinterpret_cast<const void*>(found.setSystemPowerState), kernel, "SetSystemPowerState"},
        {reinterpret_cast<const void*>(found.isWow64Process), kernel, "IsWow64Process"},
        {reinterpret_cast<const void*>(found.lockWorkStation), user, "LockWorkStation"},
        {reinterpret_cast<const void*>(found.allowSetForegroundWindow), user, "AllowSetForegroundWindow"},
        {reinterpret_cast<const void*>(found.setSuspendState), power, "SetSuspendState"},
        {reinterpret_cast<const void*>(found.isPwrHibernateAllowed), power, "IsPwrHibernateAllowed"},
        {reinterpret_cast<const void*>(found.isPwrShutdownAllowed), power, "IsPwrShutdownAllowed"},
        {reinterpret_cast<const void*>(found.isPwrSuspendAllowed), power, "IsPwrSuspendAllowed"},
        {reinterpret_cast<const void*>(found.openProcessToken), advapi, "OpenProcessToken"},
        {reinterpret_cast<const void*>(found.lookupPrivilegeValue), advapi, "LookupPrivilegeValueA"},
        {reinterpret_cast<const void*>(found.adjustTokenPrivileges), advapi, "AdjustTokenPrivileges"},
    };
    for (const auto& entry : entries) {
        EXPECT_NE(entry.found, nullptr) << entry.name;
        EXPECT_EQ(entry.found, reinterpret_cast<const void*>(GetProcAddress(entry.module, entry.name))) << entry.name;
    }

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    const auto ask = [&](const char* name) { return ProcAddress<BOOLEAN(WINAPI*)()>(power, name)() != 0; };
    BOOL screenSaver = FALSE;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &screenSaver, 0));
    const PowerFeatures features = ReadPowerFeatures(found);
    EXPECT_EQ(features.ntFamily, version.dwPlatformId == VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(features.shutdownAllowed, ask("IsPwrShutdownAllowed"));
    EXPECT_EQ(features.suspendAllowed, ask("IsPwrSuspendAllowed"));
    EXPECT_EQ(features.hibernateAllowed, ask("IsPwrHibernateAllowed"));
    EXPECT_EQ(features.screenSaverActive, screenSaver != FALSE);
    EXPECT_TRUE(features.CanEnablePrivilege() && features.lockWorkStation && features.setSuspendState &&
                features.setSystemPowerState);
}

TEST_F(NoPlantedLoad, LinksAndInstallerLinksAreReadWithTheSystemInstaller) {
    WinFolder folder;
    testing::WriteBytes(folder.File("対象.exe"), "x");
    testing::LinkFields fields;
    fields.target = folder.File("対象.exe");
    testing::MakeLink(folder.File("plain.lnk"), fields);
    std::string target;
    ASSERT_HRESULT_SUCCEEDED(ResolveShellLink(nullptr, folder.File("plain.lnk"), target));
    EXPECT_EQ(target, folder.File("対象.exe"));

    // A link that names no target of its own: only the installer can tell where its component is.
    InstalledComponent component(folder.File("installed.exe"));
    testing::MakeInstallerLink(folder.File("installer.lnk"), InstalledComponent::Descriptor());
    ASSERT_HRESULT_SUCCEEDED(ResolveShellLink(nullptr, folder.File("installer.lnk"), target));
    EXPECT_EQ(target, component.Path());
}

TEST_F(NoPlantedLoad, HelpLoadsOnlyTheControlAtItsRegisteredPath) {
    testing::ModalWatchdog watchdog;
    const std::string control = HtmlHelpControlPath();
    ASSERT_TRUE(IsAbsoluteWindowsPath(control)) << control;
    HMODULE module = LoadLibraryAtPath(control);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "HtmlHelpA"), nullptr);
    FreeLibrary(module);

    // A registered name without a folder would be searched for, beside the program first.
    for (const char* path : {"msi.dll", ".\\msi.dll", "..\\current\\msi.dll", kCurrentFolderOnly}) {
        EXPECT_EQ(LoadLibraryAtPath(path), nullptr) << path;
    }
    EXPECT_EQ(ShowHelp(), nullptr);  // the control is loaded; the test program has no help file
    EXPECT_TRUE(watchdog.Captions().empty());
}

// Path searches of a protected process (the program's start-up) find the system's file before a file of
// the same name in the current folder; without the protection the current folder comes first.
TEST_F(NoPlantedLoad, StartUpMakesPathSearchesLookInTheCurrentFolderLast) {
    EXPECT_EQ(RunChild("--search", "notepad.exe"), 0u);
    EXPECT_EQ(RunChild("--protected-search", "notepad.exe"), 1u);
}

// What a child started by RunChild does: 0, 1 or 2 as its exit code.
int ChildMain(const std::string& mode, const char* name) {
    if (mode == "--bare-load") {
        return LoadLibraryA(name) ? 0 : 1;
    }
    if (mode == "--protected-search") {
        ProtectLibrarySearch();
    }
    // 0 when the file found is the current folder's, 1 when it is another, 2 when there is none.
    char found[MAX_PATH] = "", current[MAX_PATH] = "";
    char* part = nullptr;
    if (!SearchPathA(nullptr, name, nullptr, MAX_PATH, found, &part)) {
        return 2;
    }
    GetCurrentDirectoryA(MAX_PATH, current);
    return Lower(FolderOf(found)) == Lower(current) ? 0 : 1;
}

}  // namespace
}  // namespace brindle

int main(int argc, char** argv) {
    for (const char* mode : {"--bare-load", "--search", "--protected-search"}) {
        if (argc == 3 && strcmp(argv[1], mode) == 0) {
            return brindle::ChildMain(mode, argv[2]);
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new brindle::PlantedLibraries);
    // As the program: OLE on the main thread for the whole run.
    brindle::ui::OleScope ole;
    return RUN_ALL_TESTS();
}

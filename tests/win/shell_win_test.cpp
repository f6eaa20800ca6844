// Classification, links, Internet shortcuts, the folder browser and help on a real file system and shell
// (under Wine).
#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launch/classify.h"
#include "launch/command_line.h"
#include "launch/help_win.h"
#include "launch/shell_link_win.h"
#include "launch/system_win.h"
#include "platform/com.h"
#include "platform/folder_browser_win.h"
#include "platform/platform_win.h"
#include "store/settings_store.h"
#include "unit/test_support.h"
#include "win/link_files.h"
#include "win/watched_link.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::LinkFields;
using testing::MakeLink;
using testing::ModalWatchdog;
using testing::RecordingMessages;
using testing::WatchedLink;
using testing::WatchedLinkFactory;
using testing::WinFolder;
using ui::ComPtr;

void Touch(const std::string& path) {
    testing::WriteBytes(path, "x");
}

TEST(ShellLinks, ResolveGivesTargetArgumentsIconFolderAndDescription) {
    WinFolder folder;
    LinkFields fields{folder.File("対象 表.exe"),
                      "-a \"b c\" " + std::string(600, 'z'),
                      "C:\\アイコン\\表.ico",
                      folder.Path(),
                      "説明の表",
                      0};
    Touch(fields.target);
    MakeLink(folder.File("a.lnk"), fields);

    std::string target, arguments, icon, directory, description;
    ASSERT_HRESULT_SUCCEEDED(
        ResolveShellLink(nullptr, folder.File("a.lnk"), target, &arguments, &icon, &directory, &description));
    EXPECT_EQ(target, fields.target);
    EXPECT_EQ(arguments, fields.arguments);   // longer than 260 bytes, and whole
    EXPECT_EQ(icon, "C:\\アイコン\\表.ico");  // index 0: the location without an index
    EXPECT_EQ(directory, folder.Path());
    EXPECT_EQ(description, "説明の表");

    // Index 3 without a location names the target; the outputs not asked for are left alone.
    fields.iconLocation = "";
    fields.iconIndex = 3;
    MakeLink(folder.File("b.lnk"), fields);
    icon = "old";
    description = "untouched";
    ASSERT_HRESULT_SUCCEEDED(ResolveShellLink(nullptr, folder.File("b.lnk"), target, nullptr, &icon));
    EXPECT_EQ(icon, fields.target + ">3");
    EXPECT_EQ(description, "untouched");

    fields.iconLocation = "C:\\i.dll";
    MakeLink(folder.File("c.lnk"), fields);
    ASSERT_HRESULT_SUCCEEDED(ResolveShellLink(nullptr, folder.File("c.lnk"), target, nullptr, &icon));
    EXPECT_EQ(icon, "C:\\i.dll>3");

    target = "stale";
    EXPECT_TRUE(FAILED(ResolveShellLink(nullptr, folder.File("none.lnk"), target)));
    EXPECT_EQ(target, "");
}

TEST(ShellLinks, ALinkIsReadWithoutUserInterfaceAndNeverWritten) {
    WinFolder folder;
    // A link whose target is gone: the shell would look for it, ask the user, and rewrite the link.
    const LinkFields fields{folder.File("消えた 表.exe"), "-x", "", folder.Path(), "説明", 0};
    Touch(fields.target);
    MakeLink(folder.File("gone.lnk"), fields);
    DeleteFileA(fields.target.c_str());
    const std::string before = testing::ReadBytes(folder.File("gone.lnk"));
    FILETIME written{};
    HANDLE handle = CreateFileA(folder.File("gone.lnk").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    GetFileTime(handle, nullptr, nullptr, &written);
    CloseHandle(handle);

    ComPtr<IClassFactory> shell;
    ASSERT_HRESULT_SUCCEEDED(CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                              reinterpret_cast<void**>(shell.GetAddressOf())));
    WatchedLinkFactory factory(shell);
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(
        CoRegisterClassObject(CLSID_ShellLink, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    WatchedLink::resolveFlags.clear();
    WatchedLink::saves = 0;
    std::string target, arguments, icon, directory, description;
    const HRESULT read = ResolveShellLink(GetDesktopWindow(), folder.File("gone.lnk"), target, &arguments, &icon,
                                          &directory, &description);
    // A resolve that fails (the shell gave up looking) still gives the link's stored fields.
    WatchedLink::failResolve = true;
    std::string second;
    const HRESULT failed = ResolveShellLink(nullptr, folder.File("gone.lnk"), second);
    WatchedLink::failResolve = false;
    CoRevokeClassObject(cookie);

    ASSERT_HRESULT_SUCCEEDED(read);
    EXPECT_EQ(target, fields.target);
    EXPECT_EQ(arguments, "-x");
    EXPECT_EQ(description, "説明");
    EXPECT_HRESULT_SUCCEEDED(failed);
    EXPECT_EQ(second, fields.target);
    ASSERT_EQ(WatchedLink::resolveFlags.size(), 2u) << "the link was not read through the shell's link object";
    for (DWORD flags : WatchedLink::resolveFlags) {
        EXPECT_EQ(flags & (SLR_NO_UI | SLR_NOUPDATE | SLR_UPDATE), DWORD{SLR_NO_UI | SLR_NOUPDATE}) << flags;
        // A time-out of its own, short: the high word (none means the shell's three seconds).
        EXPECT_GE(HIWORD(flags), 1u);
        EXPECT_LE(HIWORD(flags), 1000u);
    }
    EXPECT_EQ(WatchedLink::saves, 0);
    EXPECT_EQ(testing::ReadBytes(folder.File("gone.lnk")), before);
    FILETIME after{};
    handle = CreateFileA(folder.File("gone.lnk").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
    GetFileTime(handle, nullptr, nullptr, &after);
    CloseHandle(handle);
    EXPECT_EQ(CompareFileTime(&written, &after), 0);
}

TEST(ShellLinks, InternetShortcutGivesItsWholeAddress) {
    WinFolder folder;
    testing::WriteBytes(folder.File("a.url"), "[InternetShortcut]\r\nURL=https://example.com/a?b=c\r\n");
    std::string address;
    ASSERT_HRESULT_SUCCEEDED(ResolveInternetShortcut(folder.File("a.url"), address));
    EXPECT_EQ(address, "https://example.com/a?b=c");

    const std::string longAddress = "http://example.com/" + std::string(400, 'q');
    testing::WriteBytes(folder.File("long.url"), "[InternetShortcut]\r\nURL=" + longAddress + "\r\n");
    ASSERT_HRESULT_SUCCEEDED(ResolveInternetShortcut(folder.File("long.url"), address));
    EXPECT_EQ(address, longAddress);
}

class WinClassify : public ::testing::Test {
protected:
    void SetUp() override {
        Preferences prefs;
        store.GetPreferences(prefs);
        prefs.iChkLoadIcon = 2;
        store.SetPreferencesAndSave(prefs);
        CreateDirectoryA(folder.File("表 フォルダ").c_str(), nullptr);
        Touch(folder.File("ソフト.EXE"));
        Touch(folder.File("文書.txt"));
    }
    int Kind(const std::string& commandLine, int32_t check = 1) {
        return ClassifyTarget(commandLine.c_str(), check, store, system);
    }

    WinFolder folder;
    RecordingMessages messages;
    SettingsStore store{messages, folder.File("Brindle.INI")};
    WinSystem system;
};

TEST_F(WinClassify, RealFoldersFilesAndMissingTargets) {
    EXPECT_EQ(Kind(folder.File("表 フォルダ")), target::kFolder);
    EXPECT_EQ(Kind(folder.File("表 フォルダ") + "\\"), target::kFolder);  // by the second search
    EXPECT_EQ(Kind("C:\\"), target::kFolder);
    EXPECT_EQ(Kind("\"" + folder.File("ソフト.EXE") + "\" /a"), target::kProgram);
    EXPECT_EQ(Kind(folder.File("文書.txt")), target::kFile);
    EXPECT_EQ(Kind(folder.File("ない.exe")), target::kMissing);
    EXPECT_EQ(Kind(folder.File("表 フォルダ"), 0), target::kFile);
    EXPECT_EQ(Kind(folder.File("ない.exe"), 0), target::kProgram);
    EXPECT_EQ(Kind("https://example.com/"), target::kWebAddress);
}

TEST_F(WinClassify, FolderOfFileFolderAndAddress) {
    EXPECT_EQ(FolderOfCommandLine(("\"" + folder.File("ソフト.EXE") + "\" /a").c_str(), system), folder.Path());
    const std::string& path = folder.Path();
    EXPECT_EQ(FolderOfCommandLine(folder.File("表 フォルダ").c_str(), system), path);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);  // the folder's parent, with a backslash at its end
    EXPECT_EQ(FolderOfCommandLine(path.c_str(), system) + "\\", temp);
    EXPECT_EQ(FolderOfCommandLine("C:\\windows", system), "C:\\");  // the top of the drive, not "C:"
    EXPECT_EQ(FolderOfCommandLine("https://example.com/", system), "");
    EXPECT_EQ(FolderOfCommandLine(folder.File("ない.exe").c_str(), system), "");
}

TEST(WinSystemSeam, ExpansionKeepsLongDoubleByteResultsWhole) {
    std::string value;
    for (int i = 0; i < 200; ++i)
        value += "表";  // 400 bytes, 200 characters
    SetEnvironmentVariableA("BRINDLE_LONG", value.c_str());
    WinSystem system;
    std::string out;
    ASSERT_TRUE(system.Expand("%BRINDLE_LONG%\\x.exe", out));
    EXPECT_EQ(out, value + "\\x.exe");
    ASSERT_TRUE(system.Expand("%BRINDLE_NOT_SET%\\a", out));
    EXPECT_EQ(out, "%BRINDLE_NOT_SET%\\a");

    std::string file, parameters;
    SplitCommandLine("\"%BRINDLE_LONG%\\x.exe\" %BRINDLE_LONG%", file, parameters, system);
    EXPECT_EQ(file, value + "\\x.exe");
    EXPECT_EQ(parameters, " %BRINDLE_LONG%");
    SetEnvironmentVariableA("BRINDLE_LONG", nullptr);
}

TEST(Platform, DirectoriesAndVersion) {
    WinFolder folder;
    Touch(folder.File("f.txt"));
    EXPECT_TRUE(IsDirectory(folder.Path()));
    EXPECT_FALSE(IsDirectory(folder.File("f.txt")));
    EXPECT_FALSE(IsDirectory(folder.File("none")));

    OSVERSIONINFOEXA info;
    EXPECT_TRUE(GetOsVersion(info));
    EXPECT_EQ(info.dwOSVersionInfoSize, sizeof info);
    EXPECT_GE(info.dwMajorVersion, 5u);
}

TEST(ItemLists, ParsePathAndCopyTheLastItem) {
    WinFolder folder;
    Touch(folder.File("表.txt"));
    EXPECT_EQ(ParsePath(nullptr), nullptr);
    EXPECT_EQ(ParsePath(""), nullptr);

    LPITEMIDLIST list = ParsePath(folder.File("表.txt").c_str());
    ASSERT_NE(list, nullptr);
    char path[MAX_PATH] = "";
    ASSERT_TRUE(SHGetPathFromIDListA(list, path));
    EXPECT_EQ(std::string(path), folder.File("表.txt"));

    LPCITEMIDLIST last = ILFindLastID(list);
    LPITEMIDLIST copy = CopyItem(last);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->mkid.cb, last->mkid.cb);
    EXPECT_EQ(memcmp(copy, last, last->mkid.cb), 0);
    EXPECT_EQ(ILGetNext(copy)->mkid.cb, 0);  // one item, then the end of the list
    EXPECT_EQ(ILGetSize(copy), last->mkid.cb + 2u);

    ComPtr<IMalloc> allocator;
    ASSERT_HRESULT_SUCCEEDED(SHGetMalloc(&allocator));
    allocator->Free(copy);
    allocator->Free(list);
}

TEST(FolderBrowser, ChoosesTheInitialFolderUnderItsCaption) {
    WinFolder folder;
    std::string chosen = "stale";
    {
        ModalWatchdog watchdog(IDOK);
        EXPECT_TRUE(
            BrowseForFolder(nullptr, chosen, nullptr, folder.Path().c_str(), "作業ディレクトリを指定してください", 0));
        ASSERT_FALSE(watchdog.Captions().empty());
        EXPECT_EQ(watchdog.Captions()[0], kBrowseCaption);
    }
    EXPECT_EQ(chosen, folder.Path());
    {
        ModalWatchdog watchdog(IDCANCEL);
        EXPECT_FALSE(BrowseForFolder(nullptr, chosen, nullptr, folder.Path().c_str(), "title", 0));
    }
    EXPECT_EQ(chosen, "");
}

// The test program has no help file beside it: asking for help must neither crash nor block.
TEST(Help, WithoutAHelpFileNothingOpensAndNothingBlocks) {
    ModalWatchdog watchdog;
    std::string control = HtmlHelpControlPath();
    if (!control.empty()) {
        EXPECT_NE(GetFileAttributesA(control.c_str()), INVALID_FILE_ATTRIBUTES) << control;
    }
    EXPECT_EQ(ShowHelp(), nullptr);
    EXPECT_EQ(ShowHelp(), nullptr);  // the control is loaded once and used again
    EXPECT_TRUE(watchdog.Captions().empty());
}

}  // namespace
}  // namespace brindle

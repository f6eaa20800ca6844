// The store on a real Windows file system (under Wine): Shift_JIS texts and paths, the atomic save.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "store/settings_backup.h"
#include "store/settings_encoding.h"
#include "store/settings_io.h"
#include "store/settings_path.h"
#include "store/settings_store.h"
#include "unit/test_support.h"
#include "win/win_test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::WinFolder;

std::string Read(const std::string& path) {
    std::string bytes, error;
    EXPECT_EQ(settings_io::ReadWholeFile(path, bytes, error), settings_io::ReadResult::kRead) << path << error;
    return bytes;
}

void Write(const std::string& path, const std::string& bytes) {
    std::string error;
    ASSERT_TRUE(settings_io::ReplaceWholeFile(path, bytes, error)) << error;
}

const std::string kFile =
    "[Brindle]\r\nlfFaceName=ＭＳ ゴシック\r\n[Page]\r\n0=表計算ソフト,-1,1,0,\"C:\\予定\\表.ico>2\",\"\"\r\n"
    "[#00000]\r\nNamespace=能力表\r\nCommandLine=\"C:\\Program Files\\ソフト\\表.exe\" /a\r\n"
    "Workfolder=C:\\作業\\\r\nPageId=0\r\nComment=説明\r\n";

TEST(WinStore, TheAnsiCodePageIsShiftJis) {
    EXPECT_EQ(GetACP(), 932u);
}

TEST(WinStore, ReadsAndWritesAShiftJisFileUnderAJapanesePath) {
    WinFolder folder;
    const std::string path = folder.File("設定.INI");
    Write(path, kFile);

    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    ASSERT_EQ(store.PageCount(), 1);
    PageRecord page;
    store.GetPageAt(0, page);
    EXPECT_STREQ(page.name, "表計算ソフト");
    EXPECT_STREQ(page.normalIcon, "C:\\予定\\表.ico>2");
    ASSERT_EQ(store.ShortcutCount(), 1);
    ShortcutRecord shortcut;
    store.GetShortcutAt(0, shortcut);
    EXPECT_STREQ(shortcut.name, "能力表");
    EXPECT_STREQ(shortcut.workFolder, "C:\\作業\\");
    Preferences prefs;
    store.GetPreferences(prefs);
    EXPECT_STREQ(prefs.font.lfFaceName, "ＭＳ ゴシック");

    ASSERT_TRUE(store.Save());
    std::string written = Read(path);
    EXPECT_NE(written.find("[Page]\r\n0=表計算ソフト,-1,1,0,\"C:\\予定\\表.ico>2\",\"\"\r\n"), std::string::npos);
    EXPECT_NE(written.find("Namespace=能力表\r\nCommandLine=\"C:\\Program Files\\ソフト\\表.exe\" /a\r\n"
                           "Workfolder=C:\\作業\\\r\nComment=説明\r\n"),
              std::string::npos);
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST(WinStore, SettingsPathFromTheModuleAndFromAPattern) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string expected(module);
    expected = expected.substr(0, expected.size() - 4) + ".INI";  // "...win_store_tests.exe"
    EXPECT_EQ(SettingsPathForModule(module), expected);

    WinFolder folder;
    CreateDirectoryA(folder.File("a.INI").c_str(), nullptr);  // a folder never matches
    Write(folder.File("b.INI"), "");
    EXPECT_EQ(settings_io::ResolveSettingsPath(folder.File("*.INI")), folder.File("b.INI"));
    EXPECT_EQ(settings_io::ResolveSettingsPath(folder.File("?.INI")), folder.File("b.INI"));
    EXPECT_EQ(settings_io::ResolveSettingsPath(folder.File("none*.INI")), folder.File("none*.INI"));

    // A relative name becomes the full path of the file it names.
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(folder.Path().c_str());
    std::string resolved = settings_io::ResolveSettingsPath("b.INI");
    SetCurrentDirectoryA(current);
    EXPECT_EQ(resolved, folder.File("b.INI"));
}

// A settings file held open by another program (no delete sharing) cannot be replaced: the old file
// stays whole and the user is told.
TEST(WinStore, ALockedFileIsKeptWholeAndTheFailureShown) {
    WinFolder folder;
    const std::string path = folder.File("Brindle.INI");
    Write(path, kFile);
    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    store.AddShortcut("新しい", "x.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);

    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(store.Save());
    CloseHandle(lock);

    EXPECT_EQ(Read(path), kFile);
    ASSERT_EQ(messages.boxes.size(), 1u);
    const std::string& text = messages.boxes[0].text;
    EXPECT_EQ(text.substr(0, path.size()), path);
    EXPECT_NE(text.find("\n環境情報を保存できません。"), std::string::npos);
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);

    messages.boxes.clear();
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(Read(path), store.SaveText());
}

std::string SystemText(DWORD code) {
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) {
        result.pop_back();
    }
    return result;
}

TEST(WinStore, AMissingFileOrFolderGivesTheDefaultPage) {
    WinFolder folder;
    for (const std::string& path : {folder.File("Brindle.INI"), folder.File("無い\\Brindle.INI")}) {
        RecordingMessages messages;
        SettingsStore store(messages, path);
        store.Load();
        ASSERT_EQ(store.PageCount(), 1) << path;
        PageRecord page;
        store.GetPageAt(0, page);
        EXPECT_STREQ(page.name, "New page");
        EXPECT_FALSE(store.LoadFailed());
        EXPECT_TRUE(messages.boxes.empty());
    }
}

// A settings file another program holds open without sharing (a sync client, a virus scanner, an editor)
// is not a missing file: no default page, the user reads why, and the file is never saved over.
TEST(WinStore, AFileHeldByAnotherProgramIsReportedAndNeverOverwritten) {
    WinFolder folder;
    const std::string path = folder.File("設定.INI");
    Write(path, kFile);
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    CloseHandle(held);

    EXPECT_EQ(store.PageCount(), 0);
    EXPECT_TRUE(store.LoadFailed());
    ASSERT_EQ(messages.boxes.size(), 1u);
    const std::string& text = messages.boxes[0].text;
    EXPECT_EQ(text.find(path + "\n"), 0u) << text;
    const std::string reason = SystemText(ERROR_SHARING_VIOLATION);
    ASSERT_FALSE(reason.empty());
    EXPECT_NE(text.find(reason), std::string::npos) << text;
    EXPECT_NE(text.find("\n環境情報を読み込めません。"), std::string::npos) << text;
    EXPECT_EQ(messages.boxes[0].style, box::kIconStop);

    // Once the other program has let go, the run still leaves the file alone.
    messages.boxes.clear();
    store.AddShortcut("新しい", "x.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    EXPECT_FALSE(store.Save());
    Preferences prefs;
    store.GetPreferences(prefs);
    store.SetPreferencesAndSave(prefs);
    EXPECT_EQ(Read(path), kFile);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST(WinStore, AFolderInPlaceOfTheFileIsReported) {
    WinFolder folder;
    const std::string path = folder.File("Brindle.INI");
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    EXPECT_EQ(store.PageCount(), 0);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text.find(path + "\n"), 0u) << messages.boxes[0].text;
    EXPECT_FALSE(store.Save());
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// The new text takes the old file's place with the old file's attributes. (Wine shows every file with
// the archive attribute, so what is compared is what the file showed before the save.)
TEST(WinStore, TheOldFilesAttributesSurviveASave) {
    WinFolder folder;
    const std::string path = folder.File("Brindle.INI");
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    for (DWORD attributes : {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_HIDDEN,
                             FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}) {
        SCOPED_TRACE(attributes);
        DeleteFileA(path.c_str());
        Write(path, kFile);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes));
        const DWORD before = GetFileAttributesA(path.c_str()) & kKept;
        ASSERT_NE(before & FILE_ATTRIBUTE_HIDDEN, 0u);
        RecordingMessages messages;
        SettingsStore store(messages, path);
        store.Load();
        store.AddShortcut("新しい", "x.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
        ASSERT_TRUE(store.Save()) << (messages.boxes.empty() ? "" : messages.boxes[0].text);
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & kKept, before);
        EXPECT_EQ(Read(path), store.SaveText());
        EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The failure box names the settings file, not the temporary one beside it.
// A settings file named on the command line without a folder ("Brindle.exe A.INI") is saved again and
// again in the current folder.
TEST(WinStore, ARelativeSettingsPathIsReplacedOnEverySave) {
    WinFolder folder;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    Write("Relative.INI", kFile);
    Write("Relative.INI", kFile + "[#00001]\r\nNamespace=2\r\n");
    const std::string second = Read("Relative.INI");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(second, kFile + "[#00001]\r\nNamespace=2\r\n");
}

TEST(WinStore, AFailedSaveNamesTheSettingsFile) {
    WinFolder folder;
    const std::string path = folder.File("Brindle.INI");
    Write(path, kFile);
    ASSERT_TRUE(CreateDirectoryA((path + ".new").c_str(), nullptr));
    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    EXPECT_FALSE(store.Save());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text.find(path + "\n"), 0u) << messages.boxes[0].text;
    EXPECT_EQ(Read(path), kFile);
}

TEST(WinStore, AReadOnlyFileIsKeptWhole) {
    WinFolder folder;
    const std::string path = folder.File("Brindle.INI");
    Write(path, kFile);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    store.AddShortcut("新しい", "x.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(Read(path), kFile);
    EXPECT_EQ(messages.boxes.size(), 1u);
}

// A settings file deeper than the 260 characters the ANSI file functions take is read and saved.
TEST(WinStore, ALongPathIsReadAndSaved) {
    WinFolder folder;
    std::wstring deep;
    {
        int length = MultiByteToWideChar(CP_ACP, 0, folder.Path().c_str(), -1, nullptr, 0);
        deep.resize(length);
        MultiByteToWideChar(CP_ACP, 0, folder.Path().c_str(), -1, deep.data(), length);
        deep.resize(length - 1);
    }
    std::string relative;
    for (int i = 0; i < 3; ++i) {
        const std::string part = std::string(100, static_cast<char>('a' + i));
        relative += "\\" + part;
        deep += L"\\" + std::wstring(part.begin(), part.end());
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    const std::string path = folder.Path() + relative + "\\設定.INI";
    ASSERT_GT(path.size(), 300u);
    Write(path, kFile);

    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    ASSERT_EQ(store.ShortcutCount(), 1);
    store.AddShortcut("二つ目", "b.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    EXPECT_TRUE(store.Save());
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(Read(path), store.SaveText());

    // Clean up what WinFolder cannot see.
    std::wstring file = L"\\\\?\\" + deep + L"\\";
    int nameLength = MultiByteToWideChar(CP_ACP, 0, "設定.INI", -1, nullptr, 0);
    std::wstring name(nameLength, L'\0');
    MultiByteToWideChar(CP_ACP, 0, "設定.INI", -1, name.data(), nameLength);
    name.resize(nameLength - 1);
    DeleteFileW((file + name).c_str());
    for (int i = 0; i < 3; ++i) {
        RemoveDirectoryW((L"\\\\?\\" + deep).c_str());
        deep.resize(deep.rfind(L'\\'));
    }
}

// Bytes of UTF-16 LE (with its mark) and of UTF-8 (with its mark), as editors save them.
std::string Utf16Marked(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string Utf8Marked(const char8_t* text) {
    return "\xEF\xBB\xBF" + std::string(reinterpret_cast<const char*>(text));
}

// The system's code page 932 converter, without best fit: what fits converts exactly, look-alikes do not.
TEST(WinStore, OtherEncodingsConvertWithTheSystemOrAreRefusedByLine) {
    for (const std::string& bytes :
         {Utf16Marked(u"0=表計算ソフト～①ﾒﾓ\r\n"), Utf8Marked(u8"0=表計算ソフト～①ﾒﾓ\r\n")}) {
        std::string text = bytes, why;
        ASSERT_TRUE(settings_encoding::ToShiftJis(text, why)) << why;
        EXPECT_EQ(text, "0=表計算ソフト～①ﾒﾓ\r\n");
    }
    struct Case {
        std::string bytes;
        std::string why;
    } cases[] = {
        {Utf16Marked(u"a\r\nb=x〜y\r\n"),
         "UTF-16のファイルです。2行目にShift_JISで表せない文字があります。\n2行目: b=x?y"},
        {Utf8Marked(u8"a\nb\nc=¥1\n"), "UTF-8のファイルです。3行目にShift_JISで表せない文字があります。\n3行目: c=?1"},
        {Utf16Marked(u"x=é😀\r\n"), "UTF-16のファイルです。1行目にShift_JISで表せない文字があります。\n1行目: x=??"},
    };
    for (const Case& c : cases) {
        std::string text = c.bytes, why;
        EXPECT_FALSE(settings_encoding::ToShiftJis(text, why));
        EXPECT_EQ(why, c.why);
    }
}

// A file with a NUL byte is named and left exactly as it was, also by later saves of the run.
TEST(WinStore, ABinaryFileIsNamedAndLeftByteForByte) {
    WinFolder folder;
    const std::string path = folder.File("設定.INI");
    const std::string bytes = kFile.substr(0, 40) + std::string(512, '\0') + kFile.substr(40);
    Write(path, bytes);
    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    EXPECT_EQ(store.PageCount(), 0);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, path +
                                          "\nNUL文字を含んでいるため、テキストとして読めません。\n"
                                          "環境情報を読み込めません。今回はこのファイルに保存しません。");
    store.AddShortcut("新しい", "x.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(Read(path), bytes);
    EXPECT_EQ(GetFileAttributesA(settings_backup::BackupPathOf(path).c_str()), INVALID_FILE_ATTRIBUTES);
}

// ReplaceFileW keeps the replaced file under the backup name: the user's own bytes of a converted file on
// the first save, the last run's file on the next run's first save; a restore swaps file and backup.
TEST(WinStore, TheFirstSaveOfARunKeepsTheBackupAndRestoreSwapsIt) {
    WinFolder folder;
    const std::string path = folder.File("設定.INI");
    const std::string backup = settings_backup::BackupPathOf(path);
    const std::string original = Utf16Marked(u"[Page]\r\n0=表計算,-1,1,0,\"\",\"\"\r\n");
    Write(path, original);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    RecordingMessages messages;
    {
        SettingsStore store(messages, path);
        store.Load();
        ASSERT_EQ(store.PageCount(), 1);
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(Read(backup), original);
        store.AddShortcut("新しい", "x.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(Read(backup), original);
    }
    const std::string lastRun = Read(path);
    EXPECT_NE(lastRun.find("[Page]\r\n0=表計算,-1,1,0,\"\",\"\"\r\n[#00000]\r\nNamespace=新しい\r\n"),
              std::string::npos);
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    {
        SettingsStore store(messages, path);
        store.Load();
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(Read(backup), lastRun);
    }
    std::string error;
    ASSERT_EQ(settings_backup::Restore(path, error), settings_backup::RestoreResult::kRestored) << error;
    EXPECT_EQ(Read(backup), lastRun);  // the same bytes: the second run saved what it read
    Write(backup, original);
    ASSERT_EQ(settings_backup::Restore(path, error), settings_backup::RestoreResult::kRestored) << error;
    EXPECT_EQ(Read(path), original);
    EXPECT_EQ(Read(backup), lastRun);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A sync client or a virus scanner holds the file without sharing for a moment at start-up: the read is
// tried again and succeeds.
TEST(WinStore, AFileHeldForAMomentIsReadAfterARetry) {
    WinFolder folder;
    const std::string path = folder.File("設定.INI");
    Write(path, kFile);
    struct Holder {
        std::string path;
        HANDLE held = INVALID_HANDLE_VALUE;
        HANDLE taken = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        static DWORD WINAPI Run(void* data) {
            auto* holder = static_cast<Holder*>(data);
            holder->held = CreateFileA(holder->path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            SetEvent(holder->taken);
            Sleep(300);
            CloseHandle(holder->held);
            return 0;
        }
    } holder{path};
    HANDLE thread = CreateThread(nullptr, 0, Holder::Run, &holder, 0, nullptr);
    WaitForSingleObject(holder.taken, INFINITE);
    ASSERT_NE(holder.held, INVALID_HANDLE_VALUE);
    RecordingMessages messages;
    SettingsStore store(messages, path);
    store.Load();
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(holder.taken);
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes[0].text;
    EXPECT_FALSE(store.LoadFailed());
    EXPECT_EQ(store.PageCount(), 1);
    EXPECT_EQ(store.ShortcutCount(), 1);
}

}  // namespace
}  // namespace brindle

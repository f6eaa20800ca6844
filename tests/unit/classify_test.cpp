// Target kinds of command lines over a fake file system, and the folder of a command line.
#include <gtest/gtest.h>

#include "fake_system.h"
#include "launch/classify.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::FakeSystem;

class Classify : public ::testing::Test {
protected:
    void SetPolicy(int32_t iChkLoadIcon) {
        Preferences prefs;
        store.GetPreferences(prefs);
        prefs.iChkLoadIcon = iChkLoadIcon;
        store.SetPreferencesAndSave(prefs);
    }
    int Kind(const char* commandLine, int32_t check = 1) { return ClassifyTarget(commandLine, check, store, system); }
    static FoundFile Dir(const char* name) { return {name, "C:\\", true}; }
    static FoundFile File(const char* name) { return {name, "C:\\", false}; }

    testing::TempFolder folder;
    testing::RecordingMessages messages;
    SettingsStore store{messages, folder.File("Brindle.INI")};
    FakeSystem system;
};

TEST_F(Classify, WebPrefixesAreCaseSensitiveAndNeverSearched) {
    SetPolicy(2);
    for (const char* web : {"http://a/", "https://a/b c", "ftp://f", "gopher://g", "file://C:/x.exe"}) {
        EXPECT_EQ(Kind(web, 1), target::kWebAddress) << web;
        EXPECT_EQ(Kind(web, 0), target::kWebAddress) << web;
    }
    EXPECT_EQ(Kind("\"https://a/\" x"), target::kWebAddress);
    EXPECT_TRUE(system.searches.empty());

    EXPECT_EQ(Kind("HTTP://A/", 0), target::kFile);
    EXPECT_EQ(Kind("Https://a/", 0), target::kFile);
    EXPECT_EQ(Kind("http:/a.exe", 0), target::kProgram);
    EXPECT_EQ(Kind("HTTP://A/", 1), target::kMissing);
}

TEST_F(Classify, ExistenceCheckFindsFoldersFilesAndMissingTargets) {
    SetPolicy(2);
    system.files["C:\\Windows"] = {Dir("Windows")};
    system.files["C:\\*.*"] = {Dir("Windows"), File("boot.ini")};
    system.files["C:\\Program Files\\Ed\\ED.EXE"] = {File("ED.EXE")};
    system.files["C:\\a.txt"] = {File("a.txt")};
    system.files["C:\\表\\*.*"] = {Dir("."), Dir("..")};

    EXPECT_EQ(Kind("C:\\Windows"), target::kFolder);
    EXPECT_EQ(Kind("\"C:\\Program Files\\Ed\\ED.EXE\" -n"), target::kProgram);
    EXPECT_EQ(Kind("C:\\a.txt"), target::kFile);

    // Found only by the second search; a trailing backslash is not doubled.
    system.searches.clear();
    EXPECT_EQ(Kind("C:\\"), target::kFolder);
    EXPECT_EQ(system.searches, (std::vector<std::string>{"C:\\", "C:\\*.*"}));
    // 表 ends in the byte of a backslash, but is no backslash.
    system.searches.clear();
    EXPECT_EQ(Kind("C:\\表"), target::kFolder);
    EXPECT_EQ(system.searches, (std::vector<std::string>{"C:\\表", "C:\\表\\*.*"}));

    EXPECT_EQ(Kind("C:\\missing.exe"), target::kMissing);
    EXPECT_EQ(Kind("C:\\missing\\"), target::kMissing);
    // An empty command line names nothing: it is not taken for the top of the current drive.
    system.files["\\*.*"] = {Dir("Windows")};
    EXPECT_EQ(Kind("\"\""), target::kMissing);
    EXPECT_EQ(Kind(nullptr), target::kMissing);

    // Without the existence check only the name counts.
    system.searches.clear();
    EXPECT_EQ(Kind("C:\\Windows", 0), target::kFile);
    EXPECT_EQ(Kind("C:\\", 0), target::kFile);
    EXPECT_EQ(Kind("C:\\missing.exe", 0), target::kProgram);
    EXPECT_TRUE(system.searches.empty());
}

TEST_F(Classify, TheLastMatchDecides) {
    SetPolicy(2);
    system.files["C:\\t\\ed*"] = {File("ed.txt"), Dir("eddir")};
    EXPECT_EQ(Kind("C:\\t\\ed*"), target::kFolder);
    system.files["C:\\t\\ed*"] = {Dir("eddir"), File("ed.txt")};
    EXPECT_EQ(Kind("C:\\t\\ed*"), target::kFile);
    system.files["C:\\t\\*.exe"] = {Dir("a.exe"), File("b.exe")};
    EXPECT_EQ(Kind("C:\\t\\*.exe"), target::kProgram);
}

TEST_F(Classify, IconPolicyAndTheControlKeyGateTheDisk) {
    system.files["C:\\Windows"] = {Dir("Windows")};
    struct Case {
        int32_t policy;
        bool ctrl;
        bool allowed;
    } cases[] = {{0, false, true}, {0, true, false}, {1, false, false}, {1, true, false},
                 {2, false, true}, {2, true, true},  {7, true, true},   {-1, false, true}};
    for (const Case& c : cases) {
        SetPolicy(c.policy);
        system.keysDown.clear();
        if (c.ctrl)
            system.keysDown.insert(kVirtualKeyControl);
        system.searches.clear();
        SCOPED_TRACE(::testing::Message() << "iChkLoadIcon " << c.policy << " ctrl " << c.ctrl);
        EXPECT_EQ(TargetAccessAllowed(store, system), c.allowed);
        EXPECT_EQ(Kind("C:\\Windows"), c.allowed ? target::kFolder : target::kFile);
        EXPECT_EQ(Kind("C:\\gone.EXE"), c.allowed ? target::kMissing : target::kProgram);
        EXPECT_EQ(system.searches.empty(), !c.allowed);
    }
}

TEST_F(Classify, FolderOfCommandLineIsTheRootOfTheLastMatch) {
    system.variables["TOOLS"] = "C:\\Tools";
    system.files["C:\\Tools\\ed.exe"] = {{"ed.exe", "C:\\Tools", false}};
    system.files["C:\\Tools\\*.txt"] = {{"a.txt", "C:\\Tools", false}, {"b.txt", "C:\\Tools\\x", false}};
    EXPECT_EQ(FolderOfCommandLine("\"%TOOLS%\\ed.exe\" -n", system), "C:\\Tools");
    EXPECT_EQ(FolderOfCommandLine("C:\\Tools\\*.txt", system), "C:\\Tools\\x");
    EXPECT_EQ(FolderOfCommandLine("C:\\Tools\\gone.exe", system), "");

    system.searches.clear();
    EXPECT_EQ(FolderOfCommandLine("https://example.com/", system), "");
    EXPECT_EQ(FolderOfCommandLine(nullptr, system), "");
    EXPECT_TRUE(system.searches.empty());
}

}  // namespace
}  // namespace brindle

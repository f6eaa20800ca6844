#include "editing/edit_rules.h"
#include "launch/shortcut_proposal.h"

#include <set>

#include <gtest/gtest.h>

namespace brindle::dialogs {
namespace {

TEST(IconChoice, IndexIsReadWithAutomaticBaseAndIconZeroIsTheBareFile) {
    struct Case {
        const char* source;
        const char* file;
        int index;
    } cases[] = {
        {"C:\\lib.dll>3", "C:\\lib.dll", 3},
        {"C:\\lib.dll>0x10", "C:\\lib.dll", 16},
        {"C:\\lib.dll>010", "C:\\lib.dll", 8},
        {"C:\\lib.dll>12abc", "C:\\lib.dll", 12},  // reading stops at the first character that does not fit
        {"C:\\lib.dll>", "C:\\lib.dll", 0},
        {"C:\\a>b.dll>4", "C:\\a", 0},  // the first mark splits
        {"C:\\ソフト.dll", "C:\\ソフト.dll", 0},
        {"C:\\lib.dll>99999999999", "C:\\lib.dll", 0},  // no icon of any file
    };
    for (const Case& c : cases) {
        const IconChoice choice = SplitIconChoice(c.source);
        EXPECT_EQ(choice.file, c.file) << c.source;
        EXPECT_EQ(choice.index, c.index) << c.source;
    }
    EXPECT_EQ(JoinIconChoice("C:\\lib.dll", 0), "C:\\lib.dll");
    EXPECT_EQ(JoinIconChoice("C:\\lib.dll", -1), "C:\\lib.dll");
    EXPECT_EQ(JoinIconChoice("C:\\lib.dll", 7), "C:\\lib.dll>7");
}

TEST(ForbiddenCharacters, AreFoundByCharactersOfTheCodePage) {
    EXPECT_FALSE(ForbiddenCharacterMessage("ソフト表", kForbiddenInName));  // trail bytes 0x5C
    EXPECT_FALSE(ForbiddenCharacterMessage("say \"hi\"", kForbiddenInName));
    EXPECT_EQ(*ForbiddenCharacterMessage("say \"hi\"", kForbiddenInPageName),
              "以下の半角文字は使用しないでください。\n=,<>/\\\"");
    EXPECT_TRUE(ForbiddenCharacterMessage("ソ\\", kForbiddenInName));
}

}  // namespace
}  // namespace brindle::dialogs

namespace brindle {
namespace {

TEST(PathProposal, FileTitleDropsFolderAndLastExtension) {
    EXPECT_EQ(FileTitle("C:\\ソフト\\メモ.v1.txt"), "メモ.v1");
    EXPECT_EQ(FileTitle("表.lnk"), "表");  // 表 ends in the byte 0x5C
    EXPECT_EQ(FileTitle(".profile"), ".profile");
    EXPECT_EQ(FileTitle("C:\\folder"), "folder");
    EXPECT_TRUE(IsNetworkPath("\\\\server\\share\\a.exe"));
    EXPECT_FALSE(IsNetworkPath("C:\\a.exe"));
    EXPECT_EQ(LinkCommandLine("C:\\a b\\c.exe", ""), "\"C:\\a b\\c.exe\" ");
}

TEST(EditRules, TheProgramPartOfAnUnquotedCommandLineIsQuoted) {
    const std::set<std::string> files = {"C:\\Program Files\\App\\app.exe", "C:\\a b.txt", "C:\\ソフト 表\\x.exe",
                                         "%APPS%\\My App.exe", "C:\\one"};
    auto isFile = [&](const std::string& text) { return files.count(text) > 0; };
    EXPECT_EQ(dialogs::QuoteProgramPart("C:\\Program Files\\App\\app.exe -x \"a b\"", isFile),
              "\"C:\\Program Files\\App\\app.exe\" -x \"a b\"");
    EXPECT_EQ(dialogs::QuoteProgramPart("C:\\Program Files\\App\\app.exe ", isFile), "\"C:\\Program Files\\App\\app.exe\" ");
    EXPECT_EQ(dialogs::QuoteProgramPart("C:\\ソフト 表\\x.exe /s", isFile), "\"C:\\ソフト 表\\x.exe\" /s");
    EXPECT_EQ(dialogs::QuoteProgramPart("%APPS%\\My App.exe -n", isFile), "\"%APPS%\\My App.exe\" -n");
    // The first blank whose left part is a file decides, as the system tries them.
    EXPECT_EQ(dialogs::QuoteProgramPart("C:\\one two three", isFile), "\"C:\\one\" two three");
    // Unchanged: a whole text that is a file, a quoted one, no file before any blank, no blank at all.
    for (const char* same : {"C:\\a b.txt", "\"C:\\Program Files\\App\\app.exe\" -x", "C:\\Program Files\\Other.exe -x",
                             "notepad.exe", "http://example.com/a b", "", " C:\\one x"})
        EXPECT_EQ(dialogs::QuoteProgramPart(same, isFile), same);
}

}  // namespace
}  // namespace brindle

#include "launch/shell_texts.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(ShellTexts, IconSourceOfALinkByItsIndex) {
    EXPECT_EQ(LinkIconSource("C:\\i.ico", 0, "C:\\t.exe"), "C:\\i.ico");  // no index below 1
    EXPECT_EQ(LinkIconSource("", 0, "C:\\t.exe"), "");
    EXPECT_EQ(LinkIconSource("C:\\i.ico", -2, "C:\\t.exe"), "C:\\i.ico");
    EXPECT_EQ(LinkIconSource("", 3, "C:\\t.exe"), "C:\\t.exe>3");
    EXPECT_EQ(LinkIconSource("C:\\表.dll", 12, "C:\\t.exe"), "C:\\表.dll>12");
}

TEST(ShellTexts, HelpFileBesideTheModuleAndItsTopics) {
    EXPECT_EQ(HelpFileOfModule("C:\\Tools\\Launcher.exe"), "C:\\Tools\\Launcher.chm");
    EXPECT_EQ(HelpFileOfModule("C:\\v1.2\\run"), "C:\\v1.chm");  // the last '.' counts
    EXPECT_EQ(HelpFileOfModule("launcher"), "launcher");
    EXPECT_EQ(HelpTopic("C:\\Tools\\Launcher.chm", "index.htm"), "C:\\Tools\\Launcher.chm::/index.htm>mainwnd");
    EXPECT_EQ(HelpTopic("C:\\表\\b.chm", "sort.htm"), "C:\\表\\b.chm::/sort.htm>mainwnd");
}

}  // namespace
}  // namespace brindle

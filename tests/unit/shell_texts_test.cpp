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

TEST(ShellTexts, HelpTopicBesideTheModule) {
    EXPECT_EQ(HelpTopicOfModule("C:\\Tools\\Launcher.exe"), "C:\\Tools\\Launcher.chm::/index.htm>mainwnd");
    EXPECT_EQ(HelpTopicOfModule("C:\\v1.2\\run"), "C:\\v1.chm::/index.htm>mainwnd");  // the last '.' counts
    EXPECT_EQ(HelpTopicOfModule("launcher"), "launcher::/index.htm>mainwnd");
}

}  // namespace
}  // namespace brindle

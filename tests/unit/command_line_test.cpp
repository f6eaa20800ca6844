#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/instance_name.h"
#include "platform/instance_query.h"
#include "store/settings_path.h"

namespace brindle {
namespace {

using Tokens = std::vector<std::string>;

TEST(CommandLine, Tokens) {
    EXPECT_EQ(SplitCommandTokens(""), Tokens{});
    EXPECT_EQ(SplitCommandTokens("  a \t b  "), (Tokens{"a", "b"}));
    EXPECT_EQ(SplitCommandTokens("\"C:\\My Files\\b.ini\" -hidden"), (Tokens{"C:\\My Files\\b.ini", "-hidden"}));
    EXPECT_EQ(SplitCommandTokens("\"a b\"c d"), (Tokens{"a b", "c", "d"}));  // glued to the closing quote
    EXPECT_EQ(SplitCommandTokens("ab\"c d\""), (Tokens{"ab\"c", "d\""}));    // quotes inside stay
    EXPECT_EQ(SplitCommandTokens("x \"open  end"), (Tokens{"x", "open  end"}));
    EXPECT_EQ(SplitCommandTokens("\"\""), (Tokens{""}));
    // "表" is 0x95 0x5C and "ソ" 0x83 0x5C: trail bytes are no blanks and no quotes.
    EXPECT_EQ(SplitCommandTokens("\"C:\\表\\ソ\" 表"), (Tokens{"C:\\表\\ソ", "表"}));
}

TEST(CommandLine, Options) {
    StartOptions none = ParseStartOptions("");
    EXPECT_FALSE(none.reverseButtons);
    EXPECT_FALSE(none.startHidden);
    EXPECT_EQ(none.settingsFile, "");

    StartOptions a = ParseStartOptions("/hidden \"-keyrev\" first.ini second.ini");
    EXPECT_TRUE(a.startHidden);
    EXPECT_TRUE(a.reverseButtons);  // the quotes go before options are recognised
    EXPECT_EQ(a.settingsFile, "first.ini");

    StartOptions b = ParseStartOptions("-Hidden -x /unknown -hiddenx");
    EXPECT_FALSE(b.startHidden);  // case-sensitive, and never a settings file
    EXPECT_EQ(b.settingsFile, "");

    EXPECT_TRUE(ParseStartOptions("-hidden").startHidden);
    EXPECT_TRUE(ParseStartOptions("-keyrev").reverseButtons);
    StartOptions restore = ParseStartOptions("-restore \"C:\\My Files\\b.ini\"");
    EXPECT_TRUE(restore.restoreBackup);
    EXPECT_EQ(restore.settingsFile, "C:\\My Files\\b.ini");
    EXPECT_TRUE(ParseStartOptions("/restore").restoreBackup);
    EXPECT_FALSE(ParseStartOptions("-Restore -restorex restore").restoreBackup);
    EXPECT_FALSE(a.restoreBackup);
    EXPECT_EQ(ParseStartOptions("\"\" x.ini").settingsFile, "");  // an empty quoted token is the first file
}

TEST(InstanceName, ReversedPathWithSuffix) {
    EXPECT_EQ(InstanceName("C:\\Tools\\Brindle.INI"), "INI.eldnirB/slooT/:C_MutexBrindleByORIOLEMar 21 200712:27:04");
    // Double-byte characters keep their bytes in order; their trail byte 0x5C becomes '/' too.
    EXPECT_EQ(InstanceName("C:\\表ソ.INI"), "INI.\x83/\x95//:C_MutexBrindleByORIOLEMar 21 200712:27:04");
    EXPECT_NE(InstanceName("c:\\tools\\brindle.ini"), InstanceName("C:\\Tools\\Brindle.INI"));
}

TEST(InstanceName, CutAt1023Bytes) {
    std::string longPath(2000, 'a');
    std::string name = InstanceName(longPath);
    EXPECT_EQ(name.size(), 1023u);
    EXPECT_EQ(name.substr(0, 1006), std::string(1006, 'a'));
    EXPECT_EQ(name[1006], '#');
    EXPECT_EQ(name.find_first_not_of("0123456789abcdef", 1007), std::string::npos);
    std::string exact(1023 - 40, 'b');  // + "_" + 39-byte suffix = 1023
    EXPECT_EQ(InstanceName(exact).size(), 1023u);
    EXPECT_EQ(InstanceName(exact).substr(1023 - 39), "MutexBrindleByORIOLEMar 21 200712:27:04");
}

// A long path loses its end to the cut, and the reversed path ends in the drive letter: two such paths
// must still give two names and two locks.
TEST(InstanceName, LongPathsOnTwoDrivesGiveTwoLocks) {
    for (size_t length : {300u, 1000u, 2000u, 32000u}) {
        SCOPED_TRACE(length);
        const std::string folder = std::string(length, 'f') + "\\Brindle.INI";
        const std::string c = InstanceName("C:\\" + folder), d = InstanceName("D:\\" + folder);
        EXPECT_LE(c.size(), 1023u);
        EXPECT_NE(c, d);
        EXPECT_LE(LockName(c).size(), 259u);
        EXPECT_NE(LockName(c), LockName(d));
        EXPECT_EQ(LockName(c), LockName(InstanceName("C:\\" + folder)));
    }
}

TEST(SettingsPath, ModulePathWithItsExtensionReplaced) {
    EXPECT_EQ(SettingsPathForModule("C:\\Tools\\Brindle.exe"), "C:\\Tools\\Brindle.INI");
    EXPECT_EQ(SettingsPathForModule("C:\\Tools\\My.Launcher.exe"), "C:\\Tools\\My.Launcher.INI");
    EXPECT_EQ(SettingsPathForModule("C:\\My.Tools\\brindle.exe"), "C:\\My.Tools\\brindle.INI");
    // Without an extension of its own, a dot in a folder's name is not the program's.
    EXPECT_EQ(SettingsPathForModule("C:\\My.Tools\\brindle"), "C:\\My.Tools\\brindle.INI");
    EXPECT_EQ(SettingsPathForModule("C:\\Tools\\brindle"), "C:\\Tools\\brindle.INI");
    // 0x5C as the trail byte of a double-byte character is no separator.
    EXPECT_EQ(SettingsPathForModule("C:\\Tools\\a.\x95\x5C"), "C:\\Tools\\a.INI");
    EXPECT_EQ(SettingsPathForModule("C:\\a.b\\\x95\x5C"), "C:\\a.b\\\x95\x5C.INI");
}

TEST(InstanceName, LockNamesFitKernelObjectNames) {
    const std::string shortName = InstanceName("C:\\Tools\\Brindle.INI");
    EXPECT_EQ(LockName(shortName), shortName);
    const std::string a = InstanceName("C:\\" + std::string(300, 'a') + "\\Brindle.INI");
    const std::string b = InstanceName("C:\\" + std::string(300, 'a') + "\\Brindlf.INI");
    EXPECT_LE(LockName(a).size(), 259u);
    EXPECT_EQ(LockName(a), LockName(a));
    EXPECT_NE(LockName(a), LockName(b));  // same first 240 bytes, other files
    EXPECT_EQ(LockName(a).substr(0, 240), a.substr(0, 240));
    EXPECT_EQ(LockName(std::string(259, 'x')), std::string(259, 'x'));
    EXPECT_EQ(LockName(std::string(260, 'x')).size(), 240u + 17u);
}

TEST(InstanceQuery, NamesFromAnotherProcessAreComparedSafely) {
    const std::string own = "INI.x_Mutex";
    EXPECT_EQ(instance_query::NamePrefix(own), 0x2E494E49u);  // "INI." little-endian
    EXPECT_EQ(instance_query::NamePrefix("ab"), 0x6261u);
    EXPECT_TRUE(instance_query::SameName(own.c_str(), own.size() + 1, own));
    EXPECT_TRUE(instance_query::SameName((own + std::string("\0junk", 5)).data(), own.size() + 5, own));
    EXPECT_FALSE(instance_query::SameName(own.c_str(), own.size(), own));  // no terminator
    EXPECT_FALSE(instance_query::SameName("INI.x_Mutey", 12, own));
    EXPECT_FALSE(instance_query::SameName("INI.x", 6, own));
    EXPECT_FALSE(instance_query::SameName(nullptr, 12, own));
    EXPECT_FALSE(instance_query::SameName(own.c_str(), 0, own));
    std::string huge(5000, 'x');
    EXPECT_FALSE(instance_query::SameName(huge.c_str(), huge.size() + 1, huge));
}

}  // namespace
}  // namespace brindle

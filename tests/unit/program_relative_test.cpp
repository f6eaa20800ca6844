// Paths written relative to the program: resolved against its folder or drive wherever a target is used,
// and made drive-relative when a shortcut is stored with the preference on.
#include <gtest/gtest.h>

#include "fake_system.h"
#include "launch/classify.h"
#include "launch/command_line.h"
#include "launch/launch_plan.h"
#include "launch/program_relative.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::FakeSystem;

TEST(ProgramRelative, FolderAndDriveOfTheModule) {
    EXPECT_EQ(ProgramFolderOf("E:\\Tools\\brindle.exe"), "E:\\Tools");
    EXPECT_EQ(ProgramFolderOf("E:\\brindle.exe"), "E:");
    // 0x5C is the trail byte of "表": no folder ends inside the character.
    EXPECT_EQ(ProgramFolderOf("E:\\表\\brindle.exe"), "E:\\表");
    EXPECT_EQ(ProgramFolderOf("E:\\ソ表"), "E:");
    EXPECT_EQ(ProgramFolderOf("brindle.exe"), "");

    EXPECT_EQ(DriveOf("e:\\Tools"), "e:");
    EXPECT_EQ(DriveOf("E:"), "E:");
    EXPECT_EQ(DriveOf("\\\\server\\share\\Tools"), "\\\\server\\share");
    EXPECT_EQ(DriveOf("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(DriveOf("\\\\server"), "");
    EXPECT_EQ(DriveOf("\\Tools"), "");
    EXPECT_EQ(DriveOf("Tools"), "");
}

TEST(ProgramRelative, ResolvesDotDotDotAndDriveRelativePathsOnly) {
    const std::string folder = "E:\\Stick\\Brindle";
    EXPECT_EQ(ResolveProgramRelative(".\\Tools\\x.exe", folder), "E:\\Stick\\Brindle\\Tools\\x.exe");
    EXPECT_EQ(ResolveProgramRelative("./Tools/x.exe", folder), "E:\\Stick\\Brindle\\Tools/x.exe");
    EXPECT_EQ(ResolveProgramRelative("..\\Apps\\y.exe", folder), "E:\\Stick\\Apps\\y.exe");
    EXPECT_EQ(ResolveProgramRelative(".\\..\\.\\..\\z.exe", folder), "E:\\z.exe");
    EXPECT_EQ(ResolveProgramRelative("..\\..\\..\\..\\z.exe", folder), "E:\\z.exe");  // never above the drive
    EXPECT_EQ(ResolveProgramRelative(".", folder), folder);
    EXPECT_EQ(ResolveProgramRelative("..", folder), "E:\\Stick");
    EXPECT_EQ(ResolveProgramRelative("..\\..", folder), "E:\\");  // the drive's top, not its current folder
    EXPECT_EQ(ResolveProgramRelative("\\PortableApps\\z.exe", folder), "E:\\PortableApps\\z.exe");
    EXPECT_EQ(ResolveProgramRelative("\\", folder), "E:\\");
    EXPECT_EQ(ResolveProgramRelative("\\表\\z.exe", "E:\\ソ表"), "E:\\表\\z.exe");
    EXPECT_EQ(ResolveProgramRelative("..\\a.exe", "E:\\ソ表\\b"), "E:\\ソ表\\a.exe");
    EXPECT_EQ(ResolveProgramRelative("..\\a.exe", "\\\\nas\\share\\b"), "\\\\nas\\share\\a.exe");
    EXPECT_EQ(ResolveProgramRelative("..\\..\\a.exe", "\\\\nas\\share\\b"), "\\\\nas\\share\\a.exe");
    EXPECT_EQ(ResolveProgramRelative("\\a.exe", "\\\\nas\\share\\b"), "\\\\nas\\share\\a.exe");

    // Everything else is left to the system as it always was.
    for (const char* kept : {"C:\\x.exe", "c:x.exe", "x.exe", "Tools\\x.exe", "\\\\server\\share\\x.exe",
                             "..x.exe", ".hidden\\x.exe", "...\\x.exe", "http://example.com/", ""}) {
        EXPECT_EQ(ResolveProgramRelative(kept, folder), kept);
    }
    // A program with no drive (no module path) resolves nothing.
    EXPECT_EQ(ResolveProgramRelative(".\\x.exe", ""), ".\\x.exe");
    EXPECT_EQ(ResolveProgramRelative("\\x.exe", ""), "\\x.exe");
}

TEST(ProgramRelative, MakesPathsOnTheProgramsDriveDriveRelative) {
    const std::string folder = "E:\\Stick\\Brindle";
    EXPECT_EQ(MakeDriveRelative("E:\\Apps\\x.exe", folder), "\\Apps\\x.exe");
    EXPECT_EQ(MakeDriveRelative("e:\\Apps\\x.exe", folder), "\\Apps\\x.exe");
    EXPECT_EQ(MakeDriveRelative("D:\\Apps\\x.exe", folder), "D:\\Apps\\x.exe");
    EXPECT_EQ(MakeDriveRelative("E:Apps\\x.exe", folder), "E:Apps\\x.exe");
    EXPECT_EQ(MakeDriveRelative(".\\x.exe", folder), ".\\x.exe");
    EXPECT_EQ(MakeDriveRelative("E:\\Apps\\x.exe", ""), "E:\\Apps\\x.exe");
    EXPECT_EQ(MakeDriveRelative("\\\\nas\\share\\x.exe", "\\\\nas\\share\\b"), "\\x.exe");
    EXPECT_EQ(MakeDriveRelative("\\\\nas\\shared\\x.exe", "\\\\nas\\share\\b"), "\\\\nas\\shared\\x.exe");

    EXPECT_EQ(MakeCommandLineDriveRelative("\"E:\\A b\\x.exe\" E:\\doc.txt", folder), "\"\\A b\\x.exe\" E:\\doc.txt");
    EXPECT_EQ(MakeCommandLineDriveRelative("E:\\x.exe", folder), "\\x.exe");
    EXPECT_EQ(MakeCommandLineDriveRelative("\"E:\\x.exe", folder), "\"E:\\x.exe");  // no closing quote: kept
    EXPECT_EQ(MakeCommandLineDriveRelative("http://e/", folder), "http://e/");

    // What is made relative resolves back to where it was, from that drive and from any other letter.
    for (const char* path : {"E:\\Apps\\x.exe", "E:\\表\\ソ.exe", "E:\\"}) {
        const std::string stored = MakeDriveRelative(path, folder);
        EXPECT_EQ(ResolveProgramRelative(stored, folder), path);
        std::string moved = path;
        moved[0] = 'G';
        EXPECT_EQ(ResolveProgramRelative(stored, "G:\\Stick\\Brindle"), moved);
    }
}

// The one place every use of a target goes through: launching, the existence check and "Exist folder"
// (the icon reader, the shell menu and paste take their file from the same split).
TEST(ProgramRelative, LaunchClassifyAndExistFolderResolveAgainstTheProgramNotTheCurrentFolder) {
    FakeSystem system;
    system.modulePath = "G:\\Stick\\brindle.exe";
    system.variables["BRINDLE_DRIVE"] = "G:";
    testing::RecordingMessages messages;
    SettingsStore store(messages, "unused.ini");

    std::string file, parameters;
    SplitCommandLine("\".\\Tools\\x.exe\" -a .\\doc.txt", file, parameters, system);
    EXPECT_EQ(file, "G:\\Stick\\Tools\\x.exe");
    EXPECT_EQ(parameters, " -a .\\doc.txt");  // parameters are the program's own business
    SplitCommandLine("%BRINDLE_DRIVE%\\Apps\\y.exe", file, parameters, system);
    EXPECT_EQ(file, "G:\\Apps\\y.exe");

    ShortcutRecord shortcut;
    shortcut.commandLine = "\\PortableApps\\z.exe";
    shortcut.workFolder = "..\\Work";
    LaunchPlan plan;
    std::string error;
    ASSERT_TRUE(PlanLaunch(shortcut, {}, system, plan, error));
    EXPECT_EQ(plan.file, "G:\\PortableApps\\z.exe");
    EXPECT_EQ(plan.directory, "G:\\Work");

    system.files["G:\\Stick\\Tools\\x.exe"] = {{"x.exe", "G:\\Stick\\Tools", false}};
    EXPECT_EQ(ClassifyTarget(".\\Tools\\x.exe", 1, store, system), target::kProgram);
    EXPECT_EQ(ClassifyTarget(".\\Tools\\gone.exe", 1, store, system), target::kMissing);
    EXPECT_EQ(system.searches.front(), "G:\\Stick\\Tools\\x.exe");
    EXPECT_EQ(FolderOfCommandLine("\".\\Tools\\x.exe\" -a", system), "G:\\Stick\\Tools");
}

}  // namespace
}  // namespace brindle

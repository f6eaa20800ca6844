// The command-line tool, run as a user runs it.
#include <sys/wait.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "test_support.h"

namespace brindle {
namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class BrindleSettings : public ::testing::Test {
protected:
    Result Run(const std::string& args) {
        const std::string errFile = folder.File("stderr.txt");
        std::string command = std::string(BRINDLE_SETTINGS_EXE) + " " + args + " 2>" + errFile;
        Result result;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.out.append(buffer, got);
        int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = testing::ReadBytes(errFile);
        return result;
    }
    std::string Quote(const std::string& path) { return "'" + path + "'"; }

    testing::TempFolder folder;
    std::string in = folder.File("in.ini");
    std::string out = folder.File("out.ini");
};

TEST_F(BrindleSettings, DumpPrintsTheStoreAsJsonInUtf8) {
    // Written as Shift_JIS bytes (this file's literals are compiled to CP932).
    testing::WriteBytes(in,
                        "[Brindle]\r\nclrTreeText=-16777216\r\nwinMainFrame=1,2,3,4\r\nlfFaceName=ＭＳ ゴシック\r\n"
                        "[Page]\r\n5=表計算,-1,1,0,\"a.ico>1\",\"\"\r\n"
                        "[#0]\r\nNamespace=名前\"引用\"\r\nCommandLine=C:\\a\tb\r\nNoCheck=1\r\n");
    Result r = Run("dump " + Quote(in));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const std::string& json = r.out;
    EXPECT_NE(json.find("\"loadError\": false"), std::string::npos);
    EXPECT_NE(json.find("\"clrTreeText\": 4278190080"), std::string::npos);
    EXPECT_NE(json.find("\"winMainFrame\": [1, 2, 3, 4]"), std::string::npos);
    EXPECT_NE(
        json.find("\"lfFaceName\": \"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF\""),
        std::string::npos);
    EXPECT_NE(json.find("\"lfHeight\": -12"), std::string::npos);
    EXPECT_EQ(json.find("bAltTab"), std::string::npos);
    EXPECT_NE(json.find("{\"id\": 5, \"name\": \"\xE8\xA1\xA8\xE8\xA8\x88\xE7\xAE\x97\", \"parent\": -1, "
                        "\"expanded\": 1, \"useIcons\": 0, \"normalIcon\": \"a.ico>1\", \"selectedIcon\": null}"),
              std::string::npos);
    EXPECT_NE(json.find("\"name\": \"\xE5\x90\x8D\xE5\x89\x8D\\\"\xE5\xBC\x95\xE7\x94\xA8\\\"\", "
                        "\"commandLine\": \"C:\\\\a\\u0009b\", \"icon\": null"),
              std::string::npos);
    EXPECT_NE(json.find("\"check\": 0, \"comment\": null, \"runAs\": 0}"), std::string::npos);

    // 45 members in the preferences object.
    size_t begin = json.find("\"preferences\": {"), end = json.find('}', begin);
    size_t members = 0;
    for (size_t i = begin; i < end; ++i)
        members += json[i] == ':';
    EXPECT_EQ(members, 46u);  // 45 and the one of "preferences"
}

TEST_F(BrindleSettings, DumpOfAFileWithADelimiterError) {
    testing::WriteBytes(in, "[Page]\r\n1;A\r\n");
    Result r = Run("dump " + Quote(in));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"loadError\": true"), std::string::npos);
    EXPECT_EQ(r.err,
              "\xE7\x92\xB0\xE5\xA2\x83\xEF\xBE\x8C\xEF\xBD\xA7\xEF\xBD\xB2\xEF\xBE\x99\xE8\xAA\xAD\xE3\x81\xBF"
              "\xE8\xBE\xBC\xE3\x81\xBF\xEF\xBD\xB4\xEF\xBE\x97\xEF\xBD\xB0\n"
              "\xE5\x8C\xBA\xE5\x88\x87\xE3\x82\x8A\xE6\x96\x87\xE5\xAD\x97\xE3\x82\x92\xE8\xAA\x8D\xE8\xAD\x98"
              "\xE3\x81\xA7\xE3\x81\x8D\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\xE3\x80\x82\xE7\xA2\xBA\xE8\xAA\x8D"
              "\xE3\x81\x97\xE3\x81\xA6\xE4\xB8\x8B\xE3\x81\x95\xE3\x81\x84\n");
}

TEST_F(BrindleSettings, ResaveWritesWhatTheProgramWouldAndRefusesBrokenFiles) {
    testing::WriteBytes(in, "[Page]\n1=A,-1,0,0,,\n[#9]\nNamespace=x\nCommandLine=y\n");
    Result r = Run("resave " + Quote(in) + " " + Quote(out));
    EXPECT_EQ(r.status, 0) << r.err;
    std::string written = testing::ReadBytes(out);
    EXPECT_NE(written.find("[Page]\r\n1=A,-1,0,0,\"\",\"\"\r\n[#00000]\r\nNamespace=x\r\nCommandLine=y\r\n"),
              std::string::npos);
    EXPECT_EQ(Run("resave " + Quote(out) + " " + Quote(out + "2")).status, 0);
    EXPECT_EQ(testing::ReadBytes(out + "2"), written);

    testing::WriteBytes(in, "[Brindle]\r\nwinAboutBox=1 2 3 4\r\n");
    testing::WriteBytes(out, "keep me");
    r = Run("resave " + Quote(in) + " " + Quote(out));
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(testing::ReadBytes(out), "keep me");

    EXPECT_EQ(Run("resave " + Quote(folder.File("missing.ini")) + " " + Quote(out)).status, 2);
    EXPECT_EQ(
        Run("resave " + Quote(in.substr(0, 0) + folder.File("out.ini")) + " " + Quote(folder.File("no/such/dir/x.ini")))
            .status,
        2);
}

// OUT is a name, not a pattern: "backup[12].ini" must not overwrite backup1.ini.
TEST_F(BrindleSettings, ResaveWritesOutExactlyAsNamed) {
    testing::WriteBytes(in, "[Page]\r\n1=A,-1,0,0,,\r\n");
    const std::string backup = folder.File("backup1.ini");
    testing::WriteBytes(backup, "keep me");
    const std::string pattern = folder.File("backup[12].ini");
    for (const std::string& target : {pattern, folder.File("backup?.ini"), folder.File("b*.ini")}) {
        Result r = Run("resave " + Quote(in) + " " + Quote(target));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(testing::ReadBytes(backup), "keep me") << target;
        EXPECT_NE(testing::ReadBytes(target).find("[Page]\r\n1=A,"), std::string::npos) << target;
    }
}

// UTF-8 bytes, as the tool prints and takes them (plain literals here are Shift_JIS).
std::string U8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

TEST_F(BrindleSettings, PlanPrintsWhatTheLaunchWouldHandToTheShell) {
    setenv("BRINDLE_PLAN_TOOLS", "/opt/tools", 1);
    testing::WriteBytes(in,
                        "[#0]\r\nNamespace=a\r\nCommandLine=\"%BRINDLE_PLAN_TOOLS%\\表 計算.exe\" -n %TEMP_X%\r\n"
                        "Workfolder=%BRINDLE_PLAN_TOOLS%\\作業\r\nShowType=1\r\n"
                        "[#1]\r\nNamespace=b\r\nCommandLine=ed.exe\r\nShowType=9\r\n"
                        "[#2]\r\nNamespace=c\r\nCommandLine=\"\"\r\n"
                        "[#3]\r\nNamespace=d\r\nCommandLine=x.exe\r\nNoCheck=1\r\n");
    Result r = Run("plan " + Quote(in) + " 0 " + Quote(U8(u8"C:\\予定 表.txt")));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, U8(u8"{\"file\": \"/opt/tools\\\\表 計算.exe\", \"parameters\": \" -n %TEMP_X%\", "
                        u8"\"directory\": \"/opt/tools\\\\作業\", \"show\": 3}\n"));

    r = Run("plan " + Quote(in) + " 1 " + Quote(U8(u8"C:\\予定 表.txt")) + " b.txt");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, U8(u8"{\"file\": \"ed.exe\", \"parameters\": \" \\\"C:\\\\予定 表.txt\\\" \\\"b.txt\\\"\", "
                        u8"\"directory\": \"\", \"show\": 1}\n"));

    r = Run("plan " + Quote(in) + " 2");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, U8(u8"{\"error\": \"コマンドラインが空です。\"}\n"));

    for (const char* index : {"4", "-1", "x", "1x", ""}) {
        r = Run("plan " + Quote(in) + " " + Quote(index));
        EXPECT_EQ(r.status, 2) << index;
        EXPECT_EQ(r.out, "") << index;
    }
    EXPECT_EQ(Run("plan " + Quote(folder.File("missing.ini")) + " 0").status, 2);
}

// A file an editor saved as UTF-16 dumps as the program reads it; one that is no text fails by name.
TEST_F(BrindleSettings, DumpReadsOtherEncodingsAndRefusesBinaryFiles) {
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : std::u16string_view(u"[Page]\r\n5=表計算,-1,1,0,\"\",\"\"\r\n")) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    testing::WriteBytes(in, utf16);
    Result r = Run("dump " + Quote(in));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(U8(u8"{\"id\": 5, \"name\": \"表計算\"")), std::string::npos) << r.out;

    testing::WriteBytes(in, std::string("[Page]\r\n\0\0", 10));
    r = Run("dump " + Quote(in));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(in + U8(u8"\nNUL文字を含んでいるため"), 0), 0u) << r.err;
}

// resave keeps the file it replaces as OUT.bak; restore puts it back after asking on the terminal.
TEST_F(BrindleSettings, RestorePutsTheBackupBackAfterAskingOrWithYes) {
    testing::WriteBytes(in, "[Page]\r\n1=New,-1,0,0,,\r\n");
    testing::WriteBytes(out, "old");
    ASSERT_EQ(Run("resave " + Quote(in) + " " + Quote(out)).status, 0);
    EXPECT_EQ(testing::ReadBytes(out + ".bak"), "old");
    const std::string saved = testing::ReadBytes(out);

    const std::string answer = folder.File("answer.txt");
    for (const char* no : {"n\n", "", "yess\n"}) {
        testing::WriteBytes(answer, no);
        Result r = Run("restore " + Quote(out) + " <" + Quote(answer));
        EXPECT_EQ(r.status, 1) << no;
        EXPECT_NE(r.err.find("? [y/N]"), std::string::npos) << r.err;
        EXPECT_EQ(testing::ReadBytes(out), saved);
    }
    testing::WriteBytes(answer, "y\n");
    EXPECT_EQ(Run("restore " + Quote(out) + " <" + Quote(answer)).status, 0);
    EXPECT_EQ(testing::ReadBytes(out), "old");
    EXPECT_EQ(testing::ReadBytes(out + ".bak"), saved);
    EXPECT_EQ(Run("restore --yes " + Quote(out) + " </dev/null").status, 0);
    EXPECT_EQ(testing::ReadBytes(out), saved);

    Result r = Run("restore " + Quote(in) + " </dev/null");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no backup " + in + ".bak"), std::string::npos) << r.err;
}

TEST_F(BrindleSettings, VersionIsTheProjectVersion) {
    Result r = Run("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "brindle-settings " BRINDLE_PROJECT_VERSION "\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(BrindleSettings, UsageErrors) {
    for (const char* args : {"", "dump", "dump a b", "resave a", "frobnicate x", "--help", "plan a", "restore",
                             "restore --no x", "restore a b c", "--version x"}) {
        Result r = Run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage: brindle-settings"), std::string::npos) << args;
    }
}

}  // namespace
}  // namespace brindle

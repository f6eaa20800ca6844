// The compiled help file as the build makes it, read back with chmls (fp-utils): every page of the
// project and every page the program opens is in it, with the window type the program asks for, the
// contents and the index; the pages are in the code page they declare and link only to pages it holds.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "launch/help_topics.h"
#include "test_support.h"
#include "text/sjis.h"

namespace brindle {
namespace {

std::string RunCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, got);
    pclose(pipe);
    return out;
}

// The pages the project lists for compiling ([FILES] of the help project).
std::set<std::string> ProjectPages() {
    std::ifstream project(std::string(BRINDLE_HELP_SOURCE) + "/Brindle.hhp");
    std::set<std::string> pages;
    std::string line;
    bool inFiles = false;
    while (std::getline(project, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with("["))
            inFiles = line == "[FILES]";
        else if (inFiles && line.ends_with(".htm"))
            pages.insert(line);
    }
    return pages;
}

// Whether `bytes` is whole Shift_JIS: every lead byte has its trail byte.
bool IsShiftJis(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (sjis::IsLeadByte(c)) {
            if (i + 1 >= bytes.size())
                return false;
            const unsigned char trail = static_cast<unsigned char>(bytes[++i]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC)
                return false;
        } else if (c >= 0x80 && !(c >= 0xA1 && c <= 0xDF)) {
            return false;  // neither ASCII nor a half-width kana
        }
    }
    return true;
}

class HelpFile : public ::testing::Test {
protected:
    // The file is extracted once for the suite.
    static void SetUpTestSuite() {
        folder = std::filesystem::temp_directory_path() / ("brindle-help-test-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        RunCommand(std::string(BRINDLE_CHMLS) + " extractall '" BRINDLE_HELP_FILE "' '" + folder.string() + "'");
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    static std::string Extracted(const std::string& name) { return testing::ReadBytes((folder / name).string()); }
    static std::string Chmls(const std::string& command) {
        return RunCommand(std::string(BRINDLE_CHMLS) + " " + command + " '" BRINDLE_HELP_FILE "'");
    }

    static inline std::filesystem::path folder;
};

TEST_F(HelpFile, HoldsEveryPageOfTheProjectAndEveryPageTheProgramOpens) {
    const std::string listing = Chmls("-n list");
    const std::set<std::string> pages = ProjectPages();
    EXPECT_GE(pages.size(), 16u);
    for (const std::string& page : pages)
        EXPECT_NE(listing.find("/" + page + "\n"), std::string::npos) << page;
    for (const char* page : help::kOpenedPages) {
        EXPECT_TRUE(pages.count(page)) << page << " is opened by the program but not compiled";
        EXPECT_NE(listing.find(std::string("/") + page + "\n"), std::string::npos) << page;
    }
    for (const char* file : {"/toc.hhc\n", "/index.hhk\n", "/style.css\n", "/#WINDOWS\n", "/#SYSTEM\n"})
        EXPECT_NE(listing.find(file), std::string::npos) << file;
}

TEST_F(HelpFile, TheProgramsWindowTypeWithContentsIndexAndStartPage) {
    const std::string windows = Chmls("printwindows");
    EXPECT_NE(windows.find("Entries in #Windows                         : 1"), std::string::npos) << windows;
    EXPECT_TRUE(std::regex_search(windows, std::regex(std::string("WindowType +: ") + help::kWindowType + " ")));
    EXPECT_TRUE(std::regex_search(windows, std::regex("TOC File +: toc.hhc ")));
    EXPECT_TRUE(std::regex_search(windows, std::regex("Index File +: index.hhk ")));
    EXPECT_TRUE(std::regex_search(windows, std::regex(std::string("Default File +: ") + help::kStartPage + " ")));
    // The contents beside the page: a pane of no width would hide them.
    EXPECT_FALSE(std::regex_search(windows, std::regex("navigation pane in pixels +: 0+\\b"))) << windows;
    // The caption of the help window, in Shift_JIS.
    EXPECT_NE(windows.find("Title Bar Text                            : ぶりんどる ヘルプ"), std::string::npos);

    const std::string system = Chmls("printsystem");
    EXPECT_NE(system.find(std::string("Default Window from [options] :") + help::kWindowType), std::string::npos);
    EXPECT_NE(system.find(std::string("Default topic from [options]  :") + help::kStartPage), std::string::npos);
    EXPECT_NE(system.find("LCID from HHP file                : 1041"), std::string::npos);  // Japanese
    EXPECT_NE(system.find("Timestamp (32-bit?)           :0 "), std::string::npos);         // no build time
}

TEST_F(HelpFile, ContentsAndIndexReachOnlyCompiledPages) {
    const std::set<std::string> pages = ProjectPages();
    const std::string contents = Extracted("toc.hhc");
    for (const std::string& page : pages)
        EXPECT_NE(contents.find("value=\"" + page + "\""), std::string::npos) << page << " is not in the contents";

    const std::string index = Extracted("index.hhk");
    const std::regex local("name=\"Local\" value=\"([^\"]+)\"");
    int keywords = 0;
    for (auto it = std::sregex_iterator(index.begin(), index.end(), local); it != std::sregex_iterator(); ++it) {
        ++keywords;
        EXPECT_TRUE(pages.count((*it)[1])) << (*it)[1];
    }
    EXPECT_GE(keywords, 30);
    for (const std::string& sitemap : {contents, index}) {
        EXPECT_TRUE(IsShiftJis(sitemap));
        EXPECT_NE(sitemap.find("charset=Shift_JIS"), std::string::npos);
    }
}

TEST_F(HelpFile, PagesAreShiftJisAsTheyDeclareWithTitlesAndLinksThatResolve) {
    const std::set<std::string> pages = ProjectPages();
    const std::regex link("href=\"([^\"#]+)(#[^\"]*)?\"");
    const std::regex title("<title>([^<]+)</title>");
    for (const std::string& page : pages) {
        const std::string html = Extracted(page);
        ASSERT_FALSE(html.empty()) << page;
        EXPECT_TRUE(IsShiftJis(html)) << page;
        EXPECT_NE(html.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"),
                  std::string::npos)
            << page;
        EXPECT_EQ(html.find("utf-8"), std::string::npos) << page;
        std::smatch match;
        EXPECT_TRUE(std::regex_search(html, match, title)) << page;
        for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator(); ++it) {
            const std::string target = (*it)[1];
            EXPECT_TRUE(pages.count(target) || target == "style.css") << page << " links to " << target;
        }
    }
}

}  // namespace
}  // namespace brindle

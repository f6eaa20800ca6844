// Folders imported as pages over a fake file system: pages only where there are shortcuts, merged
// roots, no shortcut twice on a page, cancelling keeps what was imported.
#include <gtest/gtest.h>

#include <map>

#include "fake_system.h"
#include "importing/folder_import.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::FakeSystem;

// Every file makes a shortcut to "<title>.exe", the name its title; "x.none" makes nothing.
class TitleReader : public ShortcutReader {
public:
    ShortcutProposal Read(const std::string& path, const FoundFile&) override {
        ++reads;
        ShortcutProposal proposal;
        const std::string title = path.substr(path.rfind('\\') + 1);
        if (title == "x.none")
            return proposal;
        proposal.name = title.substr(0, title.rfind('.'));
        proposal.commandLine = "C:\\bin\\" + proposal.name + ".exe";
        proposal.readIcon = true;
        return proposal;
    }
    int reads = 0;
};

class CountingProgress : public ImportProgress {
public:
    bool Continue(int added, const std::string&) override {
        counts.push_back(added);
        return stopAfter < 0 || static_cast<int>(counts.size()) < stopAfter;
    }
    std::vector<int> counts;
    int stopAfter = -1;
};

class FolderImport : public ::testing::Test {
protected:
    void Folder(const std::string& path, std::vector<FoundFile> entries) {
        entries.insert(entries.begin(), {{".", path, true}, {"..", path, true}});
        system.files[path + "\\*"] = entries;
    }
    static FoundFile File(const char* name) { return {name, "", false}; }
    static FoundFile Dir(const char* name) { return {name, "", true}; }
    ImportResult Run(const std::vector<std::string>& roots, const std::string& name, int32_t parent = kTopLevel) {
        return ImportFolders(store, system, reader, progress, roots, name, parent);
    }
    // "page name > shortcut names" for every page, in store order.
    std::map<std::string, std::vector<std::string>> Tree() {
        std::map<std::string, std::vector<std::string>> tree;
        PageRecord page;
        for (int p = 0; p < store.PageCount(); ++p) {
            store.GetPageAt(p, page);
            PageRecord parent;
            std::string key = (store.FindPage(page.parentId, parent) ? std::string(parent.name) + "/" : "") + page.name;
            auto& names = tree[key];
            ShortcutRecord shortcut;
            for (int s = 0; s < store.ShortcutCount(); ++s)
                if (store.GetShortcutAt(s, shortcut) && shortcut.pageId == page.id)
                    names.push_back(shortcut.name);
        }
        return tree;
    }

    testing::TempFolder folder;
    testing::RecordingMessages messages;
    SettingsStore store{messages, folder.File("Brindle.INI")};
    FakeSystem system;
    TitleReader reader;
    CountingProgress progress;
};

TEST_F(FolderImport, FoldersBecomePagesFilesShortcutsAndEmptyFoldersNothing) {
    Folder("C:\\Apps", {File("b.lnk"), Dir("Empty"), Dir("Tools"), File("a.lnk"), File("desktop.ini"),
                        Dir("Only=Sub"), File("x.none")});
    Folder("C:\\Apps\\Empty", {Dir("Deeper")});
    Folder("C:\\Apps\\Empty\\Deeper", {File("x.none")});
    Folder("C:\\Apps\\Tools", {File("t.lnk")});
    Folder("C:\\Apps\\Only=Sub", {Dir("In")});
    Folder("C:\\Apps\\Only=Sub\\In", {File("i.lnk")});
    const ImportResult result = Run({"C:\\Apps"}, "Apps");
    EXPECT_EQ(result.shortcuts, 4);
    EXPECT_EQ(result.pages, 4);
    EXPECT_FALSE(result.cancelled);
    using Names = std::vector<std::string>;
    const std::map<std::string, Names> expected = {{"Apps", Names{"a", "b"}},
                                                   {"Apps/Tools", Names{"t"}},
                                                   {"Apps/Only_Sub", Names{}},
                                                   {"Only_Sub/In", Names{"i"}}};
    EXPECT_EQ(Tree(), expected);
    PageRecord top;
    ASSERT_TRUE(store.FindPage(result.topPageId, top));
    EXPECT_EQ(top.parentId, kTopLevel);
    EXPECT_EQ(reader.reads, 6);  // desktop.ini is not read
    EXPECT_EQ(progress.counts, (std::vector<int>{1, 2, 2, 2, 3, 4}));  // a, b, x.none, Empty, Only=Sub, Tools
    ShortcutRecord first;
    ASSERT_TRUE(store.GetShortcutAt(0, first));
    EXPECT_STREQ(first.commandLine, "C:\\bin\\a.exe");
    EXPECT_EQ(first.readIcon, 1);
}

TEST_F(FolderImport, MergedRootsAndImportingAgainAddOnlyWhatIsNew) {
    Folder("C:\\User", {File("mine.lnk"), Dir("Office"), File("both.lnk")});
    Folder("C:\\User\\Office", {File("word.lnk")});
    Folder("C:\\All", {Dir("office"), File("both.lnk"), File("all.lnk")});
    Folder("C:\\All\\office", {File("excel.lnk"), File("word.lnk")});
    PageRecord parent;
    parent.name = "Parent";
    parent.id = 7;
    parent.parentId = kTopLevel;
    store.AddPage(parent);

    ImportResult result = Run({"C:\\User", "C:\\All"}, "Programs", 7);
    EXPECT_EQ(result.shortcuts, 5);
    using Names = std::vector<std::string>;
    std::map<std::string, Names> expected = {{"Parent", Names{}},
                                             {"Parent/Programs", Names{"all", "both", "mine"}},
                                             {"Programs/Office", Names{"excel", "word"}}};
    EXPECT_EQ(Tree(), expected);

    // Again, with one new file: the same pages, one shortcut more.
    Folder("C:\\All\\office", {File("excel.lnk"), File("word.lnk"), File("access.lnk")});
    result = Run({"C:\\User", "C:\\All"}, "Programs", 7);
    EXPECT_EQ(result.shortcuts, 1);
    EXPECT_EQ(result.pages, 0);
    expected["Programs/Office"] = Names{"excel", "word", "access"};
    EXPECT_EQ(Tree(), expected);
}

TEST_F(FolderImport, CancellingKeepsWhatWasImportedAndStopsReading) {
    Folder("C:\\Apps", {File("a.lnk"), File("b.lnk"), Dir("Sub")});
    Folder("C:\\Apps\\Sub", {File("c.lnk")});
    progress.stopAfter = 2;
    const ImportResult result = Run({"C:\\Apps"}, "Apps");
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.shortcuts, 2);
    EXPECT_EQ(reader.reads, 2);
    EXPECT_EQ(store.ShortcutCount(), 2);
    EXPECT_EQ(store.PageCount(), 1);

    EXPECT_EQ(FolderTitle("C:\\Apps\\Tools.v2\\"), "Tools.v2");
    EXPECT_EQ(FolderTitle("C:\\ソフト\\表"), "表");  // ends in the byte 0x5C
    EXPECT_EQ(FolderTitle("C:\\"), "C");
    EXPECT_EQ(ImportedName("a=b,c<d>e/f\\g\"h表"), "a_b_c_d_e_f_g_h表");

    // A folder that gives nothing gives no page at all.
    Folder("C:\\Nothing", {File("x.none")});
    EXPECT_EQ(Run({"C:\\Nothing"}, "Nothing").topPageId, -1);
    EXPECT_EQ(store.PageCount(), 1);
}

}  // namespace
}  // namespace brindle

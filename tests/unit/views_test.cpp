// Rules of the page tree and the shortcut list, and the icon caches over a counting reader.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_system.h"
#include "views/icon_cache.h"
#include "views/own_image_sizes.h"
#include "views/icon_source.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

using views::TreeInsert;

PageRecord Page(int32_t id, int32_t parent) {
    PageRecord page;
    page.id = id;
    page.parentId = parent;
    return page;
}

// Page id -> parent page id (-1 top level) as the plan builds the tree, and the insertion order.
struct Built {
    std::vector<int32_t> order;
    std::map<int32_t, int32_t> parentOf;
};

Built Build(const std::vector<PageRecord>& pages) {
    Built built;
    std::set<int> seen;
    for (const TreeInsert& step : views::PlanTreeInsertions(pages)) {
        EXPECT_TRUE(seen.insert(step.entry).second) << "entry inserted twice: " << step.entry;
        if (step.parentEntry >= 0) {
            EXPECT_TRUE(seen.count(step.parentEntry)) << "parent inserted after its child";
        }
        built.order.push_back(pages[step.entry].id);
        built.parentOf[pages[step.entry].id] = step.parentEntry < 0 ? -1 : pages[step.parentEntry].id;
    }
    EXPECT_EQ(seen.size(), pages.size());
    return built;
}

TEST(PageTreePlan, ParentsComeFirstAndStrandedPagesGoToTheTopLevel) {
    // Sorted by id: 2, 5, 7, 9; page 2 waits for its parent 5 until the second pass.
    Built children = Build({Page(2, 5), Page(5, -1), Page(7, 5), Page(9, 5)});
    EXPECT_EQ(children.order, (std::vector<int32_t>{5, 7, 9, 2}));
    EXPECT_EQ(children.parentOf[2], 5);
    EXPECT_EQ(children.parentOf[9], 5);
    EXPECT_EQ(children.parentOf[5], -1);

    // A grandchild with the smallest id of all needs a pass per generation.
    Built deep = Build({Page(1, 3), Page(3, 4), Page(4, -1)});
    EXPECT_EQ(deep.order, (std::vector<int32_t>{4, 3, 1}));
    EXPECT_EQ(deep.parentOf[1], 3);

    // A cycle (10 and 11) and a missing parent (20 under 99): those pages stand at the top level, and the
    // page below one of them (21 under 20) stays below it.
    Built stranded = Build({Page(0, -1), Page(10, 11), Page(11, 10), Page(12, 0), Page(20, 99), Page(21, 20)});
    EXPECT_EQ(stranded.order, (std::vector<int32_t>{0, 10, 11, 12, 20, 21}));
    for (int32_t id : {10, 11, 20})
        EXPECT_EQ(stranded.parentOf[id], -1) << id;
    EXPECT_EQ(stranded.parentOf[21], 20);
    EXPECT_EQ(stranded.parentOf[12], 0);

    // A page that is its own parent cannot hang under itself.
    EXPECT_EQ(Build({Page(3, 3)}).parentOf[3], -1);
    EXPECT_TRUE(views::PlanTreeInsertions({}).empty());
}

TEST(PageTreePlan, RepeatedIdsHangChildrenUnderTheFirstPageWithTheId) {
    const std::vector<PageRecord> pages{Page(1, -1), Page(1, -1), Page(2, 1)};
    const auto plan = views::PlanTreeInsertions(pages);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[2].entry, 2);
    EXPECT_EQ(plan[2].parentEntry, 0);
}

TEST(InPlaceNames, SixCharactersAndForPagesTheQuoteAreRefusedByCharacters) {
    for (const char* bad : {"a=b", "a,b", "<a", "a>", "a/b", "a\\b"}) {
        EXPECT_FALSE(views::ShortcutNameAllowed(bad)) << bad;
        EXPECT_FALSE(views::PageNameAllowed(bad)) << bad;
    }
    // "表" is 0x95 0x5C: its trail byte is the backslash's, and it is no backslash.
    EXPECT_TRUE(views::ShortcutNameAllowed("表示"));
    EXPECT_TRUE(views::PageNameAllowed("表示"));
    EXPECT_FALSE(views::PageNameAllowed("表\\"));
    // A quote would break the page line of the settings file; shortcut names are written whole.
    EXPECT_FALSE(views::PageNameAllowed("say \"hi\""));
    EXPECT_FALSE(views::PageNameAllowed("\""));
    EXPECT_TRUE(views::ShortcutNameAllowed("say \"hi\""));
    // A page without a name would be dropped when the file is read again; a shortcut keeps its record.
    EXPECT_FALSE(views::PageNameAllowed(""));
    EXPECT_TRUE(views::ShortcutNameAllowed(""));
}

TEST(ShortcutColumns, ShowTypeTextAndSortComparison) {
    EXPECT_EQ(views::ShowTypeText(0), "通常");
    EXPECT_EQ(views::ShowTypeText(1), "最大化");
    EXPECT_EQ(views::ShowTypeText(2), "最小化");
    EXPECT_EQ(views::ShowTypeText(-1), "");
    EXPECT_EQ(views::ShowTypeText(7), "7");

    ShortcutRecord none, ascii, kana, wide, max, min;
    ascii.comment = "zeta";
    kana.comment = "ｱ";   // 0xB1: after every ASCII character
    wide.comment = "ア";  // 0x83 0x41: after every half-width katakana, as one character 0x8341
    max.showType = 1;
    min.showType = 2;
    EXPECT_LT(views::CompareShortcuts(none, ascii, 5), 0);
    EXPECT_GT(views::CompareShortcuts(ascii, none, 5), 0);
    EXPECT_EQ(views::CompareShortcuts(none, none, 5), 0);
    EXPECT_LT(views::CompareShortcuts(ascii, kana, 5), 0);
    EXPECT_LT(views::CompareShortcuts(kana, wide, 5), 0);
    EXPECT_GT(views::CompareShortcuts(wide, kana, 5), 0);
    EXPECT_LT(views::CompareShortcuts(none, max, 4), 0);
    EXPECT_LT(views::CompareShortcuts(max, min, 4), 0);
    EXPECT_EQ(views::CompareShortcuts(max, min, 6), 0);

    ShortcutRecord upper, lower;
    upper.name = "B";
    lower.name = "a";
    EXPECT_LT(views::CompareShortcuts(upper, lower, 0), 0);  // case-sensitive byte order
    upper.workFolder = "C:\\x";
    EXPECT_GT(views::CompareShortcuts(upper, lower, 3), 0);
}

TEST(ShortcutColumns, ImageAndOverlayFromIconAndTargetKind) {
    using views::ListItemImage;
    auto is = [](views::ItemImage got, int image, int overlay) { return got.image == image && got.overlay == overlay; };
    EXPECT_TRUE(is(ListItemImage(true, 0, 2), 5, 0));
    EXPECT_TRUE(is(ListItemImage(true, 3, -1), 8, 1));   // an icon, and the target is missing
    EXPECT_TRUE(is(ListItemImage(true, -1, 3), 3, 0));   // no icon: the class image
    EXPECT_TRUE(is(ListItemImage(true, -1, -1), 4, 0));  // no icon, target missing: no overlay
    EXPECT_TRUE(is(ListItemImage(false, -1, -1), 4, 1));
    EXPECT_TRUE(is(ListItemImage(false, -1, 0), 0, 0));
}

TEST(IconSources, KeyIsTheIconSourceElseTheExpandedFileOfTheCommandLine) {
    testing::FakeSystem system;
    system.variables["APPS"] = "C:\\アプリ";
    ShortcutRecord shortcut;
    EXPECT_EQ(views::IconKey(shortcut, system), "");
    shortcut.commandLine = "\"%APPS%\\tool.exe\" -x %APPS%";
    EXPECT_EQ(views::IconKey(shortcut, system), "C:\\アプリ\\tool.exe");
    shortcut.icon = "%APPS%\\own.ico>2";
    EXPECT_EQ(views::IconKey(shortcut, system), "%APPS%\\own.ico>2");  // expanded when it is read
}

TEST(IconSources, IndexAfterTheMarkInBaseZeroModulo65536) {
    auto index = [](const char* source) { return ParseIconSource(source).index; };
    EXPECT_EQ(ParseIconSource("C:\\w\\shell32.dll>4").file, "C:\\w\\shell32.dll");
    EXPECT_EQ(index("shell32.dll>4"), 4);
    EXPECT_EQ(index("shell32.dll>0x10"), 16);
    EXPECT_EQ(index("shell32.dll>010"), 8);
    EXPECT_EQ(index("shell32.dll>-1"), 65535);
    EXPECT_EQ(index("shell32.dll>70000"), 70000 - 65536);
    EXPECT_EQ(index("shell32.dll>x"), 0);
    EXPECT_EQ(index("shell32.dll"), 0);
    EXPECT_EQ(ParseIconSource("shell32.dll").file, "shell32.dll");
    EXPECT_EQ(ParseIconSource("a>1>2").file, "a");
}

// Hands out numbered icons for the sources it knows and records reads and destructions.
class CountingReader : public IconReader {
public:
    std::map<std::string, int> sizes;  // 3 both, 1 large only, 2 small only; absent: nothing
    std::map<std::string, int> reads;
    std::multiset<IconHandle> live;
    std::vector<IconSizes> askedSizes;
    void Read(const std::string& source, IconSizes asked, IconHandle& large, IconHandle& small) override {
        ++reads[source];
        askedSizes.push_back(asked);
        const int has = sizes.count(source) ? sizes[source] : 0;
        large = has & 1 ? New() : nullptr;
        small = has & 2 ? New() : nullptr;
    }
    void Destroy(IconHandle icon) override {
        auto found = live.find(icon);
        ASSERT_NE(found, live.end()) << "destroyed an icon that is not live";
        live.erase(found);
    }

private:
    IconHandle New() {
        IconHandle icon = reinterpret_cast<IconHandle>(++next_);
        live.insert(icon);
        return icon;
    }
    uintptr_t next_ = 0x1000;
};

TEST(IconCacheTest, EachKeyReadOncePerFillAndFailuresReadAgain) {
    CountingReader reader;
    reader.sizes = {{"app.exe", 3}, {"doc.txt", 3}, {"large.ico", 1}, {"small.ico", 2}};
    {
        IconCache cache(reader);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(cache.Lookup("app.exe"), 0);
        EXPECT_EQ(cache.Lookup("doc.txt"), 1);
        EXPECT_EQ(cache.Lookup("APP.EXE"), -1);  // keys are exact
        EXPECT_EQ(reader.reads["app.exe"], 1);

        // One size only counts as a failure: the icon that came is destroyed, the key read again later.
        EXPECT_EQ(cache.Lookup("large.ico"), -1);
        EXPECT_EQ(cache.Lookup("small.ico"), -1);
        EXPECT_EQ(cache.Lookup("missing"), -1);
        EXPECT_EQ(cache.Lookup("missing"), -1);
        EXPECT_EQ(reader.reads["missing"], 2);
        EXPECT_EQ(reader.live.size(), 4u);
        ASSERT_EQ(cache.Pairs().size(), 2u);

        // The next fill reads again; a file that has become readable gets an icon.
        cache.Clear();
        EXPECT_TRUE(reader.live.empty());
        reader.sizes["missing"] = 3;
        EXPECT_EQ(cache.Lookup("missing"), 0);
        EXPECT_EQ(cache.Lookup("app.exe"), 1);
        EXPECT_EQ(reader.reads["app.exe"], 2);
    }
    EXPECT_TRUE(reader.live.empty()) << "the cache destroys its icons when it goes";
}

// The cache holds one size: icons of another scale are never handed out, and the reader is asked for the
// new sizes.
TEST(IconCacheTest, AChangeOfSizeEmptiesTheCacheAndReadsAtTheNewSizes) {
    CountingReader reader;
    reader.sizes = {{"app.exe", 3}, {"doc.txt", 3}};
    IconCache cache(reader);
    cache.SetSizes({32, 16});
    EXPECT_EQ(cache.Lookup("app.exe"), 0);
    EXPECT_EQ(cache.Lookup("doc.txt"), 1);
    cache.SetSizes({32, 16});  // the same sizes: kept
    EXPECT_EQ(cache.Lookup("app.exe"), 0);
    EXPECT_EQ(reader.reads["app.exe"], 1);

    cache.SetSizes({48, 24});
    EXPECT_TRUE(cache.Pairs().empty());
    EXPECT_TRUE(reader.live.empty()) << "the icons of the old size are destroyed";
    EXPECT_EQ(cache.Lookup("doc.txt"), 0);
    EXPECT_EQ(reader.reads["doc.txt"], 2);
    ASSERT_EQ(reader.askedSizes.size(), 3u);
    EXPECT_EQ(reader.askedSizes[0], (IconSizes{32, 16}));
    EXPECT_EQ(reader.askedSizes[2], (IconSizes{48, 24}));

    // Pages read small icons at the tree's size (the large one read with it at twice that).
    PageIconCache pages(reader);
    pages.SetSize(20);
    reader.sizes["page.ico"] = 3;
    EXPECT_EQ(pages.ImagePair(1, "page.ico", nullptr).first, kFirstTreeIcon);
    EXPECT_EQ(reader.askedSizes.back(), (IconSizes{40, 20}));
    pages.SetSize(24);
    EXPECT_TRUE(pages.Icons().empty());
    EXPECT_EQ(pages.ImagePair(1, "page.ico", nullptr).first, kFirstTreeIcon);
    EXPECT_EQ(reader.reads["page.ico"], 2);
}

// The program's own pictures: the drawn size nearest to what the scale asks for.
TEST(OwnImageSizes, TheNearestDrawnSizeTheLargerOnATie) {
    EXPECT_EQ(views::NearestOwnImageSize(16), 16);
    EXPECT_EQ(views::NearestOwnImageSize(24), 24);
    EXPECT_EQ(views::NearestOwnImageSize(18), 20);  // a tie between 16 and 20
    EXPECT_EQ(views::NearestOwnImageSize(28), 32);
    EXPECT_EQ(views::NearestOwnImageSize(26), 24);
    EXPECT_EQ(views::NearestOwnImageSize(64), 48);
    EXPECT_EQ(views::NearestOwnImageSize(0), 16);
    EXPECT_EQ(views::NearestOwnImageSize(-3), 16);
    const int sizes[] = {32, 16};
    EXPECT_EQ(views::NearestOwnImageSize(20, sizes), 16);
    EXPECT_EQ(views::NearestOwnImageSize(24, sizes), 32);
    EXPECT_EQ(views::NearestOwnImageSize(24, {}), 0);
}

TEST(PageIconCacheTest, FailedSourcesKeepTheDefaultOfTheirFirstUse) {
    CountingReader reader;
    reader.sizes = {{"page.ico", 3}, {"open.ico", 2}};
    PageIconCache cache(reader);
    EXPECT_EQ(cache.ImagePair(0, "page.ico", "open.ico"), std::make_pair(0, 1));
    EXPECT_TRUE(reader.reads.empty()) << "without the use-icons flag nothing is read";

    EXPECT_EQ(cache.ImagePair(1, "page.ico", "open.ico"), std::make_pair(2, 3));
    EXPECT_EQ(reader.live.size(), 2u) << "the large icon of a page is destroyed at once";
    EXPECT_EQ(cache.ImagePair(1, "open.ico", "page.ico"), std::make_pair(3, 2));

    // A missing file first used as a normal icon stays image 0, also where it is a selected icon.
    EXPECT_EQ(cache.ImagePair(1, "gone.ico", nullptr), std::make_pair(0, 1));
    EXPECT_EQ(cache.ImagePair(1, nullptr, "gone.ico"), std::make_pair(0, 0));
    EXPECT_EQ(cache.ImagePair(1, nullptr, "lost.ico"), std::make_pair(0, 1));
    EXPECT_EQ(cache.ImagePair(1, "lost.ico", nullptr), std::make_pair(1, 1));
    for (const char* source : {"page.ico", "open.ico", "gone.ico", "lost.ico"}) {
        EXPECT_EQ(reader.reads[source], 1) << source;
    }
    EXPECT_EQ(cache.Icons().size(), 2u);
    cache.Clear();
    EXPECT_TRUE(reader.live.empty());
    EXPECT_EQ(cache.ImagePair(1, "page.ico", nullptr), std::make_pair(2, 1));
    EXPECT_EQ(reader.reads["page.ico"], 2);
}

}  // namespace
}  // namespace brindle

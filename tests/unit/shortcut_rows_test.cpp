// The shortcut list's rows: a page's shortcuts in table order, found by row and by store index, and
// sorted by a column with what each row has worked out going along with it.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "test_support.h"
#include "views/shortcut_rows.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using views::ShortcutRow;
using views::ShortcutRows;

class Rows : public ::testing::Test {
protected:
    void Add(const char* name, int32_t pageId, const char* comment = nullptr) {
        store.AddShortcut(name, "x.exe", nullptr, nullptr, 0, pageId, 0, 1, comment);
    }
    std::vector<int> Indexes() const {
        std::vector<int> indexes;
        for (int row = 0; row < rows.Count(); ++row)
            indexes.push_back(rows.IndexAt(row));
        return indexes;
    }

    RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
    ShortcutRows rows;
};

TEST_F(Rows, APagesShortcutsInTableOrderFoundByRowAndByIndex) {
    Add("a", 1);
    Add("other", 2);
    Add("b", 1);
    Add("c", 1);
    rows.Fill(store, 1);
    EXPECT_EQ(Indexes(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(rows.RowOf(2), 1);
    EXPECT_EQ(rows.RowOf(1), -1) << "another page's shortcut";
    EXPECT_EQ(rows.IndexAt(-1), -1);
    EXPECT_EQ(rows.IndexAt(3), -1);
    EXPECT_EQ(rows.At(3), nullptr);
    ASSERT_NE(rows.At(0), nullptr);
    EXPECT_EQ(rows.At(0)->image, ShortcutRow::kUnknown) << "nothing worked out before the row is shown";

    rows.Erase(1);
    rows.Erase(7);
    EXPECT_EQ(Indexes(), (std::vector<int>{0, 3}));
    rows.Fill(store, 3);
    EXPECT_EQ(rows.Count(), 0);
}

TEST_F(Rows, ASortByAColumnIsStableAndTakesEachRowsImageAlong) {
    Add("b", 1, "same");
    Add("a", 1, "same");
    Add("c", 1);
    Add("a", 1, "first");
    rows.Fill(store, 1);
    for (int row = 0; row < rows.Count(); ++row)
        rows.At(row)->image = 10 + row;  // as if each row had been shown

    rows.SortByColumn(store, 0);
    EXPECT_EQ(Indexes(), (std::vector<int>{1, 3, 0, 2})) << "the two a's keep their order";
    EXPECT_EQ(rows.At(0)->image, 11);
    EXPECT_EQ(rows.At(3)->image, 12);
    EXPECT_EQ(rows.RowOf(0), 2);

    rows.SortByColumn(store, 5);  // the comment: none first
    EXPECT_EQ(Indexes(), (std::vector<int>{2, 3, 1, 0}));
    EXPECT_EQ(rows.At(0)->image, 12);
}

}  // namespace
}  // namespace brindle

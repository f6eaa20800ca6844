// Stores made at random must come back unchanged from the file Save writes.
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::Str;

// Pieces of names: double-byte characters (several with the trail byte 0x5C or '[' / ']'),
// half-width katakana and plain ASCII. None holds a character the file cannot carry in that field.
const char* const kPieces[] = {"表", "ソ", "能", "予", "ー", "］", "ｱ", "ﾝ", "a", "Z", "9", " ", "\\", "ファイル", "日本"};

class Generator {
public:
    explicit Generator(uint32_t seed) : random_(seed) {}

    std::string Name(bool mayBeEmpty, const char* extra = "") {
        std::string text;
        int length = Uniform(mayBeEmpty ? 0 : 1, 8);
        for (int i = 0; i < length; ++i) text += kPieces[Uniform(0, std::size(kPieces) - 1)];
        if (!text.empty() && Uniform(0, 3) == 0) text += extra;
        return text;
    }
    std::string IconSource() {
        if (Uniform(0, 3) == 0) return "";
        std::string text = "C:\\" + Name(false) + ".dll";
        if (Uniform(0, 1)) text += ">" + std::to_string(Uniform(-5, 300));
        return text;
    }
    int32_t Number(int32_t low, int32_t high) { return Uniform(low, high); }
    int32_t Any() { return static_cast<int32_t>(random_()); }

private:
    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::mt19937 random_;
};

void Fill(SettingsStore& store, Generator& g) {
    Preferences prefs;
    store.GetPreferences(prefs);
    prefs.ListStyle = static_cast<uint32_t>(g.Any());
    prefs.Page = g.Any();
    prefs.font.lfHeight = g.Any();
    prefs.font.lfItalic = static_cast<uint8_t>(g.Any());
    prefs.font.lfCharSet = static_cast<uint8_t>(g.Any());
    std::string face = g.Name(true).substr(0, 20);
    std::memset(prefs.font.lfFaceName, 0, sizeof prefs.font.lfFaceName);
    std::snprintf(prefs.font.lfFaceName, sizeof prefs.font.lfFaceName, "%s", face.c_str());
    prefs.clrListSelB = static_cast<ColorRef>(g.Any());
    prefs.winTaskSelect = {g.Any(), g.Any(), g.Any(), g.Any()};
    prefs.dwHotkeyTask = g.Any();
    prefs.bChkTaskhide = g.Number(0, 1);
    store.SetPreferencesAndSave(prefs);

    const int pages = g.Number(0, 40);
    for (int i = 0; i < pages; ++i) {
        std::string name = g.Name(false);
        std::string normal = g.IconSource(), selected = g.IconSource();
        PageRecord page;
        page.name = name.c_str();
        page.id = g.Number(-3, 70000);
        page.parentId = g.Number(-1, 50);
        page.expanded = g.Number(0, 1);
        page.useIcons = g.Number(0, 1);
        page.normalIcon = normal.c_str();
        page.selectedIcon = selected.c_str();
        store.AddPage(page);
    }
    const int shortcuts = g.Number(0, 60);
    for (int i = 0; i < shortcuts; ++i) {
        std::string name = g.Name(true, "=,<>/\"");  // the file carries any byte in a shortcut's texts
        std::string command = g.Name(true, " /x \"y z\" %1");
        std::string icon = g.IconSource(), folder = g.Name(true), comment = g.Name(true, ",\"=");
        store.AddShortcut(name.c_str(), command.c_str(), icon.c_str(), folder.c_str(), g.Number(-1, 3), g.Any(),
                          g.Number(0, 1), g.Number(0, 1), comment.c_str());
    }
}

void ExpectSameStore(const SettingsStore& a, const SettingsStore& b) {
    Preferences pa, pb;
    a.GetPreferences(pa);
    b.GetPreferences(pb);
    EXPECT_EQ(std::memcmp(&pa, &pb, sizeof pa), 0) << "Preferences differ";
    ASSERT_EQ(a.PageCount(), b.PageCount());
    for (int i = 0; i < a.PageCount(); ++i) {
        PageRecord x, y;
        a.GetPageAt(i, x);
        b.GetPageAt(i, y);
        EXPECT_EQ(Str(x.name), Str(y.name));
        EXPECT_EQ(x.id, y.id);
        EXPECT_EQ(x.parentId, y.parentId);
        EXPECT_EQ(x.expanded, y.expanded);
        EXPECT_EQ(x.useIcons, y.useIcons);
        EXPECT_EQ(Str(x.normalIcon), Str(y.normalIcon));
        EXPECT_EQ(Str(x.selectedIcon), Str(y.selectedIcon));
    }
    ASSERT_EQ(a.ShortcutCount(), b.ShortcutCount());
    for (int i = 0; i < a.ShortcutCount(); ++i) {
        ShortcutRecord x, y;
        a.GetShortcutAt(i, x);
        b.GetShortcutAt(i, y);
        SCOPED_TRACE("shortcut " + std::to_string(i));
        EXPECT_EQ(Str(x.name), Str(y.name));
        EXPECT_EQ(Str(x.commandLine), Str(y.commandLine));
        EXPECT_EQ(Str(x.icon), Str(y.icon));
        EXPECT_EQ(Str(x.workFolder), Str(y.workFolder));
        EXPECT_EQ(x.showType, y.showType);
        EXPECT_EQ(x.pageId, y.pageId);
        EXPECT_EQ(x.readIcon, y.readIcon);
        EXPECT_EQ(x.check, y.check);
        EXPECT_EQ(Str(x.comment), Str(y.comment));
    }
}

TEST(SettingsRoundTrip, GeneratedStoresComeBackTheSame) {
    testing::TempFolder folder;
    const std::string path = folder.File("round.ini");
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Generator g(seed);
        RecordingMessages messages;
        SettingsStore original(messages, path);
        Fill(original, g);
        ASSERT_TRUE(original.Save());

        SettingsStore loaded(messages, path);
        loaded.Load();
        EXPECT_FALSE(loaded.LoadFailed());
        ExpectSameStore(original, loaded);
        EXPECT_EQ(loaded.SaveText(), original.SaveText());
        EXPECT_TRUE(messages.boxes.empty());
        if (::testing::Test::HasFailure()) break;
    }
}

}  // namespace
}  // namespace brindle

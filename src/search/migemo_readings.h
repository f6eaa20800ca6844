#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Kanji by their readings through C/Migemo: the words of its dictionary whose reading starts with what a
// romaji word spells ("hidemaru" gives 秀丸), as the search's ReadingExpander wants them.
namespace brindle::search {

class MigemoReadings {
public:
    // The readings of migemo-dict (code page 932) with the conversion tables beside it; nullptr when the
    // file cannot be read or this build has no Migemo. Slow (about a second): load it away from the
    // window's thread.
    static std::unique_ptr<MigemoReadings> Load(const std::string& dictFile);
    ~MigemoReadings();
    MigemoReadings(const MigemoReadings&) = delete;
    MigemoReadings& operator=(const MigemoReadings&) = delete;

    // Appends the dictionary words holding kanji for `word` (lower-case romaji of two kana or
    // more) to `out`, shortest first, at most kMaxWords; nothing for other text. Not for several threads
    // at once.
    void Expand(std::string_view word, std::vector<std::string>& out);

    // Drops the remembered answers (the dictionary stays): the next Expand asks Migemo again.
    void Forget() { cache_.clear(), nextSlot_ = 0; }

    static constexpr size_t kMaxWords = 32;
    static constexpr size_t kMaxWordLetters = 32;

private:
    struct Migemo;
    explicit MigemoReadings(Migemo* migemo);

    Migemo* migemo_;
    // The last words asked for: typing a second word asks again for the first at every key press.
    struct Cached {
        std::string word;
        std::vector<std::string> readings;
    };
    std::vector<Cached> cache_;
    size_t nextSlot_ = 0;
};

}  // namespace brindle::search

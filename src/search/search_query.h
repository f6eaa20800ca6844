#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::search {

// More spellings of a word typed in Latin letters (kanji by their readings): folded texts appended to
// `out`. The seam through which a dictionary takes part; empty without one.
using ReadingExpander = std::function<void(std::string_view word, std::vector<std::string>& out)>;

// One of the spellings a typed word may match, folded, with the summary of its characters.
struct Needle {
    std::string text;
    uint64_t mask = 0;
};

// A typed word: the word itself (needles[0]) and the readings of it as romaji and from the expander.
struct QueryWord {
    std::vector<Needle> needles;
};

// The typed text split into words at blanks (ASCII, full-width, tabs and control characters); each word
// must match for a shortcut to be found.
struct Query {
    std::string folded;  // the words joined by one blank, for the exact-name rule
    std::vector<QueryWord> words;
    bool Empty() const { return words.empty(); }
};

Query ParseQuery(std::string_view typed, const ReadingExpander& expander = {});

}  // namespace brindle::search

#include "search/search_query.h"

#include <algorithm>

#include "search/romaji.h"
#include "search/search_text.h"

namespace brindle::search {
namespace {

constexpr size_t kMaxWords = 16;
constexpr size_t kMaxNeedlesPerWord = 64;

bool IsLatinWord(std::string_view word) {
    return std::all_of(word.begin(), word.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || c == '-' || c == '\''; });
}

void AddNeedle(QueryWord& word, std::string text) {
    if (text.empty() || word.needles.size() >= kMaxNeedlesPerWord)
        return;
    for (const Needle& n : word.needles) {
        if (n.text == text)
            return;
    }
    Needle needle;
    needle.mask = CharMask(text);
    needle.text = std::move(text);
    word.needles.push_back(std::move(needle));
}

}  // namespace

Query ParseQuery(std::string_view typed, const ReadingExpander& expander) {
    Query query;
    std::string folded = Folded(typed);
    for (char& c : folded) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';  // control characters separate words like blanks (folded text has no trail byte below 0x40)
    }
    std::vector<std::string> readings;
    for (size_t pos = 0; pos < folded.size() && query.words.size() < kMaxWords;) {
        if (folded[pos] == ' ') {
            ++pos;
            continue;
        }
        size_t end = pos;
        while (end < folded.size() && folded[end] != ' ')
            end += FoldedCharLength(folded, end);
        const std::string_view text(folded.data() + pos, end - pos);
        QueryWord word;
        AddNeedle(word, std::string(text));
        if (IsLatinWord(text)) {
            readings.clear();
            RomajiReadings(text, readings);
            if (expander)
                expander(text, readings);
            for (std::string& reading : readings)
                AddNeedle(word, Folded(reading));
        }
        if (!query.folded.empty())
            query.folded += ' ';
        query.folded.append(text);
        query.words.push_back(std::move(word));
        pos = end;
    }
    return query;
}

}  // namespace brindle::search

// Feeds random Shift_JIS queries and names to the search: no crash, no read past a text's end, and the
// ranges to emphasise always lie inside the name. The name is also read as an answer of Migemo, whose
// words are the readings of every romaji word of the query.
#include <cstdint>
#include <cstring>
#include <string>

#include "search/migemo_pattern.h"
#include "search/search_match.h"
#include "search/search_query.h"
#include "search/search_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first NUL splits the input into the query and the name; each lives in a block of exactly its
    // own size on the heap.
    const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t queryLength = split ? static_cast<size_t>(split - data) : size;
    const size_t nameLength = split ? size - queryLength - 1 : 0;
    char* query = new char[queryLength ? queryLength : 1];
    char* name = new char[nameLength ? nameLength : 1];
    std::memcpy(query, data, queryLength);
    if (nameLength)
        std::memcpy(name, split + 1, nameLength);
    const std::string_view nameText(name, nameLength);

    using namespace brindle::search;
    std::vector<std::string> readings;
    migemo_pattern::Expand(nameText, 64, readings);
    for (const std::string& reading : readings) {
        // Each word takes characters of the pattern in its order, each at most once.
        if (reading.empty() || reading.size() > nameLength)
            __builtin_trap();
    }
    const Query parsed =
        ParseQuery(std::string_view(query, queryLength), [&readings](std::string_view, std::vector<std::string>& out) {
            out.insert(out.end(), readings.begin(), readings.end());
        });
    const std::string folded = Folded(nameText);
    // Folded text is whole characters: stepping through it lands exactly on its end.
    size_t at = 0;
    while (at < folded.size())
        at += FoldedCharLength(folded, at);
    if (at != folded.size())
        __builtin_trap();
    for (const QueryWord& word : parsed.words) {
        for (const Needle& needle : word.needles) {
            size_t where = 0;
            if (MatchInName(folded, needle.text, &where) != MatchClass::None &&
                where + needle.text.size() > folded.size())
                __builtin_trap();
            const size_t found = FindFolded(folded, needle.text);
            if (found != std::string_view::npos && folded.compare(found, needle.text.size(), needle.text) != 0)
                __builtin_trap();
            MatchInOrder(folded, needle.text);
        }
    }
    size_t last = 0;
    for (const auto& range : MatchedRanges(nameText, parsed)) {
        if (range.first < last || range.first >= range.second || range.second > nameLength)
            __builtin_trap();
        last = range.second;
    }
    delete[] query;
    delete[] name;
    return 0;
}

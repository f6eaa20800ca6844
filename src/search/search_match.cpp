#include "search/search_match.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "search/search_text.h"

namespace brindle::search {
namespace {

// `needle` at `pos` of `text`, whose first byte is known to match: the second byte is compared before
// the call, since most needles are kanji that share their lead byte with many others.
bool At(std::string_view text, size_t pos, const std::string& needle) {
    return needle.size() <= text.size() - pos && (needle.size() < 2 || text[pos + 1] == needle[1]) &&
           std::memcmp(text.data() + pos, needle.data(), needle.size()) == 0;
}

bool StartsWord(std::string_view text, size_t previous, size_t pos) {
    const CharKind before = KindAt(text, previous);
    return before == CharKind::Separator || before != KindAt(text, pos);
}

// The class of a needle of `length` bytes found at `pos` in a name (`previous`: the character before).
MatchClass ClassAt(std::string_view name, size_t previous, size_t pos, size_t length) {
    if (pos == 0)
        return length == name.size() ? MatchClass::ExactName : MatchClass::NamePrefix;
    return StartsWord(name, previous, pos) ? MatchClass::WordStart : MatchClass::InName;
}

}  // namespace

size_t FindFolded(std::string_view text, std::string_view needle) {
    if (needle.empty() || needle.size() > text.size())
        return std::string_view::npos;
    const char first = needle[0];
    const size_t last = text.size() - needle.size();
    for (size_t pos = 0; pos <= last; pos += FoldedCharLength(text, pos)) {
        if (text[pos] == first && std::memcmp(text.data() + pos, needle.data(), needle.size()) == 0)
            return pos;
    }
    return std::string_view::npos;
}

MatchClass MatchInName(std::string_view name, std::string_view needle, size_t* where) {
    if (needle.empty() || needle.size() > name.size())
        return MatchClass::None;
    const char first = needle[0];
    const size_t last = name.size() - needle.size();
    MatchClass best = MatchClass::None;
    size_t previous = 0;
    for (size_t pos = 0; pos <= last; previous = pos, pos += FoldedCharLength(name, pos)) {
        if (name[pos] != first || std::memcmp(name.data() + pos, needle.data(), needle.size()) != 0)
            continue;
        const MatchClass found = ClassAt(name, previous, pos, needle.size());
        if (found < best) {
            best = found;
            if (where)
                *where = pos;
        }
        if (best <= MatchClass::WordStart)
            break;  // later occurrences cannot be better
    }
    return best;
}

NeedleTable::NeedleTable(const std::vector<Needle>& needles) {
    for (size_t n = 0; n < needles.size() && n < 64; ++n) {
        masks.push_back(needles[n].mask);
        if (!needles[n].text.empty())
            byFirstByte[static_cast<unsigned char>(needles[n].text[0])] |= uint64_t{1} << n;
        else
            masks.back() = ~uint64_t{0};  // never a candidate
    }
}

MatchClass MatchAnyInName(std::string_view name,
                          const std::vector<Needle>& needles,
                          const NeedleTable& table,
                          uint64_t candidates) {
    MatchClass best = MatchClass::None;
    size_t previous = 0;
    for (size_t pos = 0; pos < name.size(); previous = pos, pos += FoldedCharLength(name, pos)) {
        for (uint64_t hits = table.byFirstByte[static_cast<unsigned char>(name[pos])] & candidates; hits;
             hits &= hits - 1) {
            const std::string& needle = needles[std::countr_zero(hits)].text;
            if (!At(name, pos, needle))
                continue;
            best = std::min(best, ClassAt(name, previous, pos, needle.size()));
        }
        if (best <= MatchClass::WordStart)
            break;  // every needle starting here was tried; later places cannot do better
    }
    return best;
}

bool FindAnyFolded(std::string_view text,
                   const std::vector<Needle>& needles,
                   const NeedleTable& table,
                   uint64_t candidates) {
    for (size_t pos = 0; pos < text.size(); pos += FoldedCharLength(text, pos)) {
        for (uint64_t hits = table.byFirstByte[static_cast<unsigned char>(text[pos])] & candidates; hits;
             hits &= hits - 1) {
            const std::string& needle = needles[std::countr_zero(hits)].text;
            if (At(text, pos, needle))
                return true;
        }
    }
    return false;
}

bool MatchInOrder(std::string_view name, std::string_view needle, std::vector<size_t>* positions) {
    size_t at = 0;
    for (size_t n = 0; n < needle.size();) {
        const size_t length = FoldedCharLength(needle, n);
        while (at < name.size()) {
            const size_t here = at;
            const size_t nameLength = FoldedCharLength(name, at);
            at += nameLength;
            if (nameLength == length && std::memcmp(name.data() + here, needle.data() + n, length) == 0) {
                if (positions)
                    positions->push_back(here);
                goto next;
            }
        }
        return false;
    next:
        n += length;
    }
    return !needle.empty();
}

std::vector<std::pair<size_t, size_t>> MatchedRanges(std::string_view name, const Query& query) {
    std::string folded;
    std::vector<uint16_t> origins;
    Fold(name, folded, &origins);
    std::vector<bool> marked(folded.size(), false);
    auto mark = [&marked](size_t from, size_t length) {
        std::fill(marked.begin() + from, marked.begin() + from + length, true);
    };
    for (const QueryWord& word : query.words) {
        MatchClass best = MatchClass::None;
        size_t bestAt = 0, bestLength = 0;
        for (const Needle& needle : word.needles) {
            size_t at = 0;
            MatchClass found = MatchInName(folded, needle.text, &at);
            if (found < best)
                best = found, bestAt = at, bestLength = needle.text.size();
        }
        if (best != MatchClass::None) {
            mark(bestAt, bestLength);
            continue;
        }
        std::vector<size_t> positions;
        if (!word.needles.empty() && MatchInOrder(folded, word.needles[0].text, &positions)) {
            for (size_t at : positions)
                mark(at, FoldedCharLength(folded, at));
        }
    }
    std::vector<std::pair<size_t, size_t>> ranges;
    for (size_t i = 0; i < folded.size(); ++i) {
        if (!marked[i])
            continue;
        const size_t from = origins[i];
        // Up to where the next folded character came from: a voiced mark composed into it goes with it.
        size_t next = i + 1;
        while (next < folded.size() && origins[next] == origins[i])
            ++next;
        const size_t to = next < folded.size() ? origins[next] : name.size();
        if (!ranges.empty() && ranges.back().second >= from)
            ranges.back().second = std::max(ranges.back().second, to);
        else
            ranges.emplace_back(from, to);
    }
    return ranges;
}

}  // namespace brindle::search

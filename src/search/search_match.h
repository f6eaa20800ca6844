#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "search/search_query.h"

// How well a typed word matches a folded text, strongest first. The rules work on whole characters of
// folded text (search_text.h): a needle is only ever compared where a character starts, so the trail
// byte of ソ (0x83 0x5C) or ポ (0x83 0x7C) is never taken for '\' or '|'.
namespace brindle::search {

enum class MatchClass : uint8_t {
    ExactName,   // the name is the typed text
    NamePrefix,  // the name starts with it
    WordStart,   // a word of the name starts with it
    InName,      // somewhere in the name
    OtherField,  // in the comment, the command line's file title or the page path
    InOrder,     // the name holds its characters in order ("ntpd" in notepad)
    None,
};
constexpr int kMatchClassCount = static_cast<int>(MatchClass::None);

// Where `needle` first occurs in `text` at a character boundary, or npos.
size_t FindFolded(std::string_view text, std::string_view needle);

// The best of ExactName, NamePrefix, WordStart and InName for `needle` in `name`, or None; `where`
// receives the position of that occurrence.
MatchClass MatchInName(std::string_view name, std::string_view needle, size_t* where = nullptr);

// The needles of one typed word by their first byte, to look for all of them in one walk over a text:
// a word with kanji readings has dozens, and a walk per needle cost more than the rest of a key press.
// Needles are numbered by their place in the word; a word holds at most 64.
struct NeedleTable {
    std::array<uint64_t, 256> byFirstByte{};
    std::vector<uint64_t> masks;  // each needle's, side by side for a quick pass
    explicit NeedleTable(const std::vector<Needle>& needles);
    // The needles whose characters all occur in a text with the character mask `textMask`.
    uint64_t Candidates(uint64_t textMask) const {
        uint64_t bits = 0;
        for (size_t n = 0; n < masks.size(); ++n)
            bits |= static_cast<uint64_t>((masks[n] & textMask) == masks[n]) << n;
        return bits;
    }
};

// The best of ExactName, NamePrefix, WordStart and InName in `name` of the needles whose bit is set in
// `candidates`, or None: what MatchInName gives for the best of them.
MatchClass MatchAnyInName(std::string_view name,
                          const std::vector<Needle>& needles,
                          const NeedleTable& table,
                          uint64_t candidates);

// True when one of the needles whose bit is set in `candidates` occurs in `text` (as FindFolded).
bool FindAnyFolded(std::string_view text,
                   const std::vector<Needle>& needles,
                   const NeedleTable& table,
                   uint64_t candidates);

// True when `name` holds the characters of `needle` in order; `positions` receives where each was found.
bool MatchInOrder(std::string_view name, std::string_view needle, std::vector<size_t>* positions = nullptr);

// The ranges [first, second) of bytes of the original `name` that the query's words matched, in order and
// without overlaps, for emphasising them; empty when the name did not take part in the match.
std::vector<std::pair<size_t, size_t>> MatchedRanges(std::string_view name, const Query& query);

}  // namespace brindle::search

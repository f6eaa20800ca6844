#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brindle::search {

// Romaji typed in Latin letters as folded katakana (see search_text.h), in Hepburn and Kunrei spellings
// ("shi" and "si" are シ), with "nn" and "n'" for ン, a doubled consonant for ッ and '-' for ー. The last
// syllable may be unfinished: "mem" gives メマ, メミ, メム, メメ, メモ and メッ, and a text holding any of them
// matches. Appends the readings to `out` (none when `word` is not romaji: other characters, or letters
// that no syllable spells).
void RomajiReadings(std::string_view word, std::vector<std::string>& out);

}  // namespace brindle::search

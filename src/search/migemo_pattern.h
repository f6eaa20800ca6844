#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Migemo answers a query with a regular expression of the words it found: alternations, groups and
// character classes, no repetition. Asked with these operators (control characters, which no dictionary
// word and no code page 932 trail byte holds) and with characters written unescaped, its answer parses
// without ambiguity back into the words.
namespace brindle::search::migemo_pattern {

constexpr char kOr = '\x01';
constexpr char kNestIn = '\x02';
constexpr char kNestOut = '\x03';
constexpr char kSelectIn = '\x04';
constexpr char kSelectOut = '\x05';

// The words `pattern` stands for, appended to `out`, at most `limit` of them (the first in the
// pattern's order). A broken pattern (unbalanced groups, a lead byte at the end) gives words from what
// it holds and never reads past its end.
void Expand(std::string_view pattern, size_t limit, std::vector<std::string>& out);

}  // namespace brindle::search::migemo_pattern

#include "search/migemo_pattern.h"

#include "text/sjis.h"

namespace brindle::search::migemo_pattern {
namespace {

constexpr int kMaxDepth = 128;  // Migemo nests one group per character of its longest word

class Parser {
public:
    Parser(std::string_view pattern, size_t limit) : text_(pattern), limit_(limit) {}

    // An alternation up to the closing operator of its group or the end: the words of each branch.
    std::vector<std::string> Alternation(int depth) {
        std::vector<std::string> words;
        for (;;) {
            std::vector<std::string> branch = Sequence(depth);
            for (std::string& word : branch) {
                if (words.size() >= limit_)
                    break;
                words.push_back(std::move(word));
            }
            if (pos_ < text_.size() && text_[pos_] == kOr) {
                ++pos_;
                continue;
            }
            return words;
        }
    }

private:
    // Atoms one after the other: every word of each atom after every word so far.
    std::vector<std::string> Sequence(int depth) {
        std::vector<std::string> words(1);
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == kSelectOut || (c == kNestOut && depth == 0)) {
                ++pos_;  // a stray closing operator: skipped
                continue;
            }
            if (c == kOr || c == kNestOut)
                break;
            std::vector<std::string> atom;
            if (c == kNestIn) {
                ++pos_;
                atom = depth < kMaxDepth ? Alternation(depth + 1) : std::vector<std::string>{};
                if (pos_ < text_.size() && text_[pos_] == kNestOut)
                    ++pos_;
            } else if (c == kSelectIn) {
                ++pos_;
                while (pos_ < text_.size() && text_[pos_] != kSelectOut && !IsOperator(text_[pos_]))
                    atom.emplace_back(NextChar());
                if (pos_ < text_.size() && text_[pos_] == kSelectOut)
                    ++pos_;
            } else {
                atom.emplace_back(NextChar());
            }
            words = Product(words, atom);
        }
        return words;
    }

    static bool IsOperator(char c) { return c == kOr || c == kNestIn || c == kNestOut || c == kSelectIn; }

    std::string_view NextChar() {
        const size_t length = sjis::CharLength(text_, pos_);
        const std::string_view c = text_.substr(pos_, length);
        pos_ += length;
        return c;
    }

    std::vector<std::string> Product(const std::vector<std::string>& heads, const std::vector<std::string>& tails) {
        std::vector<std::string> words;
        for (const std::string& head : heads) {
            for (const std::string& tail : tails) {
                if (words.size() >= limit_)
                    return words;
                words.push_back(head + tail);
            }
        }
        return words;
    }

    std::string_view text_;
    size_t limit_;
    size_t pos_ = 0;
};

}  // namespace

void Expand(std::string_view pattern, size_t limit, std::vector<std::string>& out) {
    if (limit == 0)
        return;
    Parser parser(pattern, limit);
    for (std::string& word : parser.Alternation(0)) {
        if (!word.empty())
            out.push_back(std::move(word));
    }
}

}  // namespace brindle::search::migemo_pattern

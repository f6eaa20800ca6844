// The pool cuts small texts from large blocks; texts that meet a block's end must stay whole and
// terminated inside it (AddressSanitizer reports a terminator written past a block).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/text_pool.h"

namespace brindle {
namespace {

TEST(TextPool, TextsAtTheEndOfABlockKeepTheirTerminatorsInside) {
    const size_t filler = TextPool::kLargeText - 2;  // the longest text cut from a block, with its terminator
    const size_t fillers = TextPool::kBlockSize / (filler + 1);
    const size_t rest = TextPool::kBlockSize - fillers * (filler + 1);
    ASSERT_GT(rest, 1u);
    // A text that fills the rest exactly with its terminator, one a byte too long for it, one a byte short.
    for (size_t last : {rest - 1, rest, rest + 1, rest - 2}) {
        SCOPED_TRACE(last);
        TextPool pool;
        std::vector<std::pair<const char*, std::string>> texts;
        for (size_t i = 0; i < fillers; ++i) {
            std::string text(filler, static_cast<char>('a' + i % 26));
            texts.emplace_back(pool.Copy(text.c_str()), text);
        }
        for (const std::string& text : {std::string(last, 'L'), std::string(filler, 'N'), std::string(1, 'x')}) {
            texts.emplace_back(pool.Copy(text.c_str()), text);
        }
        for (const auto& [copy, text] : texts) {
            ASSERT_NE(copy, nullptr);
            EXPECT_EQ(std::string(copy), text);
        }
        EXPECT_EQ(pool.LiveCount(), texts.size());
    }
}

TEST(TextPool, LargeTextsAreKeptApartAndFreed) {
    TextPool pool;
    const std::string large(TextPool::kLargeText, 'x');
    const char* a = pool.Copy(large.c_str());
    const char* b = pool.Copy("small");
    EXPECT_EQ(std::string(a), large);
    EXPECT_EQ(pool.Copy(""), nullptr);
    EXPECT_EQ(pool.Copy(nullptr), nullptr);
    EXPECT_EQ(pool.LiveCount(), 2u);
    pool.Free(a);
    pool.Free(b);
    pool.Free(nullptr);
    pool.Free("not the pool's");
    EXPECT_EQ(pool.LiveCount(), 0u);
}

}  // namespace
}  // namespace brindle

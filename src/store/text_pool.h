#pragma once

#include <cstddef>
#include <memory>
#include <unordered_set>
#include <vector>

namespace brindle {

// Owner of every text of the store's records. Texts are NUL-terminated byte strings; an absent or
// empty text is never stored (null instead).
//
// Small texts are cut from large blocks, which makes loading a big settings file cheap; a freed small
// text is given back when the pool is destroyed (edits free a few hundred bytes at a time, so a day of
// editing costs little). Large texts are allocated one by one and released at once when freed.
class TextPool {
public:
    TextPool() = default;
    ~TextPool();
    TextPool(const TextPool&) = delete;
    TextPool& operator=(const TextPool&) = delete;

    // A pool copy of `text`, or null for a null or empty text.
    const char* Copy(const char* text);
    const char* Copy(const char* text, size_t length);

    // Gives a pool text back. Null and texts the pool does not own are ignored.
    void Free(const char* text);

    // Stores `text` in `slot`: nothing happens when it is the very text already there; otherwise the
    // slot receives a copy and its old text is freed (after the copy, so `text` may point into it).
    void Replace(const char*& slot, const char* text);

    // Texts handed out and not yet freed.
    size_t LiveCount() const { return liveCount_; }

private:
    static constexpr size_t kBlockSize = 64 * 1024;
    static constexpr size_t kLargeText = 1024;

    bool InBlocks(const char* text) const;

    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t blockUsed_ = kBlockSize;  // bytes used in the last block
    std::unordered_set<const char*> large_;
    size_t liveCount_ = 0;
};

}  // namespace brindle

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

    // A pool copy of `text`, or null for a null or empty text. Each CR and LF becomes a blank: a text is
    // written as the value of one line of the settings file, and a line break in it would start a new key
    // or section there.
    const char* Copy(const char* text);

    // A pool copy of part of a line (`length` bytes, which hold no line break), or null when it is empty.
    const char* CopyFromLine(const char* text, size_t length);

    // Gives a pool text back. Null and texts the pool does not own are ignored.
    void Free(const char* text);

    // One text slot of a record and the text it is to hold.
    struct Change {
        const char*& slot;
        const char* text;
    };
    // Stores each text in its slot: nothing happens when it is the very text already there; otherwise the
    // slot receives a copy and its old text is freed. Every copy is made before any old text is freed, so
    // a text may point into the old text of its own or of another slot of the list.
    template <size_t N>
    void Replace(const Change (&changes)[N]) {
        const char* copies[N];
        for (size_t i = 0; i < N; ++i) {
            copies[i] = changes[i].slot == changes[i].text ? changes[i].slot : Copy(changes[i].text);
        }
        for (size_t i = 0; i < N; ++i) {
            if (copies[i] != changes[i].slot) {
                Free(changes[i].slot);
                changes[i].slot = copies[i];
            }
        }
    }

    // Texts handed out and not yet freed.
    size_t LiveCount() const { return liveCount_; }

    // Texts of kLargeText bytes and more (with the terminator) are allocated one by one; shorter ones are
    // cut from blocks of kBlockSize bytes.
    static constexpr size_t kBlockSize = 64 * 1024;
    static constexpr size_t kLargeText = 1024;

private:
    char* Store(const char* text, size_t length);  // the copy, or null for an empty text
    bool InBlocks(const char* text) const;

    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t blockUsed_ = kBlockSize;  // bytes used in the last block
    std::unordered_set<const char*> large_;
    size_t liveCount_ = 0;
};

}  // namespace brindle

#include "store/text_pool.h"

#include <cstring>
#include <functional>

namespace brindle {

TextPool::~TextPool() {
    for (const char* text : large_) {
        delete[] text;
    }
}

const char* TextPool::Copy(const char* text) {
    if (!text) {
        return nullptr;
    }
    char* copy = Store(text, std::strlen(text));
    for (char* lineBreak = copy; lineBreak && (lineBreak = std::strpbrk(lineBreak, "\r\n"));) {
        *lineBreak = ' ';  // neither byte is ever the trail byte of a double-byte character
    }
    return copy;
}

const char* TextPool::CopyFromLine(const char* text, size_t length) {
    return Store(text, length);
}

char* TextPool::Store(const char* text, size_t length) {
    if (!text || length == 0) {
        return nullptr;
    }
    char* block;
    if (length + 1 > kLargeText) {
        block = new char[length + 1];
        large_.insert(block);
    } else {
        if (blockUsed_ + length + 1 > kBlockSize) {
            blocks_.push_back(std::make_unique<char[]>(kBlockSize));
            blockUsed_ = 0;
        }
        block = blocks_.back().get() + blockUsed_;
        blockUsed_ += length + 1;
    }
    std::memcpy(block, text, length);
    block[length] = '\0';
    ++liveCount_;
    return block;
}

bool TextPool::InBlocks(const char* text) const {
    std::less<const char*> before;
    for (const auto& block : blocks_) {
        if (!before(text, block.get()) && before(text, block.get() + kBlockSize)) {
            return true;
        }
    }
    return false;
}

void TextPool::Free(const char* text) {
    if (!text) {
        return;
    }
    auto large = large_.find(text);
    if (large != large_.end()) {
        large_.erase(large);
        delete[] text;
        --liveCount_;
    } else if (InBlocks(text)) {
        --liveCount_;
    }
}

}  // namespace brindle

// Feeds arbitrary bytes to the clipboard's block readers as another program's file list and effect.
#include <cstdint>
#include <cstring>

#include "views/clipboard_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes on the heap, so that any read past the block is caught.
    auto* block = new unsigned char[size ? size : 1];
    std::memcpy(block, data, size);
    const std::optional<brindle::FileDropList> list = brindle::ParseFileDrop(block, size);
    brindle::ParseEffect(block, size);
    if (list) {
        // Every name is non-empty and fits in the block it came from.
        size_t total = 0;
        for (const std::string& name : list->narrow)
            total += name.size() + 1;
        for (const std::u16string& name : list->wideNames)
            total += 2 * (name.size() + 1);
        if (list->Count() == 0 || total > size - brindle::kDropHeaderSize)
            __builtin_trap();
        for (const std::string& name : list->narrow)
            if (name.empty() || name.find('\0') != std::string::npos)
                __builtin_trap();
    }
    delete[] block;
    return 0;
}

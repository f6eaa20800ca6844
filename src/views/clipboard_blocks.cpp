#include "views/clipboard_blocks.h"

#include <cstring>

namespace brindle {
namespace {

uint32_t ReadDword(const unsigned char* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

void WriteDword(unsigned char* at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// Names of `unit` bytes each from `begin` to `end`: false unless an empty name closes the list inside.
template <typename Text>
bool ReadNames(const unsigned char* begin, const unsigned char* end, std::vector<Text>& names) {
    using Unit = typename Text::value_type;
    const size_t units = static_cast<size_t>(end - begin) / sizeof(Unit);
    Text name;
    for (size_t i = 0; i < units; ++i) {
        Unit unit;
        std::memcpy(&unit, begin + i * sizeof(Unit), sizeof(Unit));  // the list need not be aligned
        if (unit != 0) {
            name.push_back(unit);
            continue;
        }
        if (name.empty())
            return true;
        names.push_back(std::move(name));
        name.clear();
    }
    return false;
}

}  // namespace

std::vector<unsigned char> FileDropBlock(const std::string& path) {
    std::vector<unsigned char> block(kDropHeaderSize + path.size() + 2, 0);
    WriteDword(block.data(), static_cast<uint32_t>(kDropHeaderSize));
    std::memcpy(block.data() + kDropHeaderSize, path.data(), path.size());
    return block;
}

std::vector<unsigned char> EffectBlock(uint32_t effect) {
    std::vector<unsigned char> block(4);
    WriteDword(block.data(), effect);
    return block;
}

std::optional<FileDropList> ParseFileDrop(const unsigned char* data, size_t size) {
    if (!data || size < kDropHeaderSize)
        return std::nullopt;
    const uint32_t offset = ReadDword(data);
    if (offset < kDropHeaderSize || offset >= size)
        return std::nullopt;
    FileDropList list;
    list.wide = ReadDword(data + 16) != 0;
    const bool closed = list.wide ? ReadNames(data + offset, data + size, list.wideNames)
                                  : ReadNames(data + offset, data + size, list.narrow);
    if (!closed || list.Count() == 0)
        return std::nullopt;
    return list;
}

std::optional<uint32_t> ParseEffect(const unsigned char* data, size_t size) {
    if (!data || size < 4)
        return std::nullopt;
    return ReadDword(data);
}

PasteOperation OperationOfEffect(uint32_t effect) {
    if (effect & kEffectCopy)
        return PasteOperation::Copy;
    if (effect & kEffectMove)
        return PasteOperation::Move;
    return PasteOperation::Unknown;
}

std::string DoubleNulList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list.push_back('\0');
    }
    list.push_back('\0');
    return list;
}

}  // namespace brindle

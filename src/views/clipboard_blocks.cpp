#include "views/clipboard_blocks.h"

#include <cstring>

#include "text/sjis.h"

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

bool IsPlainAbsoluteName(const std::string& name) {
    if (name.find_first_of("*?") != std::string::npos)
        return false;
    auto separator = [&](size_t at) { return at < name.size() && (name[at] == '\\' || name[at] == '/'); };
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (name.size() >= 3 && letter(name[0]) && name[1] == ':' && separator(2))
        return true;
    if (!separator(0) || !separator(1))
        return false;
    // A share: a server name (not "."), a separator, a share name.
    const size_t server = 2;
    const size_t end = sjis::FindAnyOf(name, "\\/", server);
    return end != std::string::npos && end > server && name.compare(server, end - server, ".") != 0 &&
           end + 1 < name.size() && !separator(end + 1);
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

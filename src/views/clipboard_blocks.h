#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The clipboard's file blocks: a file list in the drop form (a 20-byte header, then the names, each
// closed by a NUL, the list closed by one more NUL) and the 4-byte preferred drop effect. Blocks from
// other programs are read with every offset and terminator checked against the block's size.
namespace brindle {

constexpr size_t kDropHeaderSize = 20;
constexpr uint32_t kEffectCopy = 1;  // DROPEFFECT_COPY
constexpr uint32_t kEffectMove = 2;  // DROPEFFECT_MOVE

// A drop block naming one file in the ANSI code page.
std::vector<unsigned char> FileDropBlock(const std::string& path);

// A preferred drop effect block.
std::vector<unsigned char> EffectBlock(uint32_t effect);

// The names of a drop block, in their order: bytes of the ANSI code page for a narrow list, UTF-16 for
// a wide one.
struct FileDropList {
    bool wide = false;
    std::vector<std::string> narrow;
    std::vector<std::u16string> wideNames;
    size_t Count() const { return wide ? wideNames.size() : narrow.size(); }
};

// The list of a drop block, or nothing when the block is too short, its list starts inside the header
// or beyond the end, a name or the list is not closed inside the block, or it names no file.
std::optional<FileDropList> ParseFileDrop(const unsigned char* data, size_t size);

// The effect of an effect block, or nothing when the block is shorter than 4 bytes.
std::optional<uint32_t> ParseEffect(const unsigned char* data, size_t size);

enum class PasteOperation { Copy, Move, Unknown };

// The copy bit wins over the move bit; an effect with neither is unknown.
PasteOperation OperationOfEffect(uint32_t effect);

// Whether `name` (ANSI code page bytes) is a plain absolute name that the file operation takes as it
// stands: a drive letter, a colon and a separator (C:\x), or a share (\\server\share), without the
// wildcards '*' and '?' (which the file operation would expand) and so without the long-name prefix
// (\\?\); nor the device prefix (\\.\). A relative name would be taken from the program's current
// folder. '*', '?', '/' and the backslash are no trail bytes, so the bytes are read one by one.
bool IsPlainAbsoluteName(const std::string& name);

// Names joined into the file operation's list form: each closed by a NUL, the list by one more.
std::string DoubleNulList(const std::vector<std::string>& names);

}  // namespace brindle

#include "views/dropped_files_win.h"

#include "views/clipboard_blocks.h"
#include "views/clipboard_win.h"

namespace brindle {

// The drop handle is a drop block in global memory: it is read with every offset and terminator checked,
// as a block from the clipboard is. (Wine's DragQueryFileW counts one name in an empty wide list and, in
// the i686 build, reads that name from beyond the block.) A name outside the code page is seen in a wide
// list, not guessed; empty names name nothing.
std::optional<std::vector<std::string>> DroppedNames(HDROP drop, Messages& messages) {
    std::optional<FileDropList> list;
    if (const void* data = GlobalLock(drop)) {
        list = ParseFileDrop(static_cast<const unsigned char*>(data), GlobalSize(drop));
        GlobalUnlock(drop);
    }
    if (!list)
        return std::vector<std::string>{};
    std::erase_if(list->narrow, [](const std::string& name) { return name.empty(); });
    std::erase_if(list->wideNames, [](const std::u16string& name) { return name.empty(); });
    if (list->Count() == 0)
        return std::vector<std::string>{};
    return AnsiNames(*list, messages);
}

}  // namespace brindle

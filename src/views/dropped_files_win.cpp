#include "views/dropped_files_win.h"

#include "views/clipboard_blocks.h"
#include "views/clipboard_win.h"

namespace brindle {

// Read as UTF-16 whatever the drop holds, so that a name outside the code page is seen, not guessed. An
// empty list still counts one (empty) name; empty names name nothing.
std::optional<std::vector<std::string>> DroppedNames(HDROP drop, Messages& messages) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    FileDropList list;
    list.wide = true;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(length);
        if (!name.empty())
            list.wideNames.emplace_back(name.begin(), name.end());
    }
    if (list.wideNames.empty())
        return std::vector<std::string>{};
    return AnsiNames(list, messages);
}

}  // namespace brindle

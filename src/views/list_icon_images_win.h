#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <unordered_map>

#include "views/icon_cache.h"

namespace brindle {

// The shortcuts' own icons in the shortcut list's two image lists, read as rows are first shown: each
// icon source once per fill (a failed read too), appended to both lists after the five class images.
// The lists keep their own copies, so the icons read are destroyed at once.
class ListIconImages {
public:
    explicit ListIconImages(IconReader& reader) : reader_(reader) {}

    // Back to the class images, for the lists the icons go to now (read at their sizes).
    void Reset(HIMAGELIST small, HIMAGELIST large);
    // Whether these are the lists the icons go to.
    bool Uses(HIMAGELIST small, HIMAGELIST large) const { return small == small_ && large == large_; }
    // The image of an icon source, or -1 when it gave no pair of icons.
    int ImageOf(const std::string& source);

private:
    IconReader& reader_;
    HIMAGELIST small_ = nullptr, large_ = nullptr;
    IconSizes sizes_;
    std::unordered_map<std::string, int> images_;
};

}  // namespace brindle

#include "views/icon_cache.h"

namespace brindle {

int IconCache::Lookup(const std::string& key) {
    if (auto found = keys_.find(key); found != keys_.end()) {
        return found->second;
    }
    IconHandle large = nullptr, small = nullptr;
    reader_.Read(key, sizes_, large, small);
    if (!large || !small) {
        if (large)
            reader_.Destroy(large);
        if (small)
            reader_.Destroy(small);
        return -1;
    }
    const int index = static_cast<int>(pairs_.size());
    pairs_.push_back({large, small});
    keys_.emplace(key, index);
    return index;
}

void IconCache::Clear() {
    for (const Pair& pair : pairs_) {
        reader_.Destroy(pair.large);
        reader_.Destroy(pair.small);
    }
    pairs_.clear();
    keys_.clear();
}

void IconCache::SetSizes(IconSizes sizes) {
    if (sizes == sizes_)
        return;
    Clear();
    sizes_ = sizes;
}

void PageIconCache::SetSize(int small) {
    // Pages show small icons only; the large one is read at twice the size, as the shell pairs them.
    const IconSizes sizes{small * 2, small};
    if (sizes == sizes_)
        return;
    Clear();
    sizes_ = sizes;
}

int PageIconCache::ImageOf(const char* source, int fallback) {
    if (auto found = sources_.find(source); found != sources_.end()) {
        return found->second;
    }
    IconHandle large = nullptr, small = nullptr;
    reader_.Read(source, sizes_, large, small);
    if (large)
        reader_.Destroy(large);  // pages show small icons only
    int image = fallback;
    if (small) {
        image = static_cast<int>(icons_.size()) + kFirstTreeIcon;
        icons_.push_back(small);
    }
    sources_.emplace(source, image);
    return image;
}

std::pair<int, int> PageIconCache::ImagePair(int32_t useIcons, const char* normalSource, const char* selectedSource) {
    std::pair<int, int> images{0, 1};
    if (!useIcons) {
        return images;
    }
    if (normalSource)
        images.first = ImageOf(normalSource, 0);
    if (selectedSource)
        images.second = ImageOf(selectedSource, 1);
    return images;
}

void PageIconCache::Clear() {
    for (IconHandle icon : icons_)
        reader_.Destroy(icon);
    icons_.clear();
    sources_.clear();
}

}  // namespace brindle

#include "views/list_icon_images_win.h"

namespace brindle {
namespace {

int EdgeOf(HIMAGELIST images) {
    int width = 0, height = 0;
    return images && ImageList_GetIconSize(images, &width, &height) ? width : 0;
}

}  // namespace

void ListIconImages::Reset(HIMAGELIST small, HIMAGELIST large) {
    small_ = small;
    large_ = large;
    sizes_ = {EdgeOf(large), EdgeOf(small)};
    images_.clear();
    if (small_ && large_) {
        ImageList_SetImageCount(small_, kFirstListIcon);
        ImageList_SetImageCount(large_, kFirstListIcon);
    }
}

int ListIconImages::ImageOf(const std::string& source) {
    if (auto found = images_.find(source); found != images_.end())
        return found->second;
    int image = -1;
    if (small_ && large_) {
        IconHandle large = nullptr, small = nullptr;
        reader_.Read(source, sizes_, large, small);
        if (large && small) {
            const int count = ImageList_GetImageCount(small_);
            const int first = ImageList_ReplaceIcon(small_, -1, static_cast<HICON>(small));
            const int second = ImageList_ReplaceIcon(large_, -1, static_cast<HICON>(large));
            if (first == count && second == count) {
                image = count;
            } else {
                // The lists stay in step: one image index names the same icon in both.
                ImageList_SetImageCount(small_, count);
                ImageList_SetImageCount(large_, count);
            }
        }
        if (large)
            reader_.Destroy(large);
        if (small)
            reader_.Destroy(small);
    }
    images_.emplace(source, image);
    return image;
}

}  // namespace brindle

#include "views/image_strip_win.h"

#include <algorithm>

namespace brindle {

ImageStrip::~ImageStrip() {
    Clear();
}

void ImageStrip::Clear() {
    keys_.clear();
    if (dc_) {
        SelectObject(dc_, former_);
        DeleteDC(dc_);
        dc_ = nullptr;
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
    }
}

void ImageStrip::Draw(HDC target,
                      int x,
                      int y,
                      int width,
                      int height,
                      const Key& key,
                      const std::function<void(HDC, int, int)>& draw) {
    if (width <= 0 || height <= 0)
        return;
    if (width > cellWidth_ || height > cellHeight_)
        Clear();  // cells of another size: made again
    if (!dc_) {
        cellWidth_ = width;
        cellHeight_ = height;
        // Made like the screen: a first draw into a memory device context (a print, a drag image) would
        // otherwise give cells of that context's bitmap, one bit deep for a fresh one.
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = screen ? CreateCompatibleBitmap(screen, cellWidth_ * kCells, cellHeight_) : nullptr;
        if (screen)
            ReleaseDC(nullptr, screen);
        if (!dc_ || !bitmap_) {
            Clear();
            cellWidth_ = cellHeight_ = 0;
            draw(target, x, y);  // nothing to keep it in: drawn in place
            return;
        }
        former_ = SelectObject(dc_, bitmap_);
    }
    auto found = std::find(keys_.begin(), keys_.end(), key);
    if (found == keys_.end()) {
        if (keys_.size() == kCells)
            keys_.clear();
        keys_.push_back(key);
        found = keys_.end() - 1;
        const int cell = static_cast<int>(found - keys_.begin());
        const RECT area{cell * cellWidth_, 0, cell * cellWidth_ + width, height};
        SetBkColor(dc_, key.back);
        ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
        draw(dc_, area.left, 0);
    }
    const int cell = static_cast<int>(found - keys_.begin());
    BitBlt(target, x, y, width, height, dc_, cell * cellWidth_, 0, SRCCOPY);
}

}  // namespace brindle

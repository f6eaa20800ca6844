#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace brindle {

// Images drawn once onto the background they are shown on and copied from then on: under Wine an image
// list or icon drawn with its mask or alpha costs several times a plain copy, once an item at every paint.
// The strip holds a few dozen cells in one bitmap; when they are all taken it starts again.
class ImageStrip {
public:
    ImageStrip() = default;
    ~ImageStrip();
    ImageStrip(const ImageStrip&) = delete;
    ImageStrip& operator=(const ImageStrip&) = delete;

    // What a cell shows: the image's source (an image list or an icon) and index, and the background.
    struct Key {
        const void* source;
        int index;
        COLORREF back;
        bool operator==(const Key&) const = default;
    };
    // Copies the cell of `key` (width x height) to (x, y) of `target`, drawing it first with `draw` (into
    // the given device context at the given point, over the background) when it is not held.
    void Draw(HDC target,
              int x,
              int y,
              int width,
              int height,
              const Key& key,
              const std::function<void(HDC, int, int)>& draw);
    // Lets every cell go (the images they came from may be gone).
    void Clear();

private:
    static constexpr int kCells = 48;

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ former_ = nullptr;
    int cellWidth_ = 0, cellHeight_ = 0;
    std::vector<Key> keys_;  // cell n holds keys_[n]
};

}  // namespace brindle

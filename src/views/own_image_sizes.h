#pragma once

#include <span>

// The sizes at which the program's own icons and image-list strips are drawn (res/make_images.py), and
// the choice among them for the size a display scale asks for.
namespace brindle::views {

// Every icon and strip exists at these edges, in pixels.
constexpr int kOwnImageSizes[] = {16, 20, 24, 32, 40, 48};

// The drawn size nearest to `wanted` (the larger of two equally near ones: shrinking loses less than
// stretching); the smallest for a size of 0 or less.
int NearestOwnImageSize(int wanted, std::span<const int> sizes = kOwnImageSizes);

}  // namespace brindle::views

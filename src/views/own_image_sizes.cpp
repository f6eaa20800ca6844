#include "views/own_image_sizes.h"

#include <cstdlib>

namespace brindle::views {

int NearestOwnImageSize(int wanted, std::span<const int> sizes) {
    int best = 0;
    for (int size : sizes) {
        if (best == 0) {
            best = size;
            continue;
        }
        const int distance = std::abs(size - wanted), bestDistance = std::abs(best - wanted);
        if (distance < bestDistance || (distance == bestDistance && size > best))
            best = size;
    }
    return best;
}

}  // namespace brindle::views

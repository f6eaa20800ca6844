#include "about/gauge_geometry.h"

#include <algorithm>
#include <cstdint>

namespace brindle {

int MulDivRounded(int a, int b, int c) {
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = product < 0 ? -product : product;
    const int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
    const int64_t quotient = (magnitude + divisor / 2) / divisor;
    return static_cast<int>(negative ? -quotient : quotient);
}

int GaugeBarRight(int left, int width, int value, int maximum) {
    if (maximum <= 0 || width <= 0)
        return left;
    return left + MulDivRounded(width, std::clamp(value, 0, maximum), maximum);
}

std::array<int, 9> GaugeTicks(int left, int width) {
    std::array<int, 9> ticks{};
    for (int i = 1; i <= 9; ++i)
        ticks[i - 1] = left + i * width / 10;
    return ticks;
}

}  // namespace brindle

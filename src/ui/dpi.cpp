#include "ui/dpi.h"

#include <cstdint>

namespace brindle::ui {
namespace {

// MulDiv's rounding: half away from zero.
int MulDivRounded(int value, unsigned numerator, unsigned denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

unsigned OrBase(unsigned dpi) { return dpi ? dpi : kBaseDpi; }

}  // namespace

int ScaleToDpi(int length96, unsigned dpi) { return MulDivRounded(length96, OrBase(dpi), kBaseDpi); }

int ScaleFromDpi(int length, unsigned dpi) { return MulDivRounded(length, kBaseDpi, OrBase(dpi)); }

int ScaleBetweenDpi(int length, unsigned fromDpi, unsigned toDpi) {
    return MulDivRounded(length, OrBase(toDpi), OrBase(fromDpi));
}

int SmallIconSizeForDpi(unsigned dpi) {
    // The shell rounds the scaled edge down to an even number of pixels (20 at 125 %, 24 at 150 %).
    const int scaled = ScaleToDpi(16, dpi);
    return scaled < 16 ? 16 : scaled & ~1;
}

}  // namespace brindle::ui

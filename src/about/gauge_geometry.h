#pragma once

#include <array>

// Where the about box's gauge draws its bar and its tick marks. Portable arithmetic; the control itself is
// gauge_static.cpp.
namespace brindle {

// a × b / c to the nearest integer, halves away from zero (MulDiv's rounding), in 64 bits; -1 when c is 0,
// as MulDiv answers.
int MulDivRounded(int a, int b, int c);

// The bar's right edge for `value` of `maximum` over a client area from `left`, `width` wide: the value is
// taken within 0..maximum, and a maximum of 0 or less leaves no bar (the edge stays at `left`).
int GaugeBarRight(int left, int width, int value, int maximum);

// The x of each tick mark, at the tenths of the width.
std::array<int, 9> GaugeTicks(int left, int width);

}  // namespace brindle

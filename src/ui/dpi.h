#pragma once

// Lengths the program sizes itself are designed at 96 dots per inch (100 %) and drawn at the DPI of the
// monitor the window is on. Portable arithmetic; the Windows half (dpi_win.h) asks the system.
namespace brindle::ui {

constexpr unsigned kBaseDpi = 96;

// A length designed at 96 DPI, at `dpi`: rounded to the nearest pixel as MulDiv rounds, the sign kept
// (a font's height is negative when it gives the character height). A DPI of 0 counts as 96.
int ScaleToDpi(int length96, unsigned dpi);

// A length at `dpi` back at 96 DPI: what is stored, so a file moves between screens unchanged.
int ScaleFromDpi(int length, unsigned dpi);

// A length at `fromDpi`, at `toDpi` (a system metric read at the system DPI, for another monitor).
int ScaleBetweenDpi(int length, unsigned fromDpi, unsigned toDpi);

// The small icon edge the shell uses at `dpi` (16 at 96, 20 at 120, 24 at 144, 32 at 192); the large one
// is twice that. Used where the system cannot say (before Windows 10's per-DPI metrics).
int SmallIconSizeForDpi(unsigned dpi);

}  // namespace brindle::ui

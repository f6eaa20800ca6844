#pragma once

#include <windows.h>

#include <commctrl.h>

// The program's own pictures at the size a display scale asks for: the drawn size nearest to it, and
// only that one stretched when no drawn size matches (past 48 pixels).
namespace brindle::views {

enum class OwnStrip {
    Tree,     // closed and open folder; navy background
    Classes,  // the five target classes; red background
};

// An image list of `size` x `size` images holding the strip; null when the resource cannot be read.
HIMAGELIST OwnStripImageList(OwnStrip strip, int size);

// The program's icon `id` at `size` pixels (its own image of that size where it has one); destroy it.
HICON LoadOwnIcon(int id, int size);

}  // namespace brindle::views

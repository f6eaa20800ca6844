#pragma once

// Which of an item's two icons to draw at a size the DPI asks for. Portable; icon_pick_win.h measures
// the icons.
namespace brindle::ui {

// From the edges of the small and the big icon (0: not there), for `wanted` pixels: the small one when
// it is that big, else the larger picture drawn smaller; a small one is blown up only when it is all
// there is.
enum class IconPick { None, Small, Big };
IconPick PickIcon(int smallEdge, int bigEdge, int wanted);

}  // namespace brindle::ui

#include "ui/icon_pick.h"

namespace brindle::ui {

IconPick PickIcon(int smallEdge, int bigEdge, int wanted) {
    if (smallEdge > 0 && (smallEdge >= wanted || smallEdge >= bigEdge))
        return IconPick::Small;
    return bigEdge > 0 ? IconPick::Big : IconPick::None;
}

}  // namespace brindle::ui

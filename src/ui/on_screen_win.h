#pragma once

#include <windows.h>

namespace brindle::ui {

// The rectangle a window with the stored rectangle `stored` is given: the stored one when the user can
// reach its caption on some monitor; moved onto the nearest monitor's work area when not; the size of
// `current` centred on the nearest monitor when the stored one is empty (a first start).
RECT PlaceOnScreen(const RECT& stored, const RECT& current);

}  // namespace brindle::ui

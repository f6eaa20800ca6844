#pragma once

#include "ui/subclass.h"

namespace brindle {

// The bar between the page tree and the right-hand side: a press starts the main window's drag.
class SplitterBar : public ui::SubclassedWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace brindle

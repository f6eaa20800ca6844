#pragma once

#include "ui/subclass.h"

namespace brindle {

// The page tree's window: a WM_NOTIFY reaches the tree only from its own tooltip (another program can
// post one with any address, which the tree would read).
class PageTreeCtrl : public ui::SubclassedWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace brindle

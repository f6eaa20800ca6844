#pragma once

#include "ui/anchored_layout.h"

// Where the task select dialog's controls go when it is resized, and how small it may be made. Portable
// arithmetic in pixels; the dialog measures its controls and applies the result.
namespace brindle {

// The sizes of the controls that keep their size, as the template made them.
struct TaskSelectSizes {
    int selectWidth = 0, selectHeight = 0;
    int closeWidth = 0, closeHeight = 0;
    int cancelWidth = 0, cancelHeight = 0;
    int checkHeight = 0;  // the "&Position" check box of the top row
    int labelWidth = 0, labelHeight = 0;
};

struct TaskSelectLayout {
    ui::Box select, close, cancel, label, list;
    ui::Box hint;  // where the hint text is drawn, left of the buttons and below the list
};

// The buttons sit in a row at the bottom right, 1 pixel apart (Select, Close, Cancel); the label under the
// top row; the list fills the width between the label and the buttons.
TaskSelectLayout ComputeTaskSelectLayout(int clientWidth, int clientHeight, const TaskSelectSizes& sizes);

struct TrackSize {
    int width = 0, height = 0;
};

// The smallest window the user may size the dialog to: its size as created, unless that is negative or
// does not fit the work area (a huge dialog font), which gives 320 by 160.
TrackSize MinimumTrackSize(int createdWidth, int createdHeight, int workWidth, int workHeight);

}  // namespace brindle

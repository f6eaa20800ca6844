#pragma once

#include <string>
#include <vector>

// The arithmetic of the sort dialog: which of Up and Down may act, where a moved line goes, the order the
// user chose and the height of a line. Portable: the dialog (sort_dialog.cpp) applies it to its list.
namespace brindle {

// One entry of a sort: its text, its image in the image list the dialog is given, and its key (a page
// id or a shortcut's index in the store's table).
struct SortItem {
    std::string text;
    int image = -1;
    int key = -1;
    friend bool operator==(const SortItem&, const SortItem&) = default;
};

struct SortButtons {
    bool up = false;
    bool down = false;
    friend bool operator==(const SortButtons&, const SortButtons&) = default;
};

// Up and Down for a list of `count` lines with line `selection` chosen (-1: none).
SortButtons SortButtonStates(int selection, int count);

// Where line `selection` goes when moved by `delta` (-1 up, +1 down); -1 when it cannot move.
int SortMoveTarget(int selection, int delta, int count);

// The items in the order of the list's lines, each line naming its item by index. Lines that name no
// item, or one already taken, are left out: the result is then shorter and the store refuses it.
std::vector<SortItem> ItemsInLineOrder(const std::vector<SortItem>& items, const std::vector<int>& lineItems);

// The keys of `items` in their order.
std::vector<int> SortKeys(const std::vector<SortItem>& items);

// A line holds an icon `iconSize` pixels high (the image list's) and a line of text in a font `fontHeight`
// pixels high.
int SortLineHeight(int fontHeight, int iconSize);

}  // namespace brindle

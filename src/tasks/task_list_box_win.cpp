#include "tasks/task_list_box_win.h"

#include <algorithm>
#include <string>

namespace brindle {
namespace {

constexpr COLORREF kItemBack = RGB(255, 255, 255);
constexpr COLORREF kSelectedBack = RGB(255, 255, 0);
constexpr COLORREF kText = RGB(0, 0, 0);
// Past the widest text at a 16-pixel icon: the icon, its gap and a little more, scaled with the icon.
constexpr int kExtentMargin16 = 20;

// A device context of the list with its font selected, given back on destruction.
class ListDC {
public:
    ListDC(HWND list, HFONT font) : list_(list), dc_(GetDC(list)) {
        if (dc_ && font)
            old_ = SelectObject(dc_, font);
    }
    ~ListDC() {
        if (old_)
            SelectObject(dc_, old_);
        if (dc_)
            ReleaseDC(list_, dc_);
    }
    ListDC(const ListDC&) = delete;
    ListDC& operator=(const ListDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND list_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

void Fill(HDC dc, const RECT& rect, COLORREF color) {
    SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

void TaskListBox::Attach(HWND list, const std::vector<TaskEntry>* entries) {
    list_ = list;
    entries_ = entries;
}

HFONT TaskListBox::Font() const {
    return reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0));
}

void TaskListBox::Refill() {
    if (!list_ || !entries_)
        return;
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    {
        ListDC dc(list_, Font());
        for (const TaskEntry& entry : *entries_) {
            const std::string text = EntryText(entry);
            SIZE size{};
            if (dc.Get() && GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size))
                widest = std::max(widest, static_cast<int>(size.cx) + kExtentMargin16 * iconSize_ / 16);
            SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
        }
    }
    widest_ = widest;
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int TaskListBox::ItemHeight() const {
    SIZE size{};
    if (list_) {
        ListDC dc(list_, Font());
        if (dc.Get())
            GetTextExtentPoint32A(dc.Get(), "test", 4, &size);
    }
    return std::max(static_cast<int>(size.cy), iconSize_) + 1;
}

void TaskListBox::Draw(const DRAWITEMSTRUCT& item) const {
    if (!entries_ || item.itemID >= entries_->size())
        return;
    const TaskEntry& entry = (*entries_)[item.itemID];
    HDC dc = item.hDC;
    const int savedDC = SaveDC(dc);
    RECT rect = item.rcItem;
    Fill(dc, rect, kItemBack);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &rect);
    rect.top += 1;
    rect.bottom -= 1;
    if (item.itemState & ODS_SELECTED)
        Fill(dc, rect, kSelectedBack);
    if (entry.icon) {
        // Centred in a row the font made taller than the icon.
        const int top = rect.top + std::max(0, static_cast<int>(rect.bottom - rect.top) - iconSize_) / 2;
        DrawIconEx(dc, rect.left, top, reinterpret_cast<HICON>(entry.icon), iconSize_, iconSize_, 0, nullptr,
                   DI_NORMAL);
    }
    rect.left += iconSize_ + 1;
    if (HFONT font = Font())
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kText);
    const std::string text = EntryText(entry);
    // A title is shown as it is: an '&' in it is no mnemonic.
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    RestoreDC(dc, savedDC);
}

}  // namespace brindle

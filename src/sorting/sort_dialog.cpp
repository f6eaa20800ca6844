#include "sorting/sort_dialog.h"

#include <algorithm>
#include <utility>

#include "launch/help_win.h"
#include "resource.h"
#include "ui/dpi_win.h"
#include "ui/messages.h"

namespace brindle {
namespace {

constexpr char kTooFew[] = "ｿｰﾄすべきｱｲﾃﾑが2つ未満です。";
constexpr COLORREF kSelectedBack = RGB(0, 0, 128), kBack = RGB(255, 255, 255);
constexpr COLORREF kSelectedText = RGB(255, 255, 255), kText = RGB(0, 0, 0);
constexpr int kIconGap = 2;  // between the icon and the text, at 96 DPI

// The height of the dialog's font: the dialog manager has set it before it makes the controls, so it
// is there when the list asks for its line height (before WM_INITDIALOG).
int FontHeight(HWND dialog, HFONT font) {
    HDC dc = GetDC(dialog);
    if (!dc)
        return 0;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics{};
    const int height = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 0;
    if (old)
        SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return height;
}

}  // namespace

SortDialog::SortDialog(Messages& messages, std::string pageName, std::vector<SortItem> items, HIMAGELIST images)
    : ui::Dialog(IDD_SORT),
      messages_(messages),
      pageName_(std::move(pageName)),
      items_(std::move(items)),
      images_(images) {}

HWND SortDialog::List() const {
    return Item(IDC_SORT_LIST);
}

BOOL SortDialog::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    layout_.Start(Hwnd());
    layout_.Add(IDC_SORT_PAGE_NAME, ui::anchor::kStretchRight);
    layout_.Add(IDC_SORT_LIST, ui::anchor::kStretchRight | ui::anchor::kStretchDown);
    if (items_.size() < 2) {
        messages_.Show(kTooFew, box::kIconExclamation);
        EndDialog(IDCANCEL);
        return FALSE;
    }
    HWND list = List();
    for (size_t i = 0; i < items_.size(); ++i) {
        const LRESULT line = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_[i].text.c_str()));
        if (line >= 0)
            SendMessageA(list, LB_SETITEMDATA, line, static_cast<LPARAM>(i));
    }
    UpdateButtons();
    return TRUE;
}

void SortDialog::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Text(IDC_SORT_PAGE_NAME, pageName_);
}

int SortDialog::Selection() const {
    const LRESULT selection = SendMessageA(List(), LB_GETCURSEL, 0, 0);
    return selection == LB_ERR ? -1 : static_cast<int>(selection);
}

void SortDialog::UpdateButtons() {
    const int count = static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0));
    const SortButtons buttons = SortButtonStates(Selection(), count);
    EnableWindow(Item(IDC_SORT_UP), buttons.up);
    EnableWindow(Item(IDC_SORT_DOWN), buttons.down);
}

void SortDialog::Move(int delta) {
    HWND list = List();
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    const int from = Selection();
    const int to = SortMoveTarget(from, delta, count);
    if (to < 0)
        return;
    const LRESULT data = SendMessageA(list, LB_GETITEMDATA, from, 0);
    SendMessageA(list, LB_DELETESTRING, from, 0);
    const int index = static_cast<int>(data);
    const char* text = index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].text.c_str() : "";
    const LRESULT line = SendMessageA(list, LB_INSERTSTRING, to, reinterpret_cast<LPARAM>(text));
    if (line >= 0) {
        SendMessageA(list, LB_SETITEMDATA, line, data);
        SendMessageA(list, LB_SETCURSEL, line, 0);
    }
    UpdateButtons();
}

bool SortDialog::OnCommand(int id, int code, HWND /*control*/) {
    switch (id) {
        case IDC_SORT_LIST:
            if (code == LBN_SELCHANGE)
                UpdateButtons();
            return code == LBN_SELCHANGE;
        case IDC_SORT_UP:
            Move(-1);
            return true;
        case IDC_SORT_DOWN:
            Move(+1);
            return true;
        default:
            return false;
    }
}

void SortDialog::OnOK() {
    HWND list = List();
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    std::vector<int> lineItems;
    for (int line = 0; line < count; ++line)
        lineItems.push_back(static_cast<int>(SendMessageA(list, LB_GETITEMDATA, line, 0)));
    items_ = ItemsInLineOrder(items_, lineItems);
    EndDialog(IDOK);
}

bool SortDialog::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlID != IDC_SORT_LIST)
        return false;
    item.itemHeight = static_cast<UINT>(LineHeight());
    return true;
}

int SortDialog::IconSize() const {
    int width = 0, height = 0;
    if (images_ && ImageList_GetIconSize(images_, &width, &height))
        return height;
    return ui::MetricForDpi(SM_CYSMICON, Dpi());
}

int SortDialog::LineHeight() const {
    return SortLineHeight(FontHeight(Hwnd(), Font()), IconSize());
}

void SortDialog::RebuildForDpi(unsigned oldDpi, unsigned newDpi) {
    layout_.Rescale(oldDpi, newDpi);
    SendMessageA(List(), LB_SETITEMHEIGHT, 0, LineHeight());
    InvalidateRect(List(), nullptr, TRUE);
}

bool SortDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != IDC_SORT_LIST)
        return false;
    const bool selected = item.itemState & ODS_SELECTED;
    HDC dc = item.hDC;
    SetBkColor(dc, selected ? kSelectedBack : kBack);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);  // fills with the background
    const size_t index = static_cast<size_t>(item.itemData);
    if (index >= items_.size())
        return true;
    const int iconSize = IconSize();
    if (images_) {
        const int top =
            item.rcItem.top + std::max(0, static_cast<int>(item.rcItem.bottom - item.rcItem.top) - iconSize) / 2;
        ImageList_Draw(images_, items_[index].image, dc, 0, top, ILD_NORMAL);
    }
    SetTextColor(dc, selected ? kSelectedText : kText);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT text = item.rcItem;
    text.left = iconSize + Scaled(kIconGap);
    DrawTextA(dc, items_[index].text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
    return true;
}

bool SortDialog::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SIZE:
            layout_.Resize(LOWORD(lParam), HIWORD(lParam));
            return false;  // the default handling as well
        case WM_GETMINMAXINFO:
            layout_.TrackLimits(*reinterpret_cast<MINMAXINFO*>(lParam));
            result = 0;
            return true;
        default:
            return false;
    }
}

bool SortDialog::OnHelp() {
    ShowHelp(help::kSortDialog);
    return true;
}

}  // namespace brindle

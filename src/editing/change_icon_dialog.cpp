#include "editing/change_icon_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "editing/edit_rules.h"
#include "launch/command_line.h"
#include "launch/help_win.h"
#include "launch/system_win.h"
#include "resource.h"
#include "ui/dpi_win.h"
#include "ui/pickers_win.h"

namespace brindle {
namespace {

// More than any real file holds (an icon index is a 16-bit number): a count beyond it is no count.
constexpr UINT kMostIcons = 65536;
constexpr char kBrowseTitle[] = "ｱｲｺﾝを指定してください";
constexpr char kBrowseFilter[] = "全てのﾌｧｲﾙ\0*.*\0ｱｲｺﾝﾌｧｲﾙ(*.ico)\0*.ico\0実行ﾌｧｲﾙ(*.exe;*.dll)\0*.exe;*.dll\0";

std::string Expanded(const std::string& text) {
    WinSystem system;
    return ExpandPath(text, system);
}

// The full path of an existing file to propose in the picker, or empty: a name the picker's classic
// 260-byte buffer cannot hold is not proposed.
std::string ExistingFullPath(const std::string& name) {
    if (name.empty() || GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES)
        return {};
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : std::string();
}

// Whether an icon handle holds a picture; one without (drawn as a black square) is read again alone.
bool HoldsPicture(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    BITMAP mask{};
    const bool picture = info.hbmMask && GetObjectA(info.hbmMask, sizeof mask, &mask) && mask.bmWidth > 0;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return picture;
}

}  // namespace

ChangeIconDialog::ChangeIconDialog() : ui::Dialog(IDD_CHANGE_ICON) {}

void ChangeIconDialog::SetInitial(const std::string& source) {
    const dialogs::IconChoice choice = dialogs::SplitIconChoice(source);
    file_ = choice.file;
    iconIndex_ = choice.index;
}

std::string ChangeIconDialog::Result() const {
    return dialogs::JoinIconChoice(file_, iconIndex_);
}

BOOL ChangeIconDialog::OnInitDialog() {
    layout_.Start(Hwnd());
    layout_.Add(IDC_ICON_FILE, ui::anchor::kStretchRight);
    layout_.Add(IDC_ICON_VIEW, ui::anchor::kStretchRight | ui::anchor::kStretchDown);
    for (int id : {IDOK, IDCANCEL, IDC_ICON_BROWSE})
        layout_.Add(id, ui::anchor::kMoveRight);
    RECT window, browse;
    GetWindowRect(Hwnd(), &window);
    GetWindowRect(Item(IDC_ICON_BROWSE), &browse);
    minimumHeight_ = browse.bottom + Scaled(4) - window.top;

    shownFile_ = file_;
    MakeImageList();
    LoadIcons();
    UpdateData(false);
    return TRUE;
}

void ChangeIconDialog::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Text(IDC_ICON_FILE, shownFile_);
}

void ChangeIconDialog::OnOK() {
    UpdateData(true);
    file_ = shownFile_;
    const int selected = ListView_GetNextItem(Item(IDC_ICON_VIEW), -1, LVNI_SELECTED);
    iconIndex_ = selected >= 0 ? selected : 0;
    EndDialog(IDOK);
}

// Large icons of the dialog's DPI (32 pixels at 96, 48 at 144), read at that size from the file.
void ChangeIconDialog::MakeImageList() {
    const int size = ui::MetricForDpi(SM_CXICON, Dpi());
    ui::UniqueImageList images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
    // The view lets go of the former list before it is destroyed.
    ListView_SetImageList(Item(IDC_ICON_VIEW), images.Get(), LVSIL_NORMAL);
    images_ = std::move(images);
}

void ChangeIconDialog::RebuildForDpi(unsigned oldDpi, unsigned newDpi) {
    layout_.Rescale(oldDpi, newDpi);
    minimumHeight_ = ui::ScaleBetweenDpi(minimumHeight_, oldDpi, newDpi);
    // The icons read again at the new size, the one chosen still chosen.
    const int selected = ListView_GetNextItem(Item(IDC_ICON_VIEW), -1, LVNI_SELECTED);
    ClearIcons();
    MakeImageList();
    iconIndex_ = selected;
    LoadIcons();
}

void ChangeIconDialog::LoadIcons() {
    HWND view = Item(IDC_ICON_VIEW);
    const std::string file = Expanded(shownFile_);
    // One call for all: a library like shell32.dll holds hundreds of icons. A file that is not there (a
    // web address, a program found on the path) answers UINT_MAX for the count, and a failed extraction
    // leaves what its outputs held before: neither is taken for icons.
    UINT count = file.empty() ? 0 : ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0);
    if (count == UINT_MAX || count > kMostIcons)
        count = 0;
    // All of them at the list's size in one call (ExtractIconExA, asked for several, gives Wine's icons
    // after the first without pictures).
    std::vector<HICON> icons(count, nullptr);
    int width = 0, height = 0;
    ImageList_GetIconSize(images_.Get(), &width, &height);
    const UINT extracted =
        count ? PrivateExtractIconsA(file.c_str(), 0, width, height, icons.data(), nullptr, count, 0) : 0;
    if (extracted == UINT_MAX || extracted > count)
        std::fill(icons.begin(), icons.end(), nullptr);

    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    ImageList_SetImageCount(images_.Get(), static_cast<UINT>(icons.size()));
    for (size_t i = 0; i < icons.size(); ++i) {
        if (!HoldsPicture(icons[i])) {
            if (icons[i])
                DestroyIcon(icons[i]);
            icons[i] = nullptr;
            if (ExtractIconExA(file.c_str(), static_cast<int>(i), &icons[i], nullptr, 1) != 1)
                icons[i] = nullptr;
        }
        ImageList_ReplaceIcon(images_.Get(), static_cast<int>(i), icons[i]);
        if (icons[i])
            DestroyIcon(icons[i]);  // the image list keeps its own copy
        char label[16];
        wsprintfA(label, "%d", static_cast<int>(i));
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = static_cast<int>(i);
        item.pszText = label;
        item.iImage = static_cast<int>(i);
        if (static_cast<int>(i) == iconIndex_) {
            item.state = LVIS_SELECTED | LVIS_FOCUSED;
            item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        }
        ListView_InsertItem(view, &item);
    }
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
    if (iconIndex_ >= 0 && iconIndex_ < static_cast<int>(icons.size()))
        ListView_EnsureVisible(view, iconIndex_, FALSE);
}

void ChangeIconDialog::ClearIcons() {
    ListView_DeleteAllItems(Item(IDC_ICON_VIEW));
    ImageList_Remove(images_.Get(), -1);
}

void ChangeIconDialog::Browse() {
    UpdateData(true);
    FileOpenRequest request;
    request.title = kBrowseTitle;
    request.filter.assign(kBrowseFilter, sizeof kBrowseFilter - 1);
    request.initialPath = ExistingFullPath(Expanded(shownFile_));
    const std::optional<std::string> chosen = ui::AppPickers().OpenFile(request);
    if (!chosen)
        return;
    shownFile_ = *chosen;
    ClearIcons();
    iconIndex_ = -1;
    LoadIcons();
    UpdateData(false);
}

bool ChangeIconDialog::OnCommand(int id, int code, HWND) {
    if (id == IDC_ICON_BROWSE && code == BN_CLICKED) {
        Browse();
        return true;
    }
    return false;
}

bool ChangeIconDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (message == WM_GETMINMAXINFO) {
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        layout_.TrackLimits(limits);
        if (minimumHeight_ > 0)
            limits.ptMinTrackSize.y = minimumHeight_;
        return false;
    }
    if (message == WM_SIZE) {
        layout_.Resize(LOWORD(lParam), HIWORD(lParam));
        ListView_Arrange(Item(IDC_ICON_VIEW), LVA_DEFAULT);
        return false;
    }
    return false;
}

bool ChangeIconDialog::OnHelp() {
    ShowHelp(help::kChangeIconDialog);
    return true;
}

}  // namespace brindle

#include "views/tree_notice_mute_win.h"

#include <commctrl.h>

namespace brindle {
namespace {

// The one muted tree of this thread and its parent's own procedure (the mute is not reentrant).
thread_local HWND g_tree = nullptr;
thread_local UINT_PTR g_treeId = 0;
thread_local WNDPROC g_original = nullptr;
thread_local bool g_unicode = false;

bool IsMutedNotice(UINT code) {
    switch (code) {
        case TVN_DELETEITEMA:
        case TVN_DELETEITEMW:
        case TVN_ITEMEXPANDINGA:
        case TVN_ITEMEXPANDINGW:
        case TVN_ITEMEXPANDEDA:
        case TVN_ITEMEXPANDEDW:
            return true;
        default:
            return false;
    }
}

}  // namespace

TreeNoticeMute::TreeNoticeMute(HWND tree) {
    HWND parent = tree ? GetParent(tree) : nullptr;
    if (!parent || g_original || GetWindowThreadProcessId(parent, nullptr) != GetCurrentThreadId())
        return;
    const bool unicode = IsWindowUnicode(parent) != FALSE;
    const LONG_PTR ours = reinterpret_cast<LONG_PTR>(&TreeNoticeMute::Procedure);
    const LONG_PTR previous =
        unicode ? SetWindowLongPtrW(parent, GWLP_WNDPROC, ours) : SetWindowLongPtrA(parent, GWLP_WNDPROC, ours);
    if (!previous)
        return;
    parent_ = parent;
    original_ = reinterpret_cast<WNDPROC>(previous);
    g_tree = tree;
    g_treeId = static_cast<UINT_PTR>(GetDlgCtrlID(tree));
    g_original = original_;
    g_unicode = unicode;
}

TreeNoticeMute::~TreeNoticeMute() {
    if (!original_)
        return;
    if (IsWindowUnicode(parent_))
        SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    else
        SetWindowLongPtrA(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    g_tree = nullptr;
    g_treeId = 0;
    g_original = nullptr;
}

// Only a notice of the muted tree is answered here: its control id first, then its header. The mute
// lasts for one call into the tree on this thread, which sends its notices directly and takes in no
// message of another thread or process meanwhile, so the header is the tree's own.
LRESULT CALLBACK TreeNoticeMute::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && wParam == g_treeId && lParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == g_tree && IsMutedNotice(header->code))
            return 0;
    }
    return g_unicode ? CallWindowProcW(g_original, window, message, wParam, lParam)
                     : CallWindowProcA(g_original, window, message, wParam, lParam);
}

}  // namespace brindle

#include "ui/dialog.h"

#include <commctrl.h>

#include <exception>
#include <string>

#include "ui/dpi_win.h"
#include "ui/message_box_win.h"

namespace brindle::ui {
namespace {

// The dialog whose window is being made on this thread: the dialog manager sends messages (WM_SETFONT,
// WM_MEASUREITEM, WM_GETMINMAXINFO) before WM_INITDIALOG, which alone carries the object.
thread_local Dialog* creating = nullptr;

bool IsOwnerDrawnList(UINT controlType) {
    return controlType == ODT_LISTBOX || controlType == ODT_COMBOBOX || controlType == ODT_LISTVIEW;
}

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

}  // namespace

Dialog::~Dialog() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::DoModal(HWND owner) {
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    modal_ = true;
    result_ = -1;
    running_ = true;
    HWND window = CreateWindowFromTemplate(owner);
    if (!window) {
        running_ = modal_ = false;
        if (ownerWasEnabled)
            EnableWindow(owner, TRUE);
        return -1;
    }
    if (running_ && !(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(window, SW_SHOW);

    MSG message;
    while (running_) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            result_ = -1;
            break;
        }
        if (got == -1)
            break;
        if (RouteBeforeDispatch(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    running_ = false;
    // The owner is enabled again before this window goes, so the activation passes back to it.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    if (hwnd_)
        DestroyWindow(hwnd_);
    modal_ = false;
    return result_;
}

bool Dialog::RouteBeforeDispatch(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    Dialog* target = FromWindow(root);
    if (target && target != this) {
        // A modeless dialog of ours: its own accelerators and keys, not those of the loop's dialog.
        return target->PreTranslateMessage(message) || IsDialogMessageA(root, &message);
    }
    if (PreTranslateMessage(message))
        return true;
    // Keyboard navigation for whichever dialog the message is for (this one or another program's box).
    return root && IsDialogMessageA(root, &message);
}

HWND Dialog::CreateWindowFromTemplate(HWND owner) {
    Dialog* outer = creating;
    creating = this;
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, Procedure,
                                     reinterpret_cast<LPARAM>(this));
    creating = outer;
    return window;
}

bool Dialog::Create(HWND parent) {
    modal_ = false;
    return CreateWindowFromTemplate(parent) != nullptr;
}

void Dialog::Destroy() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    if (!modal_) {
        // A modeless dialog (about box, task select) is kept for its next showing.
        if (hwnd_)
            ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    running_ = false;
    if (hwnd_)
        PostMessageA(hwnd_, WM_NULL, 0, 0);  // wakes the loop if it waits
}

int Dialog::Scaled(int length96) const {
    return ScaleToDpi(length96, dpi_);
}

void Dialog::HandleDpiChanged(WPARAM wParam, const RECT* suggested) {
    // The dialog manager's turn first: it scales a per-monitor v2 dialog (Windows 10 1703 and later).
    inSystemDpiChange_ = true;
    DefDlgProcA(hwnd_, WM_DPICHANGED, wParam, reinterpret_cast<LPARAM>(suggested));
    inSystemDpiChange_ = false;
    const unsigned newDpi = HIWORD(wParam) ? HIWORD(wParam) : dpi_;
    ApplyDpi(newDpi);
    if (suggested) {
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Laid out again even when the rectangle kept the size (the controls were scaled meanwhile).
    RECT client{};
    GetClientRect(hwnd_, &client);
    SendMessageA(hwnd_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void Dialog::ApplyDpi(unsigned newDpi) {
    const unsigned oldDpi = dpi_;
    if (newDpi == oldDpi)
        return;
    dpi_ = newDpi;
    if (FontOf(hwnd_) == fontAtDpi_)
        ScaleTemplateControls(oldDpi, newDpi);
    fontAtDpi_ = FontOf(hwnd_);
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Dialog* page = FromWindow(child)) {
            RECT client{};
            page->ApplyDpi(newDpi);
            GetClientRect(child, &client);
            SendMessageA(child, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        }
    }
    RebuildForDpi(oldDpi, newDpi);
}

HFONT Dialog::Font() const {
    return scaledFont_ ? scaledFont_.Get() : FontOf(hwnd_);
}

void Dialog::ScaleTemplateControls(unsigned oldDpi, unsigned newDpi) {
    // The dialog keeps the font the dialog manager made (it deletes that one itself); the controls get
    // one of ours at the new size.
    HFONT oldFont = Font();
    UniqueFont newFont;
    LOGFONTA logFont{};
    if (oldFont && GetObjectA(oldFont, sizeof logFont, &logFont)) {
        logFont.lfHeight = ScaleBetweenDpi(logFont.lfHeight, oldDpi, newDpi);
        logFont.lfWidth = ScaleBetweenDpi(logFont.lfWidth, oldDpi, newDpi);
        newFont.Reset(CreateFontIndirectA(&logFont));
    }
    int count = 0;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    HDWP batch = count ? BeginDeferWindowPos(count) : nullptr;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (newFont && FontOf(child) == oldFont)
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(newFont.Get()), FALSE);
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
        const int left = ScaleBetweenDpi(rect.left, oldDpi, newDpi), top = ScaleBetweenDpi(rect.top, oldDpi, newDpi);
        const int right = ScaleBetweenDpi(rect.right, oldDpi, newDpi);
        const int bottom = ScaleBetweenDpi(rect.bottom, oldDpi, newDpi);
        if (batch)
            batch = DeferWindowPos(batch, child, nullptr, left, top, right - left, bottom - top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch)
        EndDeferWindowPos(batch);
    if (newFont)
        scaledFont_ = std::move(newFont);  // the former one goes only now that no control holds it
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Dialog::UpdateData(bool save) {
    DataExchange exchange(hwnd_, save);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

bool Dialog::PreTranslateMessage(MSG&) {
    return false;
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void ReportUnexpectedError() {
    // Itself called at the edge: nothing may leave it either (memory may be what ran out).
    try {
        std::string text = "内部エラーが発生しました。";
        try {
            throw;
        } catch (const std::exception& error) {
            text += std::string("\n") + error.what();
        } catch (...) {
        }
        AppMessages().Show(text, MB_ICONHAND);
    } catch (...) {
    }
}

bool AnswersDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

// A WM_NOTIFY is only read when its header lies in readable memory of this process and names a window
// of this dialog on this thread: another program can send one with a pointer into its own memory (the
// system copies nothing for WM_NOTIFY), which means nothing here. Whether the message was sent from
// another thread says nothing: everything done inside such a message (a menu tracked from the
// notification-area callback, a tree selection changed by an automation tool) also counts as "sent".
bool IsReadable(const void* address, size_t size) {
    const char* at = static_cast<const char*>(address);
    const char* end = at + size;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region{};
        if (!VirtualQuery(at, &region, sizeof region) || region.State != MEM_COMMIT)
            return false;
        const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if (!(region.Protect & readable) || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)))
            return false;
        at = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

bool IsOwnNotification(HWND dialog, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !IsReadable(header, sizeof *header))
        return false;
    HWND from = header->hwndFrom;
    if (!IsWindow(from) || GetWindowThreadProcessId(from, nullptr) != GetCurrentThreadId())
        return false;
    return from == dialog || IsChild(dialog, from) || GetWindow(from, GW_OWNER) == dialog;
}

bool IsNotificationFrom(LPARAM lParam, std::initializer_list<HWND> senders) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !IsReadable(header, sizeof *header))
        return false;
    HWND from = header->hwndFrom;
    if (!from || !IsWindow(from) || GetWindowThreadProcessId(from, nullptr) != GetCurrentThreadId())
        return false;
    for (HWND sender : senders) {
        if (sender == from)
            return true;
    }
    return false;
}

bool Dialog::DispatchOwnerDraw(UINT message, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return IsOwnerDrawnList(item.CtlType) && OnMeasureItem(item);
    }
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!IsOwnerDrawnList(item.CtlType))
        return false;
    // An empty list asks to draw item -1 for its focus rectangle: there is nothing of ours to draw.
    return item.itemID == static_cast<UINT>(-1) || OnDrawItem(item);
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            if (lParam && DispatchOwnerDraw(message, lParam)) {
                SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            break;
        case WM_INITDIALOG:
            fontAtDpi_ = FontOf(hwnd_);
            return OnInitDialog();
        case WM_DPICHANGED: {
            if (inSystemDpiChange_)
                return FALSE;  // the dialog manager's own handling, asked for by HandleDpiChanged
            // A dialog that lays out everything itself (the main window) may take the message whole.
            LRESULT result = 0;
            if (OnMessage(message, wParam, lParam, result)) {
                dpi_ = HIWORD(wParam) ? HIWORD(wParam) : dpi_;
                fontAtDpi_ = FontOf(hwnd_);
            } else {
                HandleDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
            }
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_HELP:
            if (OnHelp()) {
                SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            break;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
                return TRUE;
            if (id == IDOK) {
                OnOK();
                return TRUE;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            return FALSE;
        }
        case WM_NOTIFY: {
            if (!IsOwnNotification(hwnd_, lParam))
                return FALSE;
            LRESULT result = 0;
            if (!OnNotify(*reinterpret_cast<NMHDR*>(lParam), result))
                return FALSE;
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        default:
            break;
    }
    LRESULT result = 0;
    if (!OnMessage(message, wParam, lParam, result))
        return FALSE;
    if (AnswersDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

Dialog* Dialog::FromWindow(HWND window) {
    if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return nullptr;
    if (GetWindowLongPtrA(window, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&Dialog::Procedure))
        return nullptr;
    return reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Dialog::Attach(HWND window) {
    hwnd_ = window;
    dpi_ = WindowDpi(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self && creating) {
        // The first message of the window being made; the pointer serves this one window only.
        self = creating;
        creating = nullptr;
        self->Attach(window);
    } else if (!self && message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->Attach(window);
    }
    if (!self) {
        return FALSE;
    }
    try {
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            self->running_ = false;
            self->scaledFont_.Reset();  // its controls are gone
            self->OnWindowDestroyed();
            return FALSE;
        }
        return self->Dispatch(message, wParam, lParam);
    } catch (...) {
        ReportUnexpectedError();
    }
    return FALSE;
}

}  // namespace brindle::ui

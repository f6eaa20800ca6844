#pragma once

#include <windows.h>

#include <initializer_list>

#include "ui/data_exchange.h"
#include "ui/handles.h"

namespace brindle::ui {

// A dialog from a template, modal (DoModal runs its own message loop) or modeless (Create). The loop hands
// each message first to the dialog of ours at the root of its target window (PreTranslateMessage, then
// the dialog manager's keys), so accelerators, F6 and Tab work in modeless dialogs too; messages for other
// windows go to the dialog that runs the loop. The object is reachable from the first message the window
// gets (WM_SETFONT, WM_MEASUREITEM and WM_GETMINMAXINFO come before WM_INITDIALOG) to WM_NCDESTROY, in
// the window's user slot; no exception leaves the dialog procedure.
class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally with `owner` disabled meanwhile; the result of EndDialog, or -1 when the
    // window could not be made. A WM_QUIT ends the loop with -1 and is posted again for outer loops.
    INT_PTR DoModal(HWND owner = nullptr);
    // Makes the dialog's window, modeless and as the template says (visible or not).
    bool Create(HWND parent);
    void Destroy();
    // Ends a modal dialog (its loop returns `result`); a modeless one is hidden and kept.
    void EndDialog(INT_PTR result);

    HWND Hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    bool IsModal() const { return modal_; }
    // The DPI of the monitor the dialog is on: the one it was made on, then the one of each WM_DPICHANGED.
    unsigned Dpi() const { return dpi_; }
    // A length designed at 96 DPI, at the dialog's DPI.
    int Scaled(int length96) const;
    // The font of the template's controls at the dialog's DPI (the dialog's own, or the one made for a
    // DPI change the system did not scale the dialog for).
    HFONT Font() const;

    // Moves data between the controls and the members (`save`: controls to members). False when a field
    // was refused: its message was shown, the focus is on it and the dialog stays open.
    bool UpdateData(bool save);

    // Sees each message of the modal loop before it is dispatched; true when it was dealt with.
    virtual bool PreTranslateMessage(MSG& message);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(DataExchange&) {}
    // WM_COMMAND; true when handled (IDOK and IDCANCEL otherwise reach OnOK and OnCancel).
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // WM_NOTIFY; true when handled, with `result` as the answer (written to DWLP_MSGRESULT).
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // Owner-drawn list boxes, combo boxes and list views of this dialog (menus and other controls go to
    // OnMessage). Measuring comes before WM_INITDIALOG, when the controls are not filled yet; drawing
    // is never asked for the empty item (-1) of an empty list. True when handled.
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // F1 in the dialog or one of its controls (WM_HELP); true when the dialog's help was opened. Otherwise
    // the system passes the request on to the parent or owner.
    virtual bool OnHelp() { return false; }
    // Any other message; true when handled with `result` as the answer. Returning false lets the
    // dialog manager's default processing run too.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
    // After the window is gone.
    virtual void OnWindowDestroyed() {}
    // The dialog moved to a monitor of another scale (WM_DPICHANGED); Dpi() is the new one. The template's
    // controls and the dialog's font have their new size and place by now; rebuild what the dialog sized
    // itself (fonts, item heights, image lists, a layout's remembered places). The suggested rectangle is
    // taken afterwards, and a WM_SIZE lays the controls out again. A dialog that answers WM_DPICHANGED in
    // OnMessage takes it whole instead.
    virtual void RebuildForDpi(unsigned /*oldDpi*/, unsigned /*newDpi*/) {}

public:
    // The object of a dialog window made by this class, or null for any other window.
    static Dialog* FromWindow(HWND window);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateWindowFromTemplate(HWND owner);
    void Attach(HWND window);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchOwnerDraw(UINT message, LPARAM lParam);
    // One pass of the message loop for `message`; true when it was dealt with before dispatching.
    bool RouteBeforeDispatch(MSG& message);
    // WM_DPICHANGED: the dialog manager's own scaling first, where the system has it, then ours.
    void HandleDpiChanged(WPARAM wParam, const RECT* suggested);
    // The new DPI for this dialog and the dialogs of ours inside it (property pages): the controls the
    // system left as they were are scaled, then RebuildForDpi.
    void ApplyDpi(unsigned newDpi);
    // What the dialog manager of Windows 10 1703 does for a per-monitor v2 dialog, where it does not: the
    // dialog's font and the controls that use it, and every control's place.
    void ScaleTemplateControls(unsigned oldDpi, unsigned newDpi);

    int templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool running_ = false;
    INT_PTR result_ = -1;
    unsigned dpi_ = 96;
    HFONT fontAtDpi_ = nullptr;  // the dialog's font when dpi_ was taken: unchanged means not scaled yet
    bool inSystemDpiChange_ = false;
    UniqueFont scaledFont_;  // the dialog's font at a DPI it was not made at, when made here
};

// Tells the user of the exception being handled; called in a catch block at the edge where a window
// procedure returns to the system, which no exception may cross.
void ReportUnexpectedError();

// Messages whose dialog-procedure answer is the return value itself rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message);
// Whether `address` .. `address + size` is committed, readable memory of this process.
bool IsReadable(const void* address, size_t size);
// Whether a WM_NOTIFY's lParam is a header in this process's memory from a window of `dialog` (itself,
// a child or an owned popup such as a tooltip) on this thread.
bool IsOwnNotification(HWND dialog, LPARAM lParam);
// Whether a WM_NOTIFY's lParam is a header in this process's memory from one of `senders` (a control's
// own header or tooltip) on this thread: the common controls read what their parts send them unchecked.
bool IsNotificationFrom(LPARAM lParam, std::initializer_list<HWND> senders);

}  // namespace brindle::ui

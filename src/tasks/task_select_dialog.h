#pragma once

#include <windows.h>

#include <vector>

#include "tasks/task_list.h"
#include "tasks/task_list_box_win.h"
#include "tasks/task_select_host.h"
#include "tasks/task_select_layout.h"
#include "ui/dialog.h"
#include "ui/message_box_win.h"

namespace brindle {

class SettingsStore;

// The task switcher: a modeless, resizable dialog listing the top-level windows of the other programs.
// Select brings one to the front (moved or sized to the typed numbers when asked), Close sends it
// WM_CLOSE (with Shift: every window of its program), Cancel goes back to the window that was in front.
// The main window makes it once, hidden, when first needed, and shows it for the "&Task..." command and the task key.
class TaskSelectDialog : public ui::Dialog {
public:
    TaskSelectDialog(TaskSelectHost& host, SettingsStore& store);

    // Rebuilds the window list and the list box; nothing selected, the typed numbers unticked. Nothing
    // happens while Close asks its question.
    void Refresh();
    // Close is asking whether to close several windows: the list the question is about stays as it is.
    bool Asking() const { return asking_; }
    // Gives the list the keyboard focus (once the dialog is in front).
    void FocusList();
    // The font of the list's texts (the main window's); the items are measured again.
    void SetListFont(HFONT font);
    // The rectangle kept as winTaskSelect: where the dialog stands.
    RECT RectToKeep() const;

    const std::vector<TaskEntry>& Entries() const { return entries_; }
    HWND ReturnWindow() const { return returnWindow_; }
    const TaskListBox& List() const { return list_; }
    // The confirmation before closing several windows asks through `questions` (tests record it); null
    // puts back the real box.
    void SetQuestions(Messages* questions) { questions_ = questions; }

protected:
    BOOL OnInitDialog() override;
    // F1: this dialog's page of the help.
    bool OnHelp() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void RebuildForDpi(unsigned oldDpi, unsigned newDpi) override;

private:
    // The real confirmation box: owned by the dialog, with the dialog's caption, above every window.
    class Questions : public Messages {
    public:
        explicit Questions(const TaskSelectDialog& dialog) : dialog_(dialog) {}
        int Show(const std::string& text, unsigned style) override;
        void RequestQuit(int) override {}

    private:
        const TaskSelectDialog& dialog_;
    };

    int Selected() const;  // the selected entry, or -1
    void OnSelectionChanged();
    void OnCheckClicked(int checkId);
    void OnClose();
    void EnableEdits(int checkId, bool enable);
    void PostBringToFront(HWND target, const RECT& rect, UINT flags);
    void MeasureControls();
    void Layout(int clientWidth, int clientHeight);
    void PaintHint();
    void SaveRectIfChanged();

    TaskSelectHost& host_;
    SettingsStore& store_;
    Questions realQuestions_{*this};
    Messages* questions_ = nullptr;
    TaskListBox list_;
    std::vector<TaskEntry> entries_;
    HWND returnWindow_ = nullptr;
    bool asking_ = false;

    // Dialog data.
    int positionFlag_ = 0, sizeFlag_ = 0;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;

    TaskSelectSizes sizes_;
    bool measured_ = false;
    TrackSize minimumTrack_;
    bool minimumComputed_ = false;
};

}  // namespace brindle

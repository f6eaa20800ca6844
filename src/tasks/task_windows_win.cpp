#include "tasks/task_windows_win.h"

#include <tlhelp32.h>

#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>

#include "tasks/task_move.h"
#include "ui/handles.h"
#include "ui/icon_pick_win.h"

namespace brindle {
namespace {

using ProcessNames = std::unordered_map<DWORD, std::string>;

ProcessNames SnapshotProcesses() {
    ProcessNames names;
    ui::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return names;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        entry.szExeFile[sizeof entry.szExeFile - 1] = '\0';
        names[entry.th32ProcessID] = entry.szExeFile;
    }
    return names;
}

struct Collection {
    int iconSize = 16;
    ProcessNames processes;
    std::set<DWORD> hungThreads;
    TaskWindows result;
    DWORD ownProcess = GetCurrentProcessId();
};

// One message to another program's window, answered in time or given up on; a thread given up on is
// not asked again during this refresh. The wide form throughout: Wine's ANSI WM_GETTEXTLENGTH to another
// process waits for the answer without any limit.
bool AskWindow(Collection& state,
               HWND window,
               DWORD thread,
               UINT message,
               WPARAM wParam,
               LPARAM lParam,
               DWORD_PTR& answer) {
    answer = 0;
    if (state.hungThreads.count(thread))
        return false;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kTaskAnswerTimeoutMs,
                            &answer)) {
        return true;
    }
    state.hungThreads.insert(thread);
    return false;
}

std::string ToAnsi(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

std::string ReadTitle(Collection& state, HWND window, DWORD thread) {
    DWORD_PTR length = 0;
    if (AskWindow(state, window, thread, WM_GETTEXTLENGTH, 0, 0, length)) {
        // Room for twice the reported length (some programs report less than they copy), but never more
        // than a shown title needs: the length is the other program's word, whatever it says.
        const size_t room = std::min<DWORD_PTR>(length, kTaskTitleMaxBytes) * 2 + 2;
        std::wstring text(room, L'\0');
        DWORD_PTR copied = 0;
        if (AskWindow(state, window, thread, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), copied)) {
            text.resize(std::char_traits<wchar_t>::length(text.c_str()));
            return ShownTitle(ToAnsi(text));
        }
    }
    // Without the program's help: the text the system keeps for a window of another process.
    char text[kTaskTitleMaxBytes + 1] = "";
    GetWindowTextA(window, text, sizeof text);
    return ShownTitle(text);
}

HICON ReadSmallIcon(Collection& state, HWND window, DWORD thread) {
    DWORD_PTR icon = 0;
    if (AskWindow(state, window, thread, WM_GETICON, ICON_SMALL, 0, icon) && icon)
        return reinterpret_cast<HICON>(icon);
    return reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
}

HICON ReadBigIcon(Collection& state, HWND window, DWORD thread) {
    DWORD_PTR icon = 0;
    if (AskWindow(state, window, thread, WM_GETICON, ICON_BIG, 0, icon) && icon)
        return reinterpret_cast<HICON>(icon);
    return reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
}

// The small icon when it is as big as the list draws icons; else the big one, drawn smaller.
HICON ReadIcon(Collection& state, HWND window, DWORD thread) {
    HICON small = ReadSmallIcon(state, window, thread);
    if (small && ui::IconEdge(small) >= state.iconSize)
        return small;  // the other program is not asked for more
    return ui::IconForSize(small, ReadBigIcon(state, window, thread), state.iconSize);
}

void CollectWindow(Collection& state, HWND window) {
    if (!IsWindow(window))
        return;
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    WindowFacts facts;
    facts.visible = IsWindowVisible(window) != FALSE;
    facts.enabled = IsWindowEnabled(window) != FALSE;
    facts.ownProcess = process == state.ownProcess;
    // Nothing is asked of a window that is left out anyway.
    if (!facts.visible || !facts.enabled || facts.ownProcess)
        return;
    std::string className(8192, '\0');
    className.resize(
        static_cast<size_t>(std::max(0, GetClassNameA(window, className.data(), static_cast<int>(className.size())))));
    facts.className = std::move(className);
    if (!IsListedClass(facts.className))
        return;
    facts.title = ReadTitle(state, window, thread);
    if (!IsListedWindow(facts))
        return;

    TaskEntry entry;
    entry.window = reinterpret_cast<uintptr_t>(window);
    entry.processId = process;
    entry.title = std::move(facts.title);
    auto name = state.processes.find(process);
    if (name != state.processes.end())
        entry.program = name->second;
    entry.icon = reinterpret_cast<uintptr_t>(ReadIcon(state, window, thread));
    InsertSorted(state.result.entries, std::move(entry));
    if (!state.result.topmost)
        state.result.topmost = window;
}

// Called by the system: no exception may leave it. A window that cannot be read (memory running out)
// is left out, and the others are still listed.
BOOL CALLBACK CollectWindowCallback(HWND window, LPARAM data) {
    try {
        CollectWindow(*reinterpret_cast<Collection*>(data), window);
    } catch (...) {
    }
    return TRUE;
}

ui::ScreenRect ScreenRectOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

TaskWindows CollectTaskWindows(int iconSize) {
    Collection state;
    state.iconSize = iconSize;
    state.processes = SnapshotProcesses();
    EnumWindows(CollectWindowCallback, reinterpret_cast<LPARAM>(&state));
    return std::move(state.result);
}

RECT RestoredWindowRect(HWND window) {
    RECT rect{};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!IsIconic(window) || !GetWindowPlacement(window, &placement)) {
        GetWindowRect(window, &rect);
        return rect;
    }
    rect = placement.rcNormalPosition;
    // The restored rectangle is kept relative to the work area, except for tool windows.
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
        return rect;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor))
        return rect;
    const ui::ScreenRect screen =
        WorkspaceToScreen(ScreenRectOf(rect), ScreenRectOf(monitor.rcWork), ScreenRectOf(monitor.rcMonitor));
    return {screen.left, screen.top, screen.right, screen.bottom};
}

}  // namespace brindle

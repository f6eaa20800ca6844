// Finding the running instance of the same settings file among the top-level windows.
#include <windows.h>

#include <string>

#include "app/launcher_app.h"
#include "mainwnd/main_dialog.h"
#include "platform/instance_query.h"

namespace brindle {
namespace {

// A window that does not answer within this time (hung, or busy in a modal loop of its own) is passed
// over instead of blocking the start.
constexpr UINT kAnswerTimeoutMs = 5000;

struct Search {
    const std::string* name;
    const ForegroundGrant* grant;
    bool found = false;
};

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer) {
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs,
                               &answer) != 0;
}

BOOL AskWindowFor(Search& search, HWND window) {
    // Only dialog windows are asked: WM_APP messages mean something else to other programs' windows.
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770")
        return TRUE;

    DWORD_PTR answer = 0;
    if (!Ask(window, WM_INSTANCE_QUERY, 0, 0, answer) ||
        static_cast<uint32_t>(answer) != instance_query::NamePrefix(*search.name)) {
        return TRUE;
    }
    if (!Ask(window, WM_INSTANCE_QUERY, 1, 0, answer) || answer == 0)
        return TRUE;
    COPYDATASTRUCT copy{};
    copy.dwData = instance_query::kCopyDataTag;
    copy.cbData = static_cast<DWORD>(search.name->size() + 1);
    copy.lpData = const_cast<char*>(search.name->c_str());
    if (!Ask(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), answer) || answer != 1)
        return TRUE;
    // The user started this process, so it may take the foreground; the running instance may only when
    // it is given that right before it is asked to come back.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    (*search.grant)(process);
    Ask(window, WM_INSTANCE_QUERY, 2, 0, answer);
    search.found = true;
    return FALSE;
}

// Called by the system: no exception may leave it (the search goes on with the next window).
BOOL CALLBACK AskWindow(HWND window, LPARAM data) {
    try {
        return AskWindowFor(*reinterpret_cast<Search*>(data), window);
    } catch (...) {
        return TRUE;
    }
}

}  // namespace

void AllowForeground(unsigned long processId) {
    AllowSetForegroundWindow(processId);
}

bool HandOverToRunningInstance(const std::string& instanceName, const ForegroundGrant& grant) {
    Search search{&instanceName, &grant};
    EnumWindows(AskWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace brindle

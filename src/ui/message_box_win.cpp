#include "ui/message_box_win.h"

namespace brindle::ui {
namespace {

constexpr char kCaption[] = "ぶりんどる";

WindowsMessages& DefaultMessages() {
    static WindowsMessages messages;
    return messages;
}

Messages* current = nullptr;

}  // namespace

int WindowsMessages::Show(const std::string& text, unsigned style) {
    // Owned by the main window (or whatever window of ours is active), so it is modal to it.
    HWND owner = owner_ && IsWindow(owner_) ? owner_ : GetActiveWindow();
    return MessageBoxA(owner, text.c_str(), kCaption, style | MB_SETFOREGROUND);
}

void WindowsMessages::RequestQuit(int exitCode) {
    PostQuitMessage(exitCode);
}

Messages& AppMessages() {
    return current ? *current : DefaultMessages();
}

void SetAppMessages(Messages* messages) {
    current = messages;
}

}  // namespace brindle::ui

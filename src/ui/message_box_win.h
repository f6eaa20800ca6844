#pragma once

#include <windows.h>

#include "ui/messages.h"

namespace brindle::ui {

// Real message boxes, owned by the program's main window, with the program's name as caption.
class WindowsMessages : public Messages {
public:
    int Show(const std::string& text, unsigned style) override;
    void RequestQuit(int exitCode) override;

    void SetOwner(HWND owner) { owner_ = owner; }

private:
    HWND owner_ = nullptr;
};

// The process's message seam: the program installs WindowsMessages, tests install a recorder.
Messages& AppMessages();
void SetAppMessages(Messages* messages);

}  // namespace brindle::ui

#pragma once

#include <string>

// The one way the program speaks to the user through message boxes. The Windows program shows real
// boxes; tests and the command-line tool record or print them. Portable: no <windows.h> here.
namespace brindle {

// Message box styles and answers, with the platform's values.
namespace box {
constexpr unsigned kOk = 0x0;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kIconStop = 0x10;  // MB_ICONHAND
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconExclamation = 0x30;
constexpr int kAnswerOk = 1;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
}  // namespace box

class Messages {
public:
    virtual ~Messages() = default;
    // Shows `text` (ANSI bytes) with a box style; returns the answer.
    virtual int Show(const std::string& text, unsigned style) = 0;
    // Asks the program to end once its message loop runs again.
    virtual void RequestQuit(int exitCode) = 0;
};

}  // namespace brindle

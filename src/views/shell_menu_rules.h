#pragma once

#include <string>

// What the program does with the shell's own items of a shortcut's context menu, and the texts of the
// context menu, the clipboard and dropped files.
namespace brindle {

// Copy, cut and paste of files are carried out by the program, the other verbs by the shell.
enum class VerbRule { Keep, Gray, TakeCopy, TakeCut, TakePaste };

// "copy" and "paste" follow the copy-and-paste option; "cut", "link" and "delete" the cut-and-delete
// option; every other verb stays as the shell made it.
VerbRule RuleForVerb(const std::string& verb, bool copyPaste, bool cutDelete);

extern const char kShellCommandFailed[];
extern const char kPasteFormatError[];
extern const char kPasteOnlyIntoFolder[];  // %s: the destination
extern const char kPasteUnknownEffect[];   // %08x: the effect
extern const char kPasteAborted[];
extern const char kPasteFailed[];  // %lu, %s: the file operation's result and its reason

// The reason for a result of the shell's file operation. Its results are not the system's error codes
// (several of its own values overlap them with other meanings), so the system's error texts do not
// apply; the documented values have their own texts, any other is unknown.
const char* FileOperationFailureReason(unsigned long result);

// Results that only say the user cancelled in one of the shell's own boxes.
bool IsFileOperationCancel(unsigned long result);
extern const char kPasteProgressTitle[];
extern const char kNamesOutsideCodePage[];  // %s: the names, one a line
extern const char kClipboardBusy[];
extern const char kOnlyFirstDropped[];  // %s: the first name

}  // namespace brindle

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
extern const char kPasteFailed[];  // %lu, %s: the file operation's result and its text
extern const char kPasteProgressTitle[];
extern const char kNamesOutsideCodePage[];  // %s: the names, one a line
extern const char kClipboardBusy[];
extern const char kOnlyFirstDropped[];  // %s: the first name

}  // namespace brindle

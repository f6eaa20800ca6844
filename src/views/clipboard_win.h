#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindle {

class Messages;
struct FileDropList;

// Opens the clipboard for `owner`, trying again for a moment while another program holds it.
bool OpenClipboardPatiently(HWND owner);

// Puts `path` on the clipboard as a file list with the preferred drop effect (copy or move). False when
// the clipboard could not be opened or would not take the data; the user has then been told.
bool PutFileOnClipboard(HWND owner, const std::string& path, uint32_t effect, Messages& messages);

// Pastes the clipboard's files into the folder `destination` by the clipboard's drop effect, through the
// shell's file operation (its prompts and progress included). Every failure is told to the user.
void PasteFiles(HWND owner, const std::string& destination, Messages& messages);

// The ANSI code page form of `wide`, or nothing when the code page cannot hold every character.
std::optional<std::string> ToAnsi(const std::wstring& wide);
// The same for any code page, UTF-8 (65001) included.
std::optional<std::string> ToCodePage(const std::wstring& wide, unsigned codePage);

// The names of a drop list in the ANSI code page. Names the code page cannot hold are refused: the user
// is told which (nothing is returned then).
std::optional<std::vector<std::string>> AnsiNames(const FileDropList& list, Messages& messages);

}  // namespace brindle

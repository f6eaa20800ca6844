#pragma once

#include <optional>
#include <string>

// The system's modal pickers (file open, folder, font, colour) behind one seam, beside the message boxes:
// the program installs the real ones, tests install answers, so nothing in a test waits on a real
// modal box. Portable: no <windows.h> here. Texts are ANSI bytes.
namespace brindle {

struct FileOpenRequest {
    std::string title;
    // Pairs of description and pattern, each ending in '\0' ("Programs\0*.exe\0"), as the system wants.
    std::string filter;
    std::string initialPath;  // a file whose folder is opened and whose name is proposed, or empty
};

struct FolderRequest {
    std::string title;        // the text above the tree
    std::string initialPath;  // selected at the start, or empty
};

// A font as the font picker edits it.
struct FontChoice {
    std::string face;
    int height = 0;  // logical units, as in LOGFONT (negative: character height)
    int weight = 400;
    bool italic = false;
    int charset = 1;  // DEFAULT_CHARSET
};

class Pickers {
public:
    virtual ~Pickers() = default;
    // The chosen file (one that need not exist yet), or nothing when the user cancelled.
    virtual std::optional<std::string> OpenFile(const FileOpenRequest& request) = 0;
    // The chosen file-system folder, or nothing.
    virtual std::optional<std::string> ChooseFolder(const FolderRequest& request) = 0;
    // Edits `font` in place; false (and `font` unchanged) when the user cancelled.
    virtual bool ChooseFont(FontChoice& font) = 0;
    // Edits `color` (0x00BBGGRR) in place; false (and `color` unchanged) when the user cancelled.
    virtual bool ChooseColor(unsigned& color) = 0;
};

}  // namespace brindle

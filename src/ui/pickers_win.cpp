#include "ui/pickers_win.h"

#include <commdlg.h>

#include <cstring>

#include "platform/folder_browser_win.h"
#include "platform/system_library_win.h"

namespace brindle::ui {
namespace {

// The common dialog library, loaded once from the system folder (it is not among the libraries the
// program may import directly) and kept for the life of the process.
FARPROC CommonDialogFunction(const char* name) {
    static HMODULE library = LoadSystemLibrary("comdlg32.dll");
    return library ? GetProcAddress(library, name) : nullptr;
}

template <class Function>
Function* CommonDialog(const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(CommonDialogFunction(name)));
}

HWND PickerOwner() {
    return GetActiveWindow();
}

WindowsPickers& DefaultPickers() {
    static WindowsPickers pickers;
    return pickers;
}

Pickers* current = nullptr;

}  // namespace

std::optional<std::string> WindowsPickers::OpenFile(const FileOpenRequest& request) {
    auto* open = CommonDialog<BOOL WINAPI(OPENFILENAMEA*)>("GetOpenFileNameA");
    if (!open)
        return std::nullopt;
    // Room for long paths; a proposed name that does not fit is not proposed rather than cut.
    std::string file(32768, '\0');
    if (request.initialPath.size() < file.size())
        std::memcpy(file.data(), request.initialPath.data(), request.initialPath.size());
    std::string filter = request.filter + std::string(2, '\0');
    OPENFILENAMEA info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = PickerOwner();
    info.lpstrFilter = filter.c_str();
    info.lpstrFile = file.data();
    info.nMaxFile = static_cast<DWORD>(file.size());
    info.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    // The name need not exist: a command line names programs the system finds on its path, and an
    // icon file may be on a drive that is not there now.
    info.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!open(&info))
        return std::nullopt;
    return std::string(file.c_str());
}

std::optional<std::string> WindowsPickers::ChooseFolder(const FolderRequest& request) {
    std::string chosen;
    if (!BrowseForFolder(PickerOwner(), chosen, nullptr, request.initialPath.c_str(), request.title.c_str(),
                         BIF_RETURNONLYFSDIRS))
        return std::nullopt;
    return chosen;
}

bool WindowsPickers::ChooseFont(FontChoice& font) {
    auto* choose = CommonDialog<BOOL WINAPI(CHOOSEFONTA*)>("ChooseFontA");
    if (!choose)
        return false;
    LOGFONTA logFont{};
    logFont.lfHeight = font.height;
    logFont.lfWeight = font.weight;
    logFont.lfItalic = font.italic ? TRUE : FALSE;
    logFont.lfCharSet = static_cast<BYTE>(font.charset);
    // A face name that does not fit the structure is left out rather than cut in a double-byte character.
    if (font.face.size() < LF_FACESIZE)
        std::memcpy(logFont.lfFaceName, font.face.c_str(), font.face.size() + 1);
    CHOOSEFONTA info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = PickerOwner();
    info.lpLogFont = &logFont;
    info.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!choose(&info))
        return false;
    font.face = logFont.lfFaceName;
    font.height = logFont.lfHeight;
    font.weight = logFont.lfWeight;
    font.italic = logFont.lfItalic != 0;
    font.charset = logFont.lfCharSet;
    return true;
}

bool WindowsPickers::ChooseColor(unsigned& color) {
    auto* choose = CommonDialog<BOOL WINAPI(CHOOSECOLORA*)>("ChooseColorA");
    if (!choose)
        return false;
    // The custom colours the user mixes are kept for the session, as the picker expects.
    static COLORREF customColors[16] = {};
    CHOOSECOLORA info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = PickerOwner();
    info.rgbResult = color;
    info.lpCustColors = customColors;
    info.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!choose(&info))
        return false;
    color = info.rgbResult;
    return true;
}

Pickers& AppPickers() {
    return current ? *current : DefaultPickers();
}

void SetAppPickers(Pickers* pickers) {
    current = pickers;
}

}  // namespace brindle::ui

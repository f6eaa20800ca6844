#include "importing/import_dialog.h"

#include "resource.h"

namespace brindle {

ImportDialog::ImportDialog() : ui::Dialog(IDD_IMPORT) {}

bool ImportDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED)
        return false;
    switch (id) {
        case IDC_IMPORT_FOLDER:
            chosen = ImportSource::Folder;
            break;
        case IDC_IMPORT_START_MENU:
            chosen = ImportSource::StartMenu;
            break;
        case IDC_IMPORT_DESKTOP:
            chosen = ImportSource::Desktop;
            break;
        default:
            return false;
    }
    EndDialog(IDOK);
    return true;
}

}  // namespace brindle

#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace brindle {

class SettingsStore;
class System;
class Messages;

// What the search window needs from the main window: the store, the class images of the shortcut list,
// and the three ways a found shortcut is used, all through the main window's own code.
class SearchHost {
public:
    virtual ~SearchHost() = default;
    virtual SettingsStore& SearchStore() = 0;
    virtual System& SearchSystem() = 0;
    virtual Messages& SearchMessages() = 0;
    // Small images of the shortcut list; the first five are the class images.
    virtual HIMAGELIST SearchClassImages() = 0;
    // Launches as the list does (show state, parameters, existence check, errors), with dropped files.
    virtual void LaunchFound(int storeIndex, const std::vector<std::string>& files) = 0;
    // Shows the main window with the shortcut's page and the shortcut selected.
    virtual void ShowFoundInMain(int storeIndex) = 0;
    // "Exist folder" for the shortcut.
    virtual void OpenFolderOfFound(int storeIndex) = 0;
};

}  // namespace brindle

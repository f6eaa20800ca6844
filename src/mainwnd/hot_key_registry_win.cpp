#include "mainwnd/hot_key_registry_win.h"

#include "mainwnd/hot_keys.h"
#include "store/settings_store.h"

namespace brindle {

void HotKeyRegistry::Register(int id) {
    Preferences prefs;
    store_.GetPreferences(prefs);
    const HotKeyRegistration key = RegistrationFor(prefs, id);
    if (key.virtualKey != 0)
        RegisterHotKey(window_, id, key.modifiers, key.virtualKey);
}

void HotKeyRegistry::Unregister(int id) {
    UnregisterHotKey(window_, id);
}

void HotKeyRegistry::UnregisterAll() {
    for (int id : {kHotKeyFocus, kHotKeyRestore, kHotKeyTrayMenu, kHotKeySearch})
        Unregister(id);
}

}  // namespace brindle

#pragma once

#include <windows.h>

namespace brindle {

class SettingsStore;

// The window's global hot keys (ids of hot_keys.h), registered from the stored preferences.
class HotKeyRegistry {
public:
    explicit HotKeyRegistry(SettingsStore& store) : store_(store) {}

    void Attach(HWND window) { window_ = window; }
    // A key that is not set is not registered; one held by another program just fails.
    void Register(int id);
    void Unregister(int id);
    void UnregisterAll();

private:
    SettingsStore& store_;
    HWND window_ = nullptr;
};

}  // namespace brindle

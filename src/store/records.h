#pragma once

#include <cstdint>

namespace brindle {

// Texts in records are either null (absent) or NUL-terminated bytes owned by the SettingsStore. A record
// handed out by the store is a shallow copy: its texts stay valid until that record is replaced or removed.

struct PageRecord {
    const char* name = nullptr;
    int32_t expanded = 0;
    int32_t id = 0;
    int32_t parentId = 0;  // -1: top level
    int32_t useIcons = 0;
    const char* normalIcon = nullptr;
    const char* selectedIcon = nullptr;
};

struct ShortcutRecord {
    const char* name = nullptr;
    const char* commandLine = nullptr;
    const char* icon = nullptr;
    const char* workFolder = nullptr;
    int32_t showType = 0;  // 0 normal, 1 maximised, 2 minimised
    int32_t pageId = 0;
    int32_t readIcon = 0;
    int32_t check = 0;  // existence check of the target when it is classified for display
    const char* comment = nullptr;
    int32_t runAs = 0;  // launched with the "runas" verb (elevated)
    int32_t launchCount = 0;  // launches so far, for ranking in the search window
    int64_t lastLaunch = 0;   // UTC seconds of the last launch, 0 for never
};

constexpr int32_t kTopLevel = -1;

}  // namespace brindle

#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "system/system_info.h"
#include "ui/handles.h"

// The Windows half of the about box's figures: what the system reports, read into the portable records.
namespace brindle {

// GetVersionExA, extended where the system offers it; without the extended form the registry's product
// type is read as well.
OsVersionInfo ReadOsVersion();

// GlobalMemoryStatusEx: 64-bit counts, so memory above 2 GB (and 4 GB) is reported whole.
MemoryFigures ReadMemoryFigures();

// The product line from the version resource of `module` (null: the program itself); a missing entry
// leaves its place empty.
std::string ReadProductLine(HMODULE module = nullptr);

// The current local date and time in the user's default formats.
std::string CurrentDateTime();

// The free system resources of the 95 family, from its resource library (missing on every NT-family
// system, and then nothing is read).
class FreeResourcesMeter {
public:
    FreeResourcesMeter();
    bool Available() const { return query_ != nullptr; }
    // Free system, GDI and user resources in per cent; none without the library.
    std::optional<std::array<int, 3>> Read() const;

private:
    using Query = int(WINAPI*)(int kind);
    ui::UniqueModule module_;
    Query query_ = nullptr;
};

}  // namespace brindle

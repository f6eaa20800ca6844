#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The texts of the about box: the program's product line, the name of the running Windows and the memory
// figures with the gauge's share. Portable: the Windows half (system_info_win.h) reads the system.
namespace brindle {

// What the system's version query reported.
struct OsVersionInfo {
    unsigned platform = 0;  // 1: the 95 family, 2: the NT family
    unsigned major = 0, minor = 0, build = 0;
    std::string servicePack;
    bool extended = false;  // the suite mask and the product type below were reported
    unsigned suiteMask = 0;
    unsigned productType = 0;  // 1 workstation, 2 domain controller, 3 server
    // Without the extended form: the registry's "ProductType" ("WINNT", "LANMANNT", "SERVERNT").
    std::string registryProductType;
};

constexpr unsigned kPlatform95 = 1;
constexpr unsigned kPlatformNt = 2;

// The Windows line: name (with its edition), a blank, then service pack and build. Empty when the
// platform is neither family.
std::string DescribeWindows(const OsVersionInfo& version);

// Byte counts as the system's extended memory query gives them.
struct MemoryFigures {
    uint64_t totalPhysical = 0, availablePhysical = 0;
    uint64_t totalPageFile = 0, availablePageFile = 0;
    uint64_t totalVirtual = 0, availableVirtual = 0;
};

struct MemoryLines {
    std::string physical, commitCharge, virtualMemory;
};
MemoryLines FormatMemoryLines(const MemoryFigures& figures);

// part × 1000 / total to the nearest integer (halves away from zero, as MulDiv rounds); 0 for a total of
// 0. A part above the total counts as the total.
int PerMille(uint64_t part, uint64_t total);

// The shares of physical memory the gauge shows.
struct MemoryShares {
    int freePerMille = 0;
    int usedPerMille = 0;
};
MemoryShares PhysicalShares(const MemoryFigures& figures);

// What the gauge's status text depends on at the moment of a refresh.
struct GaugeStatusInput {
    bool controlDown = false;
    bool shiftDown = false;
    // The free system, GDI and user resources in per cent, where the system can tell (the 95 family).
    std::optional<std::array<int, 3>> freeResources;
    std::string dateTime;  // the current local date and time in the user's format
    int usedPerMille = 0;
};
std::string GaugeStatusText(const GaugeStatusInput& input);

// " Version a.b.c.d\r\n " from the product version of the version resource's fixed part.
std::string VersionText(uint32_t productVersionMs, uint32_t productVersionLs);

// The product line: product name, version text, copyright and trademarks, each followed by one blank but
// the last.
std::string ProductLine(const std::string& productName,
                        const std::string& versionText,
                        const std::string& copyright,
                        const std::string& trademarks);

}  // namespace brindle

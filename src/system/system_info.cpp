#include "system/system_info.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "text/numbers.h"

namespace brindle {
namespace {

constexpr unsigned kWorkstation = 1;
constexpr unsigned kServer = 3;
constexpr unsigned kSuitePersonal = 0x200;

std::string Printf(const char* format, auto... arguments) {
    char buffer[256];
    const int length = std::snprintf(buffer, sizeof buffer, format, arguments...);
    return length < 0 ? std::string() : std::string(buffer, std::min<size_t>(length, sizeof buffer - 1));
}

bool EqualsIgnoringCase(const std::string& text, const char* ascii) {
    size_t i = 0;
    for (; i < text.size() && ascii[i]; ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(ascii[i]))
            return false;
    }
    return i == text.size() && !ascii[i];
}

std::string Name95(const OsVersionInfo& v) {
    if (v.major != 4)
        return "";
    const char mark = v.servicePack.size() > 1 ? v.servicePack[1] : '\0';
    switch (v.minor) {
        case 0:
            return std::string("Win 95 ") + (mark == 'B' || mark == 'C' ? "OSR2" : "");
        case 10:
            return std::string("Win 98 ") + (mark == 'A' ? "SE" : "");
        case 90:
            return "Win Me ";
        default:
            return "";
    }
}

bool IsServer(const OsVersionInfo& v) {
    if (v.extended)
        return v.productType != kWorkstation;
    return !v.registryProductType.empty() && !EqualsIgnoringCase(v.registryProductType, "WINNT");
}

// Windows 10 and 11 share version 10.0; 11 starts at build 22000, and the servers are told by build. The
// servers' names leave the word "Server" to the edition.
std::string NameOfVersion10(const OsVersionInfo& v) {
    if (!IsServer(v))
        return v.build >= 22000 ? "Win 11 " : "Win 10 ";
    if (v.build >= 26100)
        return "Win 2025 ";
    if (v.build >= 20348)
        return "Win 2022 ";
    if (v.build >= 17763)
        return "Win 2019 ";
    return "Win 2016 ";
}

// Names of the NT family from Vista on; "Windows NT a.b" for a version this table does not know.
std::string NameAfterXp(const OsVersionInfo& v) {
    const bool server = IsServer(v);
    if (v.major == 6) {
        switch (v.minor) {
            case 0:
                return server ? "Win 2008 " : "Win Vista ";
            case 1:
                return server ? "Win 2008 R2 " : "Win 7 ";
            case 2:
                return server ? "Win 2012 " : "Win 8 ";
            case 3:
                return server ? "Win 2012 R2 " : "Win 8.1 ";
        }
    }
    if (v.major == 10 && v.minor == 0)
        return NameOfVersion10(v);
    return Printf("Windows NT %u.%u ", v.major, v.minor);
}

std::string ServerSuites(unsigned suiteMask) {
    static const char* const kSuites[] = {
        "[SBS] ",       "Enterprise ", "BackOffice ",         "Communication ", "Terminal ",
        "[SBSr] ",      "[EMB] ",      "DataCenter ",         "SingleUserTS ",  "Personal ",
        "Web Edition ", "[EMBr] ",     "Security Appliance ",
    };
    std::string words;
    for (unsigned bit = 0; bit < std::size(kSuites); ++bit) {
        if (suiteMask & (1u << bit))
            words += kSuites[bit];
    }
    return words + "Server ";
}

std::string EditionFromRegistry(const std::string& productType) {
    if (EqualsIgnoringCase(productType, "WINNT"))
        return "Professional ";
    if (EqualsIgnoringCase(productType, "LANMANNT"))
        return "Server ";
    if (EqualsIgnoringCase(productType, "SERVERNT"))
        return "Advanced Server ";
    return "";
}

std::string NameNt(const OsVersionInfo& v) {
    std::string name;
    if (v.major <= 4) {
        name = "Win NT ";
    } else if (v.major == 5 && v.minor == 0) {
        name = "Win 2k ";
    } else if (v.major == 5 && v.minor == 1) {
        name = v.extended ? "Win XP " : "";
    } else if (v.major == 5 && v.minor == 2) {
        // The one workstation of version 5.2 is XP's 64-bit edition.
        name = !v.extended ? "" : v.productType == kWorkstation ? "Win XP 64bit " : "Win 2003 Server ";
    } else {
        name = NameAfterXp(v);
    }
    if (!v.extended)
        return name + EditionFromRegistry(v.registryProductType);
    if (v.productType == kWorkstation)
        return name + (v.suiteMask & kSuitePersonal ? "Home Edition " : "Professional Edition ");
    if (v.productType == kServer)
        return name + ServerSuites(v.suiteMask);
    // A domain controller: the names up to 2003 carry the word themselves.
    return v.major >= 6 ? name + "Server " : name;
}

}  // namespace

std::string DescribeWindows(const OsVersionInfo& v) {
    const unsigned build = v.build & 0xFFFF;
    const char* pack = v.servicePack.c_str();
    std::string name, detail;
    if (v.platform == kPlatform95) {
        name = Name95(v);
        detail = Printf("version %u.%u %s (Build %u) ", v.major, v.minor, pack, build);
    } else if (v.platform == kPlatformNt) {
        name = NameNt(v);
        detail = v.major >= 5 ? Printf("%s (Build %u)", pack, build)
                              : Printf("version %u.%u %s (Build %u)", v.major, v.minor, pack, build);
    }
    return name + " " + detail;
}

MemoryLines FormatMemoryLines(const MemoryFigures& f) {
    auto line = [](const char* format, uint64_t available, uint64_t total) {
        return Printf(format, text::FormatThousands(available).c_str(), text::FormatThousands(total).c_str());
    };
    return {
        line("物理メモリ (空き/全部) %15s / %15s", f.availablePhysical, f.totalPhysical),
        line("ｺﾐｯﾄﾁｬｰｼﾞ  (空き/全部) %15s / %15s", f.availablePageFile, f.totalPageFile),
        line("仮想メモリ (空き/全部) %15s / %15s", f.availableVirtual, f.totalVirtual),
    };
}

int PerMille(uint64_t part, uint64_t total) {
    if (total == 0)
        return 0;
    if (part > total)
        part = total;
    // Below 2^54 the product with 1000 and the rounding half fit in 64 bits; larger counts lose only
    // bits far below one per mille.
    while (total >= (uint64_t{1} << 54)) {
        total >>= 1;
        part >>= 1;
    }
    return static_cast<int>((part * 1000 + total / 2) / total);
}

MemoryShares PhysicalShares(const MemoryFigures& f) {
    const uint64_t available = std::min(f.availablePhysical, f.totalPhysical);
    return {PerMille(available, f.totalPhysical), PerMille(f.totalPhysical - available, f.totalPhysical)};
}

std::string GaugeStatusText(const GaugeStatusInput& input) {
    if (input.controlDown && input.freeResources) {
        const auto& r = *input.freeResources;
        return Printf("リソース空き Sys %3d％ Gui %3d％ User %3d％", r[0], r[1], r[2]);
    }
    if (input.shiftDown)
        return "Date,time:" + input.dateTime;
    return Printf("物理メモリ %3d.%01d ％使用", input.usedPerMille / 10, input.usedPerMille % 10) +
           (input.freeResources ? "*" : "");
}

std::string VersionText(uint32_t ms, uint32_t ls) {
    const std::string version = Printf("%u.%u.%u.%u", ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF);
    return Printf(" Version %s", version.c_str()) + "\r\n ";
}

std::string ProductLine(const std::string& productName,
                        const std::string& versionText,
                        const std::string& copyright,
                        const std::string& trademarks) {
    return productName + " " + versionText + " " + copyright + " " + trademarks;
}

}  // namespace brindle

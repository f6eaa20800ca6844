#include "system/system_info.h"

#include <string>

#include <gtest/gtest.h>

#include "about/gauge_geometry.h"

namespace brindle {
namespace {

constexpr uint64_t kGiB = uint64_t{1} << 30;

OsVersionInfo Nt(unsigned major,
                 unsigned minor,
                 unsigned build,
                 unsigned productType,
                 unsigned suiteMask = 0,
                 const char* servicePack = "") {
    OsVersionInfo v;
    v.platform = kPlatformNt;
    v.major = major;
    v.minor = minor;
    v.build = build;
    v.servicePack = servicePack;
    v.extended = true;
    v.productType = productType;
    v.suiteMask = suiteMask;
    return v;
}

OsVersionInfo Plain(unsigned platform,
                    unsigned major,
                    unsigned minor,
                    unsigned build,
                    const char* servicePack,
                    const char* registryProductType = "") {
    OsVersionInfo v;
    v.platform = platform;
    v.major = major;
    v.minor = minor;
    v.build = build;
    v.servicePack = servicePack;
    v.registryProductType = registryProductType;
    return v;
}

TEST(WindowsName, TheNtFamilyFromXpToElevenWithItsEditions) {
    // What Wine 8 reports: Windows 7 with its first service pack.
    EXPECT_EQ(DescribeWindows(Nt(6, 1, 7601, 1, 0x100, "Service Pack 1")),
              "Win 7 Professional Edition  Service Pack 1 (Build 7601)");
    EXPECT_EQ(DescribeWindows(Nt(5, 1, 2600, 1, 0x200, "Service Pack 3")),
              "Win XP Home Edition  Service Pack 3 (Build 2600)");
    EXPECT_EQ(DescribeWindows(Nt(5, 0, 2195, 1, 0, "Service Pack 4")),
              "Win 2k Professional Edition  Service Pack 4 (Build 2195)");
    EXPECT_EQ(DescribeWindows(Nt(6, 0, 6002, 1)), "Win Vista Professional Edition   (Build 6002)");
    EXPECT_EQ(DescribeWindows(Nt(6, 2, 9200, 1, 0x200)), "Win 8 Home Edition   (Build 9200)");
    EXPECT_EQ(DescribeWindows(Nt(6, 3, 9600, 1)), "Win 8.1 Professional Edition   (Build 9600)");
    // 10.0 is Windows 11 from build 22000 on.
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 19045, 1)), "Win 10 Professional Edition   (Build 19045)");
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 21999, 1)), "Win 10 Professional Edition   (Build 21999)");
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 22000, 1, 0x200)), "Win 11 Home Edition   (Build 22000)");
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 26100, 1)), "Win 11 Professional Edition   (Build 26100)");
    // A version the table does not know is named by its numbers.
    EXPECT_EQ(DescribeWindows(Nt(6, 4, 9841, 1)), "Windows NT 6.4 Professional Edition   (Build 9841)");
    EXPECT_EQ(DescribeWindows(Nt(11, 0, 30000, 1)), "Windows NT 11.0 Professional Edition   (Build 30000)");
    // Only the low 16 bits of the build number count.
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 0x10000 + 22631, 1)), "Win 11 Professional Edition   (Build 22631)");
}

TEST(WindowsName, ServersByProductTypeAndSuite) {
    // 5.2 as a workstation is XP's 64-bit edition, whatever the process's own width.
    EXPECT_EQ(DescribeWindows(Nt(5, 2, 3790, 1, 0, "Service Pack 2")),
              "Win XP 64bit Professional Edition  Service Pack 2 (Build 3790)");
    EXPECT_EQ(DescribeWindows(Nt(5, 2, 3790, 3, 0x2, "Service Pack 2")),
              "Win 2003 Server Enterprise Server  Service Pack 2 (Build 3790)");
    EXPECT_EQ(DescribeWindows(Nt(5, 2, 3790, 2)), "Win 2003 Server   (Build 3790)");  // a domain controller
    EXPECT_EQ(DescribeWindows(Nt(5, 2, 3790, 3, 0x1FFF)),
              "Win 2003 Server [SBS] Enterprise BackOffice Communication Terminal [SBSr] [EMB] DataCenter "
              "SingleUserTS Personal Web Edition [EMBr] Security Appliance Server   (Build 3790)");
    EXPECT_EQ(DescribeWindows(Nt(6, 0, 6003, 3)), "Win 2008 Server   (Build 6003)");
    EXPECT_EQ(DescribeWindows(Nt(6, 1, 7601, 3, 0x10)), "Win 2008 R2 Terminal Server   (Build 7601)");
    EXPECT_EQ(DescribeWindows(Nt(6, 2, 9200, 3)), "Win 2012 Server   (Build 9200)");
    EXPECT_EQ(DescribeWindows(Nt(6, 3, 9600, 3)), "Win 2012 R2 Server   (Build 9600)");
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 14393, 3)), "Win 2016 Server   (Build 14393)");
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 17763, 3)), "Win 2019 Server   (Build 17763)");
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 20348, 3)), "Win 2022 Server   (Build 20348)");
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 26100, 3, 0x80)), "Win 2025 DataCenter Server   (Build 26100)");
    EXPECT_EQ(DescribeWindows(Nt(10, 0, 26100, 2)), "Win 2025 Server   (Build 26100)");  // a domain controller
}

TEST(WindowsName, WithoutTheExtendedFormAndTheNinetyFiveFamily) {
    // NT 4 before its sixth service pack: the edition comes from the registry, compared without case.
    EXPECT_EQ(DescribeWindows(Plain(kPlatformNt, 4, 0, 1381, "Service Pack 5", "LANMANNT")),
              "Win NT Server  version 4.0 Service Pack 5 (Build 1381)");
    EXPECT_EQ(DescribeWindows(Plain(kPlatformNt, 4, 0, 1381, "", "winnt")),
              "Win NT Professional  version 4.0  (Build 1381)");
    EXPECT_EQ(DescribeWindows(Plain(kPlatformNt, 4, 0, 1381, "", "ServerNT")),
              "Win NT Advanced Server  version 4.0  (Build 1381)");
    EXPECT_EQ(DescribeWindows(Plain(kPlatformNt, 5, 0, 2195, "", "")), "Win 2k   (Build 2195)");
    // Without the extended form XP has no name of its own.
    EXPECT_EQ(DescribeWindows(Plain(kPlatformNt, 5, 1, 2600, "", "WinNT")), "Professional   (Build 2600)");

    // The 95 family keeps the build in the low word, the version in the high one.
    EXPECT_EQ(DescribeWindows(Plain(kPlatform95, 4, 0, 0x04000457, " B")), "Win 95 OSR2 version 4.0  B (Build 1111) ");
    EXPECT_EQ(DescribeWindows(Plain(kPlatform95, 4, 0, 0x040003B6, " C")), "Win 95 OSR2 version 4.0  C (Build 950) ");
    EXPECT_EQ(DescribeWindows(Plain(kPlatform95, 4, 0, 950, "")), "Win 95  version 4.0  (Build 950) ");
    EXPECT_EQ(DescribeWindows(Plain(kPlatform95, 4, 10, 2222, " A")), "Win 98 SE version 4.10  A (Build 2222) ");
    EXPECT_EQ(DescribeWindows(Plain(kPlatform95, 4, 10, 1998, " ")), "Win 98  version 4.10   (Build 1998) ");
    EXPECT_EQ(DescribeWindows(Plain(kPlatform95, 4, 90, 3000, "")), "Win Me  version 4.90  (Build 3000) ");
    EXPECT_EQ(DescribeWindows(Plain(0, 1, 0, 0, "")), " ");  // neither family: nothing to name
}

TEST(MemoryLines, CountsAbove2And4GigabytesShowWhole) {
    MemoryFigures f;
    f.totalPhysical = 3 * kGiB;
    f.availablePhysical = kGiB;
    f.totalPageFile = 24 * kGiB + 1;
    f.availablePageFile = 5 * kGiB;
    f.totalVirtual = uint64_t{128} << 40;  // a 64-bit process's address space
    f.availableVirtual = 999;
    const MemoryLines lines = FormatMemoryLines(f);
    EXPECT_EQ(lines.physical, "物理メモリ (空き/全部)   1,073,741,824 /   3,221,225,472");
    EXPECT_EQ(lines.commitCharge, "ｺﾐｯﾄﾁｬｰｼﾞ  (空き/全部)   5,368,709,120 /  25,769,803,777");
    EXPECT_EQ(lines.virtualMemory, "仮想メモリ (空き/全部)             999 / 140,737,488,355,328");

    const MemoryLines empty = FormatMemoryLines({});
    EXPECT_EQ(empty.physical, "物理メモリ (空き/全部)               0 /               0");
}

TEST(MemoryGauge, SharesOfPhysicalMemoryInPerMille) {
    MemoryFigures f;
    f.totalPhysical = 3 * kGiB;
    f.availablePhysical = kGiB;
    MemoryShares shares = PhysicalShares(f);
    EXPECT_EQ(shares.usedPerMille, 667);
    EXPECT_EQ(shares.freePerMille, 333);

    // Counts whose products with 1000 pass 64 bits.
    f.totalPhysical = uint64_t{1} << 63;
    f.availablePhysical = uint64_t{1} << 62;
    shares = PhysicalShares(f);
    EXPECT_EQ(shares.usedPerMille, 500);
    EXPECT_EQ(shares.freePerMille, 500);
    EXPECT_EQ(PerMille(UINT64_MAX, UINT64_MAX), 1000);
    EXPECT_EQ(PerMille(UINT64_MAX / 3, UINT64_MAX), 333);

    // A total of 0 never divides; more available than there is counts as all of it.
    EXPECT_EQ(PhysicalShares({}).usedPerMille, 0);
    EXPECT_EQ(PhysicalShares({}).freePerMille, 0);
    f.totalPhysical = 100;
    f.availablePhysical = 250;
    shares = PhysicalShares(f);
    EXPECT_EQ(shares.usedPerMille, 0);
    EXPECT_EQ(shares.freePerMille, 1000);

    // Halves round up, as MulDiv rounds.
    EXPECT_EQ(PerMille(1, 2000), 1);
    EXPECT_EQ(PerMille(1, 2001), 0);
}

TEST(MemoryGauge, StatusTextByTheKeysHeld) {
    GaugeStatusInput input;
    input.usedPerMille = 667;
    input.dateTime = "2026/12/07 15:04:05";
    EXPECT_EQ(GaugeStatusText(input), "物理メモリ  66.7 ％使用");
    input.usedPerMille = 1000;
    EXPECT_EQ(GaugeStatusText(input), "物理メモリ 100.0 ％使用");
    input.usedPerMille = 5;
    EXPECT_EQ(GaugeStatusText(input), "物理メモリ   0.5 ％使用");

    // Ctrl without the resource figures changes nothing; Shift shows the date and time.
    input.controlDown = true;
    EXPECT_EQ(GaugeStatusText(input), "物理メモリ   0.5 ％使用");
    input.shiftDown = true;
    EXPECT_EQ(GaugeStatusText(input), "Date,time:2026/12/07 15:04:05");

    // Where the resource figures exist, the usual text is marked, and Ctrl shows them.
    input.freeResources = std::array<int, 3>{71, 8, 100};
    EXPECT_EQ(GaugeStatusText(input), "リソース空き Sys  71％ Gui   8％ User 100％");
    input.controlDown = false;
    EXPECT_EQ(GaugeStatusText(input), "Date,time:2026/12/07 15:04:05");
    input.shiftDown = false;
    EXPECT_EQ(GaugeStatusText(input), "物理メモリ   0.5 ％使用*");
}

TEST(AboutTexts, ProductLineFromTheVersionResource) {
    const std::string version = VersionText(0x00010002, 0x00030004);
    EXPECT_EQ(version, " Version 1.2.3.4\r\n ");
    EXPECT_EQ(ProductLine("ぶりんどる", version, "(C) us", "ORIOLE"), "ぶりんどる  Version 1.2.3.4\r\n  (C) us ORIOLE");
    EXPECT_EQ(VersionText(0xFFFFFFFF, 0x0000FFFF), " Version 65535.65535.0.65535\r\n ");
    EXPECT_EQ(ProductLine("", "", "", ""), "   ");  // missing entries leave their places empty
}

TEST(GaugeGeometry, BarAndTicks) {
    EXPECT_EQ(GaugeBarRight(0, 200, 250, 1000), 50);
    EXPECT_EQ(GaugeBarRight(10, 200, 333, 1000), 10 + 67);  // 66.6 to the nearest pixel
    EXPECT_EQ(GaugeBarRight(0, 200, 1000, 1000), 200);
    EXPECT_EQ(GaugeBarRight(0, 200, 0, 1000), 0);
    // Values outside the scale stay on it; no scale draws no bar.
    EXPECT_EQ(GaugeBarRight(0, 200, 1500, 1000), 200);
    EXPECT_EQ(GaugeBarRight(0, 200, -5, 1000), 0);
    EXPECT_EQ(GaugeBarRight(4, 200, 50, 0), 4);
    EXPECT_EQ(GaugeBarRight(4, 200, 50, -10), 4);

    const std::array<int, 9> ticks = GaugeTicks(5, 250);
    EXPECT_EQ(ticks, (std::array<int, 9>{30, 55, 80, 105, 130, 155, 180, 205, 230}));
    EXPECT_EQ(GaugeTicks(0, 15)[0], 1);

    EXPECT_EQ(MulDivRounded(3, 1, 2), 2);
    EXPECT_EQ(MulDivRounded(-3, 1, 2), -2);  // halves away from zero
    EXPECT_EQ(MulDivRounded(3, -1, -2), 2);
    EXPECT_EQ(MulDivRounded(2000000000, 2000000000, 4000000000 / 2), 2000000000);
    EXPECT_EQ(MulDivRounded(1, 1, 0), -1);
}

}  // namespace
}  // namespace brindle

// The version window, made for real with the main window on a temporary settings file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "about/about_dialog.h"
#include "about/gauge_static.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "system/system_info.h"
#include "system/system_info_win.h"
#include "ui/data_exchange.h"
#include "ui/dpi_win.h"
#include "unit/test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

std::string TempFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(GetCurrentProcessId()) + ".INI";
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The numbers of a memory line ("... 1,234 / 5,678"), without their digit groups.
std::vector<uint64_t> NumbersOf(const std::string& line) {
    std::vector<uint64_t> numbers;
    std::string digits;
    auto flush = [&] {
        if (!digits.empty())
            numbers.push_back(std::strtoull(digits.c_str(), nullptr, 10));
        digits.clear();
    };
    for (char c : line.substr(line.find(')') + 1)) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c != ',')
            flush();
    }
    flush();
    return numbers;
}

bool Near(uint64_t shown, uint64_t now, uint64_t slack) {
    return shown + slack >= now && now + slack >= shown;
}

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override { path = TempFile("brindle-about"); }
    void TearDown() override {
        dialog.reset();
        DeleteFileA(path.c_str());
        DeleteFileA((path + ".bak").c_str());
    }
    void Open(const std::string& brindle = "") {
        testing::WriteBytes(
            path, "[Brindle]\r\nwinMainFrame=100,80,700,500\r\n" + brindle + "[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n");
        store = std::make_unique<SettingsStore>(messages, path);
        store->Load();
        MainDialog::Options options;
        options.instanceName = "INI.about_test_Mutex";
        dialog = std::make_unique<MainDialog>(*store, messages, options);
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->Hwnd(), SW_SHOW);
        Pump();
        ASSERT_TRUE(dialog->About());
        about = dialog->About()->Hwnd();
        ASSERT_TRUE(about);
    }
    std::string Text(int id) { return ui::WindowText(GetDlgItem(about, id)); }
    RECT AboutRect() {
        RECT rect;
        GetWindowRect(about, &rect);
        return rect;
    }
    std::string Saved() { return testing::ReadBytes(path); }

    std::string path;
    RecordingMessages messages;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainDialog> dialog;
    HWND about = nullptr;
};

TEST_F(AboutBox, ShowsTheProgramTheRunningWindowsAndTheSystemsMemoryFigures) {
    Open();
    EXPECT_FALSE(IsWindowVisible(about)) << "made hidden with the main window";
    EXPECT_EQ(GetWindow(about, GW_OWNER), dialog->Hwnd());
    EXPECT_EQ(ui::WindowText(about), "ぶりんどるのバージョン情報");

    SendMessageA(dialog->Hwnd(), WM_COMMAND, ID_VERSION, 0);
    ASSERT_TRUE(IsWindowVisible(about));
    MEMORYSTATUSEX now{};
    now.dwLength = sizeof now;
    ASSERT_TRUE(GlobalMemoryStatusEx(&now));

    EXPECT_EQ(Text(IDC_ABOUT_PRODUCT),
              "ぶりんどる  Version " BRINDLE_PROJECT_VERSION ".0\r\n  Copyright (C) 2026 Brindle developers ORIOLE");

    // Wine 8 reports Windows 7 with its first service pack; the line is named from what the system says.
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version)));
    const std::string windows = Text(IDC_ABOUT_WINDOWS);
    EXPECT_NE(windows.find(" (Build " + std::to_string(version.dwBuildNumber & 0xFFFF) + ")"), std::string::npos);
    if (version.dwMajorVersion == 6 && version.dwMinorVersion == 1 && version.wProductType == VER_NT_WORKSTATION) {
        EXPECT_EQ(windows, std::string("Win 7 ") + (version.wSuiteMask & VER_SUITE_PERSONAL ? "Home" : "Professional") +
                               " Edition  " + version.szCSDVersion + " (Build 7601)");
    }

    // The figures of the extended memory query, in bytes: totals exactly, the free counts as they move.
    const std::vector<uint64_t> physical = NumbersOf(Text(IDC_ABOUT_PHYSICAL));
    const std::vector<uint64_t> commit = NumbersOf(Text(IDC_ABOUT_COMMIT));
    const std::vector<uint64_t> virtualMemory = NumbersOf(Text(IDC_ABOUT_VIRTUAL));
    ASSERT_EQ(physical.size(), 2u) << Text(IDC_ABOUT_PHYSICAL);
    ASSERT_EQ(commit.size(), 2u) << Text(IDC_ABOUT_COMMIT);
    ASSERT_EQ(virtualMemory.size(), 2u) << Text(IDC_ABOUT_VIRTUAL);
    EXPECT_EQ(Text(IDC_ABOUT_PHYSICAL).rfind("物理メモリ (空き/全部) ", 0), 0u);
    EXPECT_EQ(Text(IDC_ABOUT_COMMIT).rfind("ｺﾐｯﾄﾁｬｰｼﾞ  (空き/全部) ", 0), 0u);
    EXPECT_EQ(Text(IDC_ABOUT_VIRTUAL).rfind("仮想メモリ (空き/全部) ", 0), 0u);
    EXPECT_EQ(physical[1], now.ullTotalPhys);
    EXPECT_EQ(commit[1], now.ullTotalPageFile);
    EXPECT_EQ(virtualMemory[1], now.ullTotalVirtual);
    const uint64_t slack = 256ull << 20;
    EXPECT_TRUE(Near(physical[0], now.ullAvailPhys, slack)) << physical[0] << " " << now.ullAvailPhys;
    EXPECT_TRUE(Near(commit[0], now.ullAvailPageFile, slack)) << commit[0] << " " << now.ullAvailPageFile;
    EXPECT_TRUE(Near(virtualMemory[0], now.ullAvailVirtual, slack)) << virtualMemory[0];

    // The gauge holds the free share; its text the used one, to a tenth of a per cent.
    const GaugeStatic& gauge = dialog->About()->Gauge();
    EXPECT_EQ(gauge.Maximum(), 1000);
    const int free = static_cast<int>(physical[0] * 1000.0 / physical[1] + 0.5);
    EXPECT_NEAR(gauge.Value(), free, 1);
    const std::string status = ui::WindowText(gauge.Hwnd());
    const int used = 1000 - free;
    char expected[64];
    std::snprintf(expected, sizeof expected, "物理メモリ %3d.%01d ％使用", used / 10, used % 10);
    const int usedShown = std::atoi(status.c_str() + std::string("物理メモリ ").size());
    EXPECT_NEAR(usedShown, used / 10, 1) << status;
    EXPECT_EQ(status.size(), std::string(expected).size()) << status;
    EXPECT_EQ(status.substr(status.size() - std::string(" ％使用").size()), " ％使用");

    // Each line fits its control on one line (a 64-bit process has 128 TB of address space).
    for (int id : {IDC_ABOUT_WINDOWS, IDC_ABOUT_PHYSICAL, IDC_ABOUT_COMMIT, IDC_ABOUT_VIRTUAL}) {
        HWND control = GetDlgItem(about, id);
        const std::string line = Text(id);
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        RECT client;
        GetClientRect(control, &client);
        EXPECT_LE(size.cx, client.right) << line;
    }

    // OK hides it and keeps it for the next time.
    SendMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindowVisible(about));
    EXPECT_TRUE(IsWindow(about));
    EXPECT_TRUE(messages.boxes.empty());
}

// The program's own manifest declares the systems it knows, so that Windows 8.1 and later report their
// real version to it.
TEST(AboutManifest, DeclaresWindows7To11) {
    HRSRC manifest = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(GetModuleHandleA(nullptr), manifest))),
                           SizeofResource(GetModuleHandleA(nullptr), manifest));
    for (const char* id : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(text.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos) << id;
    }
}

// The pixels of a window's client area, as painted.
class ClientPixels {
public:
    explicit ClientPixels(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        HDC source = GetDC(window);
        HDC memory = CreateCompatibleDC(source);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        for (int i = 0; i < width * height; ++i)
            pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, source);
    }
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int Count(int y, COLORREF colour) const {
        int count = 0;
        for (int x = 0; x < width; ++x)
            count += At(x, y) == colour;
        return count;
    }

    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
};

COLORREF Inverted(COLORREF below, COLORREF mark) {
    return below ^ mark;
}

// The bar covers the free share of the width with its frame; the tick marks and the text show inverted.
TEST_F(AboutBox, TheGaugeDrawsTheFreeShareWithInvertedTicksAndText) {
    Open();
    dialog->About()->Show();
    GaugeStatic& gauge = dialog->About()->Gauge();
    MEMORYSTATUSEX now{};
    now.dwLength = sizeof now;
    ASSERT_TRUE(GlobalMemoryStatusEx(&now));
    EXPECT_NEAR(gauge.Value(), now.ullAvailPhys * 1000.0 / now.ullTotalPhys, 20) << "the free share";
    // The pixels are read for a share set here: the machine's own may leave no bar or no background. No
    // message runs before the picture, so the refresh timer cannot change it meanwhile.
    gauge.SetValue(600, 1000);
    RedrawWindow(gauge.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const int value = gauge.Value();
    const ClientPixels shot(gauge.Hwnd());
    ASSERT_GT(shot.height, 16) << "room for the bar above the text";
    const int barRight = static_cast<int>(shot.width * value / 1000.0 + 0.5);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);

    // A row below the ticks and above the text: frame, bar, frame, background. The frame's lines and the
    // ticks grow with the display scale (1 and 2 pixels at 96 DPI).
    const unsigned dpi = ui::WindowDpi(gauge.Hwnd());
    const int line = ui::ScaleToDpi(1, dpi), tick = ui::ScaleToDpi(2, dpi);
    const int row = ui::ScaleToDpi(4, dpi);
    EXPECT_EQ(shot.At(0, row), GaugeStatic::kBarLight);
    EXPECT_EQ(shot.At(line - 1, row), GaugeStatic::kBarLight);
    EXPECT_EQ(shot.At(line, row), GaugeStatic::kBarColour);
    EXPECT_EQ(shot.At(barRight - line - 1, row), GaugeStatic::kBarColour);
    EXPECT_EQ(shot.At(barRight - line, row), GaugeStatic::kBarShadow);
    EXPECT_EQ(shot.At(barRight - 1, row), GaugeStatic::kBarShadow);
    EXPECT_EQ(shot.At(barRight, row), face);
    EXPECT_EQ(shot.At(shot.width - 1, row), face);
    EXPECT_EQ(shot.Count(row, GaugeStatic::kBarColour), barRight - 2 * line);
    EXPECT_EQ(shot.At(line, shot.height - 1), GaugeStatic::kBarShadow);

    // Ticks at the tenths, from the top, over the bar and over the background alike.
    for (int i = 1; i <= 9; ++i) {
        const int x = i * shot.width / 10;
        if (x + line >= barRight - line && x <= barRight)
            continue;  // on the bar's edge
        const COLORREF below = x < barRight ? GaugeStatic::kBarColour : face;
        for (int column = x; column < x + line; ++column) {
            EXPECT_EQ(shot.At(column, tick - 1), Inverted(below, GaugeStatic::kTickColour)) << "tick " << i;
            EXPECT_EQ(shot.At(column, tick + 1), below) << "tick " << i;
        }
        EXPECT_EQ(shot.At(x + line, tick - 1), below) << "tick " << i << " is " << line << " wide";
    }

    // The white text inverts what lies below it.
    int textOverBar = 0, textOverFace = 0;
    for (int y = shot.height / 2; y < shot.height - 1; ++y) {
        for (int x = 1; x < shot.width - 1; ++x) {
            textOverBar += shot.At(x, y) == Inverted(GaugeStatic::kBarColour, RGB(255, 255, 255));
            textOverFace += shot.At(x, y) == Inverted(face, RGB(255, 255, 255));
        }
    }
    EXPECT_GT(textOverBar + textOverFace, 20);
}

// Real key presses: F6 in the main window shows the version window, F6 there returns to the main window.
// The program's own loop runs the main window, as at run time; a thread timer plays the user.
MainDialog* g_running = nullptr;
std::vector<std::string> g_seen;
int g_step = 0;

void PressF6() {
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = VK_F6;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
}

std::string WindowsState() {
    HWND main = g_running->Hwnd(), about = g_running->About()->Hwnd();
    HWND active = GetForegroundWindow();
    return std::string(IsWindowVisible(about) ? "shown," : "hidden,") + (active == main    ? "main"
                                                                         : active == about ? "about"
                                                                                           : "other");
}

void CALLBACK PlayF6(HWND, UINT, UINT_PTR id, DWORD) {
    HWND main = g_running->Hwnd(), about = g_running->About()->Hwnd();
    switch (g_step++) {
        case 0:
            SetForegroundWindow(main);
            SetFocus(g_running->Item(IDC_LIST));
            g_seen.push_back(WindowsState());
            PressF6();
            break;
        case 1:
        case 2:
            g_seen.push_back(WindowsState());
            PressF6();
            break;
        case 3:
            g_seen.push_back(WindowsState());
            // With a modal dialog of the main window up, both windows are disabled and F6 does nothing.
            SendMessageA(about, WM_COMMAND, IDOK, 0);
            SetForegroundWindow(main);
            g_running->SetReady(false);
            PressF6();
            break;
        default:
            g_seen.push_back(std::string(IsWindowVisible(about) ? "shown," : "hidden,") +
                             (IsWindowEnabled(about) ? "enabled" : "disabled"));
            g_running->SetReady(true);
            KillTimer(nullptr, id);
            PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
            break;
    }
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(g_running->Hwnd(), WM_COMMAND, IDCANCEL, 0);
}

TEST_F(AboutBox, F6TogglesBetweenTheMainWindowAndTheVersionWindow) {
    testing::WriteBytes(path, "[Brindle]\r\nwinMainFrame=100,80,700,500\r\n[Page]\r\n0=Top,-1,0,0,\"\",\"\"\r\n");
    store = std::make_unique<SettingsStore>(messages, path);
    store->Load();
    MainDialog::Options options;
    options.instanceName = "INI.about_f6_Mutex";
    dialog = std::make_unique<MainDialog>(*store, messages, options);
    g_running = dialog.get();
    g_seen.clear();
    g_step = 0;
    const UINT_PTR player = SetTimer(nullptr, 0, 300, PlayF6);
    const UINT_PTR guard = SetTimer(nullptr, 0, 10000, GiveUp);
    EXPECT_EQ(dialog->DoModal(nullptr), IDCANCEL);
    KillTimer(nullptr, player);
    KillTimer(nullptr, guard);
    EXPECT_EQ(g_seen,
              (std::vector<std::string>{"hidden,main", "shown,about", "shown,main", "shown,about", "hidden,disabled"}));
}

// The rectangle goes to the settings file in the closing save (a session's end), and when the window goes.
TEST_F(AboutBox, TheRectangleIsSavedAndPutBackOnAMonitor) {
    Open("winAboutBox=200,150,10,10\r\n");  // only the corner counts: the template gives the size
    RECT rect = AboutRect();
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    EXPECT_GT(width, 100);

    SetWindowPos(about, nullptr, 320, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(dialog->Hwnd(), WM_ENDSESSION, TRUE, 0);  // the modeless windows stay
    const std::string expected =
        "winAboutBox=320,260," + std::to_string(320 + width) + "," + std::to_string(260 + height) + "\r\n";
    EXPECT_NE(Saved().find(expected), std::string::npos) << Saved();

    // Moved again and destroyed with the main window.
    SetWindowPos(about, nullptr, 330, 270, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    dialog.reset();
    EXPECT_NE(Saved().find("winAboutBox=330,270," + std::to_string(330 + width) + "," + std::to_string(270 + height) +
                           "\r\n"),
              std::string::npos)
        << Saved();

    // A place on a monitor that is gone comes back onto the screen, whole.
    Open("winAboutBox=5000,4000,5400,4300\r\n");
    rect = AboutRect();
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_GE(rect.left, screen.left);
    EXPECT_GE(rect.top, screen.top);
    EXPECT_LE(rect.right, screen.right);
    EXPECT_LE(rect.bottom, screen.bottom);
    EXPECT_EQ(rect.right - rect.left, width);
    dialog.reset();

    // No place stored yet: centred.
    Open("winAboutBox=0,0,0,0\r\n");
    rect = AboutRect();
    EXPECT_NEAR((rect.left + rect.right) / 2, screen.right / 2, 2);
}

// The thread's own key state: under Wine a Shift sent with SendInput never shows in GetKeyState (the X
// keyboard's modifiers are taken over again at once), so the test holds it the way the system records it.
void HoldShift(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Holding Shift switches the gauge's text to the date and time at the next refresh; releasing it switches
// back. The refresh comes from the window's own timer.
TEST_F(AboutBox, ShiftShowsTheDateAndTimeWhileItIsHeld) {
    Open();
    dialog->About()->Show();
    HWND gauge = dialog->About()->Gauge().Hwnd();
    auto waitFor = [&](const std::string& start) {
        for (int i = 0; i < 100 && ui::WindowText(gauge).rfind(start, 0) != 0; ++i) {
            Pump();
            Sleep(30);
        }
        return ui::WindowText(gauge);
    };
    HoldShift(true);
    const std::string held = waitFor("Date,time:");
    HoldShift(false);
    const std::string released = waitFor("物理メモリ ");
    char date[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, date, sizeof date);
    EXPECT_EQ(held.rfind(std::string("Date,time:") + date + " ", 0), 0u) << held;
    EXPECT_EQ(released.rfind("物理メモリ ", 0), 0u) << released;
}

// The link button opens the home page address of the string table.
TEST_F(AboutBox, TheLinkButtonOpensTheHomePage) {
    Open();
    std::vector<std::string> opened;
    dialog->About()->SetLinkOpener([&](const std::string& address) { opened.push_back(address); });
    dialog->About()->Show();
    HWND button = GetDlgItem(about, IDC_ABOUT_HOME_PAGE);
    EXPECT_EQ(ui::WindowText(button), "オリオールの部屋");
    RECT rect;
    GetWindowRect(button, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    for (int i = 0; i < 50 && opened.empty(); ++i) {
        Pump();
        Sleep(20);
    }
    char address[256] = {};
    LoadStringA(GetModuleHandleA(nullptr), IDS_HOME_PAGE, address, sizeof address);
    EXPECT_EQ(opened, std::vector<std::string>{address});
    EXPECT_EQ(std::string(address).rfind("https://", 0), 0u);
}

}  // namespace
}  // namespace brindle

#pragma once

// Link files the tests write: ordinary shell links through the shell, and Windows Installer links byte by
// byte, with the installed component they start registered where Windows Installer keeps it.
#include <shlobj.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/com.h"
#include "platform/platform_win.h"
#include "unit/test_support.h"

namespace brindle::testing {

struct LinkFields {
    std::string target, arguments, iconLocation, workingDirectory, description;
    int iconIndex = 0;
};

inline void MakeLink(const std::string& path, const LinkFields& fields) {
    ui::ComPtr<IShellLinkA> link;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                              reinterpret_cast<void**>(link.GetAddressOf())));
    link->SetPath(fields.target.c_str());
    link->SetArguments(fields.arguments.c_str());
    link->SetIconLocation(fields.iconLocation.c_str(), fields.iconIndex);
    link->SetWorkingDirectory(fields.workingDirectory.c_str());
    link->SetDescription(fields.description.c_str());
    ui::ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(link.As(&file));
    ASSERT_HRESULT_SUCCEEDED(file->Save(Widen(path).c_str(), TRUE));
}

// Windows Installer writes a GUID in two compact forms. In a link's descriptor: its four 32-bit words, each
// as five base-85 digits, lowest first.
inline std::string PackedGuid(const GUID& guid) {
    static const char digits[] =
        "!$%&'()*+,-.0123456789=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{}~";
    uint32_t words[4];
    memcpy(words, &guid, sizeof words);
    std::string packed;
    for (uint32_t word : words) {
        for (int digit = 0; digit < 5; ++digit, word /= 85) {
            packed += digits[word % 85];
        }
    }
    return packed;
}

// In its registry keys: the hex digits of the text form without braces and dashes, each of the first three
// groups reversed, the last eight bytes with the two digits of each byte swapped.
inline std::string SquashedGuid(const GUID& guid) {
    wchar_t wide[40];
    StringFromGUID2(guid, wide, 40);
    const std::string text(wide, wide + 38);  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    std::string squashed(text.rbegin() + 29, text.rbegin() + 37);
    squashed.append(text.rbegin() + 24, text.rbegin() + 28);
    squashed.append(text.rbegin() + 19, text.rbegin() + 23);
    const std::string bytes = text.substr(20, 4) + text.substr(25, 12);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        squashed += bytes[i + 1];
        squashed += bytes[i];
    }
    return squashed;
}

// A component installed for all users, as Windows Installer registers it: its path under its product, and
// the product's install properties. The registration is removed again with the object.
class InstalledComponent {
public:
    // Product and component of no real installation.
    static constexpr GUID kProduct = {0x5b1d1e5a, 0x1a2b, 0x4c3d, {0x8e, 0x9f, 0x01, 0x23, 0x45, 0x67, 0x89, 0xab}};
    static constexpr GUID kComponent = {0xc0ffee00, 0x1234, 0x4abc, {0x9d, 0xef, 0xfe, 0xdc, 0xba, 0x98, 0x76, 0x54}};

    explicit InstalledComponent(const std::string& path) : path_(path) {
        WriteBytes(path, "installed");
        SetValue(componentKey_, SquashedGuid(kProduct), REG_SZ, path.c_str(), static_cast<DWORD>(path.size() + 1));
        const DWORD version = 1;
        SetValue(productKey_ + "\\InstallProperties", "WindowsInstaller", REG_DWORD, &version, sizeof version);
    }
    ~InstalledComponent() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, componentKey_.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, productKey_.c_str());
    }
    InstalledComponent(const InstalledComponent&) = delete;
    InstalledComponent& operator=(const InstalledComponent&) = delete;

    const std::string& Path() const { return path_; }
    // What a link to the component carries: product, feature, '>', component.
    static std::string Descriptor() { return PackedGuid(kProduct) + "Brindle>" + PackedGuid(kComponent); }

private:
    static constexpr char kUserData[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18";

    static void SetValue(const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY handle;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                                  nullptr, &handle, nullptr),
                  ERROR_SUCCESS)
            << key;
        EXPECT_EQ(RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(handle);
    }

    std::string path_;
    std::string componentKey_ = std::string(kUserData) + "\\Components\\" + SquashedGuid(kComponent);
    std::string productKey_ = std::string(kUserData) + "\\Products\\" + SquashedGuid(kProduct);
};

// A link as Windows Installer makes it: no target of its own, only the descriptor of what it starts.
inline void MakeInstallerLink(const std::string& path, const std::string& descriptor) {
    std::string bytes;
    auto add = [&bytes](const void* data, size_t size) { bytes.append(static_cast<const char*>(data), size); };
    const uint32_t headerSize = 0x4C, flags = SLDF_HAS_DARWINID | SLDF_UNICODE, showNormal = SW_SHOWNORMAL;
    add(&headerSize, 4);
    add(&CLSID_ShellLink, 16);
    add(&flags, 4);
    bytes.resize(0x3C, '\0');  // attributes, times, size and icon index: none
    add(&showNormal, 4);
    bytes.resize(headerSize, '\0');  // no hot key

    // The installer's data block: its size, its signature, the descriptor in ANSI and in UTF-16.
    const uint32_t blockSize = 0x314, signature = EXP_DARWIN_ID_SIG;
    add(&blockSize, 4);
    add(&signature, 4);
    std::string ansi(MAX_PATH, '\0'), utf16(2 * MAX_PATH, '\0');
    for (size_t i = 0; i < descriptor.size(); ++i) {
        ansi[i] = utf16[2 * i] = descriptor[i];
    }
    bytes += ansi + utf16;
    const uint32_t end = 0;  // no further blocks
    add(&end, 4);
    WriteBytes(path, bytes);
}

}  // namespace brindle::testing

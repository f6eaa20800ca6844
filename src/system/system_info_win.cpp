#include "system/system_info_win.h"

#include <vector>

#include "platform/platform_win.h"
#include "platform/system_library_win.h"

namespace brindle {
namespace {

std::string RegistryProductType() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS) {
        return "";
    }
    char value[80] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    const LSTATUS status = RegQueryValueExA(key, "ProductType", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return "";
    return std::string(value, strnlen(value, size));
}

// The version library is no library Windows always takes from the system folder, so it is loaded from
// there while the about box is made rather than imported.
class VersionLibrary {
public:
    VersionLibrary() : module_(LoadSystemLibrary("version.dll")) {
        if (HMODULE module = module_.Get()) {
            size_ = ProcAddress<SizeFunction>(module, "GetFileVersionInfoSizeA");
            info_ = ProcAddress<InfoFunction>(module, "GetFileVersionInfoA");
            query_ = ProcAddress<QueryFunction>(module, "VerQueryValueA");
        }
    }

    // The whole version information of a file; empty when there is none.
    std::vector<BYTE> Read(const std::string& path) const {
        if (!size_ || !info_ || !query_)
            return {};
        DWORD ignored = 0;
        const DWORD size = size_(path.c_str(), &ignored);
        std::vector<BYTE> data(size);
        if (size == 0 || !info_(path.c_str(), 0, size, data.data()))
            return {};
        return data;
    }

    const void* Query(const std::vector<BYTE>& data, const std::string& path, UINT& length) const {
        void* value = nullptr;
        length = 0;
        if (data.empty() || !query_(data.data(), path.c_str(), &value, &length))
            return nullptr;
        return value;
    }

private:
    using SizeFunction = DWORD(WINAPI*)(LPCSTR file, LPDWORD handle);
    using InfoFunction = BOOL(WINAPI*)(LPCSTR file, DWORD handle, DWORD size, LPVOID data);
    using QueryFunction = BOOL(WINAPI*)(LPCVOID block, LPCSTR path, LPVOID* value, PUINT length);
    ui::UniqueModule module_;
    SizeFunction size_ = nullptr;
    InfoFunction info_ = nullptr;
    QueryFunction query_ = nullptr;
};

std::string ModulePath(HMODULE module) {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return "";
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

OsVersionInfo ReadOsVersion() {
    OSVERSIONINFOEXA info;
    OsVersionInfo version;
    version.extended = GetOsVersion(info);
    version.platform = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.servicePack.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
    if (version.extended) {
        version.suiteMask = info.wSuiteMask;
        version.productType = info.wProductType;
    } else if (version.platform == kPlatformNt) {
        version.registryProductType = RegistryProductType();
    }
    return version;
}

MemoryFigures ReadMemoryFigures() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return {};
    return {status.ullTotalPhys,     status.ullAvailPhys,    status.ullTotalPageFile,
            status.ullAvailPageFile, status.ullTotalVirtual, status.ullAvailVirtual};
}

std::string ReadProductLine(HMODULE module) {
    const VersionLibrary library;
    const std::vector<BYTE> data = library.Read(ModulePath(module ? module : GetModuleHandleA(nullptr)));
    UINT length = 0;
    std::string version;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(library.Query(data, "\\", length));
    if (fixed && length >= sizeof *fixed)
        version = VersionText(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    auto value = [&](const char* name) {
        const auto* text =
            static_cast<const char*>(library.Query(data, std::string("\\StringFileInfo\\041104B0\\") + name, length));
        return text && length ? std::string(text, strnlen(text, length)) : std::string();
    };
    return ProductLine(value("ProductName"), version, value("LegalCopyright"), value("LegalTrademarks"));
}

std::string CurrentDateTime() {
    char date[128] = {}, time[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

FreeResourcesMeter::FreeResourcesMeter() : module_(LoadSystemLibrary("rsrc32.dll")) {
    if (module_)
        query_ = ProcAddress<Query>(module_.Get(), "_MyGetFreeSystemResources32@4");
}

std::optional<std::array<int, 3>> FreeResourcesMeter::Read() const {
    if (!query_)
        return std::nullopt;
    return std::array<int, 3>{query_(0), query_(1), query_(2)};
}

}  // namespace brindle

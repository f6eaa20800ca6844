#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// How a starting instance finds the running one of the same settings file. It asks each dialog
// window with WM_APP+1: wParam 0 answers the first four bytes of the window's instance name, wParam 1
// whether it has a name, wParam 2 brings that instance back. The full names are compared through
// WM_COPYDATA: the starting instance sends its own name, and the window answers 1 when it is its own.
namespace brindle::instance_query {

constexpr uintptr_t kCopyDataTag = 0x444E5242;  // "BRND"
constexpr size_t kMaxNameBytes = 1024;          // the name with its terminator

// The first four bytes of a name as a little-endian value (missing bytes count as 0).
inline uint32_t NamePrefix(const std::string& name) {
    unsigned char bytes[4] = {};
    std::memcpy(bytes, name.data(), name.size() < 4 ? name.size() : 4);
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// Whether a name received from another process (any bytes, any length) is exactly `own`.
inline bool SameName(const void* data, size_t size, const std::string& own) {
    if (!data || size == 0 || size > kMaxNameBytes)
        return false;
    const char* bytes = static_cast<const char*>(data);
    const void* end = std::memchr(bytes, '\0', size);
    if (!end)
        return false;  // no terminator inside the data
    const size_t length = static_cast<const char*>(end) - bytes;
    return length == own.size() && std::memcmp(bytes, own.data(), length) == 0;
}

}  // namespace brindle::instance_query

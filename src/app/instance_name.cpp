#include "app/instance_name.h"

#include "text/sjis.h"

#include <cstdint>
#include <cstdio>

namespace brindle {
namespace {

constexpr char kSuffix[] = "MutexBrindleByORIOLEMar 21 200712:27:04";

// Reverses the characters of `text`, each double-byte character keeping its two bytes in order.
std::string ReverseCharacters(const std::string& text) {
    std::string reversed(text.size(), '\0');
    size_t out = text.size();
    for (size_t i = 0; i < text.size();) {
        size_t length = sjis::CharLength(text, i);
        out -= length;
        reversed.replace(out, length, text, i, length);
        i += length;
    }
    return reversed;
}

constexpr size_t kObjectNameMax = 259;
constexpr size_t kLockPrefix = 240;

uint64_t Fnv1a(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// "#" and the 16 hexadecimal digits of the hash of `text`.
std::string HashMark(const std::string& text) {
    char hash[20];
    std::snprintf(hash, sizeof hash, "#%016llx", static_cast<unsigned long long>(Fnv1a(text)));
    return hash;
}

}  // namespace

std::string LockName(const std::string& instanceName) {
    if (instanceName.size() <= kObjectNameMax) {
        return instanceName;
    }
    return std::string(sjis::CutAtBoundary(instanceName, kLockPrefix)) + HashMark(instanceName);
}

std::string InstanceName(const std::string& settingsPath) {
    std::string name = ReverseCharacters(settingsPath) + "_" + kSuffix;
    if (name.size() > kInstanceNameMax) {
        // The reversed path ends in the drive letter and the first folders, which the cut loses: the hash
        // of the whole name keeps two such paths apart.
        const std::string mark = HashMark(name);
        name = std::string(sjis::CutAtBoundary(name, kInstanceNameMax - mark.size())) + mark;
    }
    for (char& c : name) {
        if (c == '\\')
            c = '/';  // byte by byte, trail bytes of double-byte characters included
    }
    return name;
}

}  // namespace brindle

#include "app/instance_name.h"

#include "text/sjis.h"

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

}  // namespace

std::string InstanceName(const std::string& settingsPath) {
    std::string name = ReverseCharacters(settingsPath) + "_" + kSuffix;
    if (name.size() > kInstanceNameMax) {
        name.resize(kInstanceNameMax);
    }
    for (char& c : name) {
        if (c == '\\') c = '/';  // byte by byte, trail bytes of double-byte characters included
    }
    return name;
}

}  // namespace brindle

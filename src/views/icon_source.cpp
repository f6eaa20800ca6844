#include "views/icon_source.h"

#include <cstdlib>

namespace brindle {

// '>' (0x3E) is below every trail byte of code page 932, so a plain search cannot hit half a character.
IconLocation ParseIconSource(const std::string& file) {
    IconLocation location{file, 0};
    const size_t mark = file.find('>');
    if (mark != std::string::npos) {
        const long index = std::strtol(file.c_str() + mark + 1, nullptr, 0);
        location.index = static_cast<uint16_t>(static_cast<unsigned long>(index) & 0xFFFF);
        location.file.resize(mark);
    }
    return location;
}

}  // namespace brindle

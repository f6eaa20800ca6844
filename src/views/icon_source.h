#pragma once

#include <cstdint>
#include <string>

namespace brindle {

// An icon source's file and icon index: "file>index" with the index read by strtol in base 0 (decimal,
// 0x hexadecimal, a leading 0 octal) and taken modulo 65536; "file" alone is index 0. `file` is the
// source's file part, already split from the command line and expanded.
struct IconLocation {
    std::string file;
    uint16_t index = 0;
};

IconLocation ParseIconSource(const std::string& file);

}  // namespace brindle

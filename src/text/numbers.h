#pragma once

#include <cstdint>
#include <string>

// The C library's number conversions with the results of the 32-bit Windows run-time, whatever the
// platform: `long` is 32 bits there, and out-of-range values saturate. The native build (64-bit
// `long`) would otherwise read the same settings file differently.
namespace brindle::numbers {

// strtol: leading white space, an optional sign, then digits of `base` (2-36), or with base 0 a
// "0x" prefix for hexadecimal and a leading 0 for octal. Out of range gives INT32_MAX or INT32_MIN.
// `end` receives the first byte not converted, or `text` itself when no digits were found.
int32_t StrToL(const char* text, const char** end, int base);

// strtoul: as StrToL, but a leading minus negates modulo 2^32; out of range gives UINT32_MAX.
uint32_t StrToUL(const char* text, const char** end, int base);

// atoi: base-10 StrToL without an end.
int32_t AtoI(const char* text);

}  // namespace brindle::numbers

namespace brindle::text {

// Decimal digits in groups of three separated by ',' ("1,234,567").
std::string FormatThousands(uint64_t value);

}  // namespace brindle::text

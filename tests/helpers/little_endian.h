// Appending little-endian numbers to the bytes of a file that a test writes.
#pragma once

#include <cstdint>
#include <string>

namespace testing_support {

inline void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace testing_support

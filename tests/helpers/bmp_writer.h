// SPDX-License-Identifier: MIT
// Writes BMP files for tests, so that no binary picture needs to be kept in the repository.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace testing_support {

struct BmpPicture {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t clrUsed = 0;
    // Colour 0xRRGGBB (24 bits) or palette index (8 bits) of pixel (x, y), y from the top.
    std::function<std::uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
};

// A complete file: headers with a true bfSize, palette (8 bits: entry i is grey i), rows bottom
// row first, each padded to 4 bytes. Other depths get zero rows of the right length.
std::string EncodeBmp(const BmpPicture& picture);

// The 24-bit colour 0xRRGGBB stored at (x, y) of a top-row-first 24-bit buffer.
std::uint32_t PixelAt(const unsigned char* bits, std::uint32_t stride, int x, int y);

// Appends the low `bytes` bytes of `value`, little end first.
inline void Put(std::string& out, std::uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace testing_support

// SPDX-License-Identifier: MIT
#include "tests/helpers/bmp_writer.h"

namespace testing_support {

std::string EncodeBmp(const BmpPicture& picture) {
    const std::uint32_t stride = ((picture.width * picture.bitCount + 31) & ~31u) / 8;
    const std::uint32_t colors =
        picture.bitCount == 8 ? (picture.clrUsed == 0 ? 256 : picture.clrUsed) : 0;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(picture.height);
    const std::uint32_t offset = 14 + 40 + 4 * colors;
    std::string out = "BM";
    for (const std::uint32_t v :
         {offset + pixels, 0u, offset, 40u, static_cast<std::uint32_t>(picture.width),
          static_cast<std::uint32_t>(picture.height)}) {
        Put(out, v);
    }
    Put(out, 1, 2);
    Put(out, picture.bitCount, 2);
    for (const std::uint32_t v : {0u, pixels, 2835u, 2835u, picture.clrUsed, 0u}) {
        Put(out, v);
    }
    for (std::uint32_t i = 0; i < colors; ++i) {
        Put(out, i * 0x010101);
    }
    for (int row = picture.height - 1; row >= 0; --row) {
        std::string line;
        for (int x = 0; x < picture.width && (picture.bitCount == 8 || picture.bitCount == 24);
             ++x) {
            Put(line, picture.pixel(x, row), picture.bitCount / 8);
        }
        line.resize(stride, '\0');
        out += line;
    }
    return out;
}

std::uint32_t PixelAt(const unsigned char* bits, std::uint32_t stride, int x, int y) {
    const unsigned char* p =
        bits + static_cast<std::size_t>(y) * stride + 3 * static_cast<std::size_t>(x);
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16;
}

}  // namespace testing_support

#include "tests/helpers/bmp_writer.h"

#include "tests/helpers/little_endian.h"

namespace testing_support {

std::string EncodeBmp(const BmpSpec& picture) {
    const std::uint32_t stride = ((picture.width * picture.bitCount + 31) & ~31u) / 8;
    const std::uint32_t colors =
        picture.bitCount == 8 ? (picture.clrUsed == 0 ? 256 : picture.clrUsed) : 0;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(picture.height);
    std::string out = "BM";
    Put32(out, 14 + 40 + 4 * colors + pixels);
    Put32(out, 0);
    Put32(out, 14 + 40 + 4 * colors);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(picture.width));
    Put32(out, static_cast<std::uint32_t>(picture.height));
    Put16(out, 1);
    Put16(out, picture.bitCount);
    Put32(out, 0);
    Put32(out, pixels);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, picture.clrUsed);
    Put32(out, 0);
    for (std::uint32_t i = 0; i < colors; ++i) {
        out += std::string(3, static_cast<char>(i));
        out += '\0';
    }
    for (int row = picture.height - 1; row >= 0; --row) {
        std::string line;
        for (int x = 0; x < picture.width && (picture.bitCount == 8 || picture.bitCount == 24);
             ++x) {
            const std::uint32_t p = picture.pixel(x, row);
            if (picture.bitCount == 8) {
                line += static_cast<char>(p);
            } else {
                line += static_cast<char>(p & 0xFF);
                line += static_cast<char>((p >> 8) & 0xFF);
                line += static_cast<char>((p >> 16) & 0xFF);
            }
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

#include "tests/helpers/bmp_writer.h"

namespace testing_support {
namespace {

void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::string EncodeBmp(const BmpSpec& spec) {
    const std::uint32_t stride = ((spec.width * spec.bitCount + 31) & ~31u) / 8;
    const std::uint32_t colors = spec.bitCount == 8 ? (spec.clrUsed == 0 ? 256 : spec.clrUsed) : 0;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(spec.height);
    std::string out = "BM";
    Put32(out, 14 + 40 + 4 * colors + pixels);
    Put32(out, 0);
    Put32(out, 14 + 40 + 4 * colors);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(spec.width));
    Put32(out, static_cast<std::uint32_t>(spec.height));
    Put16(out, 1);
    Put16(out, spec.bitCount);
    Put32(out, 0);
    Put32(out, pixels);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, spec.clrUsed);
    Put32(out, 0);
    for (std::uint32_t i = 0; i < colors; ++i) {
        out += std::string(3, static_cast<char>(i));
        out += '\0';
    }
    for (int row = spec.height - 1; row >= 0; --row) {
        std::string line;
        for (int x = 0; x < spec.width && (spec.bitCount == 8 || spec.bitCount == 24); ++x) {
            const std::uint32_t p = spec.pixel(x, row);
            if (spec.bitCount == 8) {
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

// SPDX-License-Identifier: MIT
#include "tools/preview/digits.h"

#include <string>

namespace {

constexpr int kScale = 3;
// Rows of each digit, three bits a row, top row first.
constexpr std::uint8_t kGlyphs[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

void Put(backend::Image& image, int x, int y, std::uint32_t argb) {
    if (x >= 0 && y >= 0 && x < image.width && y < image.height) {
        image.pixels[static_cast<std::size_t>(y) * image.width + x] = argb;
    }
}

}  // namespace

void DrawNumber(backend::Image& image, int number, int x, int y, std::uint32_t argb) {
    const std::string text = std::to_string(number);
    const int width = static_cast<int>(text.size()) * 4 * kScale + kScale;
    for (int py = 0; py < 7 * kScale; ++py) {
        for (int px = 0; px < width; ++px) {
            Put(image, x + px, y + py, 0xFF000000);
        }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto& glyph = kGlyphs[text[i] - '0'];
        const int left = x + kScale + static_cast<int>(i) * 4 * kScale;
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 3; ++column) {
                if ((glyph[row] >> (2 - column) & 1) == 0) {
                    continue;
                }
                for (int k = 0; k < kScale * kScale; ++k) {
                    Put(image, left + column * kScale + k % kScale,
                        y + kScale + row * kScale + k / kScale, argb);
                }
            }
        }
    }
}

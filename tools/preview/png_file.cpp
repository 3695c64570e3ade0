// SPDX-License-Identifier: MIT
#include "tools/preview/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

bool WritePng(const std::string& path, const backend::Image& image, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (std::uint32_t argb : image.pixels) {
        rgb.push_back(static_cast<png_byte>(argb >> 16));
        rgb.push_back(static_cast<png_byte>(argb >> 8));
        rgb.push_back(static_cast<png_byte>(argb));
    }
    if (png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        error = png.message;
        return false;
    }
    return true;
}

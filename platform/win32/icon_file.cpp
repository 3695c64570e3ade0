// SPDX-License-Identifier: MIT
#include "platform/win32/icon_file.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "platform/win32/png_decoder.h"

namespace win32 {
namespace {

struct Entry {
    int width, height;
    int hotX, hotY;  // cursor files only
    std::uint32_t size, offset;
    int depth;
};

std::uint32_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t Le32(const std::uint8_t* p) {
    return Le16(p) | Le16(p + 2) << 16;
}

bool IsPng(const std::uint8_t* p, std::uint32_t size) {
    static const std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= 8 && std::equal(std::begin(kSignature), std::end(kSignature), p);
}

// A DIB entry: header, palette, colour rows and the AND mask, all bottom row first.
std::optional<backend::Image> DecodeDib(const std::uint8_t* data, std::uint32_t size) {
    if (size < 40) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = Le32(data);
    const auto width = static_cast<std::int32_t>(Le32(data + 4));
    const std::int32_t height = static_cast<std::int32_t>(Le32(data + 8)) / 2;
    const std::uint32_t bpp = Le16(data + 14);
    const std::uint32_t clrUsed = Le32(data + 32);
    if (headerSize < 40 || width <= 0 || height <= 0 || width > 256 || height > 256 ||
        (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)) {
        return std::nullopt;
    }
    const std::uint64_t colors =
        bpp <= 8 ? (clrUsed != 0 && clrUsed < (1u << bpp) ? clrUsed : 1u << bpp) : 0;
    const std::uint64_t xorStride = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
    const std::uint64_t andStride = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    const std::uint64_t paletteAt = headerSize;
    const std::uint64_t xorAt = paletteAt + 4 * colors;
    const std::uint64_t andAt = xorAt + xorStride * height;
    const bool hasMask = andAt + andStride * height <= size;
    if (andAt > size || (!hasMask && bpp != 32)) {
        return std::nullopt;
    }
    backend::Image image{width, height,
                         std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    // 32-bit entries carry their own alpha; those whose alpha is all zero rely on the mask,
    // like the older depths.
    bool ownAlpha = false;
    for (int y = 0; bpp == 32 && y < height && !ownAlpha; ++y) {
        const std::uint8_t* row = data + xorAt + xorStride * y;
        for (int x = 0; x < width && !ownAlpha; ++x) {
            ownAlpha = row[4 * static_cast<std::size_t>(x) + 3] != 0;
        }
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = data + xorAt + xorStride * (height - 1 - y);
        const std::uint8_t* mask = data + andAt + andStride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t rgb = 0;
            std::uint32_t alpha = 0;
            if (bpp <= 8) {
                const std::uint32_t bitPos = static_cast<std::uint32_t>(x) * bpp;
                const std::uint32_t index =
                    (row[bitPos / 8] >> (8 - bpp - bitPos % 8)) & ((1u << bpp) - 1);
                const std::uint8_t* q =
                    data + paletteAt + 4 * std::min<std::uint64_t>(index, colors - 1);
                rgb = static_cast<std::uint32_t>(q[2]) << 16 |
                      static_cast<std::uint32_t>(q[1]) << 8 | q[0];
            } else {
                const std::uint8_t* p = row + static_cast<std::size_t>(x) * (bpp / 8);
                rgb = static_cast<std::uint32_t>(p[2]) << 16 |
                      static_cast<std::uint32_t>(p[1]) << 8 | p[0];
                alpha = bpp == 32 ? p[3] : 0;
            }
            if (!ownAlpha) {
                const bool masked = hasMask && ((mask[x / 8] >> (7 - x % 8)) & 1) != 0;
                alpha = masked ? 0 : 0xFF;
            }
            image.pixels[static_cast<std::size_t>(y) * width + x] = alpha << 24 | rgb;
        }
    }
    return image;
}

backend::Image Scale(const backend::Image& from, int size) {
    backend::Image to{size, size,
                      std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            to.pixels[static_cast<std::size_t>(y) * size + x] =
                from.pixels[static_cast<std::size_t>(y * from.height / size) * from.width +
                            x * from.width / size];
        }
    }
    return to;
}

}  // namespace

std::optional<backend::Cursor> DecodeIconFile(const std::vector<std::uint8_t>& file, int size) {
    if (file.size() < 6 || Le16(file.data()) != 0) {
        return std::nullopt;
    }
    const std::uint32_t type = Le16(file.data() + 2);
    const std::uint32_t count = Le16(file.data() + 4);
    if ((type != 1 && type != 2) || count == 0 || 6 + 16ull * count > file.size()) {
        return std::nullopt;
    }
    std::optional<Entry> best;
    auto rank = [size](const Entry& e) {
        const bool exact = e.width == size && e.height == size;
        return std::make_tuple(exact, -std::abs(e.width - size), e.depth);
    };
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* d = file.data() + 6 + std::size_t{16} * i;
        Entry e{d[0] == 0 ? 256 : d[0],
                d[1] == 0 ? 256 : d[1],
                static_cast<int>(Le16(d + 4)),
                static_cast<int>(Le16(d + 6)),
                Le32(d + 8),
                Le32(d + 12),
                0};
        if (static_cast<std::uint64_t>(e.offset) + e.size > file.size()) {
            continue;
        }
        const std::uint8_t* data = file.data() + e.offset;
        e.depth = IsPng(data, e.size) ? 32 : (e.size >= 16 ? static_cast<int>(Le16(data + 14)) : 0);
        if (!best || rank(e) > rank(*best)) {
            best = e;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    const std::uint8_t* data = file.data() + best->offset;
    auto image =
        IsPng(data, best->size) ? DecodePng(data, best->size) : DecodeDib(data, best->size);
    if (!image) {
        return std::nullopt;
    }
    backend::Cursor cursor;
    if (type == 2) {
        cursor.hotX = std::min(best->hotX, image->width - 1) * size / image->width;
        cursor.hotY = std::min(best->hotY, image->height - 1) * size / image->height;
    } else {
        // An icon file used as a cursor points with its centre, as the system's loader has it.
        cursor.hotX = size / 2;
        cursor.hotY = size / 2;
    }
    cursor.image =
        image->width == size && image->height == size ? std::move(*image) : Scale(*image, size);
    return cursor;
}

}  // namespace win32

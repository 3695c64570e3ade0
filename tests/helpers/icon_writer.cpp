// SPDX-License-Identifier: MIT
#include "tests/helpers/icon_writer.h"

#include <SDL.h>
#include <SDL_image.h>

#include "tests/helpers/bmp_writer.h"

namespace testing_support {
namespace {

// A 24-bit DIB twice the icon's height (colour rows, then the AND mask), as icon files hold them.
std::string Dib(const IconEntry& e) {
    std::string out;
    for (const std::uint32_t v : {40u, static_cast<std::uint32_t>(e.size),
                                  static_cast<std::uint32_t>(e.size * 2), 1u | 24u << 16}) {
        Put(out, v);
    }
    out.append(24, '\0');
    std::string row;
    for (int x = 0; x < e.size; ++x) {
        Put(row, e.rgb, 3);
    }
    row.resize((row.size() + 3) / 4 * 4, '\0');
    std::string mask((static_cast<std::size_t>(e.size) + 31) / 32 * 4, '\0');
    for (int x = 0; e.leftHalfMasked && x < e.size / 2; ++x) {
        mask[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    }
    for (int y = 0; y < e.size; ++y) {
        out += row;
    }
    for (int y = 0; y < e.size; ++y) {
        out += mask;
    }
    return out;
}

std::string Png(const IconEntry& e) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, e.size, e.size, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(s, nullptr, 0xFF000000u | e.rgb);
    std::string buffer(static_cast<std::size_t>(e.size) * e.size * 4 + 4096, '\0');
    SDL_RWops* rw = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
    IMG_SavePNG_RW(s, rw, 0);
    buffer.resize(static_cast<std::size_t>(SDL_RWtell(rw)));
    SDL_RWclose(rw);
    SDL_FreeSurface(s);
    return buffer;
}

}  // namespace

std::string EncodeIconFile(bool cursor, const std::vector<IconEntry>& entries) {
    std::string out;
    Put(out, (cursor ? 2u : 1u) << 16);
    Put(out, static_cast<std::uint32_t>(entries.size()), 2);
    std::string images;
    for (const IconEntry& e : entries) {
        const std::string image = e.png ? Png(e) : Dib(e);
        const std::uint32_t side = e.size >= 256 ? 0 : static_cast<std::uint32_t>(e.size);
        Put(out, side | side << 8);
        Put(out, cursor ? static_cast<std::uint32_t>(e.hotX) : 1, 2);
        Put(out, cursor ? static_cast<std::uint32_t>(e.hotY) : 24, 2);
        Put(out, static_cast<std::uint32_t>(image.size()));
        Put(out, static_cast<std::uint32_t>(6 + 16 * entries.size() + images.size()));
        images += image;
    }
    return out + images;
}

}  // namespace testing_support

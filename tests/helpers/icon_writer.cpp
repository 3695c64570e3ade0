#include "tests/helpers/icon_writer.h"

#include "tests/helpers/little_endian.h"

#include <SDL.h>
#include <SDL_image.h>

namespace testing_support {
namespace {

std::string Dib(const IconEntry& e) {
    std::string out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(e.size));
    Put32(out, static_cast<std::uint32_t>(e.size * 2));
    Put16(out, 1);
    Put16(out, 24);
    out.append(24, '\0');
    const int stride = (e.size * 3 + 3) / 4 * 4;
    for (int y = 0; y < e.size; ++y) {
        std::string row;
        for (int x = 0; x < e.size; ++x) {
            row += static_cast<char>(e.rgb & 0xFF);
            row += static_cast<char>((e.rgb >> 8) & 0xFF);
            row += static_cast<char>((e.rgb >> 16) & 0xFF);
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        out += row;
    }
    const int maskStride = (e.size + 31) / 32 * 4;
    for (int y = 0; y < e.size; ++y) {
        std::string row(static_cast<std::size_t>(maskStride), '\0');
        for (int x = 0; e.leftHalfMasked && x < e.size / 2; ++x) {
            row[static_cast<std::size_t>(x / 8)] =
                static_cast<char>(row[static_cast<std::size_t>(x / 8)] | (0x80 >> (x % 8)));
        }
        out += row;
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
    Put16(out, 0);
    Put16(out, cursor ? 2 : 1);
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    std::vector<std::string> images;
    images.reserve(entries.size());
    for (const IconEntry& e : entries) {
        images.push_back(e.png ? Png(e) : Dib(e));
    }
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const IconEntry& e = entries[i];
        out += static_cast<char>(e.size >= 256 ? 0 : e.size);
        out += static_cast<char>(e.size >= 256 ? 0 : e.size);
        out += '\0';
        out += '\0';
        Put16(out, cursor ? static_cast<std::uint32_t>(e.hotX) : 1);
        Put16(out, cursor ? static_cast<std::uint32_t>(e.hotY) : 24);
        Put32(out, static_cast<std::uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::string& image : images) {
        out += image;
    }
    return out;
}

}  // namespace testing_support

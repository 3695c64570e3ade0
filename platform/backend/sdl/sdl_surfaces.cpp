// SPDX-License-Identifier: MIT
#include "platform/backend/sdl/sdl_surfaces.h"

#include <memory>

#include "platform/backend/scale.h"

namespace backend {
namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Borrows `image`'s pixels; the surface must not outlive it.
SurfacePtr Wrap(const Image& image) {
    return SurfacePtr(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(image.pixels.data()), image.width, image.height, 32,
        image.width * 4, SDL_PIXELFORMAT_ARGB8888));
}

}  // namespace

void ShowImage(SDL_Window* window, const Image& image) {
    SDL_Surface* target = SDL_GetWindowSurface(window);
    const SurfacePtr source = Wrap(image);
    if (target == nullptr || !source) {
        return;
    }
    SDL_BlitSurface(source.get(), nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window);
}

void SetSdlWindowIcon(SDL_Window* window, const Image& icon) {
    const SurfacePtr surface = Wrap(icon);
    if (surface) {
        SDL_SetWindowIcon(window, surface.get());
    }
}

SDL_Cursor* MakeSdlCursor(const Cursor& cursor, int scale) {
    const Image image = scale == 1 ? cursor.image : Enlarge(cursor.image, scale);
    const SurfacePtr surface = Wrap(image);
    return surface ? SDL_CreateColorCursor(surface.get(), cursor.hotX * scale, cursor.hotY * scale)
                   : nullptr;
}

}  // namespace backend

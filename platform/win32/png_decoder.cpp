// SPDX-License-Identifier: MIT
#include "platform/win32/png_decoder.h"

#include <dlfcn.h>
#include <png.h>

#include "platform/backend/module.h"

namespace win32 {
namespace {

constexpr png_uint_32 kLargestEntry = 256;

// libpng's simplified reading API, looked up at run time.
struct Png {
    int (*begin)(png_imagep, png_const_voidp, size_t) = nullptr;
    int (*finish)(png_imagep, png_const_colorp, void*, png_int_32, void*) = nullptr;
    void (*free)(png_imagep) = nullptr;
};

template <typename F>
bool Find(void* library, const char* name, F* function) {
    *function = backend::AsFunction<F>(dlsym(library, name));
    return *function != nullptr;
}

const Png* Library() {
    static const Png* png = []() -> const Png* {
        static Png found;
        void* library = dlopen("libpng16.so.16", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr ||
            !Find(library, "png_image_begin_read_from_memory", &found.begin) ||
            !Find(library, "png_image_finish_read", &found.finish) ||
            !Find(library, "png_image_free", &found.free)) {
            return nullptr;
        }
        return &found;
    }();
    return png;
}

}  // namespace

std::optional<backend::Image> DecodePng(const std::uint8_t* data, std::size_t size) {
    const Png* png = Library();
    if (png == nullptr) {
        return std::nullopt;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png->begin(&image, data, size) == 0) {
        return std::nullopt;
    }
    if (image.width == 0 || image.height == 0 || image.width > kLargestEntry ||
        image.height > kLargestEntry) {
        png->free(&image);
        return std::nullopt;
    }
    // B, G, R, A bytes: 0xAARRGGBB words on this little-endian layout, as Image holds them.
    image.format = PNG_FORMAT_BGRA;
    backend::Image out{
        static_cast<int>(image.width), static_cast<int>(image.height),
        std::vector<std::uint32_t>(static_cast<std::size_t>(image.width) * image.height)};
    if (png->finish(&image, nullptr, out.pixels.data(), 0, nullptr) == 0) {
        png->free(&image);
        return std::nullopt;
    }
    png->free(&image);
    return out;
}

}  // namespace win32

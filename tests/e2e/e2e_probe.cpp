// SPDX-License-Identifier: MIT
// What end-to-end tests ask that the usual tools do not answer:
//   e2e_probe cursor            the pointer's shape as the X server shows it (XFixes):
//                               "WxH hot X,Y AARRGGBB", the colour of the image's centre pixel
//                               (screenshots of the root window leave the pointer out);
//                               "hidden" when no pixel of the shape is visible
//   e2e_probe contains A B      exit 0 when file A holds the bytes of file B
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int PrintCursor() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        (void)std::fprintf(stderr, "e2e_probe: cannot open the display\n");
        return 1;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (image == nullptr) {
        (void)std::fprintf(stderr, "e2e_probe: no cursor image\n");
        return 1;
    }
    const std::size_t count = static_cast<std::size_t>(image->width) * image->height;
    if (std::all_of(image->pixels, image->pixels + count,
                    [](unsigned long p) { return (p & 0xFF000000UL) == 0; })) {
        std::printf("hidden\n");
        XFree(image);
        XCloseDisplay(display);
        return 0;
    }
    const unsigned long centre =
        image
            ->pixels[static_cast<std::size_t>(image->height / 2) * image->width + image->width / 2];
    std::printf("%ux%u hot %u,%u %08lx\n", image->width, image->height, image->xhot, image->yhot,
                centre & 0xFFFFFFFFUL);
    XFree(image);
    XCloseDisplay(display);
    return 0;
}

std::string Read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "cursor") == 0) {
        return PrintCursor();
    }
    if (argc == 4 && std::strcmp(argv[1], "contains") == 0) {
        const std::string haystack = Read(argv[2]);
        const std::string needle = Read(argv[3]);
        return !needle.empty() && haystack.find(needle) != std::string::npos ? 0 : 1;
    }
    (void)std::fprintf(stderr, "usage: e2e_probe cursor | contains FILE PART\n");
    return 2;
}

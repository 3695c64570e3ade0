// SPDX-License-Identifier: MIT
// Any BMP file, copied anywhere into a small offscreen picture: every read and write must stay
// inside the buffers. The first two bytes give the position, the rest is the file.
#include <cstddef>
#include <cstdint>

#include "imaging/dib_image.h"
#include "tests/fuzz/scratch_media.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    EnterScratchFolder();
    WriteFile("p.bmp", data + 2, size - 2);
    DibImage picture;
    DibImage offscreen;
    if (picture.Load("p.bmp") == TRUE &&
        offscreen.Create(BITMAPINFOHEADER{40, 33, 17, 1, 24, 0, 0, 0, 0, 0, 0}) == TRUE) {
        picture.BlitInto(&offscreen, static_cast<std::int8_t>(data[0]),
                         static_cast<std::int8_t>(data[1]));
    }
    return 0;
}

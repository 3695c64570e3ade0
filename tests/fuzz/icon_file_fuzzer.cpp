// SPDX-License-Identifier: MIT
// Any icon or cursor file: decoding must stay inside the file and end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win32/icon_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> file(data, data + size);
    const auto cursor = win32::DecodeIconFile(file, 32);
    if (cursor &&
        (cursor->image.width != 32 || cursor->image.height != 32 ||
         cursor->image.pixels.size() != 32u * 32u || cursor->hotX >= 32 || cursor->hotY >= 32)) {
        __builtin_trap();  // every decoded cursor is 32 x 32 with its hot spot inside
    }
    return 0;
}

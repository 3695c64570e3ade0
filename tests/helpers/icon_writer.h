// SPDX-License-Identifier: MIT
// Writes icon and cursor files for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct IconEntry {
    int size = 32;
    std::uint32_t rgb = 0;  // every pixel's colour, 0xRRGGBB
    bool png = false;       // a PNG entry instead of a DIB with an AND mask
    bool leftHalfMasked = false;
    int hotX = 0, hotY = 0;  // cursor files only
};

// A .ico file, or with `cursor` a .cur file.
std::string EncodeIconFile(bool cursor, const std::vector<IconEntry>& entries);

}  // namespace testing_support

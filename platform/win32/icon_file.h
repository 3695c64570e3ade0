// SPDX-License-Identifier: MIT
// Icon (.ico) and cursor (.cur) files: a small directory of pictures in one file.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/backend/backend.h"

namespace win32 {

// Picks the entry of `size` x `size` with the most colours (else the nearest size, scaled) and
// decodes it: DIB entries with their AND mask as alpha, PNG entries through libpng. A
// cursor file's hot spot is kept; an icon file's is its centre. Nullopt for anything malformed.
std::optional<backend::Cursor> DecodeIconFile(const std::vector<std::uint8_t>& file, int size);

}  // namespace win32

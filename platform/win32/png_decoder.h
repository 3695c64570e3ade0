// SPDX-License-Identifier: MIT
// PNG pictures inside icon files, decoded by libpng, loaded only when an icon has one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/backend/backend.h"

namespace win32 {

// Nullopt for anything libpng refuses, for pictures larger than an icon entry can be (256 x
// 256), and where libpng is not installed.
std::optional<backend::Image> DecodePng(const std::uint8_t* data, std::size_t size);

}  // namespace win32

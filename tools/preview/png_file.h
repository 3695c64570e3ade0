// SPDX-License-Identifier: MIT
// PNG files of frames, through libpng.
#pragma once

#include <string>

#include "platform/backend/backend.h"

// Writes `image` as an 8-bit RGB PNG; false with `error` set when it could not.
bool WritePng(const std::string& path, const backend::Image& image, std::string& error);

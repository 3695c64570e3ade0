// SPDX-License-Identifier: MIT
// Small numbers drawn into a frame, to label the hit rectangles in the preview.
#pragma once

#include <cstdint>

#include "platform/backend/backend.h"

// Writes `number` at (x, y) in 3x5-pixel digits tripled in size, on a black plate; clipped.
void DrawNumber(backend::Image& image, int number, int x, int y, std::uint32_t argb);

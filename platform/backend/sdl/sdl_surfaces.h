// SPDX-License-Identifier: MIT
// The layer's pictures as SDL surfaces: frames shown in a window, its icon, cursors.
#pragma once

#include <SDL.h>

#include "platform/backend/backend.h"

namespace backend {

// Copies `image` into the window's surface and shows it; the image is the window's size.
void ShowImage(SDL_Window* window, const Image& image);

// The window's icon, for the task bar.
void SetSdlWindowIcon(SDL_Window* window, const Image& icon);

// The cursor enlarged by `scale` (nearest pixel, hot spot with it); null when SDL refuses it.
SDL_Cursor* MakeSdlCursor(const Cursor& cursor, int scale);

}  // namespace backend

// SPDX-License-Identifier: MIT
// SDL's events as the layer's input: pointer, the keys the layer acts on, and what happens to a
// window (close, minimise, restore). Pointer positions are where the pointer really is.
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/backend/backend.h"

namespace backend {

// Nullopt for an event that is no input (among them a window's exposure).
std::optional<InputEvent> TranslateSdlInput(const SDL_Event& e);

}  // namespace backend

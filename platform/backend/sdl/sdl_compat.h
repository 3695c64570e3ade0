// SPDX-License-Identifier: MIT
// What the SDL module uses of releases newer than the oldest it is built against (2.0.14, for the
// portable launcher) without needing them: hints are strings that an older SDL ignores, and time
// comes from calls every SDL 2 has.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace backend {

constexpr const char* kSdlHintAudioDriver = "SDL_AUDIODRIVER";
constexpr const char* kSdlHintMouseAutoCapture = "SDL_MOUSE_AUTO_CAPTURE";

// Milliseconds that do not wrap after 49 days as SDL_GetTicks does (kiosks run that long).
inline std::uint64_t SdlMilliseconds() {
    const std::uint64_t count = SDL_GetPerformanceCounter();
    const std::uint64_t perSecond = SDL_GetPerformanceFrequency();
    return count / perSecond * 1000 + count % perSecond * 1000 / perSecond;
}

// An event's time stamp (SDL_GetTicks' count) on the clock of SdlMilliseconds.
inline std::uint64_t SdlEventTime(Uint32 stamp) {
    return SdlMilliseconds() - static_cast<Uint32>(SDL_GetTicks() - stamp);
}

}  // namespace backend

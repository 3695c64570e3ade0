// SPDX-License-Identifier: MIT
// One controller's buttons and directions as keys: A is Enter, Back is Escape, and a direction
// held (the d-pad, or the left stick past its dead zone) is an arrow key held down, repeated
// after a delay at a rate, as a keyboard repeats. Letting go, or the controller going away,
// stops the repeat.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/backend/backend.h"

namespace backend {

class ControllerKeys {
  public:
    // Of the stick's 32767 each way, what stays a rest: worn sticks do not come back to 0.
    static constexpr int kDeadZone = 12000;
    // As a keyboard's default: half a second, then 30 a second.
    static constexpr std::uint64_t kRepeatDelayMs = 500;
    static constexpr std::uint64_t kRepeatIntervalMs = 33;

    // The arrow key a controller's directions stand for, 0 for none: the d-pad first, then the
    // stick's stronger axis (x and y from -32768 to 32767, y growing downwards).
    static int Arrow(bool up, bool down, bool left, bool right, int stickX, int stickY);

    // The arrow now held (0: none) at `now`: a new one is pressed at once.
    void Hold(int arrow, std::uint64_t now, std::vector<InputEvent>* out);
    // The repeats of the arrow held that are due by `now`.
    void Repeat(std::uint64_t now, std::vector<InputEvent>* out);
    // When the next repeat is due; none while no arrow is held.
    std::optional<std::uint64_t> NextRepeat() const;

  private:
    int m_arrow = 0;
    std::uint64_t m_due = 0;
};

// A key pressed at `now` (not KeyPress: X11 headers, which SDL_syswm.h brings, define that).
InputEvent PressedKey(int key, std::uint64_t now);

}  // namespace backend

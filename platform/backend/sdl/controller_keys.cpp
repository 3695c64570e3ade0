// SPDX-License-Identifier: MIT
#include "platform/backend/sdl/controller_keys.h"

#include <cstdlib>

namespace backend {

InputEvent PressedKey(int key, std::uint64_t now) {
    InputEvent event;
    event.type = EventType::kKeyDown;
    event.key = key;
    event.time = now;
    return event;
}

int ControllerKeys::Arrow(bool up, bool down, bool left, bool right, int stickX, int stickY) {
    if (up != down) {
        return up ? kKeyUp : kKeyDown;
    }
    if (left != right) {
        return left ? kKeyLeft : kKeyRight;
    }
    if (std::abs(stickX) < kDeadZone && std::abs(stickY) < kDeadZone) {
        return 0;
    }
    if (std::abs(stickX) >= std::abs(stickY)) {
        return stickX < 0 ? kKeyLeft : kKeyRight;
    }
    return stickY < 0 ? kKeyUp : kKeyDown;
}

void ControllerKeys::Hold(int arrow, std::uint64_t now, std::vector<InputEvent>* out) {
    if (arrow == m_arrow) {
        return;
    }
    m_arrow = arrow;
    if (arrow != 0) {
        out->push_back(PressedKey(arrow, now));
        m_due = now + kRepeatDelayMs;
    }
}

void ControllerKeys::Repeat(std::uint64_t now, std::vector<InputEvent>* out) {
    // A loop that woke late catches up with one key, not a burst.
    if (m_arrow != 0 && now >= m_due) {
        out->push_back(PressedKey(m_arrow, now));
        m_due = now + kRepeatIntervalMs;
    }
}

std::optional<std::uint64_t> ControllerKeys::NextRepeat() const {
    if (m_arrow == 0) {
        return std::nullopt;
    }
    return m_due;
}

}  // namespace backend

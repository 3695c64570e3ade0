// SPDX-License-Identifier: MIT
// Game controllers as keys, for a backend that reads none itself: the SDL module reads them (any
// controller SDL's database knows) and gives what they do as the keys it stands for. A backend
// loads it only once a joystick device is there (ControllerInput does), so that a machine
// without one never loads SDL for it.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "platform/backend/backend.h"

namespace backend {

class Controllers {
  public:
    virtual ~Controllers() = default;
    // Key events (window 0: the backend sets it) that the controllers produced up to `now`, on
    // Backend::Now()'s clock, with the repeats of a held direction that are due.
    virtual std::vector<InputEvent> Read(std::uint64_t now) = 0;
    // How long a wait may last before Read has something to give (the next repeat, or the next
    // look at a connected controller); -1 when nothing is connected.
    virtual int Timeout(std::uint64_t now) = 0;
};

// The next key the controllers gave, read from `source` (a Controllers, or what loads one) when
// none is waiting, addressed to the window `target()` names. With no window to take them (0),
// the waiting keys are dropped: a message box blocks in a loop of its own.
template <typename Source, typename Target>
std::optional<InputEvent> NextControllerKey(Source& source, std::deque<InputEvent>& waiting,
                                            std::uint64_t now, Target target) {
    if (waiting.empty()) {
        for (const InputEvent& key : source.Read(now)) {
            waiting.push_back(key);
        }
    }
    if (waiting.empty()) {
        return std::nullopt;
    }
    const int window = target();
    if (window == 0) {
        waiting.clear();
        return std::nullopt;
    }
    InputEvent key = waiting.front();
    waiting.pop_front();
    key.window = window;
    return key;
}

}  // namespace backend

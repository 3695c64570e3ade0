// SPDX-License-Identifier: MIT
// Game controllers as keys, for a backend that reads none itself: the SDL module reads them (any
// controller SDL's database knows) and gives what they do as the keys it stands for. A backend
// loads it only once a joystick device is there (ControllerInput does), so that a machine
// without one never loads SDL for it.
#pragma once

#include <cstdint>
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

}  // namespace backend

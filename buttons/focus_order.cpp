// SPDX-License-Identifier: MIT
#include "buttons/focus_order.h"

#include <cstdlib>

namespace {

struct Centre {
    long x2, y2;  // twice the centre: whole numbers for rectangles of odd size
};

Centre CentreOf(const RECT& r) {
    return {static_cast<long>(r.left) + r.right, static_cast<long>(r.top) + r.bottom};
}

}  // namespace

std::int32_t StepInTabOrder(const ShellButton* buttons, std::int32_t count, std::int32_t from,
                            TabOrder order) {
    if (count <= 0) {
        return kNoButton;
    }
    const std::int32_t step = order == TabOrder::kNext ? 1 : count - 1;
    std::int32_t i = from;
    if (from == kNoButton) {
        i = order == TabOrder::kNext ? count - 1 : 0;  // one step from the first or the last
    }
    for (std::int32_t n = 0; n < count; ++n) {
        i = (i + step) % count;
        if (buttons[i].Reacts() == TRUE) {
            return i;
        }
    }
    return kNoButton;
}

std::int32_t NearestToward(const ShellButton* buttons, std::int32_t count, std::int32_t from,
                           Toward toward) {
    if (from == kNoButton) {
        return StepInTabOrder(buttons, count, kNoButton, TabOrder::kNext);
    }
    const Centre origin = CentreOf(buttons[from].m_rcHit);
    std::int32_t best = from;
    long bestDistance = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        if (i == from || buttons[i].Reacts() == FALSE) {
            continue;
        }
        const Centre c = CentreOf(buttons[i].m_rcHit);
        const long dx = c.x2 - origin.x2;
        const long dy = c.y2 - origin.y2;
        const bool horizontal = toward == Toward::kLeft || toward == Toward::kRight;
        const bool backward = toward == Toward::kLeft || toward == Toward::kUp;
        const long ahead = (horizontal ? dx : dy) * (backward ? -1 : 1);
        const long across = std::labs(horizontal ? dy : dx);
        if (ahead <= 0) {
            continue;
        }
        const long distance = ahead + 2 * across;
        if (best == from || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// SPDX-License-Identifier: MIT
// Timers: one per (window, id); WM_TIMER is made when one is due, never queued ahead.
#include <algorithm>

#include "platform/win32/window_system.h"

namespace win32 {

namespace {
constexpr UINT kMinimumElapse = 10;  // USER_TIMER_MINIMUM
}

void DropTimers(HWND hwnd) {
    auto& timers = System().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
}

std::optional<std::uint64_t> NextTimerDue() {
    std::optional<std::uint64_t> next;
    for (const Timer& t : System().timers) {
        if (!next || t.due < *next) {
            next = t.due;
        }
    }
    return next;
}

bool TakeDueTimer(std::uint64_t now, MSG* msg, bool remove) {
    Timer* due = nullptr;
    for (Timer& t : System().timers) {
        if (t.due <= now && (due == nullptr || t.due < due->due)) {
            due = &t;
        }
    }
    if (due == nullptr) {
        return false;
    }
    *msg = MSG{due->hwnd, WM_TIMER, due->id, 0, static_cast<DWORD>(now), {}};
    if (remove) {
        due->due = now + due->elapse;
    }
    return true;
}

}  // namespace win32

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    if (proc != nullptr || win32::Find(hwnd) == nullptr) {
        return 0;  // timer callbacks and thread timers are not needed
    }
    const UINT elapse = std::max(elapseMs, win32::kMinimumElapse);
    const std::uint64_t due = backend::Current().Now() + elapse;
    auto& timers = win32::System().timers;
    const auto it = std::find_if(timers.begin(), timers.end(), [&](const win32::Timer& t) {
        return t.hwnd == hwnd && t.id == id;
    });
    if (it != timers.end()) {
        it->elapse = elapse;
        it->due = due;
    } else {
        timers.push_back({hwnd, id, elapse, due});
    }
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = win32::System().timers;
    const auto it = std::find_if(timers.begin(), timers.end(), [&](const win32::Timer& t) {
        return t.hwnd == hwnd && t.id == id;
    });
    if (it == timers.end()) {
        return FALSE;
    }
    timers.erase(it);
    return TRUE;
}

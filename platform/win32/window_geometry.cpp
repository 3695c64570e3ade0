// SPDX-License-Identifier: MIT
// Where windows are: rectangles, client and screen coordinates, monitors and metrics.
#include <algorithm>
#include <cstdint>

#include "platform/win32/window_system.h"

namespace win32 {

POINT OriginInTopLevel(const Window* w) {
    POINT origin{0, 0};
    while (w != nullptr && w->IsChild()) {
        origin.x += w->rect.left;
        origin.y += w->rect.top;
        w = Find(w->parent);
    }
    return origin;
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return IsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

RECT Union(const RECT& a, const RECT& b) {
    if (IsEmpty(a)) {
        return b;
    }
    if (IsEmpty(b)) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

RECT VisibleClientInTopLevel(const Window* w) {
    const POINT o = OriginInTopLevel(w);
    RECT visible{o.x, o.y, o.x + w->Width(), o.y + w->Height()};
    for (const Window* a = w; a != nullptr && a->IsChild();) {
        a = Find(a->parent);
        if (a == nullptr) {
            break;
        }
        const POINT ao = OriginInTopLevel(a);
        visible = Intersect(visible, RECT{ao.x, ao.y, ao.x + a->Width(), ao.y + a->Height()});
    }
    return visible;
}

backend::Rect ToBackend(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

RECT FromBackend(const backend::Rect& r) {
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

backend::Margins FrameOf(const Window* w) {
    return w->IsChild() ? backend::Margins{} : backend::Current().FrameExtents(w->backendId);
}

}  // namespace win32

using win32::Find;
using win32::Window;

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    const Window* w = Find(hwnd);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = {0, 0, w->Width(), w->Height()};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    Window* w = Find(hwnd);
    if (w == nullptr || point == nullptr) {
        return FALSE;
    }
    const POINT origin = win32::OriginInTopLevel(w);
    const Window* top = win32::TopLevelOf(w);
    point->x += origin.x + top->rect.left;
    point->y += origin.y + top->rect.top;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    POINT origin{0, 0};
    if (point == nullptr || ClientToScreen(hwnd, &origin) == FALSE) {
        return FALSE;
    }
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    const Window* w = Find(hwnd);
    POINT origin{0, 0};
    if (w == nullptr || rect == nullptr || ClientToScreen(hwnd, &origin) == FALSE) {
        return FALSE;
    }
    const backend::Margins f = win32::FrameOf(w);
    *rect = {origin.x - f.left, origin.y - f.top, origin.x + w->Width() + f.right,
             origin.y + w->Height() + f.bottom};
    return TRUE;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD /*flags*/) {
    // The monitor is known by the top-level window on it; 0 for the primary one.
    const Window* top = win32::TopLevelOf(Find(hwnd));
    return reinterpret_cast<HMONITOR>(
        static_cast<std::uintptr_t>(top != nullptr ? top->backendId : 0) + 1);
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
    if (monitor == nullptr || info == nullptr) {
        return FALSE;
    }
    const int window = static_cast<int>(reinterpret_cast<std::uintptr_t>(monitor) - 1);
    info->rcMonitor = win32::FromBackend(window != 0 ? backend::Current().Monitor(window)
                                                     : backend::Current().Screen());
    info->rcWork = win32::FromBackend(window != 0 ? backend::Current().WorkArea(window)
                                                  : backend::Current().Screen());
    info->dwFlags = window == 0 ? 1 : 0;
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return backend::Current().Screen().width;
        case SM_CYSCREEN:
            return backend::Current().Screen().height;
        case SM_CXICON:
        case SM_CYICON:
            return 32;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        default:
            return 0;
    }
}

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect != nullptr && point.x >= rect->left && point.x < rect->right &&
                   point.y >= rect->top && point.y < rect->bottom
               ? TRUE
               : FALSE;
}

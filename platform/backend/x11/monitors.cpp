// SPDX-License-Identifier: MIT
// Monitors, and the coordinates the layer sees on them.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/backend/scale.h"
#include "platform/backend/x11/enlarger.h"
#include "platform/backend/x11/x11_backend_class.h"

namespace backend {
namespace {

bool Contains(const Rect& r, int x, int y) {
    return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

Rect Intersect(const Rect& a, const Rect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    return right > left && bottom > top ? Rect{left, top, right - left, bottom - top} : Rect{};
}

}  // namespace

Rect X11Backend::Screen() {
    const std::vector<Rect> monitors = Monitors();
    return ToLayer(monitors.front(), monitors);
}

Rect X11Backend::Monitor(int window) {
    const std::vector<Rect> monitors = Monitors();
    return ToLayer(MonitorOnRoot(window, monitors), monitors);
}

Rect X11Backend::WorkArea(int window) {
    const std::vector<Rect> monitors = Monitors();
    return ToLayer(WorkAreaOnRoot(MonitorOnRoot(window, monitors)), monitors);
}

Rect X11Backend::WorkAreaOnRoot(const Rect& monitor) {
    Rect area;
    if (ReadWorkArea(m_display, m_atoms, &area)) {
        const Rect part = Intersect(area, monitor);
        if (part.width > 0) {
            return part;
        }
    }
    return monitor;
}

// On the primary monitor, where the program's windows open.
int X11Backend::Scale() {
    if (m_scale == 0) {
        const Rect primary = Monitors().front();
        m_scale = ScaleFromEnvironment(XResourceManagerString(m_display), primary,
                                       WorkAreaOnRoot(primary));
        if (m_scale > 1 && !CanEnlarge(m_display)) {
            (void)std::fprintf(stderr, "%s: the X server cannot enlarge (no RENDER): scale 1\n",
                               program_invocation_short_name);
            m_scale = 1;
        }
    }
    return m_scale;
}

Rect X11Backend::MonitorOnRoot(int window, const std::vector<Rect>& monitors) {
    WindowState* state = Find(window);
    if (state == nullptr) {
        return monitors.front();
    }
    XWindowAttributes a{};
    Window child = None;
    int x = 0;
    int y = 0;
    XGetWindowAttributes(m_display, state->window, &a);
    XTranslateCoordinates(m_display, state->window, RootWindow(m_display, m_screen), a.width / 2,
                          a.height / 2, &x, &y, &child);
    for (const Rect& m : monitors) {
        if (Contains(m, x, y)) {
            return m;
        }
    }
    return monitors.front();
}

// Windows puts the primary monitor's corner at (0, 0) and a program that places its window
// at (0, 0) means that monitor; X puts the root window's corner there. The layer sees
// Windows' coordinates, in its own pixels.
Rect X11Backend::ToLayer(Rect r, const std::vector<Rect>& monitors) {
    const int k = Scale();
    return {Shrink(r.x - monitors.front().x, k), Shrink(r.y - monitors.front().y, k), r.width / k,
            r.height / k};
}

Rect X11Backend::ToRoot(Rect r, const std::vector<Rect>& monitors) {
    const int k = Scale();
    return {r.x * k + monitors.front().x, r.y * k + monitors.front().y, r.width * k, r.height * k};
}

// Monitors came with RandR 1.5; without it the screen is the one monitor.
bool X11Backend::HasMonitors(Display* display) {
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    return XRRQueryExtension(display, &event, &error) == True &&
           XRRQueryVersion(display, &major, &minor) != 0 &&
           (major > 1 || (major == 1 && minor >= 5));
}

std::vector<Rect> X11Backend::Monitors() {
    const Window root = RootWindow(m_display, m_screen);
    std::vector<Rect> monitors;
    int count = 0;
    XRRMonitorInfo* info = m_monitors ? XRRGetMonitors(m_display, root, True, &count) : nullptr;
    for (int i = 0; i < count; ++i) {
        const Rect r{info[i].x, info[i].y, info[i].width, info[i].height};
        monitors.insert(info[i].primary != 0 ? monitors.begin() : monitors.end(), r);
    }
    if (info != nullptr) {
        XRRFreeMonitors(info);
    }
    if (monitors.empty()) {
        monitors.push_back(
            {0, 0, DisplayWidth(m_display, m_screen), DisplayHeight(m_display, m_screen)});
    }
    return monitors;
}

}  // namespace backend

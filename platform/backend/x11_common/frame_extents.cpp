// SPDX-License-Identifier: MIT
#include "platform/backend/x11_common/frame_extents.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace backend {
namespace {

// A manager that supports the request answers in a round trip or two, a busy one later; a hung
// one must not hold up the menu for long.
constexpr auto kPatience = std::chrono::milliseconds(500);

bool Supported(Display* display, Atom request) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False, XA_ATOM,
                           &type, &format, &count, &after, &data) != Success ||
        data == nullptr) {
        return false;
    }
    bool found = false;
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !found; ++i) {
        found = atoms[i] == request;
    }
    XFree(data);
    return found;
}

}  // namespace

bool ReadFrameExtents(Display* display, Window window, Margins* extents) {
    const Atom property = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) != Success ||
        data == nullptr) {
        return false;
    }
    const bool complete = count == 4 && format == 32;
    if (complete) {
        const auto* v = reinterpret_cast<const long*>(data);
        *extents = {static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                    static_cast<int>(v[3])};
    }
    XFree(data);
    return complete;
}

bool RequestFrameExtents(Display* display, Window xwindow, Margins* extents) {
    *extents = {};
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    if (ReadFrameExtents(display, xwindow, extents)) {
        return true;
    }
    if (!Supported(display, request)) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = xwindow;
    event.xclient.message_type = request;
    event.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < until) {
        XSync(display, False);
        if (ReadFrameExtents(display, xwindow, extents)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

}  // namespace backend

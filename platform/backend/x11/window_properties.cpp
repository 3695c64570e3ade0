// SPDX-License-Identifier: MIT
#include "platform/backend/x11/window_properties.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <vector>

namespace backend {
namespace {

Atom Intern(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

// A property of 32-bit items (longs on the client side), or empty.
std::vector<long> ReadLongs(Display* display, Window window, Atom property, Atom type, long count) {
    Atom actualType = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, property, 0, count, False, type, &actualType, &format,
                           &items, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            const auto* v = reinterpret_cast<const long*>(data);
            values.assign(v, v + items);
        }
        XFree(data);
    }
    return values;
}

}  // namespace

Atoms::Atoms(Display* d)
    : protocols(Intern(d, "WM_PROTOCOLS")),
      deleteWindow(Intern(d, "WM_DELETE_WINDOW")),
      wmState(Intern(d, "WM_STATE")),
      netWmState(Intern(d, "_NET_WM_STATE")),
      fullScreen(Intern(d, "_NET_WM_STATE_FULLSCREEN")),
      netWmName(Intern(d, "_NET_WM_NAME")),
      netWmIconName(Intern(d, "_NET_WM_ICON_NAME")),
      utf8String(Intern(d, "UTF8_STRING")),
      netWmIcon(Intern(d, "_NET_WM_ICON")),
      netWmPid(Intern(d, "_NET_WM_PID")),
      workArea(Intern(d, "_NET_WORKAREA")),
      currentDesktop(Intern(d, "_NET_CURRENT_DESKTOP")),
      supportingWmCheck(Intern(d, "_NET_SUPPORTING_WM_CHECK")),
      motifWmHints(Intern(d, "_MOTIF_WM_HINTS")) {}

void SetMotifHints(Display* d, const Atoms& atoms, Window window, bool minimize, bool maximize) {
    // Motif's flags, functions and decorations (the last two fields, input mode and status, are
    // unused); the bits as Motif's MwmUtil.h numbers them.
    constexpr long kFunctions = 1, kDecorations = 2;
    constexpr long kFuncMove = 4, kFuncMinimize = 8, kFuncMaximize = 16, kFuncClose = 32;
    constexpr long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32,
                   kDecorMaximize = 64;
    long hints[5] = {kFunctions | kDecorations, kFuncMove | kFuncClose,
                     kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    if (minimize) {
        hints[1] |= kFuncMinimize;
        hints[2] |= kDecorMinimize;
    }
    if (maximize) {
        hints[1] |= kFuncMaximize;
        hints[2] |= kDecorMaximize;
    }
    XChangeProperty(d, window, atoms.motifWmHints, atoms.motifWmHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
}

void SetWindowTitle(Display* d, const Atoms& atoms, Window window, const std::string& utf8) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const int length = static_cast<int>(utf8.size());
    for (const Atom property : {atoms.netWmName, atoms.netWmIconName}) {
        XChangeProperty(d, window, property, atoms.utf8String, 8, PropModeReplace, bytes, length);
    }
    // Older tools read WM_NAME, in the locale's encoding or Latin-1; UTF-8 keeps ASCII right.
    XTextProperty text{const_cast<unsigned char*>(bytes), atoms.utf8String, 8,
                       static_cast<unsigned long>(length)};
    bool ascii = true;
    for (const char c : utf8) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    }
    if (ascii) {
        text.encoding = XA_STRING;
    }
    XSetWMName(d, window, &text);
    XSetWMIconName(d, window, &text);
}

void SetWindowIcon(Display* d, const Atoms& atoms, Window window, const Image* icon) {
    if (icon == nullptr || icon->width <= 0 || icon->height <= 0) {
        XDeleteProperty(d, window, atoms.netWmIcon);
        return;
    }
    std::vector<long> data;
    data.reserve(2 + icon->pixels.size());
    data.push_back(icon->width);
    data.push_back(icon->height);
    data.insert(data.end(), icon->pixels.begin(), icon->pixels.end());
    XChangeProperty(d, window, atoms.netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
}

void SetFixedGeometry(Display* d, Window window, const Rect& r, const Margins& frame) {
    XSizeHints* hints = XAllocSizeHints();
    if (hints != nullptr) {
        hints->flags = USPosition | PPosition | USSize | PSize | PMinSize | PMaxSize;
        hints->x = r.x - frame.left;
        hints->y = r.y - frame.top;
        hints->width = hints->min_width = hints->max_width = r.width;
        hints->height = hints->min_height = hints->max_height = r.height;
        XSetWMNormalHints(d, window, hints);
        XFree(hints);
    }
    XMoveResizeWindow(d, window, r.x - frame.left, r.y - frame.top, static_cast<unsigned>(r.width),
                      static_cast<unsigned>(r.height));
}

void RequestFullScreen(Display* d, const Atoms& atoms, Window window, bool mapped, bool on) {
    if (!mapped) {
        if (on) {
            XChangeProperty(d, window, atoms.netWmState, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&atoms.fullScreen), 1);
        } else {
            XDeleteProperty(d, window, atoms.netWmState);
        }
        return;
    }
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = atoms.netWmState;
    e.xclient.format = 32;
    e.xclient.data.l[0] = on ? 1 : 0;  // _NET_WM_STATE_ADD / _REMOVE
    e.xclient.data.l[1] = static_cast<long>(atoms.fullScreen);
    e.xclient.data.l[3] = 1;  // from a normal application
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &e);
}

bool ManagerRuns(Display* d, const Atoms& atoms) {
    const std::vector<long> check =
        ReadLongs(d, DefaultRootWindow(d), atoms.supportingWmCheck, XA_WINDOW, 1);
    return !check.empty() && check[0] != 0;
}

bool IsIconic(Display* d, const Atoms& atoms, Window window) {
    const std::vector<long> state = ReadLongs(d, window, atoms.wmState, atoms.wmState, 2);
    return !state.empty() && state[0] == IconicState;
}

bool ReadWorkArea(Display* d, const Atoms& atoms, Rect* area) {
    // One rectangle per desktop; the current desktop's.
    const std::vector<long> current =
        ReadLongs(d, DefaultRootWindow(d), atoms.currentDesktop, XA_CARDINAL, 1);
    const std::size_t at = current.empty() || current[0] < 0 || current[0] > 1024
                               ? 0
                               : 4 * static_cast<std::size_t>(current[0]);
    const std::vector<long> v =
        ReadLongs(d, DefaultRootWindow(d), atoms.workArea, XA_CARDINAL, 4100);
    if (v.size() < at + 4 || v[at + 2] <= 0 || v[at + 3] <= 0) {
        return false;
    }
    *area = {static_cast<int>(v[at]), static_cast<int>(v[at + 1]), static_cast<int>(v[at + 2]),
             static_cast<int>(v[at + 3])};
    return true;
}

}  // namespace backend

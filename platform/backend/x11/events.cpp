// SPDX-License-Identifier: MIT
// Waiting for the X server's events and making input of them, on the program's clock.
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "platform/backend/scale.h"
#include "platform/backend/x11/x11_backend_class.h"

namespace backend {
namespace {

// The keys the layer is told of, by the symbol without modifiers (Shift+Tab is Tab here); 0 for
// any other. The keypad's arrows count as arrows.
int VirtualKey(KeySym key) {
    switch (key) {
        case XK_Escape:
            return kKeyEscape;
        case XK_Return:
        case XK_KP_Enter:
            return kKeyReturn;
        case XK_Tab:
            return kKeyTab;
        case XK_space:
            return kKeySpace;
        case XK_Left:
        case XK_KP_Left:
            return kKeyLeft;
        case XK_Up:
        case XK_KP_Up:
            return kKeyUp;
        case XK_Right:
        case XK_KP_Right:
            return kKeyRight;
        case XK_Down:
        case XK_KP_Down:
            return kKeyDown;
        default:
            return 0;
    }
}

}  // namespace

std::optional<InputEvent> X11Backend::WaitEvent(int timeoutMs) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        while (XPending(m_display) > 0) {
            XEvent e;
            XNextEvent(m_display, &e);
            if (auto event = Translate(e)) {
                return event;
            }
        }
        if (auto key = ControllerKey()) {
            return key;
        }
        int left = -1;
        if (timeoutMs >= 0) {
            const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - start)
                                   .count();
            left = spent >= timeoutMs ? 0 : timeoutMs - static_cast<int>(spent);
        }
        // A connected controller is looked at again before the caller's time is up.
        const int controllers = m_controllers.Timeout(Now());
        const bool forControllers = controllers >= 0 && (left < 0 || controllers < left);
        pollfd fds[] = {{ConnectionNumber(m_display), POLLIN, 0},
                        {m_wakeRead, POLLIN, 0},
                        {m_controllers.Fd(), POLLIN, 0}};
        const int ready = poll(fds, 3, forControllers ? controllers : left);
        if ((fds[1].revents & POLLIN) != 0) {
            char drain[64];
            while (read(m_wakeRead, drain, sizeof drain) > 0) {
            }
            return std::nullopt;
        }
        if ((fds[2].revents & POLLIN) != 0) {
            m_controllers.DevicesChanged(Now());
        }
        if ((ready == 0 && !forControllers) || left == 0) {
            return std::nullopt;
        }
    }
}

std::optional<InputEvent> X11Backend::ControllerKey() {
    // The menu's window: the first one shown.
    return NextControllerKey(m_controllers, m_controllerKeys, Now(), [this] {
        const auto shown = std::find_if(m_windows.begin(), m_windows.end(),
                                        [](const auto& w) { return w.second.mapped; });
        return shown == m_windows.end() ? 0 : shown->first;
    });
}

void X11Backend::Wake() {
    const char byte = 1;
    // A full pipe already wakes the wait.
    (void)!write(m_wakeWrite, &byte, 1);
}

std::uint64_t X11Backend::Now() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

// The server's time of an event on Now()'s clock: the server stamps events in milliseconds
// of its own (32 bits, wrapping), and the smallest difference seen between the two clocks is
// taken as their offset, so that events that waited in the queue keep their own time (two
// clicks read late are not a double-click).
std::uint64_t X11Backend::LocalTime(Time serverTime) {
    const std::uint64_t now = Now();
    const auto difference =
        static_cast<std::uint32_t>(static_cast<std::uint32_t>(now) - serverTime);
    if (!m_clockOffsetKnown || difference < m_clockOffset) {
        m_clockOffset = difference;
        m_clockOffsetKnown = true;
    }
    const std::uint32_t waited = difference - m_clockOffset;
    return waited < 60000 && waited < now ? now - waited : now;
}

InputEvent X11Backend::Pointer(EventType type, Window window, int x, int y, Time time) {
    InputEvent event;
    event.type = type;
    event.window = static_cast<int>(window);
    event.x = Shrink(x, Scale());
    event.y = Shrink(y, Scale());
    event.time = LocalTime(time);
    return event;
}

std::optional<InputEvent> X11Backend::Translate(XEvent& e) {
    switch (e.type) {
        case MotionNotify:
            return Pointer(EventType::kMouseMove, e.xmotion.window, e.xmotion.x, e.xmotion.y,
                           e.xmotion.time);
        case EnterNotify:
        case LeaveNotify:
            // Where the pointer crossed, on either side: the layer learns it came or went.
            return Pointer(EventType::kMouseMove, e.xcrossing.window, e.xcrossing.x, e.xcrossing.y,
                           e.xcrossing.time);
        case ButtonPress:
        case ButtonRelease: {
            if (e.xbutton.button != Button1 && e.xbutton.button != Button3) {
                return std::nullopt;
            }
            InputEvent event =
                Pointer(e.type == ButtonPress ? EventType::kMouseDown : EventType::kMouseUp,
                        e.xbutton.window, e.xbutton.x, e.xbutton.y, e.xbutton.time);
            event.button = e.xbutton.button == Button1 ? MouseButton::kLeft : MouseButton::kRight;
            return event;
        }
        case KeyPress: {
            const KeySym key = XLookupKeysym(&e.xkey, 0);
            InputEvent event;
            event.type = EventType::kKeyDown;
            event.window = static_cast<int>(e.xkey.window);
            event.time = LocalTime(e.xkey.time);
            event.shift = (e.xkey.state & ShiftMask) != 0;
            if (key == XK_F4 && (e.xkey.state & Mod1Mask) != 0) {
                event.key = kKeyF4;
                event.alt = true;
            } else if (const int virtualKey = VirtualKey(key); virtualKey != 0) {
                event.key = virtualKey;
            } else {
                return std::nullopt;
            }
            return event;
        }
        case ClientMessage:
            if (e.xclient.message_type == m_atoms.protocols &&
                static_cast<Atom>(e.xclient.data.l[0]) == m_atoms.deleteWindow) {
                InputEvent event;
                event.type = EventType::kClose;
                event.window = static_cast<int>(e.xclient.window);
                return event;
            }
            return std::nullopt;
        case Expose:
            if (WindowState* state = Find(static_cast<int>(e.xexpose.window))) {
                // Once the window is on screen (a manager maps it later than we ask) and a
                // frame in it, the audio libraries may load, away from this thread.
                state->exposed = true;
                if (state->image->Repaint(
                        state->window, state->gc,
                        {e.xexpose.x, e.xexpose.y, e.xexpose.width, e.xexpose.height})) {
                    m_sound.Prepare();
                }
            }
            return std::nullopt;
        case PropertyNotify:
            return StateChange(e.xproperty);
        default:
            return std::nullopt;
    }
}

std::optional<InputEvent> X11Backend::StateChange(const XPropertyEvent& e) {
    WindowState* state = Find(static_cast<int>(e.window));
    if (state == nullptr || e.atom != m_atoms.wmState) {
        return std::nullopt;
    }
    const bool iconic = IsIconic(m_display, m_atoms, state->window);
    if (iconic == state->iconic) {
        return std::nullopt;
    }
    state->iconic = iconic;
    InputEvent event;
    event.type = iconic ? EventType::kMinimize : EventType::kRestore;
    event.window = static_cast<int>(state->window);
    return event;
}

}  // namespace backend

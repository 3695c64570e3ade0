// SPDX-License-Identifier: MIT
#include "platform/backend/x11/x11_backend.h"

#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>

#include "platform/backend/process.h"
#include "platform/backend/sound_output.h"
#include "platform/backend/x11/frame_extents.h"
#include "platform/backend/x11/frame_image.h"
#include "platform/backend/x11/message_box.h"
#include "platform/backend/x11/window_properties.h"
#include "platform/backend/x11/x_errors.h"

namespace backend {
namespace {

constexpr int kVkEscape = 0x1B;
constexpr int kVkReturn = 0x0D;
constexpr int kVkF4 = 0x73;
constexpr long kEvents = ExposureMask | PointerMotionMask | ButtonPressMask | ButtonReleaseMask |
                         KeyPressMask | EnterWindowMask | LeaveWindowMask | StructureNotifyMask |
                         PropertyChangeMask;

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

class X11Backend : public Backend {
  public:
    X11Backend(Display* display, int wake[2])
        : m_display(display),
          m_screen(DefaultScreen(display)),
          m_atoms(display),
          m_wakeRead(wake[0]),
          m_wakeWrite(wake[1]),
          m_blank(MakeBlankCursor()),
          m_monitors(HasMonitors(display)) {}

    ~X11Backend() override {
        for (auto& [cursor, x] : m_cursors) {
            XFreeCursor(m_display, x);
        }
        m_windows.clear();
        XFreeCursor(m_display, m_blank);
        XCloseDisplay(m_display);
        close(m_wakeRead);
        close(m_wakeWrite);
    }

    int OpenWindow(const std::string& titleUtf8, const Rect& layerRect) override {
        const Rect r = ToRoot(layerRect, Monitors());
        XSetWindowAttributes attributes{};
        attributes.background_pixel = BlackPixel(m_display, m_screen);
        attributes.event_mask = kEvents;
        attributes.bit_gravity = NorthWestGravity;
        const Window window = XCreateWindow(m_display, RootWindow(m_display, m_screen), r.x, r.y,
                                            static_cast<unsigned>(std::max(1, r.width)),
                                            static_cast<unsigned>(std::max(1, r.height)), 0,
                                            CopyFromParent, InputOutput, CopyFromParent,
                                            CWBackPixel | CWEventMask | CWBitGravity, &attributes);
        if (window == None) {
            return 0;
        }
        Atom protocols[] = {m_atoms.deleteWindow};
        XSetWMProtocols(m_display, window, protocols, 1);
        XClassHint classHint{const_cast<char*>("menushell"), const_cast<char*>("menushell")};
        XSetClassHint(m_display, window, &classHint);
        XWMHints wmHints{};
        wmHints.flags = InputHint | StateHint;
        wmHints.input = True;
        wmHints.initial_state = NormalState;
        XSetWMHints(m_display, window, &wmHints);
        const long pid = getpid();
        XChangeProperty(m_display, window, m_atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pid), 1);
        SetWindowTitle(m_display, m_atoms, window, titleUtf8);
        SetFixedGeometry(m_display, window, {r.x, r.y, std::max(1, r.width), std::max(1, r.height)},
                         {});
        XDefineCursor(m_display, window, CurrentXCursor());
        WindowState& state = m_windows[static_cast<int>(window)];
        state.window = window;
        state.gc = XCreateGC(m_display, window, 0, nullptr);
        state.image = std::make_unique<FrameImage>(m_display, DefaultVisual(m_display, m_screen),
                                                   DefaultDepth(m_display, m_screen));
        return static_cast<int>(window);
    }

    void CloseWindow(int window) override {
        const auto it = m_windows.find(window);
        if (it != m_windows.end()) {
            it->second.image.reset();
            XFreeGC(m_display, it->second.gc);
            XDestroyWindow(m_display, it->second.window);
            XFlush(m_display);
            m_windows.erase(it);
        }
    }

    void PlaceWindow(int window, const Rect& layerRect, Placement placement) override {
        const Rect r = ToRoot(layerRect, Monitors());
        WindowState* state = Find(window);
        if (state == nullptr) {
            return;
        }
        const bool fullScreen = placement == Placement::kFullScreen;
        // A manager covers the display and drops the frame on request; without one, the window
        // has no frame and is simply placed over the display.
        if (fullScreen != state->fullScreen && ManagerRuns(m_display, m_atoms)) {
            RequestFullScreen(m_display, m_atoms, state->window, state->mapped, fullScreen);
        }
        state->fullScreen = fullScreen;
        SetFixedGeometry(m_display, state->window,
                         {r.x, r.y, std::max(1, r.width), std::max(1, r.height)},
                         fullScreen ? Margins{} : state->frame);
        XFlush(m_display);
    }

    void ShowWindow(int window, bool visible) override {
        WindowState* state = Find(window);
        if (state == nullptr || state->mapped == visible) {
            return;
        }
        state->mapped = visible;
        if (!visible) {
            XWithdrawWindow(m_display, state->window, m_screen);
            XFlush(m_display);
            return;
        }
        XMapRaised(m_display, state->window);
        if (!ManagerRuns(m_display, m_atoms)) {
            // Nothing else gives the window the keyboard.
            XSync(m_display, False);
            XSetInputFocus(m_display, state->window, RevertToPointerRoot, CurrentTime);
        }
        XFlush(m_display);
    }

    void SetTitle(int window, const std::string& titleUtf8) override {
        if (WindowState* state = Find(window)) {
            SetWindowTitle(m_display, m_atoms, state->window, titleUtf8);
            XFlush(m_display);
        }
    }

    void SetFrameButtons(int window, bool minimize, bool maximize) override {
        if (WindowState* state = Find(window)) {
            SetMotifHints(m_display, m_atoms, state->window, minimize, maximize);
            XFlush(m_display);
        }
    }

    void SetIcon(int window, const Image* icon) override {
        if (WindowState* state = Find(window)) {
            SetWindowIcon(m_display, m_atoms, state->window, icon);
            XFlush(m_display);
        }
    }

    void Present(int window, const Image& frame) override {
        WindowState* state = Find(window);
        if (state == nullptr) {
            return;
        }
        state->image->Present(state->window, state->gc, frame);
        if (state->exposed) {
            m_sound.Prepare();  // a frame is on screen: see Expose
        }
    }

    std::optional<InputEvent> WaitEvent(int timeoutMs) override {
        const auto start = std::chrono::steady_clock::now();
        for (;;) {
            while (XPending(m_display) > 0) {
                XEvent e;
                XNextEvent(m_display, &e);
                if (auto event = Translate(e)) {
                    return event;
                }
            }
            int left = -1;
            if (timeoutMs >= 0) {
                const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now() - start)
                                       .count();
                left = spent >= timeoutMs ? 0 : timeoutMs - static_cast<int>(spent);
            }
            pollfd fds[] = {{ConnectionNumber(m_display), POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
            const int ready = poll(fds, 2, left);
            if ((fds[1].revents & POLLIN) != 0) {
                char drain[64];
                while (read(m_wakeRead, drain, sizeof drain) > 0) {
                }
                return std::nullopt;
            }
            if (ready == 0 || left == 0) {
                return std::nullopt;
            }
        }
    }

    void Wake() override {
        const char byte = 1;
        // A full pipe already wakes the wait.
        (void)!write(m_wakeWrite, &byte, 1);
    }

    std::uint64_t Now() override {
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }

    Rect Screen() override {
        const std::vector<Rect> monitors = Monitors();
        return ToLayer(monitors.front(), monitors);
    }

    Rect Monitor(int window) override {
        const std::vector<Rect> monitors = Monitors();
        return ToLayer(MonitorOnRoot(window, monitors), monitors);
    }

    Rect WorkArea(int window) override {
        const std::vector<Rect> monitors = Monitors();
        const Rect monitor = MonitorOnRoot(window, monitors);
        Rect area;
        if (ReadWorkArea(m_display, m_atoms, &area)) {
            const Rect part = Intersect(area, monitor);
            if (part.width > 0) {
                return ToLayer(part, monitors);
            }
        }
        return ToLayer(monitor, monitors);
    }

    Margins FrameExtents(int window) override {
        WindowState* state = Find(window);
        if (state == nullptr) {
            return {};
        }
        Margins m;
        if (ReadFrameExtents(m_display, state->window, &m)) {
            state->frame = m;
        } else if (!state->frameAsked) {
            // Once per window: without a manager that answers, asking again only costs time.
            state->frameAsked = true;
            RequestFrameExtents(m_display, state->window, &state->frame);
        }
        return state->frame;
    }

    void SetCursor(const Cursor* cursor) override {
        m_cursor = cursor;
        const ::Cursor x = CurrentXCursor();
        for (auto& [id, state] : m_windows) {
            XDefineCursor(m_display, state.window, x);
        }
        XFlush(m_display);
    }

    void ShowMessageBox(const std::string& captionUtf8, const std::string& textUtf8) override {
        Window focused = None;
        int revert = 0;
        XGetInputFocus(m_display, &focused, &revert);
        XFlush(m_display);
        ShowX11MessageBox(captionUtf8, textUtf8);
        // The box's going leaves the keyboard to the root window where no manager hands it
        // on: the window that had it gets it back, so that Escape still reaches the menu.
        Window now = None;
        XGetInputFocus(m_display, &now, &revert);
        XWindowAttributes attributes{};
        if (Find(static_cast<int>(focused)) != nullptr && Find(static_cast<int>(now)) == nullptr &&
            XGetWindowAttributes(m_display, focused, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            XSetInputFocus(m_display, focused, RevertToPointerRoot, CurrentTime);
            XFlush(m_display);
        }
    }

    void PlaySound(const std::string& /*name*/, const std::vector<std::uint8_t>& wav) override {
        m_sound.Play(wav);
    }

    bool StartProgram(const std::vector<std::string>& argv) override { return SpawnDetached(argv); }

  private:
    struct WindowState {
        Window window = None;
        GC gc = nullptr;
        std::unique_ptr<FrameImage> image;
        bool mapped = false;
        bool fullScreen = false;
        bool iconic = false;
        bool exposed = false;  // the server has shown the window
        Margins frame;
        bool frameAsked = false;
    };

    WindowState* Find(int window) {
        const auto it = m_windows.find(window);
        return it == m_windows.end() ? nullptr : &it->second;
    }

    ::Cursor MakeBlankCursor() {
        const Window root = RootWindow(m_display, m_screen);
        const char bits[1] = {0};
        const Pixmap empty = XCreateBitmapFromData(m_display, root, bits, 1, 1);
        XColor black{};
        const ::Cursor cursor = XCreatePixmapCursor(m_display, empty, empty, &black, &black, 0, 0);
        XFreePixmap(m_display, empty);
        return cursor;
    }

    // The X cursor for the shape set last, made once per shape.
    ::Cursor CurrentXCursor() {
        if (m_cursor == nullptr) {
            return m_blank;
        }
        ::Cursor& x = m_cursors[m_cursor];
        const Image& image = m_cursor->image;
        if (x == None && image.width > 0 && image.height > 0 &&
            image.pixels.size() == static_cast<std::size_t>(image.width) * image.height) {
            XcursorImage* xc = XcursorImageCreate(image.width, image.height);
            if (xc != nullptr) {
                xc->xhot = static_cast<XcursorDim>(std::clamp(m_cursor->hotX, 0, image.width - 1));
                xc->yhot = static_cast<XcursorDim>(std::clamp(m_cursor->hotY, 0, image.height - 1));
                // Xcursor takes premultiplied alpha.
                for (std::size_t i = 0; i < image.pixels.size(); ++i) {
                    const std::uint32_t p = image.pixels[i];
                    const std::uint32_t a = p >> 24;
                    auto scale = [a](std::uint32_t c) { return c * a / 255; };
                    xc->pixels[i] = a << 24 | scale(p >> 16 & 0xFF) << 16 |
                                    scale(p >> 8 & 0xFF) << 8 | scale(p & 0xFF);
                }
                x = XcursorImageLoadCursor(m_display, xc);
                XcursorImageDestroy(xc);
            }
        }
        return x != None ? x : m_blank;
    }

    // The monitor that holds the window's centre, as Windows picks the nearest, in the root
    // window's coordinates.
    Rect MonitorOnRoot(int window, const std::vector<Rect>& monitors) {
        WindowState* state = Find(window);
        if (state == nullptr) {
            return monitors.front();
        }
        XWindowAttributes a{};
        Window child = None;
        int x = 0;
        int y = 0;
        XGetWindowAttributes(m_display, state->window, &a);
        XTranslateCoordinates(m_display, state->window, RootWindow(m_display, m_screen),
                              a.width / 2, a.height / 2, &x, &y, &child);
        for (const Rect& m : monitors) {
            if (Contains(m, x, y)) {
                return m;
            }
        }
        return monitors.front();
    }

    // Windows puts the primary monitor's corner at (0, 0) and a program that places its window
    // at (0, 0) means that monitor; X puts the root window's corner there. The layer sees
    // Windows' coordinates.
    static Rect ToLayer(Rect r, const std::vector<Rect>& monitors) {
        r.x -= monitors.front().x;
        r.y -= monitors.front().y;
        return r;
    }

    static Rect ToRoot(Rect r, const std::vector<Rect>& monitors) {
        r.x += monitors.front().x;
        r.y += monitors.front().y;
        return r;
    }

    // Monitors came with RandR 1.5; without it the screen is the one monitor.
    static bool HasMonitors(Display* display) {
        int event = 0;
        int error = 0;
        int major = 0;
        int minor = 0;
        return XRRQueryExtension(display, &event, &error) == True &&
               XRRQueryVersion(display, &major, &minor) != 0 &&
               (major > 1 || (major == 1 && minor >= 5));
    }

    // The monitors, the primary one first (Windows' screen), in the root window's coordinates.
    std::vector<Rect> Monitors() {
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

    // The server's time of an event on Now()'s clock: the server stamps events in milliseconds
    // of its own (32 bits, wrapping), and the smallest difference seen between the two clocks is
    // taken as their offset, so that events that waited in the queue keep their own time (two
    // clicks read late are not a double-click).
    std::uint64_t LocalTime(Time serverTime) {
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

    InputEvent Pointer(EventType type, Window window, int x, int y, Time time) {
        InputEvent event;
        event.type = type;
        event.window = static_cast<int>(window);
        event.x = x;
        event.y = y;
        event.time = LocalTime(time);
        return event;
    }

    std::optional<InputEvent> Translate(XEvent& e) {
        switch (e.type) {
            case MotionNotify:
                return Pointer(EventType::kMouseMove, e.xmotion.window, e.xmotion.x, e.xmotion.y,
                               e.xmotion.time);
            case EnterNotify:
            case LeaveNotify:
                // Where the pointer crossed, on either side: the layer learns it came or went.
                return Pointer(EventType::kMouseMove, e.xcrossing.window, e.xcrossing.x,
                               e.xcrossing.y, e.xcrossing.time);
            case ButtonPress:
            case ButtonRelease: {
                if (e.xbutton.button != Button1 && e.xbutton.button != Button3) {
                    return std::nullopt;
                }
                InputEvent event =
                    Pointer(e.type == ButtonPress ? EventType::kMouseDown : EventType::kMouseUp,
                            e.xbutton.window, e.xbutton.x, e.xbutton.y, e.xbutton.time);
                event.button =
                    e.xbutton.button == Button1 ? MouseButton::kLeft : MouseButton::kRight;
                return event;
            }
            case KeyPress: {
                const KeySym key = XLookupKeysym(&e.xkey, 0);
                InputEvent event;
                event.type = EventType::kKeyDown;
                event.window = static_cast<int>(e.xkey.window);
                event.time = LocalTime(e.xkey.time);
                if (key == XK_Escape) {
                    event.key = kVkEscape;
                } else if (key == XK_Return || key == XK_KP_Enter) {
                    event.key = kVkReturn;
                } else if (key == XK_F4 && (e.xkey.state & Mod1Mask) != 0) {
                    event.key = kVkF4;
                    event.alt = true;
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

    // The manager made the window an icon, or gave it back.
    std::optional<InputEvent> StateChange(const XPropertyEvent& e) {
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

    Display* m_display;
    int m_screen;
    Atoms m_atoms;
    int m_wakeRead;
    int m_wakeWrite;
    ::Cursor m_blank;
    const Cursor* m_cursor = nullptr;
    std::map<const Cursor*, ::Cursor> m_cursors;
    std::map<int, WindowState> m_windows;
    bool m_monitors;  // the server lists monitors (RandR 1.5)
    LazySoundOutput m_sound;
    std::uint32_t m_clockOffset = 0;
    bool m_clockOffsetKnown = false;
};

}  // namespace

std::unique_ptr<Backend> MakeX11Backend(std::string* error) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        if (error != nullptr) {
            const char* name = XDisplayName(nullptr);
            *error = std::string("cannot reach the X server ") + (name != nullptr ? name : "");
        }
        return nullptr;
    }
    const int screen = DefaultScreen(display);
    if (!FitsFrames(display, DefaultVisual(display, screen), DefaultDepth(display, screen))) {
        XCloseDisplay(display);
        if (error != nullptr) {
            *error = "the X server's default visual is not 24-bit true colour";
        }
        return nullptr;
    }
    // Programs the launcher starts must not hold its connection.
    (void)fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    int wake[2];
    if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        XCloseDisplay(display);
        if (error != nullptr) {
            *error = "no pipe for waking the event loop";
        }
        return nullptr;
    }
    ReportXErrors();
    return std::make_unique<X11Backend>(display, wake);
}

}  // namespace backend

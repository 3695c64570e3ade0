// SPDX-License-Identifier: MIT
// Windows and what is shown in them; the backend's opening.
#include "platform/backend/x11/x11_backend.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "platform/backend/process.h"
#include "platform/backend/scale.h"
#include "platform/backend/x11/message_box.h"
#include "platform/backend/x11/x11_backend_class.h"
#include "platform/backend/x11_common/frame_extents.h"
#include "platform/backend/x11_common/x_errors.h"

namespace backend {
namespace {

constexpr long kEvents = ExposureMask | PointerMotionMask | ButtonPressMask | ButtonReleaseMask |
                         KeyPressMask | EnterWindowMask | LeaveWindowMask | StructureNotifyMask |
                         PropertyChangeMask;

}  // namespace

X11Backend::X11Backend(Display* display, int wake[2])
    : m_display(display),
      m_screen(DefaultScreen(display)),
      m_atoms(display),
      m_wakeRead(wake[0]),
      m_wakeWrite(wake[1]),
      m_blank(MakeBlankCursor()),
      m_monitors(HasMonitors(display)) {}

X11Backend::~X11Backend() {
    for (auto& [cursor, x] : m_cursors) {
        XFreeCursor(m_display, x);
    }
    m_windows.clear();
    XFreeCursor(m_display, m_blank);
    XCloseDisplay(m_display);
    close(m_wakeRead);
    close(m_wakeWrite);
}

int X11Backend::OpenWindow(const std::string& titleUtf8, const Rect& layerRect) {
    const Rect r = ToRoot(layerRect, Monitors());
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(m_display, m_screen);
    attributes.event_mask = kEvents;
    attributes.bit_gravity = NorthWestGravity;
    const Window window =
        XCreateWindow(m_display, RootWindow(m_display, m_screen), r.x, r.y,
                      static_cast<unsigned>(std::max(1, r.width)),
                      static_cast<unsigned>(std::max(1, r.height)), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWBackPixel | CWEventMask | CWBitGravity, &attributes);
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
                                               DefaultDepth(m_display, m_screen), Scale());
    return static_cast<int>(window);
}

void X11Backend::CloseWindow(int window) {
    const auto it = m_windows.find(window);
    if (it != m_windows.end()) {
        it->second.image.reset();
        XFreeGC(m_display, it->second.gc);
        XDestroyWindow(m_display, it->second.window);
        XFlush(m_display);
        m_windows.erase(it);
    }
}

void X11Backend::PlaceWindow(int window, const Rect& layerRect, Placement placement) {
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

void X11Backend::ShowWindow(int window, bool visible) {
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

void X11Backend::SetTitle(int window, const std::string& titleUtf8) {
    if (WindowState* state = Find(window)) {
        SetWindowTitle(m_display, m_atoms, state->window, titleUtf8);
        XFlush(m_display);
    }
}

void X11Backend::SetFrameButtons(int window, bool minimize, bool maximize) {
    if (WindowState* state = Find(window)) {
        SetMotifHints(m_display, m_atoms, state->window, minimize, maximize);
        XFlush(m_display);
    }
}

void X11Backend::SetIcon(int window, const Image* icon) {
    if (WindowState* state = Find(window)) {
        SetWindowIcon(m_display, m_atoms, state->window, icon);
        XFlush(m_display);
    }
}

void X11Backend::Present(int window, const Image& frame) {
    WindowState* state = Find(window);
    if (state == nullptr) {
        return;
    }
    state->image->Present(state->window, state->gc, frame);
    if (state->exposed) {
        m_sound.Prepare();  // a frame is on screen: see Expose
    }
}

Margins X11Backend::FrameExtents(int window) {
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
    return Shrink(state->frame, Scale());
}

void X11Backend::ShowMessageBox(const std::string& captionUtf8, const std::string& textUtf8) {
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

void X11Backend::PlaySound(const std::string& /*name*/, const std::vector<std::uint8_t>& wav) {
    m_sound.Play(wav);
}

bool X11Backend::StartProgram(const std::vector<std::string>& argv) {
    return SpawnDetached(argv);
}

X11Backend::WindowState* X11Backend::Find(int window) {
    const auto it = m_windows.find(window);
    return it == m_windows.end() ? nullptr : &it->second;
}

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

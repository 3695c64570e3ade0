// SPDX-License-Identifier: MIT
#include "platform/backend/sdl/sdl_backend.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>

#include "platform/backend/process.h"
#include "platform/backend/scale.h"
#include "platform/backend/sdl/sdl_compat.h"
#include "platform/backend/sdl/sdl_controllers.h"
#include "platform/backend/sdl/sdl_events.h"
#include "platform/backend/sdl/sdl_sound.h"
#include "platform/backend/sdl/sdl_surfaces.h"
#include "platform/backend/x11_common/frame_extents.h"
#include "platform/backend/x11_common/x_errors.h"

namespace backend {
namespace {

// SDL looks for a newly plugged controller only when its events are pumped, and a wait for X or
// Wayland events alone does not: while none is connected, the wait wakes this often for it.
constexpr int kLookForControllerMs = 1000;

class SdlBackend : public Backend {
  public:
    SdlBackend() : m_wakeEvent(SDL_RegisterEvents(1)) {}

    ~SdlBackend() override {
        m_controllers.reset();
        for (auto& [cursor, sdl] : m_cursors) {
            SDL_FreeCursor(sdl);
        }
        m_sound.reset();
        for (auto& [id, window] : m_windows) {
            SDL_DestroyWindow(window.sdl);
        }
        SDL_Quit();
    }

    int OpenWindow(const std::string& titleUtf8, const Rect& layerRect) override {
        const Rect r = ToScreen(layerRect);
        SDL_Window* sdl = SDL_CreateWindow(titleUtf8.c_str(), r.x, r.y, std::max(1, r.width),
                                           std::max(1, r.height), SDL_WINDOW_HIDDEN);
        if (sdl == nullptr) {
            return 0;
        }
        const int id = static_cast<int>(SDL_GetWindowID(sdl));
        m_windows[id].sdl = sdl;
        return id;
    }

    void CloseWindow(int window) override {
        const auto it = m_windows.find(window);
        if (it != m_windows.end()) {
            SDL_DestroyWindow(it->second.sdl);
            m_windows.erase(it);
        }
    }

    static Margins SdlKnownFrame(SDL_Window* sdl) {
        Margins m;
        if (SDL_GetWindowBordersSize(sdl, &m.top, &m.left, &m.bottom, &m.right) != 0) {
            return {};
        }
        return m;
    }

    int DisplayOf(int window) {
        SDL_Window* sdl = Find(window);
        const int index = sdl != nullptr ? SDL_GetWindowDisplayIndex(sdl) : 0;
        return index < 0 ? 0 : index;
    }

    void PlaceWindow(int window, const Rect& layerRect, Placement placement) override {
        const Rect r = ToScreen(layerRect);
        SDL_Window* sdl = Find(window);
        if (sdl == nullptr) {
            return;
        }
        // A borderless window covering the display: SDL's desktop full-screen mode leaves the
        // X window at its old size where no window manager runs.
        SDL_SetWindowBordered(sdl, placement == Placement::kFullScreen ? SDL_FALSE : SDL_TRUE);
        SDL_SetWindowSize(sdl, std::max(1, r.width), std::max(1, r.height));
        // SDL takes the frame it knows (FrameExtents made sure it does) off the position itself.
        SDL_SetWindowPosition(sdl, r.x, r.y);
    }

    void ShowWindow(int window, bool visible) override {
        if (SDL_Window* sdl = Find(window)) {
            if (visible) {
                SDL_ShowWindow(sdl);
            } else {
                SDL_HideWindow(sdl);
            }
        }
    }

    void SetTitle(int window, const std::string& titleUtf8) override {
        if (SDL_Window* sdl = Find(window)) {
            SDL_SetWindowTitle(sdl, titleUtf8.c_str());
        }
    }

    // SDL has no word for the frame's buttons: its windows keep what the manager gives them.
    void SetFrameButtons(int /*window*/, bool /*minimize*/, bool /*maximize*/) override {}

    void SetIcon(int window, const Image* icon) override {
        SDL_Window* sdl = Find(window);
        if (sdl != nullptr && icon != nullptr) {
            SetSdlWindowIcon(sdl, *icon);
        }
    }

    void Present(int window, const Image& frame) override {
        const auto it = m_windows.find(window);
        if (it == m_windows.end()) {
            return;
        }
        // SDL's own stretching is no promise of nearest pixels: the frame is enlarged here.
        it->second.last = Scale() == 1 ? frame : Enlarge(frame, Scale());
        Show(it->second);
    }

    std::optional<InputEvent> WaitEvent(int timeoutMs) override {
        const Uint64 start = SdlMilliseconds();
        for (;;) {
            if (auto key = ControllerKey()) {
                return key;
            }
            int left = -1;
            if (timeoutMs >= 0) {
                const Uint64 spent = SdlMilliseconds() - start;
                left = spent >= static_cast<Uint64>(timeoutMs)
                           ? 0
                           : timeoutMs - static_cast<int>(spent);
            }
            // The controllers are looked at again before the caller's time is up.
            int controllers = m_controllers->Timeout(Now());
            if (controllers < 0) {
                controllers = kLookForControllerMs;
            }
            const bool forControllers = left < 0 || controllers < left;
            const int wait = forControllers ? controllers : left;
            SDL_Event e;
            const int got = wait < 0    ? SDL_WaitEvent(&e)
                            : wait == 0 ? SDL_PollEvent(&e)
                                        : SDL_WaitEventTimeout(&e, wait);
            if (got == 0) {
                if (forControllers) {
                    continue;
                }
                return std::nullopt;
            }
            if (e.type == m_wakeEvent) {
                return std::nullopt;
            }
            if (SdlControllers::Ours(e)) {
                // Taken from the queue here, so Read's own look at it cannot see it again.
                m_controllers->Take(e, Now());
                continue;
            }
            if (auto event = Translate(e)) {
                return event;
            }
            if (left == 0) {
                return std::nullopt;
            }
        }
    }

    void Wake() override {
        SDL_Event e{};
        e.type = m_wakeEvent;
        SDL_PushEvent(&e);
    }

    std::uint64_t Now() override { return SdlMilliseconds(); }

    Rect Screen() override {
        SDL_Rect r{0, 0, 640, 480};
        SDL_GetDisplayBounds(0, &r);
        return ToLayer(r);
    }

    Rect Monitor(int window) override {
        SDL_Rect r{0, 0, 640, 480};
        SDL_GetDisplayBounds(DisplayOf(window), &r);
        return ToLayer(r);
    }

    Rect WorkArea(int window) override {
        SDL_Rect r{0, 0, 640, 480};
        SDL_GetDisplayUsableBounds(DisplayOf(window), &r);
        return ToLayer(r);
    }

    Margins FrameExtents(int window) override {
        SDL_Window* sdl = Find(window);
        if (sdl == nullptr) {
            return {};
        }
        WindowState& state = m_windows[window];
        Margins m = SdlKnownFrame(sdl);
        if ((m.top | m.left | m.bottom | m.right) != 0) {
            state.frame = m;
        } else if (!state.frameAsked) {
            // Once per window: without a manager that answers, asking again only costs time.
            state.frameAsked = true;
            SDL_SysWMinfo info;
            SDL_VERSION(&info.version);
            if (SDL_GetWindowWMInfo(sdl, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11 &&
                RequestFrameExtents(info.info.x11.display, info.info.x11.window, &state.frame)) {
                SDL_PumpEvents();  // SDL learns the frame too, and places the window by it
            }
        }
        return Shrink(state.frame, Scale());
    }

    void SetCursor(const Cursor* cursor) override {
        if (cursor == nullptr) {
            SDL_ShowCursor(SDL_DISABLE);
            return;
        }
        SDL_Cursor*& sdl = m_cursors[cursor];
        if (sdl == nullptr) {
            sdl = MakeSdlCursor(*cursor, Scale());
        }
        if (sdl != nullptr) {
            SDL_SetCursor(sdl);
        }
        SDL_ShowCursor(SDL_ENABLE);
    }

    void ShowMessageBox(const std::string& captionUtf8, const std::string& textUtf8) override {
        // SDL shows the box from a forked process, which a signal to the program would leave
        // on screen.
        const ChildrenEndWithSignals boxEndsWithUs;
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, captionUtf8.c_str(), textUtf8.c_str(),
                                 nullptr);
    }

    void PlaySound(const std::string& /*name*/, const std::vector<std::uint8_t>& wav) override {
        if (!m_sound) {
            m_sound = std::make_unique<SdlSound>();
        }
        m_sound->Play(wav);
    }

    bool StartProgram(const std::vector<std::string>& argv) override { return SpawnDetached(argv); }

  private:
    struct WindowState {
        SDL_Window* sdl = nullptr;
        Image last;
        Margins frame;            // as the window manager told us before SDL knew it
        bool frameAsked = false;  // the manager was asked once already
    };

    // The next key a controller gave, addressed to the window with the keyboard, or else to the
    // first one shown (a message box blocks in a loop of its own).
    std::optional<InputEvent> ControllerKey() {
        return NextControllerKey(*m_controllers, m_controllerKeys, Now(), [this] {
            int target = 0;
            SDL_Window* focus = SDL_GetKeyboardFocus();
            for (const auto& [id, window] : m_windows) {
                if (window.sdl == focus) {
                    return id;
                }
                if (target == 0 && (SDL_GetWindowFlags(window.sdl) & SDL_WINDOW_SHOWN) != 0) {
                    target = id;
                }
            }
            return target;
        });
    }

    // The factor windows are shown at, chosen on first use; SDL offers no X resources.
    int Scale() {
        if (m_scale == 0) {
            SDL_Rect monitor{0, 0, 640, 480};
            SDL_GetDisplayBounds(0, &monitor);
            SDL_Rect work = monitor;
            SDL_GetDisplayUsableBounds(0, &work);
            m_scale = ScaleFromEnvironment(nullptr, {monitor.x, monitor.y, monitor.w, monitor.h},
                                           {work.x, work.y, work.w, work.h});
        }
        return m_scale;
    }

    Rect ToLayer(const SDL_Rect& r) {
        const int k = Scale();
        return {Shrink(r.x, k), Shrink(r.y, k), r.w / k, r.h / k};
    }

    Rect ToScreen(const Rect& r) {
        const int k = Scale();
        return {r.x * k, r.y * k, r.width * k, r.height * k};
    }

    SDL_Window* Find(int window) {
        const auto it = m_windows.find(window);
        return it == m_windows.end() ? nullptr : it->second.sdl;
    }

    static void Show(WindowState& w) { ShowImage(w.sdl, w.last); }

    std::optional<InputEvent> Translate(const SDL_Event& e) {
        if (e.type == SDL_WINDOWEVENT && (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                          e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
            const auto it = m_windows.find(static_cast<int>(e.window.windowID));
            if (it != m_windows.end() && !it->second.last.pixels.empty()) {
                Show(it->second);
            }
            return std::nullopt;
        }
        std::optional<InputEvent> event = TranslateSdlInput(e);
        if (event && (event->type == EventType::kMouseMove ||
                      event->type == EventType::kMouseDown || event->type == EventType::kMouseUp)) {
            event->x = Shrink(event->x, Scale());
            event->y = Shrink(event->y, Scale());
        }
        return event;
    }

    Uint32 m_wakeEvent;
    std::map<int, WindowState> m_windows;
    std::map<const Cursor*, SDL_Cursor*> m_cursors;
    std::unique_ptr<SdlSound> m_sound;  // opened on the first sound
    // Started with the backend, not at the first controller: without one SDL's game-controller
    // subsystem starts in about a millisecond, and only it can tell that one was plugged in.
    std::unique_ptr<SdlControllers> m_controllers = std::make_unique<SdlControllers>();
    std::deque<InputEvent> m_controllerKeys;  // read, not yet given

    int m_scale = 0;  // 0 until Scale() first chooses
};

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend(std::string* error) {
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Windows delivers no moves from outside a window that has not captured the mouse.
    SDL_SetHint(kSdlHintMouseAutoCapture, "0");
    // SIGINT and SIGTERM end the program as they end any other; SDL would turn them into a
    // quit event that a modal dialog never asks for.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (error != nullptr) {
            *error = SDL_GetError();
        }
        return nullptr;
    }
    // With no display SDL falls back to drivers that draw nowhere, or on the console behind a
    // desktop, and the menu would run unseen for ever; they serve only whoever asks by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr && std::strcmp(driver, "x11") != 0 &&
        std::strcmp(driver, "wayland") != 0) {
        SDL_Quit();
        if (error != nullptr) {
            *error = "no X or Wayland display";
        }
        return nullptr;
    }
    if (std::strcmp(driver, "x11") == 0) {
        ReportXErrors();
    }
    return std::make_unique<SdlBackend>();
}

}  // namespace backend

// SPDX-License-Identifier: MIT
// Inside the window layer: the window table, the posted-message queue, timers and the pointer
// state. The layer's own sources include this, and the tests that look inside the layer.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/win32/user.h"

namespace win32 {

struct Window {
    HWND hwnd = nullptr;
    HWND parent = nullptr;
    std::vector<HWND> children;  // in creation order; later ones lie on top
    std::string className;       // as registered
    UINT classStyle = 0;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;  // ANSI
    RECT rect{};       // screen coordinates for top-level windows, else the parent's client area
    RECT restoreRect{};
    bool maximized = false;
    bool iconic = false;
    bool destroying = false;
    HBRUSH background = nullptr;  // the class brush that default erasing uses
    LONG_PTR userData = 0;        // GWLP_USERDATA, the window's owner's to use

    // Painting: a bounding rectangle of everything invalidated since the last paint.
    bool hasUpdate = false;
    RECT update{};
    bool erase = false;

    // Top-level windows only.
    int backendId = 0;
    backend::Image frame;  // the client area, 0xAARRGGBB
    bool frameChanged = false;
    HICON icon = nullptr;

    // Dialogs.
    DLGPROC dlgProc = nullptr;
    bool dialogEnded = false;
    int dialogResult = 0;

    bool IsChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    std::uint64_t due;
};

struct WindowSystem {
    std::map<HWND, std::unique_ptr<Window>> windows;
    std::vector<HWND> topLevel;  // in creation order
    std::uintptr_t nextHandle = 0x1000;

    std::mutex postedLock;  // PostMessageA may come from other threads
    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
    std::optional<backend::InputEvent> pendingInput;
    bool shiftDown = false;  // as the last key message taken says
    // How often the loop woke from a wait with no input (a timer or a post).
    std::uint64_t wakeupsWithoutInput = 0;

    std::vector<Timer> timers;

    // The last press that could begin a double-click: its window, button, time and screen
    // position. A double-click ends it, so a third press starts afresh.
    struct Press {
        HWND hwnd = nullptr;
        UINT message = 0;
        std::uint64_t time = 0;
        POINT at{};
    };
    std::optional<Press> lastPress;

    HCURSOR cursor = nullptr;
    int showCount = 0;
    const backend::Cursor* appliedCursor = nullptr;
    bool cursorApplied = false;
};

WindowSystem& System();
Window* Find(HWND hwnd);
Window* TopLevelOf(Window* w);
// Where the window's client area starts, in the client coordinates of its top-level window.
POINT OriginInTopLevel(const Window* w);
// Shown, and every ancestor shown.
bool IsShownOnScreen(const Window* w);
// The window's client area in top-level client coordinates, cut to every ancestor's.
RECT VisibleClientInTopLevel(const Window* w);

RECT Intersect(const RECT& a, const RECT& b);
RECT Union(const RECT& a, const RECT& b);
bool IsEmpty(const RECT& r);
backend::Rect ToBackend(const RECT& r);
RECT FromBackend(const backend::Rect& r);
// The frame a window manager puts around a top-level window; none around a child.
backend::Margins FrameOf(const Window* w);

// Resizes a top-level window's frame to its client size, keeping what fits.
void ResizeFrame(Window* w);
// Applies the pointer shape and visibility to the backend when they changed.
void ApplyCursor();
// Drops the timers of a window that is going away.
void DropTimers(HWND hwnd);
// The earliest timer due at `now` or later; nullopt when there is none.
std::optional<std::uint64_t> NextTimerDue();
// Takes a due timer as a WM_TIMER message and schedules its next period.
bool TakeDueTimer(std::uint64_t now, MSG* msg, bool remove);

}  // namespace win32

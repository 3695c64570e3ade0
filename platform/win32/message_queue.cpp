// SPDX-License-Identifier: MIT
// Sending, posting and taking messages, the default window procedure, and the routing of the
// backend's input to windows.
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/win32/ansi_text.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window_system.h"

namespace win32 {
namespace {

static_assert(backend::kKeyEscape == VK_ESCAPE && backend::kKeyReturn == VK_RETURN &&
                  backend::kKeyF4 == VK_F4 && backend::kKeyTab == VK_TAB &&
                  backend::kKeySpace == VK_SPACE && backend::kKeyLeft == VK_LEFT &&
                  backend::kKeyUp == VK_UP && backend::kKeyRight == VK_RIGHT &&
                  backend::kKeyDown == VK_DOWN,
              "backends report virtual-key codes");

// The deepest shown window under `point` (top-level client coordinates), where the mouse goes.
// A STATIC without SS_NOTIFY is transparent: its parent gets the input. (A video window passes
// its input on to its message drain itself, as the real one does.)
Window* WindowAt(Window* w, POINT point) {
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        Window* child = Find(*it);
        if (child == nullptr || (child->style & WS_VISIBLE) == 0) {
            continue;
        }
        const RECT area = VisibleClientInTopLevel(child);
        if (PtInRect(&area, point) == FALSE) {
            continue;
        }
        Window* hit = WindowAt(child, point);
        if (hit == child && FoldedName(child->className) == FoldedName("STATIC") &&
            (child->style & SS_NOTIFY) == 0) {
            continue;  // transparent: look at what lies beneath, then the parent
        }
        return hit;
    }
    return w;
}

Window* TopLevelByBackendId(int id) {
    for (HWND hwnd : System().topLevel) {
        Window* w = Find(hwnd);
        if (w != nullptr && w->backendId == id) {
            return w;
        }
    }
    return nullptr;
}

// WM_xBUTTONDBLCLK for the second press of a button within the double-click time and distance
// on the same window of a class with CS_DBLCLKS, else the plain press.
UINT PressMessage(const Window* target, UINT down, DWORD time, POINT screen) {
    auto& last = System().lastPress;
    const bool twice = last && last->hwnd == target->hwnd && last->message == down &&
                       time - last->time <= GetDoubleClickTime() &&
                       std::abs(screen.x - last->at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                       std::abs(screen.y - last->at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (twice && (target->classStyle & CS_DBLCLKS) != 0) {
        last.reset();
        return down == WM_LBUTTONDOWN ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
    }
    last = WindowSystem::Press{target->hwnd, down, time, screen};
    return down;
}

// Turns one input event into the message it produces; false when it produces none.
bool TranslateInput(const backend::InputEvent& e, MSG* msg) {
    Window* top = TopLevelByBackendId(e.window);
    if (top == nullptr) {
        return false;
    }
    *msg = MSG{};
    msg->time = static_cast<DWORD>(e.time != 0 ? e.time : backend::Current().Now());
    switch (e.type) {
        case backend::EventType::kMouseMove:
        case backend::EventType::kMouseDown:
        case backend::EventType::kMouseUp: {
            // Nothing here captures the mouse: outside the client area the pointer is over
            // another window, which gets the input.
            if (e.x < 0 || e.y < 0 || e.x >= top->Width() || e.y >= top->Height()) {
                return false;
            }
            Window* target = WindowAt(top, POINT{e.x, e.y});
            UINT message = WM_MOUSEMOVE;
            if (e.type != backend::EventType::kMouseMove) {
                const bool left = e.button == backend::MouseButton::kLeft;
                const bool down = e.type == backend::EventType::kMouseDown;
                message = left ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP)
                               : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
                if (down) {
                    message = PressMessage(target, message, msg->time,
                                           POINT{e.x + top->rect.left, e.y + top->rect.top});
                }
            }
            SendMessageA(target->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(target->hwnd),
                         MAKELPARAM(HTCLIENT, static_cast<int>(message)));
            if (!IsWindow(target->hwnd)) {
                return false;
            }
            const POINT origin = OriginInTopLevel(target);
            msg->hwnd = target->hwnd;
            msg->message = message;
            msg->wParam = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0;
            msg->lParam = MAKELPARAM(e.x - origin.x, e.y - origin.y);
            msg->pt = {e.x + top->rect.left, e.y + top->rect.top};
            return true;
        }
        case backend::EventType::kKeyDown:
            System().shiftDown = e.shift;
            msg->hwnd = top->hwnd;
            // With Alt held, a system key: bit 29 of lParam says so.
            msg->message = e.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
            msg->wParam = static_cast<WPARAM>(e.key);
            msg->lParam = e.alt ? LPARAM{1} << 29 : 0;
            return true;
        case backend::EventType::kClose:
            msg->hwnd = top->hwnd;
            msg->message = WM_CLOSE;
            return true;
        case backend::EventType::kMinimize:
            top->iconic = true;
            InvalidateRect(top->hwnd, nullptr, TRUE);
            return false;
        case backend::EventType::kRestore:
            top->iconic = false;
            InvalidateRect(top->hwnd, nullptr, TRUE);
            return false;
    }
    return false;
}

Window* FirstToPaint(Window* w) {
    if (w == nullptr || (w->style & WS_VISIBLE) == 0) {
        return nullptr;
    }
    if (w->hasUpdate) {
        return w;
    }
    for (HWND child : w->children) {
        if (Window* found = FirstToPaint(Find(child))) {
            return found;
        }
    }
    return nullptr;
}

// With `onlyComplete`, a frame some of whose windows still wait for WM_PAINT stays unshown.
void PresentChangedFrames(bool onlyComplete) {
    for (HWND hwnd : System().topLevel) {
        Window* w = Find(hwnd);
        if (w != nullptr && w->frameChanged && (w->style & WS_VISIBLE) != 0 &&
            !(onlyComplete && FirstToPaint(w) != nullptr)) {
            w->frameChanged = false;
            backend::Current().Present(w->backendId, w->frame);
        }
    }
}

bool Matches(const MSG& msg, HWND filter) {
    return filter == nullptr || msg.hwnd == filter;
}

// Takes the next message in the order Windows takes them; waits only when `wait` is set.
bool NextMessage(MSG* msg, HWND filter, bool wait, bool remove) {
    auto& sys = System();
    for (;;) {
        // 1. Posted messages, oldest first. A stream of them (a movie's frames) must not keep
        //    what is already painted off the screen: complete frames are shown first.
        PresentChangedFrames(true);
        {
            std::lock_guard<std::mutex> lock(sys.postedLock);
            const auto it = std::find_if(sys.posted.begin(), sys.posted.end(),
                                         [&](const MSG& m) { return Matches(m, filter); });
            if (it != sys.posted.end()) {
                *msg = *it;
                if (remove) {
                    sys.posted.erase(it);
                }
                return true;
            }
        }
        // 2. WM_QUIT once the posted messages are through.
        if (sys.quit) {
            *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(sys.quitCode), 0, 0, {}};
            if (remove) {
                sys.quit = false;
            }
            return true;
        }
        // 3. Input that has arrived, without waiting.
        if (!sys.pendingInput) {
            sys.pendingInput = backend::Current().WaitEvent(0);
        }
        if (sys.pendingInput) {
            const backend::InputEvent event = *sys.pendingInput;
            sys.pendingInput.reset();
            if (TranslateInput(event, msg)) {
                if (!remove) {
                    std::lock_guard<std::mutex> lock(sys.postedLock);
                    sys.posted.push_front(*msg);
                }
                return true;
            }
            continue;
        }
        // 4. WM_PAINT for a window with an update region, parents before children. It stays
        //    until the window is validated.
        for (HWND hwnd : sys.topLevel) {
            if (Window* w = FirstToPaint(Find(hwnd));
                w != nullptr && (filter == nullptr || w->hwnd == filter)) {
                *msg = MSG{w->hwnd, WM_PAINT, 0, 0, 0, {}};
                return true;
            }
        }
        // 5. WM_TIMER for a timer that is due.
        if (TakeDueTimer(backend::Current().Now(), msg, remove)) {
            return true;
        }
        // Nothing is ready: show what was drawn, then sleep until input or the next timer.
        PresentChangedFrames(false);
        if (!wait) {
            return false;
        }
        int timeout = -1;
        if (const auto due = NextTimerDue()) {
            const std::uint64_t now = backend::Current().Now();
            timeout =
                *due <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(*due - now, 1u << 30));
        }
        sys.pendingInput = backend::Current().WaitEvent(timeout);
        sys.wakeupsWithoutInput += sys.pendingInput ? 0 : 1;
    }
}

}  // namespace
}  // namespace win32

using win32::Find;
using win32::System;
using win32::Window;

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc != nullptr ? proc(hwnd, message, wParam, lParam) : 0;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    return w != nullptr ? CallWindowProcA(w->proc, hwnd, message, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        auto& sys = System();
        std::lock_guard<std::mutex> lock(sys.postedLock);
        sys.posted.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
    }
    if (backend::IsInstalled()) {
        backend::Current().Wake();
    }
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    System().quit = true;
    System().quitCode = exitCode;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT /*filterMin*/, UINT /*filterMax*/) {
    if (msg == nullptr) {
        return FALSE;
    }
    win32::NextMessage(msg, hwnd, true, true);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT /*filterMin*/, UINT /*filterMax*/, UINT remove) {
    if (msg == nullptr) {
        return FALSE;
    }
    return win32::NextMessage(msg, hwnd, false, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* /*msg*/) {
    return FALSE;  // no character messages are needed
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) {
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetTickCount() {
    return static_cast<DWORD>(backend::Current().Now());
}

SHORT GetKeyState(int virtualKey) {
    const bool down = static_cast<WPARAM>(virtualKey) == VK_SHIFT && System().shiftDown;
    return down ? std::numeric_limits<SHORT>::min() : SHORT{0};  // the high bit: down
}

UINT GetDoubleClickTime() {
    return 500;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (w == nullptr) {
        return 0;
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: {
            if (w->background == nullptr) {
                return 0;
            }
            RECT client{};
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, w->background);
            return 1;
        }
        case WM_SETCURSOR:
            // A child asks its parent first; nobody here has a class cursor to set.
            if (w->IsChild()) {
                return SendMessageA(w->parent, WM_SETCURSOR, wParam, lParam);
            }
            return FALSE;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SYSKEYDOWN:
            // Alt+F4 closes the window through its system menu's Close, also where no window
            // manager takes the keys first.
            if (wParam == VK_F4 && (lParam & (LPARAM{1} << 29)) != 0) {
                SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                SendMessageA(hwnd, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_SETTEXT:
            w->text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
            if (!w->IsChild()) {
                backend::Current().SetTitle(w->backendId, win32::AnsiToUtf8(w->text));
            }
            return TRUE;
        case WM_SETICON: {
            const HICON previous = w->icon;
            if (wParam == ICON_BIG || w->icon == nullptr) {
                w->icon = reinterpret_cast<HICON>(lParam);
                if (!w->IsChild()) {
                    const auto* cursor = reinterpret_cast<const backend::Cursor*>(w->icon);
                    backend::Current().SetIcon(w->backendId,
                                               cursor != nullptr ? &cursor->image : nullptr);
                }
            }
            return reinterpret_cast<LRESULT>(previous);
        }
        default:
            return 0;
    }
}

// SPDX-License-Identifier: MIT
// The window table: creation, destruction, placement, coordinates, styles and text.
#include <algorithm>
#include <cstring>

#include "platform/win32/ansi_text.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window_system.h"

namespace win32 {

WindowSystem& System() {
    static WindowSystem system;
    return system;
}

Window* Find(HWND hwnd) {
    auto& windows = System().windows;
    const auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

Window* TopLevelOf(Window* w) {
    while (w != nullptr && w->IsChild()) {
        w = Find(w->parent);
    }
    return w;
}

POINT OriginInTopLevel(const Window* w) {
    POINT origin{0, 0};
    while (w != nullptr && w->IsChild()) {
        origin.x += w->rect.left;
        origin.y += w->rect.top;
        w = Find(w->parent);
    }
    return origin;
}

bool IsShownOnScreen(const Window* w) {
    for (; w != nullptr; w = w->IsChild() ? Find(w->parent) : nullptr) {
        if ((w->style & WS_VISIBLE) == 0) {
            return false;
        }
    }
    return true;
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

void ResizeFrame(Window* w) {
    const int width = std::max(0, w->Width());
    const int height = std::max(0, w->Height());
    if (w->frame.width == width && w->frame.height == height) {
        return;
    }
    backend::Image resized{
        width, height,
        std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0xFF000000u)};
    for (int y = 0; y < std::min(height, w->frame.height); ++y) {
        std::copy_n(&w->frame.pixels[static_cast<std::size_t>(y) * w->frame.width],
                    std::min(width, w->frame.width),
                    &resized.pixels[static_cast<std::size_t>(y) * width]);
    }
    w->frame = std::move(resized);
    w->frameChanged = true;
}

namespace {

struct WindowClass {
    WNDPROC proc;
    HBRUSH background;
    UINT style;
};

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::map<std::u32string, WindowClass>& Classes() {
    static std::map<std::u32string, WindowClass> classes = {
        {FoldedName("STATIC"), {StaticProc, nullptr, 0}},
        {FoldedName("#32770"), {DefDlgProcA, CreateSolidBrush(RGB(240, 240, 240)), CS_DBLCLKS}},
    };
    return classes;
}

backend::Rect ToBackend(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

RECT FromBackend(const backend::Rect& r) {
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

// The frame a window manager puts around a top-level window; none around a child.
backend::Margins FrameOf(const Window* w) {
    return w->IsChild() ? backend::Margins{} : backend::Current().FrameExtents(w->backendId);
}

// The area of `w` in its parent's client coordinates needs repainting (moved or hidden child).
void InvalidateInParent(Window* w, const RECT& area) {
    if (w->IsChild()) {
        InvalidateRect(w->parent, &area, TRUE);
    }
}

void Place(Window* w) {
    if (w->IsChild()) {
        return;
    }
    ResizeFrame(w);
    const bool fullScreen = w->maximized && (w->style & WS_CAPTION) != WS_CAPTION;
    backend::Current().PlaceWindow(
        w->backendId, ToBackend(w->rect),
        fullScreen ? backend::Placement::kFullScreen : backend::Placement::kWindowed);
}

void Destroy(Window* w) {
    if (w->destroying) {
        return;
    }
    w->destroying = true;
    const HWND hwnd = w->hwnd;
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (Window* c = Find(child)) {
            Destroy(c);
        }
    }
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    DropTimers(hwnd);
    auto& sys = System();
    if (Window* parent = w->IsChild() ? Find(w->parent) : nullptr) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
        if ((w->style & WS_VISIBLE) != 0) {
            InvalidateInParent(w, w->rect);
        }
    } else {
        sys.topLevel.erase(std::remove(sys.topLevel.begin(), sys.topLevel.end(), hwnd),
                           sys.topLevel.end());
        backend::Current().CloseWindow(w->backendId);
    }
    sys.windows.erase(hwnd);
}

}  // namespace
}  // namespace win32

using win32::Find;
using win32::System;
using win32::Window;

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr) {
        return 0;
    }
    win32::Classes()[win32::FoldedName(wc->lpszClassName)] = {wc->lpfnWndProc, wc->hbrBackground,
                                                              wc->style};
    return static_cast<ATOM>(win32::Classes().size());
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU /*menuOrId*/, HINSTANCE /*instance*/,
                     LPVOID /*param*/) {
    if (className == nullptr || IS_INTRESOURCE(className)) {
        return nullptr;
    }
    const auto cls = win32::Classes().find(win32::FoldedName(className));
    if (cls == win32::Classes().end() || ((style & WS_CHILD) != 0 && Find(parent) == nullptr)) {
        return nullptr;
    }
    auto& sys = System();
    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->hwnd = reinterpret_cast<HWND>(sys.nextHandle += 4);
    w->parent = parent;
    w->className = className;
    w->proc = cls->second.proc;
    w->background = cls->second.background;
    w->classStyle = cls->second.style;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->text = windowName != nullptr ? windowName : "";
    w->rect = {x, y, x + std::max(0, width), y + std::max(0, height)};
    w->restoreRect = w->rect;
    sys.windows[w->hwnd] = std::move(owned);
    if (w->IsChild()) {
        Find(parent)->children.push_back(w->hwnd);
    } else {
        sys.topLevel.push_back(w->hwnd);
        w->backendId =
            backend::Current().OpenWindow(win32::AnsiToUtf8(w->text), win32::ToBackend(w->rect));
        backend::Current().SetFrameButtons(w->backendId, (style & WS_MINIMIZEBOX) != 0,
                                           (style & WS_MAXIMIZEBOX) != 0);
        win32::ResizeFrame(w);
    }
    const HWND hwnd = w->hwnd;
    SendMessageA(hwnd, WM_CREATE, 0, 0);
    if ((style & WS_VISIBLE) != 0 && IsWindow(hwnd)) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = Find(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    win32::Destroy(w);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return Find(hwnd) != nullptr ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    const Window* w = Find(hwnd);
    return w != nullptr && w->iconic ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
    const Window* w = Find(hwnd);
    return w != nullptr && w->IsChild() ? w->parent : nullptr;
}

BOOL ShowWindow(HWND hwnd, int command) {
    Window* w = Find(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = (w->style & WS_VISIBLE) != 0 ? TRUE : FALSE;
    const bool topLevel = !w->IsChild();
    switch (command) {
        case SW_HIDE:
            w->style &= ~WS_VISIBLE;
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
            w->style |= WS_VISIBLE;
            w->iconic = true;
            break;
        case SW_MAXIMIZE:
            w->style |= WS_VISIBLE;
            w->iconic = false;
            if (topLevel && !w->maximized) {
                // Without a caption the window covers its monitor; with one, the work area
                // with its frame.
                w->restoreRect = w->rect;
                if ((w->style & WS_CAPTION) != WS_CAPTION) {
                    w->rect = win32::FromBackend(backend::Current().Monitor(w->backendId));
                } else {
                    const backend::Margins f = win32::FrameOf(w);
                    const RECT work = win32::FromBackend(backend::Current().WorkArea(w->backendId));
                    w->rect = {work.left + f.left, work.top + f.top, work.right - f.right,
                               work.bottom - f.bottom};
                }
                w->maximized = true;
                win32::Place(w);
            }
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            w->style |= WS_VISIBLE;
            w->iconic = false;
            if (w->maximized) {
                w->rect = w->restoreRect;
                w->maximized = false;
                win32::Place(w);
            }
            break;
        default:
            w->style |= WS_VISIBLE;
            break;
    }
    const bool visible = (w->style & WS_VISIBLE) != 0;
    if (topLevel && visible != (wasVisible == TRUE)) {
        backend::Current().ShowWindow(w->backendId, visible);
    }
    if (visible) {
        InvalidateRect(hwnd, nullptr, TRUE);
    } else if (wasVisible == TRUE) {
        win32::InvalidateInParent(w, w->rect);
    }
    return wasVisible;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    Window* w = Find(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    const RECT old = w->rect;
    // A top-level window's rectangle counts its frame; the table holds its client area.
    const backend::Margins f = win32::FrameOf(w);
    w->rect = {x + f.left, y + f.top, x + std::max(f.left + f.right, width) - f.right,
               y + std::max(f.top + f.bottom, height) - f.bottom};
    w->maximized = false;
    win32::Place(w);
    if (repaint == TRUE && (w->style & WS_VISIBLE) != 0) {
        win32::InvalidateInParent(w, win32::Union(old, w->rect));
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return TRUE;
}

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

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    return IsWindow(hwnd) == TRUE &&
                   SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0
               ? TRUE
               : FALSE;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    const Window* w = Find(hwnd);
    if (w == nullptr) {
        return 0;
    }
    switch (index) {
        case GWL_STYLE:
            return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(w->exStyle);
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_USERDATA:
            return w->userData;
        default:
            return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    Window* w = Find(hwnd);
    if (w == nullptr) {
        return 0;
    }
    const LONG_PTR old = GetWindowLongPtrA(hwnd, index);
    switch (index) {
        case GWL_STYLE:
            // Visibility changes only through ShowWindow.
            w->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
            break;
        case GWL_EXSTYLE:
            w->exStyle = static_cast<DWORD>(value);
            break;
        case GWLP_WNDPROC:
            w->proc = reinterpret_cast<WNDPROC>(value);
            break;
        case GWLP_USERDATA:
            w->userData = value;
            break;
        default:
            return 0;
    }
    return old;
}

LONG GetWindowLongA(HWND hwnd, int index) {
    return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    const LONG_PTR widened = index == GWL_STYLE || index == GWL_EXSTYLE
                                 ? static_cast<LONG_PTR>(static_cast<DWORD>(value))
                                 : value;
    return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, widened));
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

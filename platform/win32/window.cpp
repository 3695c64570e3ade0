// SPDX-License-Identifier: MIT
// The window table: classes, creation, destruction, showing, placement, styles and text. (The
// window longs stay here: a program that loads the movie module must link them for it.)
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

bool IsShownOnScreen(const Window* w) {
    for (; w != nullptr; w = w->IsChild() ? Find(w->parent) : nullptr) {
        if ((w->style & WS_VISIBLE) == 0) {
            return false;
        }
    }
    return true;
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

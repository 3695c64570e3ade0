// SPDX-License-Identifier: MIT
// Update regions, kept as one bounding rectangle per window, and BeginPaint/EndPaint.
#include <set>

#include "platform/win32/device_context.h"

namespace win32 {

namespace {

std::set<DeviceContext*>& LiveDCs() {
    static std::set<DeviceContext*> live;
    return live;
}

void Invalidate(Window* w, const RECT& area, bool erase) {
    const RECT client{0, 0, w->Width(), w->Height()};
    const RECT r = Intersect(area, client);
    if (IsEmpty(r)) {
        return;
    }
    w->update = w->hasUpdate ? Union(w->update, r) : r;
    w->hasUpdate = true;
    w->erase = w->erase || erase;
    if ((w->style & WS_CLIPCHILDREN) != 0) {
        return;
    }
    // Without WS_CLIPCHILDREN the parent paints over its children, so they must repaint too.
    for (HWND hwnd : w->children) {
        Window* child = Find(hwnd);
        if (child != nullptr && (child->style & WS_VISIBLE) != 0) {
            const RECT inChild{r.left - child->rect.left, r.top - child->rect.top,
                               r.right - child->rect.left, r.bottom - child->rect.top};
            Invalidate(child, inChild, erase);
        }
    }
}

}  // namespace

HDC MakeDC(const DeviceContext& dc) {
    auto* made = new DeviceContext(dc);
    LiveDCs().insert(made);
    return reinterpret_cast<HDC>(made);
}

void ReleaseDC(HDC hdc) {
    auto* dc = FromHDC(hdc);
    if (dc != nullptr) {
        LiveDCs().erase(dc);
        if (Window* top = Find(dc->top)) {
            top->frameChanged = true;
        }
        delete dc;
    }
}

DeviceContext* FromHDC(HDC hdc) {
    auto* dc = reinterpret_cast<DeviceContext*>(hdc);
    return LiveDCs().count(dc) != 0 ? dc : nullptr;
}

}  // namespace win32

using win32::Find;
using win32::Window;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    Window* w = Find(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    win32::Invalidate(w, rect != nullptr ? *rect : RECT{0, 0, w->Width(), w->Height()},
                      erase == TRUE);
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    Window* w = Find(hwnd);
    if (w == nullptr || paint == nullptr) {
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    const RECT update = w->hasUpdate ? w->update : RECT{0, 0, 0, 0};
    const bool erase = w->erase;
    w->hasUpdate = false;
    w->update = {};
    w->erase = false;

    // Drawing lands only inside the update region, and only where the window can be seen.
    const POINT origin = win32::OriginInTopLevel(w);
    RECT clip = win32::Intersect(win32::VisibleClientInTopLevel(w),
                                 RECT{update.left + origin.x, update.top + origin.y,
                                      update.right + origin.x, update.bottom + origin.y});
    if (!win32::IsShownOnScreen(w)) {
        clip = {0, 0, 0, 0};
    }
    Window* top = win32::TopLevelOf(w);
    const HDC hdc = win32::MakeDC({top->hwnd, origin, clip});
    paint->hdc = hdc;
    paint->rcPaint = update;
    if (erase) {
        paint->fErase =
            SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0 ? TRUE : FALSE;
    }
    return hdc;
}

BOOL EndPaint(HWND /*hwnd*/, const PAINTSTRUCT* paint) {
    if (paint == nullptr) {
        return FALSE;
    }
    win32::ReleaseDC(paint->hdc);
    return TRUE;
}

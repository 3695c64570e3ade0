// SPDX-License-Identifier: MIT
// How each message's WPARAM and LPARAM become its handler's arguments (the handler's signature
// above each), for the message-map entries of platform/afx/message_map.h.
#pragma once

#include <cstdint>
#ifdef _WIN32
#include <windowsx.h>  // GET_X_LPARAM, GET_Y_LPARAM
#endif

#include "platform/afx/gdi.h"
#include "platform/afx/wnd.h"
#include "platform/windows.h"

namespace afx_thunk {

// void OnPaint()
template <class T, class Handler>
LRESULT Paint(T* self, Handler handler, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    (self->*handler)();
    return 0;
}
// BOOL OnEraseBkgnd(CDC* pDC)
template <class T, class Handler>
LRESULT EraseBkgnd(T* self, Handler handler, WPARAM wParam, LPARAM /*lParam*/) {
    CDC dc(reinterpret_cast<HDC>(wParam));
    return static_cast<LRESULT>((self->*handler)(&dc));
}
// HCURSOR OnQueryDragIcon()
template <class T, class Handler>
LRESULT QueryDragIcon(T* self, Handler handler, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return reinterpret_cast<LRESULT>((self->*handler)());
}
// void OnLButtonDown(UINT nFlags, CPoint point)
template <class T, class Handler>
LRESULT LButtonDown(T* self, Handler handler, WPARAM wParam, LPARAM lParam) {
    (self->*handler)(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return 0;
}
// void OnMouseMove(UINT nFlags, CPoint point)
template <class T, class Handler>
LRESULT MouseMove(T* self, Handler handler, WPARAM wParam, LPARAM lParam) {
    (self->*handler)(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return 0;
}
// void OnTimer(UINT_PTR nIDEvent)
template <class T, class Handler>
LRESULT Timer(T* self, Handler handler, WPARAM wParam, LPARAM /*lParam*/) {
    (self->*handler)(static_cast<UINT_PTR>(wParam));
    return 0;
}
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
template <class T, class Handler>
LRESULT SetCursor(T* self, Handler handler, WPARAM wParam, LPARAM lParam) {
    return static_cast<LRESULT>((self->*handler)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                                 LOWORD(static_cast<std::uintptr_t>(lParam)),
                                                 HIWORD(static_cast<std::uintptr_t>(lParam))));
}
// void OnClose()
template <class T, class Handler>
LRESULT Close(T* self, Handler handler, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    (self->*handler)();
    return 0;
}

// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
template <class T, class Handler>
LRESULT KeyDown(T* self, Handler handler, WPARAM wParam, LPARAM lParam) {
    (self->*handler)(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                     HIWORD(static_cast<std::uintptr_t>(lParam)));
    return 0;
}

}  // namespace afx_thunk

// SPDX-License-Identifier: MIT
// Device contexts: where BeginPaint's drawing lands in a top-level window's frame.
#pragma once

#include "platform/win32/window_system.h"

namespace win32 {

struct DeviceContext {
    HWND top;      // whose frame is drawn into
    POINT origin;  // the painted window's client origin in that frame
    RECT clip;     // in frame coordinates
};

HDC MakeDC(const DeviceContext& dc);
void ReleaseDC(HDC hdc);
// Null for a handle that is not a live device context.
DeviceContext* FromHDC(HDC hdc);

// Writes one pixel if it lies inside the clip; `argb` alpha is ignored.
inline void PutPixel(Window* top, const DeviceContext& dc, int x, int y, std::uint32_t argb) {
    const int fx = x + dc.origin.x;
    const int fy = y + dc.origin.y;
    if (fx >= dc.clip.left && fx < dc.clip.right && fy >= dc.clip.top && fy < dc.clip.bottom &&
        fx >= 0 && fy >= 0 && fx < top->frame.width && fy < top->frame.height) {
        top->frame.pixels[static_cast<std::size_t>(fy) * top->frame.width + fx] =
            argb | 0xFF000000u;
    }
}

}  // namespace win32

// SPDX-License-Identifier: MIT
// The pointer's shapes, as ARGB cursors made once per shape.
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>

#include <algorithm>

#include "platform/backend/scale.h"
#include "platform/backend/x11/x11_backend_class.h"

namespace backend {

void X11Backend::SetCursor(const Cursor* cursor) {
    m_cursor = cursor;
    const ::Cursor x = CurrentXCursor();
    for (auto& [id, state] : m_windows) {
        XDefineCursor(m_display, state.window, x);
    }
    XFlush(m_display);
}

::Cursor X11Backend::MakeBlankCursor() {
    const Window root = RootWindow(m_display, m_screen);
    const char bits[1] = {0};
    const Pixmap empty = XCreateBitmapFromData(m_display, root, bits, 1, 1);
    XColor black{};
    const ::Cursor cursor = XCreatePixmapCursor(m_display, empty, empty, &black, &black, 0, 0);
    XFreePixmap(m_display, empty);
    return cursor;
}

::Cursor X11Backend::CurrentXCursor() {
    if (m_cursor == nullptr) {
        return m_blank;
    }
    ::Cursor& x = m_cursors[m_cursor];
    const Image& shape = m_cursor->image;
    if (x == None && shape.width > 0 && shape.height > 0 &&
        shape.pixels.size() == static_cast<std::size_t>(shape.width) * shape.height) {
        // The pointer grows with the windows; its hot spot stays on the same pixel of the shape.
        const int k = Scale();
        const Image image = k == 1 ? shape : Enlarge(shape, k);
        XcursorImage* xc = XcursorImageCreate(image.width, image.height);
        if (xc != nullptr) {
            xc->xhot = static_cast<XcursorDim>(std::clamp(m_cursor->hotX * k, 0, image.width - 1));
            xc->yhot = static_cast<XcursorDim>(std::clamp(m_cursor->hotY * k, 0, image.height - 1));
            // Xcursor takes premultiplied alpha.
            for (std::size_t i = 0; i < image.pixels.size(); ++i) {
                const std::uint32_t p = image.pixels[i];
                const std::uint32_t a = p >> 24;
                auto scale = [a](std::uint32_t c) { return c * a / 255; };
                xc->pixels[i] = a << 24 | scale(p >> 16 & 0xFF) << 16 | scale(p >> 8 & 0xFF) << 8 |
                                scale(p & 0xFF);
            }
            x = XcursorImageLoadCursor(m_display, xc);
            XcursorImageDestroy(xc);
        }
    }
    return x != None ? x : m_blank;
}

}  // namespace backend

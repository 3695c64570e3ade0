// SPDX-License-Identifier: MIT
// A window's frame shown enlarged by a whole factor, the X server doing the enlarging (RENDER,
// nearest pixel): the frame goes to a pixmap of its own size, so only its own pixels cross to
// the server, and the window is painted from the pixmap.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include "platform/backend/backend.h"

namespace backend {

class Enlarger {
  public:
    Enlarger(Display* display, Window window, Visual* visual, int depth, int scale, int width,
             int height);
    ~Enlarger();
    Enlarger(const Enlarger&) = delete;
    Enlarger& operator=(const Enlarger&) = delete;

    // Where frames go, at their own size.
    Drawable Frame() const { return m_pixmap; }
    // Paints `area` of the window (in the window's pixels) from the frame.
    void Show(const Rect& area);

  private:
    Display* m_display;
    Pixmap m_pixmap;
    Picture m_source;
    Picture m_target;
};

// Whether the server can enlarge frames: RENDER with filters and transforms (0.6).
bool CanEnlarge(Display* display);

}  // namespace backend

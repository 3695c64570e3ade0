// SPDX-License-Identifier: MIT
// A window's picture on the X server's side: the last frame in an image shared with the server
// (MIT-SHM) where it offers that, else sent through the connection. Presenting a new frame
// converts and sends only the rectangle that changed. At a factor above 1 the server enlarges it.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>

#include "platform/backend/backend.h"
#include "platform/backend/x11/enlarger.h"

namespace backend {

class FrameImage {
  public:
    // `scale` above 1 needs CanEnlarge.
    FrameImage(Display* display, Visual* visual, int depth, int scale);
    ~FrameImage();
    FrameImage(const FrameImage&) = delete;
    FrameImage& operator=(const FrameImage&) = delete;

    // Shows `frame` in `window`, sending what differs from the last frame.
    void Present(Window window, GC gc, const Image& frame);
    // Sends the part of the last frame the server lost (an Expose, in the window's pixels);
    // false when there is no frame yet.
    bool Repaint(Window window, GC gc, const Rect& area);

  private:
    bool Allocate(int width, int height);
    void Release();
    void Put(Window window, GC gc, const Rect& area);

    Display* m_display;
    Visual* m_visual;
    int m_depth;
    int m_scale;
    std::unique_ptr<Enlarger> m_enlarger;  // at a factor above 1, for the image's size
    XImage* m_image = nullptr;
    XShmSegmentInfo m_shm{};
    bool m_shared = false;
};

// True when frames can go to this visual as they are: red, green, blue in the low three bytes
// as in Image, and 32 bits per pixel in the server's images of that depth.
bool FitsFrames(Display* display, Visual* visual, int depth);

}  // namespace backend

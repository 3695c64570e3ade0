// SPDX-License-Identifier: MIT
#include "platform/backend/x11/frame_image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace backend {
namespace {

// The rows and columns where `frame` differs from what `image` holds; empty when none. The image
// holds the last frame's words as they were, so equal rows compare as bytes (the quick part:
// most rows of a menu stay as they were from one frame to the next).
Rect Changed(const XImage& image, const Image& frame) {
    int top = frame.height;
    int bottom = -1;
    int left = frame.width;
    int right = -1;
    const auto rowBytes = static_cast<std::size_t>(frame.width) * 4;
    for (int y = 0; y < frame.height; ++y) {
        const std::uint32_t* now = &frame.pixels[static_cast<std::size_t>(y) * frame.width];
        const auto* was = reinterpret_cast<const std::uint32_t*>(
            image.data + static_cast<std::size_t>(y) * image.bytes_per_line);
        if (std::memcmp(now, was, rowBytes) == 0) {
            continue;
        }
        int x = 0;
        while (now[x] == was[x]) {
            ++x;
        }
        int last = frame.width - 1;
        while (now[last] == was[last]) {
            --last;
        }
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, x);
        right = std::max(right, last);
    }
    return bottom < 0 ? Rect{} : Rect{left, top, right - left + 1, bottom - top + 1};
}

bool g_attachFailed = false;
int NoteAttachError(Display* /*display*/, XErrorEvent* /*error*/) {
    g_attachFailed = true;
    return 0;
}

// A server in another namespace answers the attach with an error, later: waited for here, with
// the error taken as the answer rather than reported.
bool Attach(Display* display, XShmSegmentInfo* shm) {
    XSync(display, False);
    g_attachFailed = false;
    XErrorHandler previous = XSetErrorHandler(NoteAttachError);
    const bool sent = XShmAttach(display, shm) == True;
    XSync(display, False);
    XSetErrorHandler(previous);
    return sent && !g_attachFailed;
}

bool ShmWorks(Display* display) {
    // A remote server cannot see our memory even when it offers the extension.
    const char* name = DisplayString(display);
    return XShmQueryExtension(display) == True && name != nullptr && name[0] == ':';
}

}  // namespace

bool FitsFrames(Display* display, Visual* visual, int depth) {
    if ((depth != 24 && depth != 32) || visual->red_mask != 0xFF0000 ||
        visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF) {
        return false;
    }
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    bool fits = false;
    for (int i = 0; i < count; ++i) {
        fits = fits || (formats[i].depth == depth && formats[i].bits_per_pixel == 32);
    }
    if (formats != nullptr) {
        XFree(formats);
    }
    return fits;
}

FrameImage::FrameImage(Display* display, Visual* visual, int depth, int scale)
    : m_display(display), m_visual(visual), m_depth(depth), m_scale(scale) {}

FrameImage::~FrameImage() {
    Release();
}

void FrameImage::Release() {
    m_enlarger.reset();
    if (m_image == nullptr) {
        return;
    }
    if (m_shared) {
        XShmDetach(m_display, &m_shm);
        XSync(m_display, False);
        shmdt(m_shm.shmaddr);
    } else {
        std::free(m_image->data);
    }
    m_image->data = nullptr;
    XDestroyImage(m_image);
    m_image = nullptr;
    m_shared = false;
}

bool FrameImage::Allocate(int width, int height) {
    Release();
    if (ShmWorks(m_display)) {
        m_image =
            XShmCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, nullptr,
                            &m_shm, static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (m_image != nullptr) {
            m_shm.shmid =
                shmget(IPC_PRIVATE, static_cast<std::size_t>(m_image->bytes_per_line) * height,
                       IPC_CREAT | 0600);
            m_shm.shmaddr = m_shm.shmid >= 0 ? static_cast<char*>(shmat(m_shm.shmid, nullptr, 0))
                                             : reinterpret_cast<char*>(-1);
            // Marked for removal now: it goes when both sides have let go, even after a crash.
            if (m_shm.shmid >= 0) {
                shmctl(m_shm.shmid, IPC_RMID, nullptr);
            }
            if (m_shm.shmaddr != reinterpret_cast<char*>(-1)) {
                m_image->data = m_shm.shmaddr;
                m_shm.readOnly = False;
                if (Attach(m_display, &m_shm)) {
                    m_shared = true;
                    return true;
                }
                shmdt(m_shm.shmaddr);
            }
            m_image->data = nullptr;
            XDestroyImage(m_image);
            m_image = nullptr;
        }
    }
    char* data = static_cast<char*>(std::calloc(static_cast<std::size_t>(width) * height, 4));
    if (data == nullptr) {
        return false;
    }
    m_image = XCreateImage(m_display, m_visual, static_cast<unsigned>(m_depth), ZPixmap, 0, data,
                           static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (m_image == nullptr) {
        std::free(data);
        return false;
    }
    // NOLINTNEXTLINE(clang-analyzer-unix.Malloc): the image holds `data` from here
    m_image->byte_order = LSBFirst;  // as the frame's words lie in memory here
    return true;
}

void FrameImage::Present(Window window, GC gc, const Image& frame) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.pixels.size() < static_cast<std::size_t>(frame.width) * frame.height) {
        return;
    }
    Rect changed{0, 0, frame.width, frame.height};
    if (m_image == nullptr || m_image->width != frame.width || m_image->height != frame.height) {
        if (!Allocate(frame.width, frame.height)) {
            return;
        }
    } else {
        changed = Changed(*m_image, frame);
        if (changed.width == 0) {
            return;
        }
    }
    for (int y = changed.y; y < changed.y + changed.height; ++y) {
        std::memcpy(m_image->data + static_cast<std::size_t>(y) * m_image->bytes_per_line +
                        static_cast<std::size_t>(changed.x) * 4,
                    &frame.pixels[static_cast<std::size_t>(y) * frame.width + changed.x],
                    static_cast<std::size_t>(changed.width) * 4);
    }
    if (m_scale > 1 && m_enlarger == nullptr) {
        m_enlarger = std::make_unique<Enlarger>(m_display, window, m_visual, m_depth, m_scale,
                                                frame.width, frame.height);
    }
    Put(window, gc, changed);
}

bool FrameImage::Repaint(Window window, GC gc, const Rect& area) {
    if (m_image == nullptr) {
        return false;
    }
    const int x = std::max(0, area.x);
    const int y = std::max(0, area.y);
    const int right = std::min(m_image->width * m_scale, area.x + area.width);
    const int bottom = std::min(m_image->height * m_scale, area.y + area.height);
    if (right <= x || bottom <= y) {
        return true;
    }
    if (m_enlarger != nullptr) {
        m_enlarger->Show({x, y, right - x, bottom - y});
        XFlush(m_display);
    } else {
        Put(window, gc, {x, y, right - x, bottom - y});
    }
    return true;
}

void FrameImage::Put(Window window, GC gc, const Rect& area) {
    const auto w = static_cast<unsigned>(area.width);
    const auto h = static_cast<unsigned>(area.height);
    const Drawable to = m_enlarger != nullptr ? m_enlarger->Frame() : window;
    if (m_shared) {
        XShmPutImage(m_display, to, gc, m_image, area.x, area.y, area.x, area.y, w, h, False);
    } else {
        XPutImage(m_display, to, gc, m_image, area.x, area.y, area.x, area.y, w, h);
    }
    if (m_enlarger != nullptr) {
        const int k = m_scale;
        m_enlarger->Show({area.x * k, area.y * k, area.width * k, area.height * k});
    }
    if (m_shared) {
        // The server reads the shared image later; the next frame must not write it before.
        XSync(m_display, False);
    } else {
        XFlush(m_display);
    }
}

}  // namespace backend

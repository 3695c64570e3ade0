// SPDX-License-Identifier: MIT
#include "platform/backend/x11/enlarger.h"

namespace backend {

Enlarger::Enlarger(Display* display, Window window, Visual* visual, int depth, int scale, int width,
                   int height)
    : m_display(display),
      m_pixmap(XCreatePixmap(display, window, static_cast<unsigned>(width),
                             static_cast<unsigned>(height), static_cast<unsigned>(depth))) {
    XRenderPictFormat* format = XRenderFindVisualFormat(display, visual);
    m_source = XRenderCreatePicture(display, m_pixmap, format, 0, nullptr);
    m_target = XRenderCreatePicture(display, window, format, 0, nullptr);
    // Each window pixel samples the frame at its centre divided by the factor: whole factors
    // land every pixel inside the one it came from.
    const XFixed shrink = XDoubleToFixed(1.0 / scale);
    XTransform transform{{{shrink, 0, 0}, {0, shrink, 0}, {0, 0, XDoubleToFixed(1)}}};
    XRenderSetPictureTransform(display, m_source, &transform);
    XRenderSetPictureFilter(display, m_source, FilterNearest, nullptr, 0);
}

Enlarger::~Enlarger() {
    XRenderFreePicture(m_display, m_target);
    XRenderFreePicture(m_display, m_source);
    XFreePixmap(m_display, m_pixmap);
}

void Enlarger::Show(const Rect& area) {
    XRenderComposite(m_display, PictOpSrc, m_source, None, m_target, area.x, area.y, 0, 0, area.x,
                     area.y, static_cast<unsigned>(area.width), static_cast<unsigned>(area.height));
}

bool CanEnlarge(Display* display) {
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    return XRenderQueryExtension(display, &event, &error) == True &&
           XRenderQueryVersion(display, &major, &minor) != 0 && (major > 0 || minor >= 6);
}

}  // namespace backend

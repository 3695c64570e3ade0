// SPDX-License-Identifier: MIT
#include "platform/backend/x11/message_box.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <vector>

namespace backend {
namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;

// The core "fixed" font is in every X server (built in), so it draws Latin-1: what the
// launcher's messages hold, as its text comes from Windows-1252. Other characters show as '?'.
std::string ToLatin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code =
                (c & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            out += code < 0x100 ? static_cast<char>(code) : '?';
            i += 2;
        } else {
            out += '?';
            ++i;
            while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) {
                ++i;
            }
        }
    }
    return out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else if (c != '\r') {
            lines.back() += c;
        }
    }
    return lines;
}

struct Box {
    Display* display;
    Window window;
    GC gc;
    XFontStruct* font;
    std::vector<std::string> lines;
    int width, height, lineHeight;
    XRectangle button;
};

void Draw(const Box& box) {
    Display* d = box.display;
    const int screen = DefaultScreen(d);
    XSetForeground(d, box.gc, WhitePixel(d, screen));
    XFillRectangle(d, box.window, box.gc, 0, 0, static_cast<unsigned>(box.width),
                   static_cast<unsigned>(box.height));
    XSetForeground(d, box.gc, BlackPixel(d, screen));
    if (box.font != nullptr) {
        int y = kMargin + box.font->ascent;
        for (const std::string& line : box.lines) {
            XDrawString(d, box.window, box.gc, kMargin, y, line.data(),
                        static_cast<int>(line.size()));
            y += box.lineHeight;
        }
    }
    XDrawRectangle(d, box.window, box.gc, box.button.x, box.button.y, box.button.width,
                   box.button.height);
    if (box.font != nullptr) {
        const int textWidth = XTextWidth(box.font, "OK", 2);
        XDrawString(d, box.window, box.gc, box.button.x + (box.button.width - textWidth) / 2,
                    box.button.y + (box.button.height + box.font->ascent) / 2, "OK", 2);
    }
    XFlush(d);
}

void SetTitle(Display* d, Window window, const std::string& utf8) {
    const std::string latin1 = ToLatin1(utf8);
    XStoreName(d, window, latin1.c_str());
    XChangeProperty(d, window, XInternAtom(d, "_NET_WM_NAME", False),
                    XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()),
                    static_cast<int>(utf8.size()));
}

// Runs the box until it is dismissed.
void Run(Box& box, Atom deleteWindow) {
    for (;;) {
        XEvent e;
        XNextEvent(box.display, &e);
        switch (e.type) {
            case MapNotify:
                // The box has the keyboard as a message box has on Windows, also where no
                // window manager gives it.
                XSetInputFocus(box.display, box.window, RevertToPointerRoot, CurrentTime);
                break;
            case Expose:
                if (e.xexpose.count == 0) {
                    Draw(box);
                }
                break;
            case KeyPress: {
                const KeySym key = XLookupKeysym(&e.xkey, 0);
                if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space) {
                    return;
                }
                break;
            }
            case ButtonRelease:
                if (e.xbutton.button == Button1 && e.xbutton.x >= box.button.x &&
                    e.xbutton.x < box.button.x + box.button.width && e.xbutton.y >= box.button.y &&
                    e.xbutton.y < box.button.y + box.button.height) {
                    return;
                }
                break;
            case ClientMessage:
                if (static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow) {
                    return;
                }
                break;
            default:
                break;
        }
    }
}

}  // namespace

void ShowX11MessageBox(const std::string& captionUtf8, const std::string& textUtf8) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        return;  // the text went to standard error already
    }
    const int screen = DefaultScreen(d);
    Box box{d, 0, nullptr, XLoadQueryFont(d, "fixed"), Lines(ToLatin1(textUtf8)), 0, 0, 13, {}};
    int textWidth = 200;
    if (box.font != nullptr) {
        box.lineHeight = box.font->ascent + box.font->descent;
        for (const std::string& line : box.lines) {
            textWidth = std::max(textWidth,
                                 XTextWidth(box.font, line.data(), static_cast<int>(line.size())));
        }
    }
    box.width = std::min(textWidth + 2 * kMargin, DisplayWidth(d, screen));
    // A text taller than the display shows its first lines: the box must fit to be dismissed.
    const auto fitting = static_cast<std::size_t>(
        std::max(1, (DisplayHeight(d, screen) - 3 * kMargin - kButtonHeight) / box.lineHeight));
    if (box.lines.size() > fitting) {
        box.lines.resize(fitting);
    }
    const int textHeight = box.lineHeight * static_cast<int>(box.lines.size());
    box.height = textHeight + 3 * kMargin + kButtonHeight;
    box.button = {static_cast<short>((box.width - kButtonWidth) / 2),
                  static_cast<short>(textHeight + 2 * kMargin), kButtonWidth, kButtonHeight};

    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(d, screen);
    attributes.event_mask = ExposureMask | KeyPressMask | ButtonReleaseMask | StructureNotifyMask;
    box.window =
        XCreateWindow(d, RootWindow(d, screen), (DisplayWidth(d, screen) - box.width) / 2,
                      (DisplayHeight(d, screen) - box.height) / 2, static_cast<unsigned>(box.width),
                      static_cast<unsigned>(box.height), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    SetTitle(d, box.window, captionUtf8);
    Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, box.window, &deleteWindow, 1);
    const Atom dialog = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(d, box.window, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&dialog), 1);
    XSizeHints* hints = XAllocSizeHints();
    if (hints != nullptr) {
        hints->flags = PPosition | PMinSize | PMaxSize;
        hints->min_width = hints->max_width = box.width;
        hints->min_height = hints->max_height = box.height;
        XSetWMNormalHints(d, box.window, hints);
        XFree(hints);
    }
    box.gc = XCreateGC(d, box.window, 0, nullptr);
    if (box.font != nullptr) {
        XSetFont(d, box.gc, box.font->fid);
    }
    XMapRaised(d, box.window);
    Run(box, deleteWindow);
    if (box.font != nullptr) {
        XFreeFont(d, box.font);
    }
    XFreeGC(d, box.gc);
    XDestroyWindow(d, box.window);
    XCloseDisplay(d);
}

}  // namespace backend

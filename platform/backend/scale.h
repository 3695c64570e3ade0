// SPDX-License-Identifier: MIT
// The whole factor the real backends show top-level windows at, as Windows shows a program that
// is not DPI-aware: frames go out enlarged, nearest pixel, and pointer positions come back in the
// program's own coordinates, so the layer above never learns of it. One factor for the process,
// from MENUSHELL_SCALE, else the desktop's setting (GDK_SCALE, else Xft.dpi / 96).
#pragma once

#include <string>

#include "platform/backend/backend.h"

namespace backend {

// What a factor must fit: the 640 x 480 picture the menus are made for.
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;
constexpr int kMaxScale = 8;

struct ScaleSetting {
    enum class Kind { kDesktop, kFactor, kFit };
    Kind kind = Kind::kDesktop;
    int factor = 1;  // for kFactor
};

// MENUSHELL_SCALE's value (null: unset). A value that is neither a whole number from 1 to
// kMaxScale nor "fit" gives factor 1 and the line to write in `complaint`.
ScaleSetting ParseScaleSetting(const char* value, std::string* complaint);

// The desktop's factor: a whole GDK_SCALE, else the "Xft.dpi" of an X resource string as a
// multiple of 96 dpi, rounded down; 1 without either. Both may be null.
int DesktopScale(const char* resources, const char* gdkScale);

// The factor to show at: the one asked for, cut to the largest whose picture fits `monitor`;
// "fit" takes the largest whose picture fits `workArea`, the part a window may cover, so that
// the menu fits both in a window and in full screen. At least 1.
int ChooseScale(const ScaleSetting& setting, int desktop, const Rect& monitor,
                const Rect& workArea);

// Both, from the process's environment; a bad setting is reported on standard error.
int ScaleFromEnvironment(const char* resources, const Rect& monitor, const Rect& workArea);

// `image` enlarged `factor` times, each pixel a square.
Image Enlarge(const Image& image, int factor);

// A position in the window's pixels as the program counts it: rounded down, also left of and
// above the window.
inline int Shrink(int v, int factor) {
    return v >= 0 ? v / factor : -((-v + factor - 1) / factor);
}

// A frame's margins in the program's pixels, rounded up so that the client area stays inside
// its window.
inline Margins Shrink(const Margins& m, int factor) {
    const auto up = [factor](int v) { return (v + factor - 1) / factor; };
    return {up(m.left), up(m.top), up(m.right), up(m.bottom)};
}

}  // namespace backend

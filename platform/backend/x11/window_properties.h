// SPDX-License-Identifier: MIT
// What a window tells the window manager, through ICCCM and EWMH properties.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "platform/backend/backend.h"

namespace backend {

struct Atoms {
    explicit Atoms(Display* display);
    Atom protocols, deleteWindow, wmState, netWmState, fullScreen, netWmName, netWmIconName,
        utf8String, netWmIcon, netWmPid, workArea, currentDesktop, supportingWmCheck, motifWmHints;
};

void SetWindowTitle(Display* display, const Atoms& atoms, Window window, const std::string& utf8);
// Null removes the icon.
void SetWindowIcon(Display* display, const Atoms& atoms, Window window, const Image* icon);
// _MOTIF_WM_HINTS, which managers read for the buttons and functions of a frame: a title, a
// border, the window menu and the close box, and minimise and maximise only where asked for.
void SetMotifHints(Display* display, const Atoms& atoms, Window window, bool minimize,
                   bool maximize);
// A window of fixed size whose client area goes to `r`: a manager takes the position asked for
// as its frame's (ICCCM's default gravity), so the frame is taken off.
void SetFixedGeometry(Display* display, Window window, const Rect& r, const Margins& frame);
// Asks the manager for full screen (or back), before or after the window is shown.
void RequestFullScreen(Display* display, const Atoms& atoms, Window window, bool mapped, bool on);
// True when an EWMH window manager runs.
bool ManagerRuns(Display* display, const Atoms& atoms);
// WM_STATE: true when the manager has made the window an icon.
bool IsIconic(Display* display, const Atoms& atoms, Window window);
// The current desktop's _NET_WORKAREA rectangle; false without one.
bool ReadWorkArea(Display* display, const Atoms& atoms, Rect* area);

}  // namespace backend

// SPDX-License-Identifier: MIT
// What the main window shares with the button code, which has no pointer to it: the picture
// window, the frame being composed, and the window's private messages.
#pragma once

#include "imaging/dib_image.h"
#include "platform/windows.h"

constexpr UINT WM_GRAPHNOTIFY = WM_APP + 1;    // the filter graph has events
constexpr UINT WM_SHUTDOWNCLICK = WM_APP + 2;  // a shutdown button was clicked; wParam its id

// The picture window; its parent, the main window, owns the buttons' timers.
extern HWND g_hPictureWnd;
// The offscreen frame that buttons draw into; null until every button is loaded.
extern DibImage* g_pOffscreen;

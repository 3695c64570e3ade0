// Process-wide framework services: the application's name and its message box.
#pragma once

#include "platform/windows.h"

// The caption of every box shown with AfxMessageBox: the program's own name.
LPCSTR AfxGetAppName();

// Shows `text` in a box captioned with the application's name; returns the button pressed.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);

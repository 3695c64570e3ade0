// Message boxes.
#pragma once

#include "platform/win32/types.h"

using HWND = struct HWND__*;

constexpr UINT MB_OK = 0x00000000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Shows a modal box with an OK button. Every box is also written to standard error as one line,
// the program's name first, so that kiosk operators find it in the system journal.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

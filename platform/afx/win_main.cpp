// SPDX-License-Identifier: MIT
// The program's entry on Windows: the system calls WinMain, which runs the one application object.
#include "platform/afx.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    return AfxWinMain();
}

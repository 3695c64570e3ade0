// SPDX-License-Identifier: MIT
// Dialog templates for systems without a resource compiler: the program registers each
// template once at start-up; CreateDialogParamA finds it by id.
#pragma once

#include "platform/win32/types.h"

struct DialogTemplate {
    int id;
    DWORD style;
    DWORD exStyle;
    int x, y, cx, cy;  // dialog units
    const char* title;
    const char* fontName;
    int pointSize;
};

void RegisterDialogTemplate(const DialogTemplate& dialog);

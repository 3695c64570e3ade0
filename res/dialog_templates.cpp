// SPDX-License-Identifier: MIT
// Template 102 for systems without a resource compiler; menushell.rc holds the same for Windows.
#include "res/dialog_templates.h"

#include "platform/win32/resources.h"
#include "res/resource.h"

void RegisterShellTemplates() {
    // WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_SETFONT, no
    // WS_CLIPCHILDREN; WS_EX_APPWINDOW. The size is replaced at initialisation.
    RegisterDialogTemplate(
        {IDD_SHELL_DIALOG, 0x90C80840, 0x00040000, 0, 0, 320, 202, "", "MS Sans Serif", 8});
}

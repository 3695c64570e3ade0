// SPDX-License-Identifier: MIT
// Dialog windows: creation from a template, the dialog manager's default processing, and the
// keys a dialog answers.
#include <map>

#include "platform/win32/gdi.h"
#include "platform/win32/resources.h"
#include "platform/win32/window_system.h"

namespace {

std::map<int, DialogTemplate>& Templates() {
    static std::map<int, DialogTemplate> templates;
    return templates;
}

// Dialog units of 8-point MS Sans Serif: a base unit of 6 x 13 pixels.
int HorizontalPixels(int units) {
    return units * 6 / 4;
}
int VerticalPixels(int units) {
    return units * 13 / 8;
}

}  // namespace

void RegisterDialogTemplate(const DialogTemplate& dialog) {
    Templates()[dialog.id] = dialog;
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                        LPARAM initParam) {
    if (!IS_INTRESOURCE(templateName)) {
        return nullptr;
    }
    const auto it =
        Templates().find(static_cast<int>(reinterpret_cast<std::uintptr_t>(templateName)));
    if (it == Templates().end()) {
        return nullptr;
    }
    const DialogTemplate& t = it->second;
    const int width = HorizontalPixels(t.cx);
    const int height = VerticalPixels(t.cy);
    int x = HorizontalPixels(t.x);
    int y = VerticalPixels(t.y);
    if ((t.style & DS_CENTER) != 0) {
        const backend::Rect screen = backend::Current().Screen();
        x = screen.x + (screen.width - width) / 2;
        y = screen.y + (screen.height - height) / 2;
    }
    const HWND dialog = CreateWindowExA(t.exStyle, "#32770", t.title, t.style & ~WS_VISIBLE, x, y,
                                        width, height, parent, nullptr, instance, nullptr);
    win32::Window* w = win32::Find(dialog);
    if (w == nullptr) {
        return nullptr;
    }
    w->dlgProc = proc;
    SendMessageA(dialog, WM_INITDIALOG, 0, initParam);
    w = win32::Find(dialog);
    if (w != nullptr && !w->dialogEnded && (t.style & WS_VISIBLE) != 0) {
        ShowWindow(dialog, SW_SHOW);
    }
    return IsWindow(dialog) == TRUE ? dialog : nullptr;
}

BOOL EndDialog(HWND dialog, int result) {
    win32::Window* w = win32::Find(dialog);
    if (w == nullptr || w->dlgProc == nullptr) {
        return FALSE;
    }
    w->dialogEnded = true;
    w->dialogResult = result;
    return TRUE;
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
    if (msg == nullptr || msg->message != WM_KEYDOWN || win32::Find(dialog) == nullptr) {
        return FALSE;
    }
    win32::Window* target = win32::TopLevelOf(win32::Find(msg->hwnd));
    if (target == nullptr || target->hwnd != dialog) {
        return FALSE;
    }
    if (msg->wParam == VK_ESCAPE) {
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else if (msg->wParam == VK_RETURN) {
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    } else {
        DispatchMessageA(msg);
    }
    return TRUE;
}

LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    win32::Window* w = win32::Find(dialog);
    if (w == nullptr) {
        return 0;
    }
    if (w->dlgProc != nullptr && w->dlgProc(dialog, message, wParam, lParam) != 0) {
        return TRUE;
    }
    switch (message) {
        case WM_CLOSE:
            // The dialog manager answers the close box with the cancel command.
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return 0;
        default:
            return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

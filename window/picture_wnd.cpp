// SPDX-License-Identifier: MIT
#include "window/picture_wnd.h"

#include "window/shell_window.h"

HWND g_hPictureWnd = nullptr;
DibImage* g_pOffscreen = nullptr;

BEGIN_MESSAGE_MAP(CPictureWnd, CWnd)
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CPictureWnd::CPictureWnd(CShellDlg* /*owner*/) {}

BOOL CPictureWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                         CWnd* parent, UINT id, CCreateContext* context) {
    return CWnd::Create(className, windowName, style, rect, parent, id, context);
}

BOOL CPictureWnd::PreCreateWindow(CREATESTRUCT& cs) {
    return CWnd::PreCreateWindow(cs);
}

void CPictureWnd::DoDataExchange(CDataExchange* /*dx*/) {}

BOOL CPictureWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

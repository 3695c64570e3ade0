// SPDX-License-Identifier: MIT
// The 640 x 480 child of the main window that carries the menu's frame and the video. Of class
// "STATIC" without a notify style, so pointer input passes through it to the main window.
#pragma once

#include "platform/afx.h"

class CShellDlg;

class CPictureWnd : public CWnd {
  public:
    explicit CPictureWnd(CShellDlg* owner);
    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, CCreateContext* context = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DoDataExchange(CDataExchange* dx) override;

  protected:
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);

    DECLARE_MESSAGE_MAP()
};

// SPDX-License-Identifier: MIT
// CDialog: a window made from a dialog template and run modally.
#pragma once

#include "platform/afx/wnd.h"

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the dialog from its template, sends WM_INITDIALOG (OnInitDialog), shows it and
    // runs the message loop until EndDialog; then destroys the window. Returns EndDialog's
    // value, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Called for WM_INITDIALOG, before the dialog is first shown; the default returns TRUE.
    virtual BOOL OnInitDialog();
    // Called for IDOK (Enter); the default ends the dialog with IDOK.
    virtual void OnOK();
    // Called for IDCANCEL (Escape, and the close box through WM_CLOSE); the default ends the
    // dialog with IDCANCEL.
    virtual void OnCancel();
    void EndDialog(int result);
    // The dialog manager's keys (Escape for IDCANCEL, Enter for IDOK, and what moves among
    // controls) through IsDialogMessage; a dialog that wants one of them itself takes it first.
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nIDHelp;
    CWnd* m_pParentWnd;
    bool m_bEnded = false;
    int m_nResult = 0;

    DECLARE_MESSAGE_MAP()
};

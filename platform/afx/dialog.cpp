// SPDX-License-Identifier: MIT
#include "platform/afx/dialog.h"

#include "platform/afx/app.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    m_bEnded = false;
    m_nResult = -1;
    const HWND dialog =
        ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(static_cast<int>(m_nIDHelp)),
                             m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr) {
        return -1;
    }
    MSG msg{};
    while (!m_bEnded) {
        if (::GetMessageA(&msg, nullptr, 0, 0) == FALSE) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslateMessage(&msg) == FALSE) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    DestroyWindow();
    return m_nResult;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    // From here on the dialog's messages go through its message map first.
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(hwnd);
    dialog->OnInitDialog();
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    m_bEnded = true;
    m_nResult = result;
    ::EndDialog(m_hWnd, result);
}

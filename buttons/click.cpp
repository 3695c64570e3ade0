// SPDX-License-Identifier: MIT
// Clicks: the click sound, then "exit", the closing movie of a shutdown button, or the command
// through the shell's "open"; and every way the main window closes.
#include <string>

#include "description/shell_description.h"
#include "window/shell_dlg.h"
#include "window/shell_window.h"

BOOL ShellButton::TryClick(UINT /*flags*/, POINT point) {
    if (HitTest(point) != Hit::kOn) {
        m_bHoverSoundPlayed = FALSE;
        return FALSE;
    }
    Click();
    return TRUE;
}

BOOL ShellButton::Click() {
    const std::string sound = g_strMediaFolder + m_strSoundClick;
    PlaySoundA(sound.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
    const HWND mainWindow = GetParent(g_hPictureWnd);
    if (m_strCommand == "exit") {
        SendMessageA(mainWindow, WM_CLOSE, 0, 0);
    } else if (m_bShutdown == TRUE) {
        SendMessageA(mainWindow, WM_SHUTDOWNCLICK, m_nId, 0);
    } else {
        Execute();
    }
    return TRUE;
}

HINSTANCE ShellButton::Execute() {
    return ShellExecuteA(nullptr, "open", m_strCommand.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CShellDlg::OnLButtonDown(UINT flags, CPoint point) {
    if (m_pGraph != nullptr) {
        ClickDuringMovie();  // the click belongs to the movie
        return;
    }
    const std::uint32_t count = g_pShellDescription->m_nButtons;
    if (m_pButtons == nullptr || count == 0) {
        Default();
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (m_pButtons[i].TryClick(flags, point) == TRUE) {
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
            break;
        }
    }
    Default();
}

void CShellDlg::ClickDuringMovie() {
    if (m_nMovieTag == 0) {
        StopMovie();
        // Show the menu now rather than the last video frame until the next mouse move.
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return;
    }
    if (m_pButtons != nullptr) {
        m_pButtons[m_nMovieButton].Execute();
    }
    SendMessage(WM_CLOSE, 0, 0);
}

void CShellDlg::OnClose() {
    if (m_pPictureWnd != nullptr) {
        delete m_pPictureWnd;
        m_pPictureWnd = nullptr;
    }
    Default();  // the dialog manager posts IDCANCEL: OnCancel runs next, from the loop
}

void CShellDlg::OnCancel() {
    StopMovie();
    delete[] m_pButtons;
    m_pButtons = nullptr;
    g_pOffscreen = nullptr;
    delete[] m_pOffscreen;
    m_pOffscreen = nullptr;
    delete[] m_pBackground;
    m_pBackground = nullptr;
    CDialog::OnCancel();
}

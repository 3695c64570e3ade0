// SPDX-License-Identifier: MIT
// Hover: the hovered picture, one hover sound and the hover cursor on entering a button; the
// bubble picture after 500 ms on it; the normal picture on leaving.
#include "description/shell_description.h"
#include "window/shell_dlg.h"
#include "window/shell_window.h"

namespace {
constexpr UINT kBubbleDelayMs = 500;
}

BOOL ShellButton::Reacts() const {
    return m_pLoImage != nullptr && g_hPictureWnd != nullptr && IsWindow(g_hPictureWnd) == TRUE
               ? TRUE
               : FALSE;
}

ShellButton::Hit ShellButton::HitTest(POINT point) const {
    if (Reacts() == FALSE) {
        return Hit::kNotTested;
    }
    // The hit rectangle counts in the picture window, which full-screen mode centres.
    ClientToScreen(GetParent(g_hPictureWnd), &point);
    ScreenToClient(g_hPictureWnd, &point);
    return PtInRect(&m_rcHit, point) == TRUE ? Hit::kOn : Hit::kOff;
}

BOOL ShellButton::UpdateHover(UINT /*flags*/, POINT point) {
    switch (HitTest(point)) {
        case Hit::kNotTested:
            return FALSE;
        case Hit::kOn:
            BeginHover();
            return TRUE;
        case Hit::kOff:
            break;
    }
    EndHover();
    return FALSE;
}

void ShellButton::EndHover() {
    m_nState = kStateNormal;
    m_bHoverSoundPlayed = FALSE;
    KillTimer(GetParent(g_hPictureWnd), m_nId);
    m_bTimerActive = FALSE;
}

BOOL ShellButton::BeginHover() {
    if (m_nState != kStateBubble) {
        m_nState = kStateHovered;
    }
    if (m_bTimerActive == FALSE) {
        SetTimer(GetParent(g_hPictureWnd), m_nId, kBubbleDelayMs, nullptr);
        m_bTimerActive = TRUE;
    }
    if (m_bHoverSoundPlayed == TRUE) {
        return TRUE;
    }
    const std::string sound = g_strMediaFolder + m_strSoundHover;
    PlaySoundA(sound.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
    m_bHoverSoundPlayed = TRUE;
    return TRUE;
}

BOOL ShellButton::TimerElapsed(UINT_PTR id) {
    if (id != m_nId) {
        return FALSE;
    }
    m_nState = kStateBubble;
    KillTimer(GetParent(g_hPictureWnd), m_nId);
    return TRUE;  // m_bTimerActive stays, so this visit sets no new timer
}

void CShellDlg::OnMouseMove(UINT flags, CPoint point) {
    if (m_pGraph != nullptr) {
        Default();
        return;
    }
    m_nFocusButton = kNoButton;  // the pointer hovers again, as the hit test decides
    const std::uint32_t count = g_pShellDescription->m_nButtons;
    for (std::uint32_t i = 0; m_pButtons != nullptr && i < count; ++i) {
        if (m_pButtons[i].UpdateHover(flags, point) == TRUE) {
            SetCursor(m_hCursorHi);
            m_nHoverButton = i;
        } else if (m_nHoverButton == i) {
            SetCursor(m_hCursorLo);
        }
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    Default();
}

void CShellDlg::OnTimer(UINT_PTR id) {
    const std::uint32_t count = g_pShellDescription->m_nButtons;
    for (std::uint32_t i = 0; m_pButtons != nullptr && i < count; ++i) {
        if (m_pButtons[i].TimerElapsed(id) == TRUE) {
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
        }
    }
    Default();
}

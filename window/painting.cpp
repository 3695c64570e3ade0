// SPDX-License-Identifier: MIT
// Every paint composes the whole frame in the offscreen picture and draws it in one piece.
#include "description/shell_description.h"
#include "window/shell_dlg.h"
#include "window/shell_window.h"

namespace {
// The colour of the hit-rectangle outlines: one no menu background is likely to use.
constexpr COLORREF kHitFrameColor = RGB(255, 0, 255);
}  // namespace

void CShellDlg::OnPaint() {
    if (IsIconic() == TRUE) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        dc.DrawIcon((rect.Width() - cxIcon + 1) / 2, (rect.Height() - cyIcon + 1) / 2, m_hIcon);
        return;
    }
    Default();
    if (m_pPictureWnd == nullptr) {
        return;
    }
    CPaintDC dc(m_pPictureWnd);
    if (m_pGraph != nullptr || m_pOffscreen == nullptr || m_pBackground == nullptr) {
        return;  // the video owns the picture window, or there is no frame yet
    }
    const ShellDescription& d = *g_pShellDescription;
    m_pBackground->BlitInto(m_pOffscreen, 0, 0);
    for (std::uint32_t i = 0; m_pButtons != nullptr && i < d.m_nButtons; ++i) {
        m_pButtons[i].Draw();
    }
    m_pOffscreen->Draw(dc.GetSafeHdc(), 0, 0);
    if (d.m_bDrawRects == TRUE && m_pButtons != nullptr) {
        CBrush brush(kHitFrameColor);
        for (std::uint32_t i = 0; i < d.m_nButtons; ++i) {
            dc.FrameRect(&m_pButtons[i].m_rcHit, &brush);
        }
    }
}

BOOL CShellDlg::OnEraseBkgnd(CDC* dc) {
    CRect rect;
    GetClientRect(&rect);
    const HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    ::FillRect(dc->GetSafeHdc(), &rect, black);
    DeleteObject(reinterpret_cast<HGDIOBJ>(black));
    return TRUE;
}

HCURSOR CShellDlg::OnQueryDragIcon() {
    return m_hIcon;
}

void ShellButton::Draw() {
    DibImage* picture = nullptr;
    switch (m_nState) {
        case kStateNormal:
            picture = m_pLoImage;
            break;
        case kStateHovered:
            picture = m_pHiImage;
            break;
        case kStateBubble:
            picture = m_pBubbleImage;
            break;
        default:
            break;
    }
    if (picture != nullptr) {
        picture->BlitInto(g_pOffscreen, m_nPosX, m_nPosY);
    }
}

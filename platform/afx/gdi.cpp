// SPDX-License-Identifier: MIT
#include "platform/afx/gdi.h"

#include "platform/afx/wnd.h"

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    DeleteObject();
    m_hBrush = ::CreateSolidBrush(color);
    return m_hBrush != nullptr ? TRUE : FALSE;
}

BOOL CBrush::DeleteObject() {
    if (m_hBrush == nullptr) {
        return FALSE;
    }
    const BOOL deleted = ::DeleteObject(reinterpret_cast<HGDIOBJ>(m_hBrush));
    m_hBrush = nullptr;
    return deleted;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    ::FillRect(m_hDC, rect, brush != nullptr ? brush->GetSafeHandle() : nullptr);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    ::FrameRect(m_hDC, rect, brush != nullptr ? brush->GetSafeHandle() : nullptr);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    return ::DrawIcon(m_hDC, x, y, icon);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->GetSafeHwnd()) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
}

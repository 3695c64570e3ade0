// SPDX-License-Identifier: MIT
#include "platform/afx/wnd.h"

#include <cstdint>

#include <map>

namespace {

std::map<HWND, CWnd*>& Attached() {
    static std::map<HWND, CWnd*> attached;
    return attached;
}

// The message being handled, for Default(); handlers may nest through SendMessage.
thread_local MSG t_current{};

}  // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) == TRUE) {
        ::DestroyWindow(m_hWnd);
    }
    if (m_hWnd != nullptr) {
        Attached().erase(m_hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    const auto it = Attached().find(hwnd);
    return it == Attached().end() ? nullptr : it->second;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& /*cs*/) {
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange* /*dx*/) {}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, CCreateContext* /*context*/) {
    CREATESTRUCT cs{nullptr,
                    nullptr,
                    reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)),
                    parent != nullptr ? parent->m_hWnd : nullptr,
                    rect.bottom - rect.top,
                    rect.right - rect.left,
                    rect.top,
                    rect.left,
                    static_cast<LONG>(style),
                    windowName,
                    className,
                    0};
    if (PreCreateWindow(cs) == FALSE) {
        return FALSE;
    }
    const HWND hwnd =
        ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                          cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    if (hwnd == nullptr) {
        return FALSE;
    }
    SubclassWindow(hwnd);
    return TRUE;
}

void CWnd::SubclassWindow(HWND hwnd) {
    m_hWnd = hwnd;
    Attached()[hwnd] = this;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
}

BOOL CWnd::PreTranslateMessage(MSG* /*msg*/) {
    return FALSE;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hwnd);
    if (wnd == nullptr) {
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    const MSG saved = t_current;
    t_current = MSG{hwnd, message, wParam, lParam, 0, {}};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    t_current = saved;
    if (message == WM_NCDESTROY) {
        Attached().erase(hwnd);
        wnd->m_hWnd = nullptr;
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT /*flags*/) {
    const auto style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) {
        return FALSE;
    }
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    return TRUE;
}

BOOL CWnd::ShowWindow(int command) {
    return ::ShowWindow(m_hWnd, command);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    RECT self{};
    ::GetWindowRect(m_hWnd, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    const HWND parent = alternateOwner != nullptr ? alternateOwner->m_hWnd : ::GetParent(m_hWnd);
    if ((::GetWindowLongA(m_hWnd, GWL_STYLE) & static_cast<LONG>(WS_CHILD)) != 0 &&
        parent != nullptr) {
        RECT client{};
        ::GetClientRect(parent, &client);
        ::MoveWindow(m_hWnd, (client.right - width) / 2, (client.bottom - height) / 2, width,
                     height, TRUE);
        return;
    }
    // A top-level window centres in the work area of its monitor, frame included.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT area = monitor.rcWork;
    if (parent != nullptr) {
        ::GetWindowRect(parent, &area);
    }
    ::MoveWindow(m_hWnd, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, width, height, TRUE);
}

void CWnd::SetWindowText(LPCSTR text) {
    ::SetWindowTextA(m_hWnd, text);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon == TRUE ? ICON_BIG : ICON_SMALL,
                                               reinterpret_cast<LPARAM>(icon)));
}

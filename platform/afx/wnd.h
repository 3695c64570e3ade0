// SPDX-License-Identifier: MIT
// CWnd: a C++ object attached to a window. Messages reach it through its message map;
// whatever the map does not handle goes to DefWindowProc, which passes it to the window's
// original procedure.
#pragma once

#include "platform/afx/gdi.h"
#include "platform/afx/message_map.h"

class CDataExchange;
class CCreateContext;

class CWnd : public CCmdTarget {
  public:
    CWnd() = default;
    // Destroys the window if it still exists.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object attached to `hwnd`, or null.
    static CWnd* FromHandle(HWND hwnd);
    HWND GetSafeHwnd() const { return m_hWnd; }

    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, CCreateContext* context = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void DoDataExchange(CDataExchange* dx);
    virtual BOOL DestroyWindow();
    // Called by the message loop with each message before it is dispatched; TRUE when it has
    // been handled there. The default handles nothing.
    virtual BOOL PreTranslateMessage(MSG* msg);

    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ShowWindow(int command);
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    // Centres the window on its parent's client area, or on the screen for a top-level one.
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void SetWindowText(LPCSTR text);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    BOOL IsIconic() const;
    void Invalidate(BOOL erase = TRUE);
    CWnd* GetParent() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    HICON SetIcon(HICON icon, BOOL bigIcon);

    HWND m_hWnd = nullptr;

  protected:
    // Default processing of the message being handled.
    LRESULT Default();
    // Dispatches through the message map; unhandled messages go to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called for every message the map does not handle; the default passes it to the
    // window's original procedure.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Attaches this object to `hwnd` and routes its messages here.
    void SubclassWindow(HWND hwnd);
    static LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Handlers for the message-map macros; each does the default processing.
    void OnPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC* /*dc*/) { return static_cast<BOOL>(Default()); }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    void OnLButtonDown(UINT /*flags*/, CPoint /*point*/) { Default(); }
    void OnMouseMove(UINT /*flags*/, CPoint /*point*/) { Default(); }
    void OnTimer(UINT_PTR /*id*/) { Default(); }
    BOOL OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/) {
        return static_cast<BOOL>(Default());
    }
    void OnClose() { Default(); }
    void OnKeyDown(UINT /*key*/, UINT /*repeats*/, UINT /*flags*/) { Default(); }

    WNDPROC m_pfnSuper = nullptr;

    DECLARE_MESSAGE_MAP()
};

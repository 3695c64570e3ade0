// SPDX-License-Identifier: MIT
// Message maps: each class that handles messages has a table of {message, command id, thunk},
// chained to its base class's table. The macros build the tables and nothing else; the thunks
// crack WPARAM and LPARAM into the handler's arguments. Unhandled messages fall through to
// DefWindowProc in one place, CWnd::WindowProc.
#pragma once

#include <type_traits>

#include "platform/windows.h"

class CCmdTarget;

using AFX_PMSG = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nID;  // the command id for WM_COMMAND entries, else 0
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                     \
  protected:                                      \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                \
    const AFX_MSGMAP* theClass::GetMessageMap() const {       \
        return GetThisMessageMap();                           \
    }                                                         \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {         \
        using ThisClass = theClass;                           \
        using TheBaseClass = baseClass;                       \
        static_assert(std::is_class_v<ThisClass>, "a class"); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    { 0, 0, nullptr }                                                                             \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

#define MENUSHELL_AFX_THUNK [](CCmdTarget * target, WPARAM wParam, LPARAM lParam) -> LRESULT
#define MENUSHELL_AFX_THIS static_cast<ThisClass*>(target)

// void OnPaint()
#define ON_WM_PAINT()                                                                            \
    {WM_PAINT, 0, MENUSHELL_AFX_THUNK{(void)wParam, (void)lParam, MENUSHELL_AFX_THIS->OnPaint(); \
    return 0;                                                                                    \
    }                                                                                            \
    }                                                                                            \
    ,
// BOOL OnEraseBkgnd(CDC* pDC)
#define ON_WM_ERASEBKGND()                                              \
    {WM_ERASEBKGND, 0, MENUSHELL_AFX_THUNK{(void)lParam;                \
    CDC dc(reinterpret_cast<HDC>(wParam));                              \
    return static_cast<LRESULT>(MENUSHELL_AFX_THIS->OnEraseBkgnd(&dc)); \
    }                                                                   \
    }                                                                   \
    ,
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                \
    {WM_QUERYDRAGICON, 0, MENUSHELL_AFX_THUNK{(void)wParam, (void)lParam;    \
    return reinterpret_cast<LRESULT>(MENUSHELL_AFX_THIS->OnQueryDragIcon()); \
    }                                                                        \
    }                                                                        \
    ,
// void OnLButtonDown(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDOWN()                                                              \
    {WM_LBUTTONDOWN, 0,                                                                  \
     MENUSHELL_AFX_THUNK{MENUSHELL_AFX_THIS->OnLButtonDown(                              \
         static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); \
    return 0;                                                                            \
    }                                                                                    \
    }                                                                                    \
    ,
// void OnMouseMove(UINT nFlags, CPoint point)
#define ON_WM_MOUSEMOVE()                                                                \
    {WM_MOUSEMOVE, 0,                                                                    \
     MENUSHELL_AFX_THUNK{MENUSHELL_AFX_THIS->OnMouseMove(                                \
         static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); \
    return 0;                                                                            \
    }                                                                                    \
    }                                                                                    \
    ,
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER()                                                                              \
    {WM_TIMER, 0,                                                                                  \
     MENUSHELL_AFX_THUNK{(void)lParam, MENUSHELL_AFX_THIS->OnTimer(static_cast<UINT_PTR>(wParam)); \
    return 0;                                                                                      \
    }                                                                                              \
    }                                                                                              \
    ,
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR()                                                                  \
    {WM_SETCURSOR, 0,                                                                      \
     MENUSHELL_AFX_THUNK{return static_cast<LRESULT>(                                      \
         MENUSHELL_AFX_THIS->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                         LOWORD(static_cast<std::uintptr_t>(lParam)),      \
                                         HIWORD(static_cast<std::uintptr_t>(lParam))));    \
    }                                                                                      \
    }                                                                                      \
    ,
// void OnClose()
#define ON_WM_CLOSE()                                                                            \
    {WM_CLOSE, 0, MENUSHELL_AFX_THUNK{(void)wParam, (void)lParam, MENUSHELL_AFX_THIS->OnClose(); \
    return 0;                                                                                    \
    }                                                                                            \
    }                                                                                            \
    ,
// LRESULT memberFxn(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(message, memberFxn)                                                     \
    {message, 0, MENUSHELL_AFX_THUNK{return MENUSHELL_AFX_THIS->memberFxn(wParam, lParam); \
    }                                                                                      \
    }                                                                                      \
    ,
// void memberFxn()
#define ON_COMMAND(id, memberFxn)                                                     \
    {WM_COMMAND, static_cast<UINT>(id),                                               \
     MENUSHELL_AFX_THUNK{(void)wParam, (void)lParam, MENUSHELL_AFX_THIS->memberFxn(); \
    return 0;                                                                         \
    }                                                                                 \
    }                                                                                 \
    ,

// The root of every message-handling class.
class CCmdTarget {
  public:
    virtual ~CCmdTarget() = default;

    // Finds the handler for a message in this class's table or a base's; false when none has
    // one. `result` receives the handler's result.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

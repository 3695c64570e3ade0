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

// One entry: the message, the command id, and a thunk that returns `call`, in which `self` is the
// class's object and wParam and lParam are the message's.
#define MENUSHELL_AFX_ENTRY(message, id, call)                          \
    {message, static_cast<UINT>(id),                                    \
     [](CCmdTarget* target, [[maybe_unused]] WPARAM wParam,             \
        [[maybe_unused]] LPARAM lParam) -> LRESULT {                    \
         [[maybe_unused]] auto* self = static_cast<ThisClass*>(target); \
         return call;                                                   \
     }},

// A message whose thunk in platform/afx/message_thunks.h cracks it.
// The handler is passed as a member pointer, named here inside the class: handlers are protected.
#define MENUSHELL_AFX_CRACK(message, thunk, handler) \
    MENUSHELL_AFX_ENTRY(message, 0, afx_thunk::thunk(self, &ThisClass::handler, wParam, lParam))

#define ON_WM_PAINT() MENUSHELL_AFX_CRACK(WM_PAINT, Paint, OnPaint)
#define ON_WM_ERASEBKGND() MENUSHELL_AFX_CRACK(WM_ERASEBKGND, EraseBkgnd, OnEraseBkgnd)
#define ON_WM_QUERYDRAGICON() MENUSHELL_AFX_CRACK(WM_QUERYDRAGICON, QueryDragIcon, OnQueryDragIcon)
#define ON_WM_LBUTTONDOWN() MENUSHELL_AFX_CRACK(WM_LBUTTONDOWN, LButtonDown, OnLButtonDown)
#define ON_WM_MOUSEMOVE() MENUSHELL_AFX_CRACK(WM_MOUSEMOVE, MouseMove, OnMouseMove)
#define ON_WM_TIMER() MENUSHELL_AFX_CRACK(WM_TIMER, Timer, OnTimer)
#define ON_WM_SETCURSOR() MENUSHELL_AFX_CRACK(WM_SETCURSOR, SetCursor, OnSetCursor)
#define ON_WM_CLOSE() MENUSHELL_AFX_CRACK(WM_CLOSE, Close, OnClose)
#define ON_WM_KEYDOWN() MENUSHELL_AFX_CRACK(WM_KEYDOWN, KeyDown, OnKeyDown)
// LRESULT handler(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(message, handler) MENUSHELL_AFX_ENTRY(message, 0, self->handler(wParam, lParam))
// void handler()
#define ON_COMMAND(id, handler) MENUSHELL_AFX_ENTRY(WM_COMMAND, id, (self->handler(), 0))

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

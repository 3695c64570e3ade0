// SPDX-License-Identifier: MIT
// A filter graph's event queue: events come from the graph's threads; each one posts the notify
// message, with the instance data, to the window the program named. The program takes them
// with GetEvent on its own thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/dshow.h"

namespace dshow {

class EventQueue {
  public:
    // Any thread.
    void Push(long code, LONG_PTR param1 = 0, LONG_PTR param2 = 0);
    void SetNotifyWindow(OAHWND window, long message, LONG_PTR instanceData);
    // Waits up to `timeoutMs` (0: not at all; negative: without limit); E_ABORT when none came.
    HRESULT GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeoutMs);

  private:
    struct Event {
        long code;
        LONG_PTR param1;
        LONG_PTR param2;
    };
    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::deque<Event> m_events;
    HWND m_window = nullptr;
    UINT m_message = 0;
    LONG_PTR m_instanceData = 0;
};

}  // namespace dshow

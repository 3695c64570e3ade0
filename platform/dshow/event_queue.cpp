// SPDX-License-Identifier: MIT
#include "platform/dshow/event_queue.h"

#include <chrono>

namespace dshow {

void EventQueue::Push(long code, LONG_PTR param1, LONG_PTR param2) {
    HWND window = nullptr;
    UINT message = 0;
    LONG_PTR data = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_events.push_back(Event{code, param1, param2});
        window = m_window;
        message = m_message;
        data = m_instanceData;
    }
    m_arrived.notify_all();
    if (window != nullptr) {
        PostMessageA(window, message, 0, data);
    }
}

void EventQueue::SetNotifyWindow(OAHWND window, long message, LONG_PTR instanceData) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_window = reinterpret_cast<HWND>(window);
    m_message = static_cast<UINT>(message);
    m_instanceData = instanceData;
}

HRESULT EventQueue::GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeoutMs) {
    if (code == nullptr || param1 == nullptr || param2 == nullptr) {
        return E_POINTER;
    }
    std::unique_lock<std::mutex> guard(m_lock);
    const auto ready = [this] { return !m_events.empty(); };
    if (timeoutMs < 0) {
        m_arrived.wait(guard, ready);
    } else if (timeoutMs > 0) {
        m_arrived.wait_for(guard, std::chrono::milliseconds(timeoutMs), ready);
    }
    if (m_events.empty()) {
        return E_ABORT;
    }
    const Event e = m_events.front();
    m_events.pop_front();
    *code = e.code;
    *param1 = e.param1;
    *param2 = e.param2;
    return S_OK;
}

}  // namespace dshow

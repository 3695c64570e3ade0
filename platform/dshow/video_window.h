// SPDX-License-Identifier: MIT
// The video window of a filter graph: a child window of the owner the program names, shown when
// the graph runs, that paints the newest decoded frame stretched over its client area and passes
// its mouse and key messages to the message drain. Frames may come from any thread; they are
// painted on the thread that owns the window, and a frame not yet painted is replaced by a newer
// one rather than queued behind it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/windows.h"

namespace dshow {

// 0x00RRGGBB pixels (the top byte is ignored), rows top first.
struct VideoFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class VideoWindow {
  public:
    VideoWindow() = default;
    VideoWindow(const VideoWindow&) = delete;
    VideoWindow& operator=(const VideoWindow&) = delete;
    // Destroys the window, if its owner has not already taken it along.
    ~VideoWindow();

    // Makes the window a child of `owner` (hidden until the graph runs); null removes it.
    void SetOwner(HWND owner);
    void SetStyle(long style);
    void SetPosition(long left, long top, long width, long height);
    void SetDrain(HWND drain) { m_drain = drain; }
    // AutoShow: the graph runs.
    void Show();
    HWND Handle() const { return m_hwnd; }

    // Any thread.
    void Deliver(std::shared_ptr<const VideoFrame> frame);

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Create();

    HWND m_hwnd = nullptr;
    HWND m_owner = nullptr;
    HWND m_drain = nullptr;
    long m_style = WS_CHILD;
    RECT m_position{0, 0, 0, 0};
    bool m_positioned = false;

    std::mutex m_lock;  // guards m_pending and m_target against the delivering thread
    std::shared_ptr<const VideoFrame> m_pending;
    HWND m_target = nullptr;                    // where frame notices go
    std::atomic<bool> m_noticePosted{false};    // a notice is queued, or its frame not yet painted
    std::shared_ptr<const VideoFrame> m_shown;  // painted again on every WM_PAINT
};

}  // namespace dshow

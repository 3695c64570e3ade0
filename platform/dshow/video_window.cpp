// SPDX-License-Identifier: MIT
#include "platform/dshow/video_window.h"

namespace dshow {
namespace {

constexpr char kClassName[] = "menushell video";
// Posted by Deliver: a new frame waits to be painted.
constexpr UINT kFrameNotice = WM_USER + 1;

void RegisterVideoClass(WNDPROC proc) {
    static const ATOM atom = [proc] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = proc;
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc);
    }();
    (void)atom;
}

bool IsInput(UINT message) {
    return (message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP) ||
           (message >= WM_KEYDOWN && message <= WM_CHAR);
}

}  // namespace

VideoWindow::~VideoWindow() {
    SetOwner(nullptr);
}

void VideoWindow::SetOwner(HWND owner) {
    if (m_hwnd != nullptr && IsWindow(m_hwnd) == TRUE) {
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
    m_hwnd = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_target = nullptr;
    }
    m_owner = owner;
    if (owner != nullptr) {
        Create();
    }
}

// Without an owner there is nowhere to show the video: frames are kept for when one comes.
void VideoWindow::Create() {
    RegisterVideoClass(&VideoWindow::Proc);
    RECT r = m_position;
    if (!m_positioned) {
        GetClientRect(m_owner, &r);
    }
    m_hwnd =
        CreateWindowExA(0, kClassName, "", static_cast<DWORD>(m_style) & ~WS_VISIBLE, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, m_owner, nullptr, nullptr, nullptr);
    if (m_hwnd == nullptr) {
        return;
    }
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    std::lock_guard<std::mutex> guard(m_lock);
    m_target = m_hwnd;
    if (m_pending) {
        m_noticePosted = true;
        PostMessageA(m_hwnd, kFrameNotice, 0, 0);
    }
}

void VideoWindow::SetStyle(long style) {
    m_style = style;
    if (m_hwnd != nullptr) {
        SetWindowLongPtrA(m_hwnd, GWL_STYLE, style);
    }
}

void VideoWindow::SetPosition(long left, long top, long width, long height) {
    m_position = RECT{static_cast<LONG>(left), static_cast<LONG>(top),
                      static_cast<LONG>(left + width), static_cast<LONG>(top + height)};
    m_positioned = true;
    if (m_hwnd != nullptr) {
        MoveWindow(m_hwnd, m_position.left, m_position.top, m_position.right - m_position.left,
                   m_position.bottom - m_position.top, TRUE);
    }
}

void VideoWindow::Show() {
    if (m_hwnd != nullptr) {
        ShowWindow(m_hwnd, SW_SHOW);
    }
}

void VideoWindow::Deliver(std::shared_ptr<const VideoFrame> frame) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_pending = std::move(frame);
    if (m_target != nullptr && !m_noticePosted.exchange(true)) {
        PostMessageA(m_target, kFrameNotice, 0, 0);
    }
}

void VideoWindow::Paint() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const VideoFrame* f = m_shown.get();
    BITMAPINFO info{};
    if (f != nullptr) {
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = f->width;
        info.bmiHeader.biHeight = -f->height;  // rows top first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
    }
    if (f == nullptr ||
        StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, f->width, f->height,
                      f->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY) == 0) {
        // Before the first frame, as after a frame that cannot be drawn: black.
        const HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
        FillRect(dc, &client, black);
        DeleteObject(reinterpret_cast<HGDIOBJ>(black));
    }
    EndPaint(m_hwnd, &ps);
    // The next notice only once this frame is painted: however fast frames come, the loop
    // paints and shows each one it takes rather than queueing notices behind the paint.
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_noticePosted && m_pending) {
        PostMessageA(m_hwnd, kFrameNotice, 0, 0);
    } else {
        m_noticePosted = false;
    }
}

LRESULT CALLBACK VideoWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<VideoWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (IsInput(message) && self->m_drain != nullptr) {
        // As the real renderer does: posted, in the video window's client coordinates.
        PostMessageA(self->m_drain, message, wParam, lParam);
        return 0;
    }
    switch (message) {
        case kFrameNotice: {
            std::lock_guard<std::mutex> guard(self->m_lock);
            if (self->m_pending) {
                self->m_shown = std::move(self->m_pending);
                InvalidateRect(hwnd, nullptr, FALSE);
            } else {
                self->m_noticePosted = false;
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole window
        case WM_PAINT:
            self->Paint();
            return 0;
        case WM_NCDESTROY: {
            // The owner went first and took this window along.
            std::lock_guard<std::mutex> guard(self->m_lock);
            self->m_target = nullptr;
            self->m_hwnd = nullptr;
            return 0;
        }
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace dshow

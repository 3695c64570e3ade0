// SPDX-License-Identifier: MIT
// Window-system semantics pinned by the exact messages each window procedure receives.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/window_system.h"
#include "tests/helpers/headless.h"

namespace {

struct Msg;
using Trace = std::vector<Msg>;
struct Msg {
    UINT message;
    HWND hwnd;
    bool operator==(const Msg& o) const { return message == o.message && hwnd == o.hwnd; }
};

std::vector<Msg> g_trace;

bool Recorded(UINT message) {
    static const std::set<UINT> kRecorded{WM_PAINT,         WM_ERASEBKGND,  WM_TIMER,
                                          WM_MOUSEMOVE,     WM_LBUTTONDOWN, WM_LBUTTONUP,
                                          WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK,
                                          WM_SETCURSOR,     WM_CLOSE,       WM_KEYDOWN};
    return kRecorded.count(message) != 0 || (message >= WM_USER && message < WM_APP);
}

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Recorded(message)) {
        g_trace.push_back({message, hwnd});
    }
    if (message == WM_USER + 9) {  // sends a message while handling one
        SendMessageA(hwnd, WM_USER + 10, 0, 0);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void PrintTo(const Msg& m, std::ostream* out) {
    *out << "{0x" << std::hex << m.message << ", " << m.hwnd << "}";
}

// The messages recorded since the last call.
Trace Take() {
    return std::exchange(g_trace, {});
}

class MessageTest : public testing_support::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecorderProc;
        wc.lpszClassName = "Recorder";
        RegisterClassA(&wc);
        g_trace.clear();
    }

    void Settle() {
        PumpUntilIdle();
        g_trace.clear();
    }
    static HWND TopLevel(DWORD style = WS_POPUP | WS_VISIBLE) {
        return CreateWindowExA(0, "Recorder", "top", style, 100, 100, 200, 150, nullptr, nullptr,
                               nullptr, nullptr);
    }
    static HWND Child(HWND parent) {
        return CreateWindowExA(0, "Recorder", "", WS_CHILD | WS_VISIBLE, 50, 40, 100, 60, parent,
                               nullptr, nullptr, nullptr);
    }
};

TEST_F(MessageTest, SentNowPostedLaterBeforeInputPaintTimer) {
    const HWND top = TopLevel();
    Settle();
    SetTimer(top, 7, 100, nullptr);
    m_backend->Advance(100);
    InvalidateRect(top, nullptr, FALSE);
    MouseMove(top, 5, 5);
    PostMessageA(top, WM_USER + 1, 0, 0);
    SendMessageA(top, WM_USER + 2, 0, 0);
    // Send runs the procedure at once, also from inside another handler.
    SendMessageA(top, WM_USER + 9, 0, 0);
    EXPECT_EQ(Take(), (Trace{{WM_USER + 2, top}, {WM_USER + 9, top}, {WM_USER + 10, top}}));
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_USER + 1, top},
                             {WM_SETCURSOR, top},
                             {WM_MOUSEMOVE, top},
                             {WM_PAINT, top},
                             {WM_TIMER, top}}));
}

TEST_F(MessageTest, PaintMergesAndErasesAndReachesChildren) {
    const HWND top = TopLevel();
    const HWND child = Child(top);
    Settle();
    // InvalidateRect(top, NULL, TRUE) three times without WS_CLIPCHILDREN: one paint each, parent
    // first, erasing inside BeginPaint.
    InvalidateRect(top, nullptr, FALSE);
    InvalidateRect(top, nullptr, TRUE);
    InvalidateRect(top, nullptr, FALSE);
    PumpUntilIdle();
    EXPECT_EQ(
        Take(),
        (Trace{{WM_PAINT, top}, {WM_ERASEBKGND, top}, {WM_PAINT, child}, {WM_ERASEBKGND, child}}));
    // Without erasing nothing is erased; an area away from the child leaves it alone.
    const RECT corner{0, 0, 10, 10};
    InvalidateRect(top, &corner, FALSE);
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_PAINT, top}}));
    // A hidden child is not painted.
    ShowWindow(child, SW_HIDE);
    Settle();
    InvalidateRect(top, nullptr, FALSE);
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_PAINT, top}}));
    // WS_CLIPCHILDREN keeps the children valid.
    const HWND clip = TopLevel(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    Child(clip);
    Settle();
    InvalidateRect(clip, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_PAINT, clip}, {WM_ERASEBKGND, clip}}));
}

TEST_F(MessageTest, Timers) {
    const HWND top = TopLevel();
    Settle();
    // Setting the same timer again replaces it.
    SetTimer(top, 1, 100, nullptr);
    SetTimer(top, 1, 300, nullptr);
    AdvanceAndPump(299);
    EXPECT_TRUE(Take().empty());
    AdvanceAndPump(1);
    EXPECT_EQ(Take(), (Trace{{WM_TIMER, top}}));
    // KillTimer also drops a WM_TIMER that was due but not yet taken.
    AdvanceAndPump(0);
    m_backend->Advance(300);
    EXPECT_TRUE(KillTimer(top, 1));
    PumpUntilIdle();
    EXPECT_TRUE(Take().empty());
    EXPECT_FALSE(KillTimer(top, 1));
    // A destroyed window's timers go with it.
    SetTimer(top, 2, 50, nullptr);
    DestroyWindow(top);
    AdvanceAndPump(100);
    EXPECT_TRUE(Take().empty());
}

TEST_F(MessageTest, PointerInputGoesToTheChildUnderIt) {
    const HWND top = TopLevel();
    const HWND notify = Child(top);
    Settle();
    MouseMove(top, 60, 50);
    Click(top, 60, 50);
    PumpUntilIdle();
    // WM_SETCURSOR asks the child, whose default asks its parent.
    EXPECT_EQ(Take(), (Trace{{WM_SETCURSOR, notify},
                             {WM_SETCURSOR, top},
                             {WM_MOUSEMOVE, notify},
                             {WM_SETCURSOR, notify},
                             {WM_SETCURSOR, top},
                             {WM_LBUTTONDOWN, notify},
                             {WM_SETCURSOR, notify},
                             {WM_SETCURSOR, top},
                             {WM_LBUTTONUP, notify}}));
}

TEST_F(MessageTest, DoubleClicksNeedTheClassStyleTheTimeAndTheDistance) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RecorderProc;
    wc.lpszClassName = "DoubleClicks";
    RegisterClassA(&wc);
    const HWND dbl = CreateWindowExA(0, "DoubleClicks", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                     nullptr, nullptr, nullptr, nullptr);
    const HWND plain = TopLevel();
    auto buttons = [&] {  // the trace without the cursor queries and paints
        PumpUntilIdle();
        Trace pressed;
        for (const Msg& m : Take()) {
            if (m.message != WM_SETCURSOR && m.message != WM_PAINT && m.message != WM_ERASEBKGND) {
                pressed.push_back(m);
            }
        }
        return pressed;
    };
    auto clicks = [&](HWND top, int x1, int x2, std::uint64_t apart) {
        Click(top, x1, 10);
        m_backend->Advance(apart);
        Click(top, x2, 10);
        m_backend->Advance(1000);  // no pair with what comes next
        return buttons();
    };
    auto twoClicks = [](HWND top) {
        return Trace{
            {WM_LBUTTONDOWN, top}, {WM_LBUTTONUP, top}, {WM_LBUTTONDOWN, top}, {WM_LBUTTONUP, top}};
    };
    buttons();
    // The second press within 500 ms and 2 pixels either way; a third press starts afresh.
    Click(dbl, 10, 10);
    Click(dbl, 12, 10);
    Click(dbl, 12, 10);
    EXPECT_EQ(buttons(), (Trace{{WM_LBUTTONDOWN, dbl},
                                {WM_LBUTTONUP, dbl},
                                {WM_LBUTTONDBLCLK, dbl},
                                {WM_LBUTTONUP, dbl},
                                {WM_LBUTTONDOWN, dbl},
                                {WM_LBUTTONUP, dbl}}));
    m_backend->Advance(1000);
    EXPECT_EQ(clicks(dbl, 10, 10, 500)[2].message, WM_LBUTTONDBLCLK);
    EXPECT_EQ(clicks(dbl, 10, 10, 501), twoClicks(dbl));  // too slow
    EXPECT_EQ(clicks(dbl, 10, 13, 0), twoClicks(dbl));    // too far
    // Without CS_DBLCLKS every press is a press.
    EXPECT_EQ(clicks(plain, 10, 10, 0), twoClicks(plain));
    // The right button pairs the same way.
    const backend::InputEvent right{backend::EventType::kMouseDown, win32::Find(dbl)->backendId, 10,
                                    10, backend::MouseButton::kRight};
    m_backend->Input(right);
    m_backend->Input(right);
    EXPECT_EQ(buttons(), (Trace{{WM_RBUTTONDOWN, dbl}, {WM_RBUTTONDBLCLK, dbl}}));
}

// Nothing captures the mouse: what the pointer does outside the window, held button or not,
// is another window's business.
TEST_F(MessageTest, NoMouseInputFromOutsideTheWindow) {
    const HWND top = TopLevel();
    Settle();
    const int window = win32::Find(top)->backendId;
    for (const auto& [type, x, y] : std::vector<std::tuple<backend::EventType, int, int>>{
             {backend::EventType::kMouseMove, 199, 149},  // the last pixel inside
             {backend::EventType::kMouseMove, 200, 10},   // left to the right
             {backend::EventType::kMouseMove, 10, -1},    // above
             {backend::EventType::kMouseDown, 10, 10},    // a drag out
             {backend::EventType::kMouseMove, -5, 10},
             {backend::EventType::kMouseUp, -5, 10}}) {
        m_backend->Input({type, window, x, y, backend::MouseButton::kLeft});
    }
    PumpUntilIdle();
    EXPECT_EQ(
        Take(),
        (Trace{
            {WM_SETCURSOR, top}, {WM_MOUSEMOVE, top}, {WM_SETCURSOR, top}, {WM_LBUTTONDOWN, top}}));
}

TEST_F(MessageTest, CoordinatesAndParents) {
    const HWND top = TopLevel();
    const HWND child = Child(top);
    POINT p{3, 4};
    ClientToScreen(child, &p);
    EXPECT_EQ(std::tie(p.x, p.y), std::make_tuple(100 + 50 + 3, 100 + 40 + 4));
    ScreenToClient(top, &p);
    EXPECT_EQ(std::tie(p.x, p.y), std::make_tuple(53, 44));
    RECT r{};
    GetWindowRect(child, &r);
    EXPECT_EQ(std::tie(r.left, r.bottom), std::make_tuple(150, 200));
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetParent(top), nullptr);
    DestroyWindow(top);
    EXPECT_FALSE(IsWindow(child));
}

}  // namespace

// SPDX-License-Identifier: MIT
// Window-system semantics pinned by the exact messages each window procedure receives.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/window_system.h"
#include "tests/helpers/headless.h"

namespace {

// How a message reached the window procedure: straight from SendMessage (or the system, as
// SendMessage does), or taken from the queue by the message loop.
enum class Via { kSent, kPosted };
constexpr Via kSent = Via::kSent;
constexpr Via kPosted = Via::kPosted;

struct Msg {
    UINT message;
    HWND hwnd;
    Via via;
    std::optional<WPARAM> wParam = std::nullopt;  // compared where a table gives it
    bool operator==(const Msg& o) const {
        return message == o.message && hwnd == o.hwnd && via == o.via &&
               (!wParam || !o.wParam || *wParam == *o.wParam);
    }
};
using Trace = std::vector<Msg>;

std::vector<Msg> g_trace;

const std::map<UINT, const char*>& Names() {
    static const std::map<UINT, const char*> kNames{{WM_PAINT, "WM_PAINT"},
                                                    {WM_ERASEBKGND, "WM_ERASEBKGND"},
                                                    {WM_TIMER, "WM_TIMER"},
                                                    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
                                                    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
                                                    {WM_LBUTTONUP, "WM_LBUTTONUP"},
                                                    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
                                                    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
                                                    {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
                                                    {WM_SETCURSOR, "WM_SETCURSOR"},
                                                    {WM_CLOSE, "WM_CLOSE"},
                                                    {WM_KEYDOWN, "WM_KEYDOWN"}};
    return kNames;
}

bool Recorded(UINT message) {
    return Names().count(message) != 0 || (message >= WM_USER && message < WM_APP);
}

int g_depth = 0;  // procedures running, one inside another

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG* queued = testing_support::HeadlessTest::Dispatching();
    const bool posted =
        g_depth == 0 && queued != nullptr && queued->hwnd == hwnd && queued->message == message;
    if (Recorded(message)) {
        g_trace.push_back({message, hwnd, posted ? kPosted : kSent, wParam});
    }
    ++g_depth;
    if (message == WM_USER + 9) {  // sends a message while handling one
        SendMessageA(hwnd, WM_USER + 10, 0, 0);
    }
    const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
    --g_depth;
    return result;
}

void PrintTo(const Msg& m, std::ostream* out) {
    const auto name = Names().find(m.message);
    if (name != Names().end()) {
        *out << name->second;
    } else {
        *out << "WM_USER+" << m.message - WM_USER;
    }
    *out << (m.via == kSent ? " sent to " : " posted to ") << m.hwnd;
    if (m.wParam) {
        *out << ", wParam " << *m.wParam;
    }
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
    // The three SendMessage calls, before any loop runs:
    EXPECT_EQ(
        Take(),
        (Trace{{WM_USER + 2, top, kSent}, {WM_USER + 9, top, kSent}, {WM_USER + 10, top, kSent}}));
    // PumpUntilIdle: the posted message, then the input (the cursor asked first), then the
    // paint, then the timer, whatever order they came in.
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_USER + 1, top, kPosted},
                             {WM_SETCURSOR, top, kSent},
                             {WM_MOUSEMOVE, top, kPosted},
                             {WM_PAINT, top, kPosted},
                             {WM_TIMER, top, kPosted, 7}}));
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
    // PumpUntilIdle: each WM_PAINT from the loop, its WM_ERASEBKGND sent by BeginPaint.
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_PAINT, top, kPosted},
                             {WM_ERASEBKGND, top, kSent},
                             {WM_PAINT, child, kPosted},
                             {WM_ERASEBKGND, child, kSent}}));
    // Without erasing nothing is erased; an area away from the child leaves it alone.
    const RECT corner{0, 0, 10, 10};
    InvalidateRect(top, &corner, FALSE);
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_PAINT, top, kPosted}}));
    // A hidden child is not painted.
    ShowWindow(child, SW_HIDE);
    Settle();
    InvalidateRect(top, nullptr, FALSE);
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_PAINT, top, kPosted}}));
    // WS_CLIPCHILDREN keeps the children valid.
    const HWND clip = TopLevel(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    Child(clip);
    Settle();
    InvalidateRect(clip, nullptr, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_PAINT, clip, kPosted}, {WM_ERASEBKGND, clip, kSent}}));
}

TEST_F(MessageTest, Timers) {
    const HWND top = TopLevel();
    Settle();
    // Setting the same timer again replaces it.
    SetTimer(top, 1, 100, nullptr);
    SetTimer(top, 1, 300, nullptr);
    AdvanceAndPump(299);
    EXPECT_TRUE(Take().empty());
    // AdvanceAndPump(1): the loop makes WM_TIMER with the timer's id when it is due.
    AdvanceAndPump(1);
    EXPECT_EQ(Take(), (Trace{{WM_TIMER, top, kPosted, 1}}));
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
    // PumpUntilIdle over the move and the click: for each input the loop sends WM_SETCURSOR to
    // the child, whose default sends it to its parent, then returns the input message.
    EXPECT_EQ(Take(), (Trace{{WM_SETCURSOR, notify, kSent},
                             {WM_SETCURSOR, top, kSent},
                             {WM_MOUSEMOVE, notify, kPosted},
                             {WM_SETCURSOR, notify, kSent},
                             {WM_SETCURSOR, top, kSent},
                             {WM_LBUTTONDOWN, notify, kPosted},
                             {WM_SETCURSOR, notify, kSent},
                             {WM_SETCURSOR, top, kSent},
                             {WM_LBUTTONUP, notify, kPosted}}));
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
    // PumpUntilIdle over the presses given (the backend's input), keeping the button messages
    // the loop returns: without the cursor queries and paints.
    auto buttons = [&] {
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
        return Trace{{WM_LBUTTONDOWN, top, kPosted},
                     {WM_LBUTTONUP, top, kPosted},
                     {WM_LBUTTONDOWN, top, kPosted},
                     {WM_LBUTTONUP, top, kPosted}};
    };
    buttons();
    // The second press within 500 ms and 2 pixels either way; a third press starts afresh.
    Click(dbl, 10, 10);
    Click(dbl, 12, 10);
    Click(dbl, 12, 10);
    EXPECT_EQ(buttons(), (Trace{{WM_LBUTTONDOWN, dbl, kPosted},
                                {WM_LBUTTONUP, dbl, kPosted},
                                {WM_LBUTTONDBLCLK, dbl, kPosted},
                                {WM_LBUTTONUP, dbl, kPosted},
                                {WM_LBUTTONDOWN, dbl, kPosted},
                                {WM_LBUTTONUP, dbl, kPosted}}));
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
    EXPECT_EQ(buttons(), (Trace{{WM_RBUTTONDOWN, dbl, kPosted}, {WM_RBUTTONDBLCLK, dbl, kPosted}}));
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
    // PumpUntilIdle: only the move and the press inside reach the window, each after its cursor
    // query.
    PumpUntilIdle();
    EXPECT_EQ(Take(), (Trace{{WM_SETCURSOR, top, kSent},
                             {WM_MOUSEMOVE, top, kPosted},
                             {WM_SETCURSOR, top, kSent},
                             {WM_LBUTTONDOWN, top, kPosted}}));
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

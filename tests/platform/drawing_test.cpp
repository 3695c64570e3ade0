// SPDX-License-Identifier: MIT
// Drawing into a window's frame through the device contexts BeginPaint hands out.
#include <gtest/gtest.h>

#include <vector>

#include "tests/helpers/headless.h"

namespace {

// A 2 x 2 bottom-up DIB: the top row red, green; the bottom row blue, white.
struct Dib24 {
    BITMAPINFOHEADER header{40, 2, 2, 1, 24, 0, 0, 0, 0, 0, 0};
    BYTE bits[16] = {0xFF, 0, 0,    0xFF, 0xFF, 0xFF, 0, 0,   // bottom row: blue, white, padding
                     0,    0, 0xFF, 0,    0xFF, 0,    0, 0};  // top row: red, green, padding
};

// The same picture through a palette.
struct Dib8 {
    BITMAPINFOHEADER header{40, 2, 2, 1, 8, 0, 0, 0, 0, 4, 0};
    RGBQUAD palette[4] = {{0, 0, 0xFF, 0}, {0, 0xFF, 0, 0}, {0xFF, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
    BYTE bits[8] = {2, 3, 0, 0, 0, 1, 0, 0};
};

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF,
                        kBlack = 0x000000;

int g_x = 10, g_y = 10;

void Draw(HDC hdc, const BITMAPINFOHEADER* header, const void* bits, int x, int y) {
    const HDRAWDIB hdd = DrawDibOpen();
    DrawDibDraw(hdd, hdc, x, y, -1, -1, const_cast<BITMAPINFOHEADER*>(header),
                const_cast<void*>(bits), 0, 0, 2, 2, 0);
    DrawDibClose(hdd);
}

LRESULT CALLBACK PainterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    static const Dib24 dib24;
    static const Dib8 dib8;
    PAINTSTRUCT ps;
    const HDC hdc = BeginPaint(hwnd, &ps);
    Draw(hdc, &dib24.header, dib24.bits, g_x, g_y);
    Draw(hdc, &dib8.header, dib8.bits, g_x + 10, g_y);
    const HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    const RECT frame{30, 30, 40, 36};
    FrameRect(hdc, &frame, white);
    DeleteObject(reinterpret_cast<HGDIOBJ>(white));
    EndPaint(hwnd, &ps);
    return 0;
}

class DrawingTest : public testing_support::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = PainterProc;
        wc.lpszClassName = "Painter";
        RegisterClassA(&wc);
        g_x = g_y = 10;
    }
};

TEST_F(DrawingTest, DibsLandRightWayUpAtTheirPlace) {
    const HWND top = CreateWindowExA(0, "Painter", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48, nullptr,
                                     nullptr, nullptr, nullptr);
    PumpUntilIdle();
    for (int x0 : {10, 20}) {  // 24 bits, then 8 bits through the palette
        EXPECT_EQ(PixelAt(top, x0, 10), kRed) << x0;
        EXPECT_EQ(PixelAt(top, x0 + 1, 10), kGreen) << x0;
        EXPECT_EQ(PixelAt(top, x0, 11), kBlue) << x0;
        EXPECT_EQ(PixelAt(top, x0 + 1, 11), kWhite) << x0;
        EXPECT_EQ(PixelAt(top, x0 + 2, 10), kBlack) << x0;
    }
    // FrameRect is one pixel wide, on the rectangle's inside edge.
    EXPECT_EQ(PixelAt(top, 30, 30), kWhite);
    EXPECT_EQ(PixelAt(top, 39, 35), kWhite);
    EXPECT_EQ(PixelAt(top, 31, 31), kBlack);
    EXPECT_EQ(PixelAt(top, 40, 35), kBlack);
    EXPECT_EQ(PixelAt(top, 35, 36), kBlack);
    DestroyWindow(top);
}

TEST_F(DrawingTest, DrawingIsClippedToTheWindowAndItsUpdate) {
    const HWND top = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48, nullptr,
                                     nullptr, nullptr, nullptr);
    // A child at (8, 8) whose picture starts one pixel up and left of it.
    const HWND child = CreateWindowExA(0, "Painter", "", WS_CHILD | WS_VISIBLE, 8, 8, 30, 30, top,
                                       nullptr, nullptr, nullptr);
    g_x = g_y = -1;
    PumpUntilIdle();
    EXPECT_EQ(PixelAt(top, 7, 7), kBlack);  // outside the child: clipped
    EXPECT_EQ(PixelAt(top, 8, 8), kWhite);  // the picture's bottom-right pixel
    // Only the invalid part of a window is drawn.
    g_x = g_y = 0;
    const RECT part{0, 0, 1, 1};
    InvalidateRect(child, &part, FALSE);
    PumpUntilIdle();
    EXPECT_EQ(PixelAt(top, 8, 8), kRed);
    EXPECT_EQ(PixelAt(top, 9, 8), kBlack);  // the DIB's green stays out
    DestroyWindow(top);
}

// A 2 x 2 top-down 32-bit DIB stretched to 8 x 8 at (4, 4), and again across the right edge; a
// window whose next "frame" (WM_USER) is always ready by the time it has painted the last.
LRESULT CALLBACK StretcherProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static const std::uint32_t pixels[4] = {kRed, kGreen, kBlue, kWhite};
    if (message == WM_USER) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    }
    if (message != WM_PAINT) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    BITMAPINFO info{};
    info.bmiHeader = {40, 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    PAINTSTRUCT ps;
    const HDC hdc = BeginPaint(hwnd, &ps);
    StretchDIBits(hdc, 4, 4, 8, 8, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
    StretchDIBits(hdc, 14, 0, 8, 2, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
    EndPaint(hwnd, &ps);
    PostMessageA(hwnd, WM_USER, 0, 0);
    return 0;
}

TEST_F(DrawingTest, StretchedFramesReachTheScreenWhilePostsKeepComing) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = StretcherProc;
    wc.lpszClassName = "Stretcher";
    RegisterClassA(&wc);
    const HWND top = CreateWindowExA(0, "Stretcher", "", WS_POPUP | WS_VISIBLE, 0, 0, 16, 16,
                                     nullptr, nullptr, nullptr, nullptr);
    // The queue never runs dry here, as with a playing movie: what is painted shows anyway.
    MSG msg;
    for (int n = 0; n < 50 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE; ++n) {
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(PixelAt(top, 4, 4), kRed);
    EXPECT_EQ(PixelAt(top, 7, 7), kRed);
    EXPECT_EQ(PixelAt(top, 8, 4), kGreen);
    EXPECT_EQ(PixelAt(top, 4, 8), kBlue);
    EXPECT_EQ(PixelAt(top, 11, 11), kWhite);
    EXPECT_EQ(PixelAt(top, 12, 12), kBlack);
    EXPECT_EQ(PixelAt(top, 3, 3), kBlack);
    EXPECT_EQ(PixelAt(top, 15, 0), kRed);  // cut at the window's edge
    DestroyWindow(top);
}

}  // namespace

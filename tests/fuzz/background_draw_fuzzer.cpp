// SPDX-License-Identifier: MIT
// Any BMP file as the menu's background: loaded, made into the offscreen picture, copied into it
// and drawn, and drawn as it loaded, as every paint does. Every read must stay inside the
// picture's header block and pixel buffer, whatever the header claims.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "imaging/dib_image.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/windows.h"
#include "tests/fuzz/scratch_media.h"

namespace {

const DibImage* g_frame = nullptr;
const DibImage* g_loaded = nullptr;

LRESULT CALLBACK DrawerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    PAINTSTRUCT ps;
    const HDC hdc = BeginPaint(hwnd, &ps);
    g_frame->Draw(hdc, 0, 0);
    g_loaded->Draw(hdc, 0, 0);
    EndPaint(hwnd, &ps);
    return 0;
}

HWND Window() {
    static const HWND window = [] {
        backend::Install(std::make_unique<backend::HeadlessBackend>());
        WNDCLASSA wc{};
        wc.lpfnWndProc = DrawerProc;
        wc.lpszClassName = "Drawer";
        RegisterClassA(&wc);
        return CreateWindowExA(0, "Drawer", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48, nullptr,
                               nullptr, nullptr, nullptr);
    }();
    return window;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EnterScratchFolder();
    const HWND window = Window();
    WriteFile("p.bmp", data, size);
    DibImage background;
    background.Load("p.bmp");
    DibImage frame;
    if (background.m_pInfo == nullptr ||
        frame.AllocHeader(background.m_pInfo->bmiHeader) == FALSE) {
        return 0;
    }
    // Frames of up to 256 MiB are the launcher's to allocate; the fuzzer keeps to small ones.
    const auto height = static_cast<std::uint32_t>(frame.m_pInfo->bmiHeader.biHeight);
    if (std::uint64_t{height} * frame.m_nStride > (std::uint64_t{1} << 22) ||
        frame.AllocBits() == FALSE) {
        return 0;
    }
    // As the launcher prepares its frame: black pixels and palette, then the background.
    std::memset(frame.m_pBits, 0, std::size_t{height} * frame.m_nStride);
    std::memset(frame.m_pInfo->bmiColors, 0, std::size_t{4} * frame.PaletteEntries());
    background.BlitInto(&frame, 0, 0);
    g_frame = &frame;
    g_loaded = &background;
    InvalidateRect(window, nullptr, FALSE);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
        DispatchMessageA(&msg);
    }
    return 0;
}

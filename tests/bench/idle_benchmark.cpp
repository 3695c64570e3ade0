// SPDX-License-Identifier: MIT
// How often an idle message loop wakes up over 5 s: on the headless backend's virtual clock, and
// on the real X11 and SDL backends when a display is there. An idle loop should wake only for a
// timer.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <thread>

#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/backend/x11/x11_backend.h"
#include "platform/win32/window_system.h"
#include "platform/windows.h"

namespace {

LRESULT CALLBACK QuitOnClose(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == WM_USER) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Opens a window on `backend`, with a 500 ms timer for a non-zero argument, and runs the loop
// until WM_QUIT, which `stop` arranges once the window is up: a script, or a thread that posts.
template <typename Stop>
void RunIdle(benchmark::State& state, std::unique_ptr<backend::Backend> backend, Stop stop) {
    backend::Install(std::move(backend));
    WNDCLASSA wc{};
    wc.lpfnWndProc = QuitOnClose;
    wc.lpszClassName = "Idle";
    RegisterClassA(&wc);
    const HWND hwnd = CreateWindowExA(0, "Idle", "idle", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64,
                                      nullptr, nullptr, nullptr, nullptr);
    if (state.range(0) != 0) {
        SetTimer(hwnd, 1, 500, nullptr);
    }
    // Let the window come up before counting.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
        DispatchMessageA(&msg);
    }
    std::thread stopper = stop(hwnd);
    const std::uint64_t before = win32::System().wakeupsWithoutInput;
    const std::clock_t cpuBefore = std::clock();
    while (GetMessageA(&msg, nullptr, 0, 0) == TRUE) {
        DispatchMessageA(&msg);
    }
    state.counters["wakeups"] = static_cast<double>(win32::System().wakeupsWithoutInput - before);
    if (stopper.joinable()) {
        state.counters["cpu_ms"] =
            1e3 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        state.counters["wakeups"] -= 1;  // the stopper's own post
        stopper.join();
    }
    DestroyWindow(hwnd);
    backend::Install(nullptr);
}

void BM_IdleVirtual5s(benchmark::State& state) {
    for (auto _ : state) {
        auto headless = std::make_unique<backend::HeadlessBackend>();
        backend::HeadlessBackend* clock = headless.get();
        RunIdle(state, std::move(headless), [&](HWND) {
            clock->Script({backend::EventType::kClose, clock->NewestWindow()}, 5000);
            return std::thread();
        });
    }
}
BENCHMARK(BM_IdleVirtual5s)->DenseRange(0, 1)->Iterations(1);

template <std::unique_ptr<backend::Backend> (*Make)(std::string*)>
void BM_IdleReal5s(benchmark::State& state) {
    for (auto _ : state) {
        std::string error;
        auto real = Make(&error);
        if (!real) {
            state.SkipWithError(("no display: " + error).c_str());
            return;
        }
        RunIdle(state, std::move(real), [](HWND hwnd) {
            return std::thread([hwnd] {
                std::this_thread::sleep_for(std::chrono::seconds(5));
                PostMessageA(hwnd, WM_USER, 0, 0);
            });
        });
    }
}
BENCHMARK_TEMPLATE(BM_IdleReal5s, backend::MakeX11Backend)
    ->DenseRange(0, 1)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_TEMPLATE(BM_IdleReal5s, backend::MakeSdlBackend)
    ->DenseRange(0, 1)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

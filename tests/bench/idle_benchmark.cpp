// How often an idle message loop wakes up over 5 s: on the headless backend's virtual clock, and
// on the real SDL backend when a display is there. An idle loop should wake only for a timer.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/sdl/sdl_backend.h"
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

HWND IdleWindow(bool timer) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = QuitOnClose;
    wc.lpszClassName = "Idle";
    RegisterClassA(&wc);
    const HWND hwnd = CreateWindowExA(0, "Idle", "idle", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64,
                                      nullptr, nullptr, nullptr, nullptr);
    if (timer) {
        SetTimer(hwnd, 1, 500, nullptr);
    }
    return hwnd;
}

// Runs the loop until WM_QUIT; returns the wake-ups without input.
std::uint64_t RunLoop() {
    const std::uint64_t before = win32::System().wakeupsWithoutInput;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) == TRUE) {
        DispatchMessageA(&msg);
    }
    return win32::System().wakeupsWithoutInput - before;
}

double CpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
           usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
}

void BM_IdleVirtual5s(benchmark::State& state) {
    const bool timer = state.range(0) != 0;
    for (auto _ : state) {
        auto headless = std::make_unique<backend::HeadlessBackend>();
        auto* clock = headless.get();
        backend::Install(std::move(headless));
        const HWND hwnd = IdleWindow(timer);
        backend::InputEvent close;
        close.type = backend::EventType::kClose;
        close.window = clock->NewestWindow();
        clock->Script(close, 5000);
        state.counters["wakeups"] = static_cast<double>(RunLoop());
        DestroyWindow(hwnd);
        backend::Install(nullptr);
    }
}
BENCHMARK(BM_IdleVirtual5s)->Arg(0)->Arg(1)->Iterations(1);

void BM_IdleReal5s(benchmark::State& state) {
    const bool timer = state.range(0) != 0;
    for (auto _ : state) {
        std::string error;
        auto sdl = backend::MakeSdlBackend(&error);
        if (!sdl) {
            state.SkipWithError(("no display: " + error).c_str());
            return;
        }
        backend::Install(std::move(sdl));
        const HWND hwnd = IdleWindow(timer);
        std::thread stopper([hwnd] {
            std::this_thread::sleep_for(std::chrono::seconds(5));
            PostMessageA(hwnd, WM_USER, 0, 0);
        });
        // Let the window come up before counting.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
            DispatchMessageA(&msg);
        }
        const double cpuBefore = CpuMs();
        const std::uint64_t wakeups = RunLoop();
        state.counters["cpu_ms"] = CpuMs() - cpuBefore;
        // The stopper's own post wakes the loop once.
        state.counters["wakeups"] = static_cast<double>(wakeups) - 1;
        stopper.join();
        DestroyWindow(hwnd);
        backend::Install(nullptr);
    }
}
BENCHMARK(BM_IdleReal5s)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

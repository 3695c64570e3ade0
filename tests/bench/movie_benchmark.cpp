// SPDX-License-Identifier: MIT
// Movies through the real filter-graph module, in real time: how long PlayMovie's calls take to
// put the first video frame on screen (the first time in a process: loading the module and
// starting GStreamer included), and whether 10 s of 640 x 480 video at 30 frames a second plays
// with every frame shown, how much CPU it takes and whether memory grows. The window layer runs
// on the headless backend with a real clock: it waits for GStreamer's posts as the real one does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>

#include "platform/backend/headless/headless_backend.h"
#include "platform/dshow.h"
#include "platform/windows.h"

namespace {

using Clock = std::chrono::steady_clock;

// The headless backend on the real clock: waits block until the deadline or a post.
class RealTimeBackend : public backend::HeadlessBackend {
  public:
    std::optional<backend::InputEvent> WaitEvent(int timeoutMs) override {
        std::unique_lock<std::mutex> guard(m_lock);
        const auto woken = [this] { return m_woken; };
        if (timeoutMs < 0) {
            m_wake.wait(guard, woken);
        } else {
            m_wake.wait_for(guard, std::chrono::milliseconds(timeoutMs), woken);
        }
        m_woken = false;
        return std::nullopt;
    }
    void Wake() override {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_woken = true;
        m_wake.notify_all();
    }
    std::uint64_t Now() override {
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
                .count());
    }
    // Counts the presents that show a picture other than the last one.
    void Present(int /*window*/, const backend::Image& frame) override {
        std::uint64_t hash = 1469598103934665603ULL;
        for (std::size_t i = 0; i < frame.pixels.size(); i += 97) {
            hash = (hash ^ frame.pixels[i]) * 1099511628211ULL;
        }
        if (hash != m_lastHash) {
            m_lastHash = hash;
            ++changes;
            if (firstChange == Clock::time_point{}) {
                firstChange = Clock::now();
            }
        }
    }

    int changes = 0;
    Clock::time_point firstChange{};

  private:
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_woken = false;
    std::uint64_t m_lastHash = 0;
};

constexpr UINT kNotify = WM_APP + 1;
bool g_ended = false;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_ended = g_ended || message == kNotify;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The real-time backend and a 640 x 480 owner window, for one benchmark.
struct Screen {
    RealTimeBackend* realTime = new RealTimeBackend;
    HWND owner;

    Screen() {
        backend::Install(std::unique_ptr<backend::Backend>(realTime));
        WNDCLASSA wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.lpszClassName = "Owner";
        RegisterClassA(&wc);
        owner = CreateWindowExA(0, "Owner", "movie", WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                                nullptr, nullptr);
    }
    ~Screen() {
        DestroyWindow(owner);
        backend::Install(nullptr);
    }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // The message loop until `done` or `deadline`.
    template <typename Done>
    void Pump(Clock::time_point deadline, Done done) {
        MSG msg;
        while (!done() && Clock::now() < deadline) {
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
                DispatchMessageA(&msg);
            } else {
                realTime->WaitEvent(10);
            }
        }
    }
};

// What PlayMovie does, and StopMovie when the object goes.
struct Movie {
    IGraphBuilder* graph = nullptr;
    IMediaControl* control = nullptr;
    IVideoWindow* video = nullptr;
    IMediaEventEx* events = nullptr;

    Movie(HWND owner, const std::string& path) {
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(&graph));
        graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
        graph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&video));
        graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&events));
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        graph->RenderFile(wide, nullptr);
        events->SetNotifyWindow(reinterpret_cast<OAHWND>(owner), kNotify, 0);
        video->put_Owner(reinterpret_cast<OAHWND>(owner));
        video->put_WindowStyle(WS_CHILD);
        video->SetWindowPosition(0, 0, 640, 480);
        control->Run();
    }
    ~Movie() {
        control->Stop();
        control->Release();
        video->Release();
        events->Release();
        graph->Release();
    }
    Movie(const Movie&) = delete;
    Movie& operator=(const Movie&) = delete;
};

// 300 frames (10 s) of GStreamer's moving-ball picture, 640 x 480 at 30 frames a second, every
// frame different. Made by gst-launch-1.0, so that the first movie of this process is as cold
// as the launcher's: GStreamer not yet loaded.
std::string MakeBallMovie(const char* name, const char* encoder) {
    std::string path = std::string("/tmp/menushell-bench-") + name + ".avi";
    const std::string command =
        "gst-launch-1.0 -q videotestsrc num-buffers=300 pattern=ball ! "
        "video/x-raw,width=640,height=480,framerate=30/1 ! " +
        std::string(encoder) + " ! avimux ! filesink location=" + path;
    if (std::system(command.c_str()) != 0) {
        (void)std::fprintf(stderr, "movie_benchmark: could not make %s\n", path.c_str());
    }
    return path;
}

long RssKiB() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// From the first of PlayMovie's calls until the first video frame is presented; the first
// iteration in the process is the cold one.
void BM_PlayMovieToFirstFrame(benchmark::State& state) {
    static const std::string path = MakeBallMovie("mjpeg", "jpegenc");
    Screen screen;
    static bool cold = true;
    for (auto _ : state) {
        const int before = screen.realTime->changes;
        const Clock::time_point start = Clock::now();
        screen.realTime->firstChange = {};
        const Movie movie(screen.owner, path);
        screen.Pump(start + std::chrono::seconds(5),
                    [&] { return screen.realTime->changes != before; });
        const double ms =
            std::chrono::duration<double, std::milli>(screen.realTime->firstChange - start).count();
        state.SetIterationTime(ms / 1000);
        if (cold) {
            state.counters["cold_ms"] = ms;
            cold = false;
        }
    }
}
BENCHMARK(BM_PlayMovieToFirstFrame)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// 300 frames: how many reach the screen, CPU of the whole process, memory growth.
void BM_Playback(benchmark::State& state, const char* name, const char* encoder) {
    const std::string path = MakeBallMovie(name, encoder);
    Screen screen;
    for (auto _ : state) {
        g_ended = false;
        const int before = screen.realTime->changes;
        const std::clock_t cpuBefore = std::clock();
        const Clock::time_point start = Clock::now();
        const Movie movie(screen.owner, path);
        long rssEarly = 0;
        screen.Pump(start + std::chrono::seconds(20), [&] {
            if (rssEarly == 0 && Clock::now() - start > std::chrono::seconds(2)) {
                rssEarly = RssKiB();
            }
            return g_ended;
        });
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["shown"] = screen.realTime->changes - before;
        state.counters["cpu_percent"] =
            100.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC / wall;
        state.counters["rss_growth_KiB"] = static_cast<double>(RssKiB() - rssEarly);
        state.counters["seconds"] = wall;
    }
}
BENCHMARK_CAPTURE(BM_Playback, mjpeg, "mjpeg", "jpegenc")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Playback, mpeg4, "mpeg4", "avenc_mpeg4 bitrate=2000000")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();

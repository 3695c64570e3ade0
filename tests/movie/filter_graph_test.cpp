// Movies through the filter-graph module as the launcher loads it: CoCreateInstance finds the
// module beside this program, and its pictures land in windows of the headless backend, watched
// in real time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/dshow.h"
#include "tests/helpers/headless.h"
#include "tests/helpers/scratch_folder.h"
#include "tests/movie/movie_fixtures.h"

namespace {

using Clock = std::chrono::steady_clock;
using movie_fixtures::MovieFormat;

constexpr int kFrames = 48;
constexpr int kVideoWidth = 640;
constexpr int kVideoHeight = 480;
// Where the tests look for the frame: inside the picture however it is scaled.
constexpr int kLookX = kVideoWidth / 4;
constexpr int kLookY = kVideoHeight / 4;
constexpr UINT kGraphNotify = WM_APP + 1;
constexpr LONG_PTR kInstanceData = 0x5A;

// Test machines may be loaded, and run this under AddressSanitizer: every bound is wide.
constexpr double kFirstPictureMs = 750;
constexpr double kAheadMs = 200;
constexpr double kBehindMs = 600;
// Late frames are dropped, the last ones too.
constexpr double kEndDroppedMs = 300;
constexpr auto kPlayLimit = std::chrono::seconds(15);
// The preroll limit, and room for the machine.
constexpr double kFailureMs = 5500;
constexpr double kReleaseMs = 2000;

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received> g_received;

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_received.push_back({hwnd, message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool Got(HWND hwnd, UINT message, std::optional<LPARAM> lParam = std::nullopt) {
    return std::any_of(g_received.begin(), g_received.end(), [&](const Received& r) {
        return r.hwnd == hwnd && r.message == message && (!lParam || r.lParam == *lParam);
    });
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Interface>
void ReleaseOne(Interface*& pointer) {
    if (pointer != nullptr) {
        pointer->Release();
        pointer = nullptr;
    }
}

// One filter graph and the interfaces the launcher takes from it.
struct Graph {
    IGraphBuilder* builder = nullptr;
    IMediaControl* control = nullptr;
    IVideoWindow* video = nullptr;
    IMediaEventEx* events = nullptr;

    Graph() {
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                         IID_IGraphBuilder, reinterpret_cast<void**>(&builder));
        if (builder != nullptr) {
            builder->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
            builder->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&video));
            builder->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&events));
        }
    }
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;
    ~Graph() { Release(); }

    bool Complete() const {
        return builder != nullptr && control != nullptr && video != nullptr && events != nullptr;
    }
    void Release() {
        ReleaseOne(control);
        ReleaseOne(video);
        ReleaseOne(events);
        ReleaseOne(builder);
    }

    HRESULT Render(const std::string& ansiPath) {
        WCHAR wide[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, ansiPath.c_str(), -1, wide, MAX_PATH) == 0) {
            return E_FAIL;
        }
        return builder->RenderFile(wide, nullptr);
    }

    // As the launcher sets up its picture window.
    void Attach(HWND owner, HWND drain) {
        events->SetNotifyWindow(reinterpret_cast<OAHWND>(owner), kGraphNotify, kInstanceData);
        video->put_MessageDrain(reinterpret_cast<OAHWND>(drain));
        video->put_Owner(reinterpret_cast<OAHWND>(owner));
        video->put_WindowStyle(static_cast<long>(WS_CHILD));
        video->SetWindowPosition(0, 0, kVideoWidth, kVideoHeight);
    }

    std::optional<long> NextEvent(long timeoutMs) {
        long code = 0;
        LONG_PTR param1 = 0;
        LONG_PTR param2 = 0;
        if (events->GetEvent(&code, &param1, &param2, timeoutMs) != S_OK) {
            return std::nullopt;
        }
        events->FreeEventParams(code, param1, param2);
        return code;
    }
};

// What the owner window showed from Run on, and how the movie ended.
struct Playback {
    struct Look {
        double ms;
        int frame;  // -1: no frame of the movie
    };
    std::vector<Look> looks;
    long end = 0;  // 0: no end within the limit
    double endMs = 0;

    // The frames in the order they appeared, with when, for failure messages.
    std::string Trace() const {
        std::ostringstream out;
        int previous = -2;
        for (const Look& look : looks) {
            if (look.frame != previous) {
                out << " " << static_cast<int>(look.ms) << "ms:" << look.frame;
                previous = look.frame;
            }
        }
        out << " end " << end << " at " << static_cast<int>(endMs) << "ms";
        return out.str();
    }
};

class FilterGraphTest : public testing_support::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        // Before anything is timed: on a fresh machine this builds GStreamer's registry.
        ASSERT_EQ(movie_fixtures::StartGStreamer(), "");
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecorderProc;
        wc.lpszClassName = "Recorder";
        RegisterClassA(&wc);
        g_received.clear();
    }

    static HWND TopLevel(int width, int height, DWORD style = WS_POPUP | WS_VISIBLE) {
        return CreateWindowExA(0, "Recorder", "", style, 0, 0, width, height, nullptr, nullptr,
                               nullptr, nullptr);
    }

    // Writes a movie into the scratch folder; the path a menu authored on Windows would give
    // it, or "" when it could not be made.
    static std::string Movie(const MovieFormat& format, const std::string& name) {
        std::filesystem::create_directories("movies");
        const std::string error =
            movie_fixtures::WriteMovie(format, kFrames, "movies/" + name + format.extension);
        EXPECT_EQ(error, "");
        std::string windowsName = name + format.extension;
        std::transform(windowsName.begin(), windowsName.end(), windowsName.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return error.empty() ? "Movies\\" + windowsName : "";
    }

    int FrameAt(HWND owner, int x, int y, const MovieFormat& format) const {
        return movie_fixtures::FrameShown(PixelAt(owner, x, y), format);
    }

    // Dispatches what is ready up to a paint, then presents it. Where painting is slower than the
    // frames come (sanitizers on a loaded machine) the queue never runs dry; a PeekMessage that
    // finds nothing for the owner alone presents all the same.
    static void PumpAndPresent(HWND owner) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
            DispatchMessageA(&msg);
            if (msg.message == WM_PAINT) {
                break;
            }
        }
        PeekMessageA(&msg, owner, 0, 0, PM_NOREMOVE);
    }

    // Pumps and looks at the owner, between waits for the graph's events, until the movie ends.
    Playback Watch(Graph& graph, HWND owner, const MovieFormat& format, Clock::time_point run) {
        Playback playback;
        for (;;) {
            PumpAndPresent(owner);
            playback.looks.push_back({MsSince(run), FrameAt(owner, kLookX, kLookY, format)});
            if (const auto code = graph.NextEvent(5)) {
                playback.end = *code;
                playback.endMs = MsSince(run);
                if (*code == EC_COMPLETE || *code == EC_ERRORABORT) {
                    break;
                }
            }
            if (Clock::now() - run > kPlayLimit) {
                playback.end = 0;
                break;
            }
        }
        PumpUntilIdle();
        playback.looks.push_back({MsSince(run), FrameAt(owner, kLookX, kLookY, format)});
        return playback;
    }

    // The event's notice may be posted just after GetEvent took the event.
    bool AwaitNotice(Graph& graph, HWND owner) {
        const Clock::time_point start = Clock::now();
        while (!Got(owner, kGraphNotify, kInstanceData) && MsSince(start) < 1000) {
            graph.NextEvent(5);
            PumpUntilIdle();
        }
        return Got(owner, kGraphNotify, kInstanceData);
    }

    // Runs until the owner shows a frame of the movie; false when none comes in time.
    bool RunUntilShown(Graph& graph, HWND owner, const MovieFormat& format, int atLeast = 0) {
        const Clock::time_point run = Clock::now();
        graph.control->Run();
        while (Clock::now() - run < kPlayLimit) {
            PumpAndPresent(owner);
            if (FrameAt(owner, kLookX, kLookY, format) >= atLeast) {
                return true;
            }
            graph.NextEvent(5);
        }
        return false;
    }
};

// The frames appear in order, none skipped back, and once pictures show they keep showing.
void ExpectInOrder(const Playback& playback, int frames, int leastSeen) {
    const auto first = std::find_if(playback.looks.begin(), playback.looks.end(),
                                    [](const Playback::Look& look) { return look.frame >= 0; });
    ASSERT_NE(first, playback.looks.end()) << "no frame ever showed";
    EXPECT_LT(first->ms, kFirstPictureMs) << "the first frame came late:" << playback.Trace();
    std::set<int> seen;
    for (auto look = first; look != playback.looks.end(); ++look) {
        if (look->frame < 0 || look->frame >= frames) {
            ADD_FAILURE() << "no frame of the movie at " << look->ms << "ms:" << playback.Trace();
            return;
        }
        if (look != first && look->frame < std::prev(look)->frame) {
            ADD_FAILURE() << "frame " << look->frame << " came back at " << look->ms
                          << "ms:" << playback.Trace();
            return;
        }
        seen.insert(look->frame);
    }
    EXPECT_GE(static_cast<int>(seen.size()), leastSeen)
        << "too few frames showed:" << playback.Trace();
}

// Each frame shows near its own time: neither early nor left far behind.
void ExpectInTime(const Playback& playback, const MovieFormat& format, int frames) {
    const double msPerFrame = 1000.0 / format.fps;
    for (const Playback::Look& look : playback.looks) {
        if (look.frame < 0) {
            continue;
        }
        const double due = std::min(look.ms / msPerFrame, frames - 1.0);
        if (look.frame > due + kAheadMs / msPerFrame + 1 ||
            look.frame < due - kBehindMs / msPerFrame) {
            ADD_FAILURE() << "frame " << look.frame << " showed at " << look.ms
                          << "ms:" << playback.Trace();
            return;
        }
    }
    const double durationMs = frames * msPerFrame;
    EXPECT_GE(playback.endMs, 0.9 * durationMs) << "the movie ended early:" << playback.Trace();
    const int last = playback.looks.back().frame;
    EXPECT_GE(last, frames - 1 - static_cast<int>(kEndDroppedMs / msPerFrame))
        << "the end of the movie did not show:" << playback.Trace();
}

TEST_F(FilterGraphTest, EveryFormatPlaysInTimeToItsEnd) {
    const testing_support::ScratchFolder folder;
    std::vector<std::string> paths;
    for (const MovieFormat& format : movie_fixtures::AllFormats()) {
        paths.push_back(Movie(format, std::string("Clip-") + std::to_string(paths.size())));
        ASSERT_FALSE(paths.back().empty()) << format.name;
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const MovieFormat& format = movie_fixtures::AllFormats()[i];
        SCOPED_TRACE(format.name);
        g_received.clear();
        const HWND owner = TopLevel(kVideoWidth, kVideoHeight);
        Graph graph;
        ASSERT_TRUE(graph.Complete());
        ASSERT_EQ(graph.Render(paths[i]), S_OK);
        graph.Attach(owner, owner);
        const Clock::time_point run = Clock::now();
        ASSERT_EQ(graph.control->Run(), S_OK);
        const Playback playback = Watch(graph, owner, format, run);

        ASSERT_EQ(playback.end, EC_COMPLETE) << playback.Trace();
        ExpectInOrder(playback, kFrames, kFrames / 2);
        ExpectInTime(playback, format, kFrames);
        EXPECT_TRUE(AwaitNotice(graph, owner)) << "no notice of the end";
        graph.Release();
        DestroyWindow(owner);
    }
}

TEST_F(FilterGraphTest, PicturesFillTheVideoWindowAndNoMore) {
    const testing_support::ScratchFolder folder;
    const MovieFormat& format = movie_fixtures::AviMjpeg();
    const std::string path = Movie(format, "fill");
    ASSERT_FALSE(path.empty());
    // Room around the video window, to see where it stops.
    const HWND owner = TopLevel(kVideoWidth + 40, kVideoHeight + 40);
    Graph graph;
    ASSERT_TRUE(graph.Complete());
    ASSERT_EQ(graph.Render(path), S_OK);
    graph.Attach(owner, owner);
    ASSERT_TRUE(RunUntilShown(graph, owner, format));

    const int frame = FrameAt(owner, kLookX, kLookY, format);
    const int right = kVideoWidth - 2;
    const int bottom = kVideoHeight - 2;
    for (const POINT corner :
         {POINT{1, 1}, POINT{right, 1}, POINT{1, bottom}, POINT{right, bottom}}) {
        EXPECT_EQ(FrameAt(owner, corner.x, corner.y, format), frame)
            << corner.x << "," << corner.y << ": " << std::hex
            << PixelAt(owner, corner.x, corner.y);
    }
    EXPECT_EQ(FrameAt(owner, kVideoWidth + 10, kVideoHeight / 2, format), -1);
    EXPECT_EQ(FrameAt(owner, kVideoWidth / 2, kVideoHeight + 10, format), -1);
    EXPECT_EQ(graph.control->Stop(), S_OK);
}

TEST_F(FilterGraphTest, FilesThatAreNoMoviesLeaveAnEmptyGraph) {
    const testing_support::ScratchFolder folder;
    folder.Write("movies/notes.avi", std::string(20000, 'x') + "\nnot a movie at all\n");
    // The text file more than once: GStreamer's errors about it come at varying times.
    for (const char* path :
         {"Movies\\NOTES.AVI", "movies\\Notes.avi", "MOVIES\\notes.AVI", "Movies\\ABSENT.AVI"}) {
        SCOPED_TRACE(path);
        g_received.clear();
        const HWND owner = TopLevel(kVideoWidth, kVideoHeight);
        Graph graph;
        ASSERT_TRUE(graph.Complete());
        const Clock::time_point start = Clock::now();
        EXPECT_TRUE(FAILED(graph.Render(path)));
        EXPECT_LT(MsSince(start), kFailureMs);

        graph.Attach(owner, owner);
        EXPECT_EQ(graph.control->Run(), S_OK);
        EXPECT_EQ(graph.NextEvent(300), std::nullopt);
        PumpUntilIdle();
        EXPECT_FALSE(Got(owner, kGraphNotify));
        graph.Release();
        DestroyWindow(owner);
    }
}

TEST_F(FilterGraphTest, CutMovieEndsAfterWhatItHas) {
    const testing_support::ScratchFolder folder;
    const MovieFormat& format = movie_fixtures::AviMjpeg();
    const std::string path = Movie(format, "cut");
    ASSERT_FALSE(path.empty());
    const std::string file = std::string("movies/cut") + format.extension;
    std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);

    const HWND owner = TopLevel(kVideoWidth, kVideoHeight);
    Graph graph;
    ASSERT_TRUE(graph.Complete());
    ASSERT_EQ(graph.Render(path), S_OK);
    graph.Attach(owner, owner);
    const Clock::time_point run = Clock::now();
    ASSERT_EQ(graph.control->Run(), S_OK);
    const Playback playback = Watch(graph, owner, format, run);

    EXPECT_EQ(playback.end, EC_COMPLETE) << playback.Trace();
    // About half the frames are left; some may go with the broken end.
    ExpectInOrder(playback, kFrames, kFrames / 4);
}

TEST_F(FilterGraphTest, MouseInputOverTheVideoGoesToTheDrain) {
    const testing_support::ScratchFolder folder;
    const MovieFormat& format = movie_fixtures::AviMjpeg();
    const std::string path = Movie(format, "drain");
    ASSERT_FALSE(path.empty());
    const HWND owner = TopLevel(kVideoWidth, kVideoHeight);
    const HWND drain = TopLevel(100, 100, WS_POPUP);
    Graph graph;
    ASSERT_TRUE(graph.Complete());
    ASSERT_EQ(graph.Render(path), S_OK);
    graph.Attach(owner, drain);
    ASSERT_TRUE(RunUntilShown(graph, owner, format));

    g_received.clear();
    Click(owner, 200, 150);
    PumpUntilIdle();
    EXPECT_TRUE(Got(drain, WM_LBUTTONDOWN, MAKELPARAM(200, 150)));
    EXPECT_TRUE(Got(drain, WM_LBUTTONUP));
    EXPECT_FALSE(Got(owner, WM_LBUTTONDOWN));
}

TEST_F(FilterGraphTest, ReleaseWhilePlayingTakesEverythingAlong) {
    const testing_support::ScratchFolder folder;
    const MovieFormat& format = movie_fixtures::AviMjpeg();
    const std::string path = Movie(format, "release");
    ASSERT_FALSE(path.empty());
    const HWND owner = TopLevel(kVideoWidth, kVideoHeight);
    Graph graph;
    ASSERT_TRUE(graph.Complete());
    ASSERT_EQ(graph.Render(path), S_OK);
    graph.Attach(owner, owner);
    ASSERT_TRUE(RunUntilShown(graph, owner, format, 3));

    // The pointer's window, as the owner learns it, is the video window.
    g_received.clear();
    MouseMove(owner, 10, 10);
    MSG msg;
    while (!Got(owner, WM_SETCURSOR) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
        DispatchMessageA(&msg);
    }
    const auto cursor = std::find_if(g_received.begin(), g_received.end(),
                                     [](const Received& r) { return r.message == WM_SETCURSOR; });
    ASSERT_NE(cursor, g_received.end());
    const HWND video = reinterpret_cast<HWND>(cursor->wParam);
    ASSERT_NE(video, owner);
    ASSERT_TRUE(IsWindow(video));

    ASSERT_EQ(graph.NextEvent(0), std::nullopt) << "the movie ended before Release";
    const Clock::time_point release = Clock::now();
    graph.Release();
    EXPECT_LT(MsSince(release), kReleaseMs);
    EXPECT_FALSE(IsWindow(video));
    EXPECT_TRUE(IsWindow(owner));

    // What was posted before Release returned may still wait in the queue.
    PumpUntilIdle();
    // Threads that outlived Release would post within this time.
    int late = 0;
    const Clock::time_point after = Clock::now();
    while (MsSince(after) < 200) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
            late += msg.hwnd == video ? 1 : 0;
            DispatchMessageA(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(late, 0) << "messages for the video window after it went";
}

}  // namespace

// SPDX-License-Identifier: MIT
// Movies through the filter-graph module as the launcher loads it: CoCreateInstance finds the
// module beside this program, and its pictures land in windows of the headless backend, watched
// in real time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/dshow.h"
#include "tests/helpers/headless.h"
#include "tests/helpers/scratch_folder.h"
#include "tests/movie/movie_fixtures.h"

namespace {

using Clock = std::chrono::steady_clock;

using movie_fixtures::FrameShown;
using movie_fixtures::kDarkStripe;
using movie_fixtures::kFormats;
using movie_fixtures::kFrames;
using movie_fixtures::kLightStripe;
using movie_fixtures::MovieFormat;
using movie_fixtures::WriteMovie;
using movie_fixtures::WriteStripedMovie;

const MovieFormat& kMjpeg = kFormats[0];

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
constexpr double kPlayLimitMs = 15000;
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

const Received* Got(HWND hwnd, UINT message, std::optional<LPARAM> lParam = std::nullopt) {
    const auto it = std::find_if(g_received.begin(), g_received.end(), [&](const Received& r) {
        return r.hwnd == hwnd && r.message == message && (!lParam || r.lParam == *lParam);
    });
    return it != g_received.end() ? &*it : nullptr;
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
    void Release() {
        ReleaseOne(control);
        ReleaseOne(video);
        ReleaseOne(events);
        ReleaseOne(builder);
    }

    // Renders the file and sets up the video window as the launcher does.
    HRESULT Open(const std::string& ansiPath, HWND owner, HWND drain) {
        WCHAR wide[MAX_PATH];
        if (builder == nullptr || control == nullptr || video == nullptr || events == nullptr ||
            MultiByteToWideChar(CP_ACP, 0, ansiPath.c_str(), -1, wide, MAX_PATH) == 0) {
            return E_POINTER;
        }
        const HRESULT hr = builder->RenderFile(wide, nullptr);
        events->SetNotifyWindow(reinterpret_cast<OAHWND>(owner), kGraphNotify, kInstanceData);
        video->put_MessageDrain(reinterpret_cast<OAHWND>(drain));
        video->put_Owner(reinterpret_cast<OAHWND>(owner));
        video->put_WindowStyle(static_cast<long>(WS_CHILD));
        video->SetWindowPosition(0, 0, kVideoWidth, kVideoHeight);
        return hr;
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
};

class FilterGraphTest : public testing_support::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        // Before anything is timed: on a fresh machine this builds GStreamer's registry.
        ASSERT_TRUE(movie_fixtures::StartGStreamer());
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

    // Writes a movie; the path a menu authored on Windows would give it.
    static std::string Movie(const MovieFormat& format, const std::string& name) {
        std::filesystem::create_directories("movies");
        EXPECT_EQ(WriteMovie(format, "movies/" + name + format.extension), "");
        std::string path = "Movies\\" + name + format.extension;
        std::transform(path.begin(), path.end(), path.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return path;
    }

    int FrameAt(HWND owner, int x, int y, const MovieFormat& format) const {
        return FrameShown(PixelAt(owner, x, y), format);
    }

    // Runs the graph, looking at the owner between waits for its events, until the movie ends
    // or shows frame `until`. Dispatching stops at each paint: where painting is slower than
    // the frames come the queue never empties.
    Playback Play(Graph& graph, HWND owner, const MovieFormat& format, int until = kFrames) {
        Playback playback;
        const Clock::time_point run = Clock::now();
        EXPECT_EQ(graph.control->Run(), S_OK);
        while (MsSince(run) < kPlayLimitMs) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
                DispatchMessageA(&msg);
                if (msg.message == WM_PAINT) {
                    break;
                }
            }
            playback.looks.push_back({MsSince(run), FrameAt(owner, kLookX, kLookY, format)});
            if (playback.looks.back().frame >= until) {
                return playback;
            }
            if (const auto code = graph.NextEvent(5)) {
                playback.end = *code;
                playback.endMs = MsSince(run);
                if (*code == EC_COMPLETE || *code == EC_ERRORABORT) {
                    break;
                }
            }
        }
        PumpUntilIdle();
        playback.looks.push_back({MsSince(run), FrameAt(owner, kLookX, kLookY, format)});
        return playback;
    }
};

// The frames appear in order, none skipped back, and once pictures show they keep showing. With
// a format, each shows near its own time, neither early nor left far behind, to the end.
void ExpectPlayed(const Playback& playback, int leastSeen, const MovieFormat* timed = nullptr) {
    const auto first = std::find_if(playback.looks.begin(), playback.looks.end(),
                                    [](const Playback::Look& look) { return look.frame >= 0; });
    ASSERT_NE(first, playback.looks.end()) << "no frame ever showed";
    EXPECT_LT(first->ms, kFirstPictureMs);
    const double msPerFrame = timed != nullptr ? 1000.0 / timed->fps : 1;
    const auto untimely = [&](const Playback::Look& look) {
        const double due = std::min(look.ms / msPerFrame, kFrames - 1.0);
        return timed != nullptr && (look.frame > due + kAheadMs / msPerFrame + 1 ||
                                    look.frame < due - kBehindMs / msPerFrame);
    };
    std::set<int> seen;
    for (auto look = first; look != playback.looks.end(); ++look) {
        if (look->frame < 0 || look->frame >= kFrames || untimely(*look) ||
            (look != first && look->frame < std::prev(look)->frame)) {
            ADD_FAILURE() << "frame " << look->frame << " at " << look->ms << "ms";
            return;
        }
        seen.insert(look->frame);
    }
    EXPECT_GE(static_cast<int>(seen.size()), leastSeen);
    if (timed != nullptr) {
        EXPECT_GE(playback.endMs, 0.9 * kFrames * msPerFrame);
        EXPECT_GE(playback.looks.back().frame,
                  kFrames - 1 - static_cast<int>(kEndDroppedMs / msPerFrame));
    }
}

TEST_F(FilterGraphTest, EveryFormatPlaysInTimeToItsEndAndACutMovieToWhatItHas) {
    const testing_support::ScratchFolder folder;
    std::vector<std::string> paths;
    for (const MovieFormat& format : kFormats) {
        paths.push_back(Movie(format, "Clip-" + std::to_string(paths.size())));
    }
    paths.push_back(Movie(kMjpeg, "cut"));
    std::filesystem::resize_file("movies/cut.avi",
                                 std::filesystem::file_size("movies/cut.avi") / 2);
    ASSERT_FALSE(HasFailure());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(paths[i]);
        const bool cut = i == std::size(kFormats);
        g_received.clear();
        const HWND owner = TopLevel(kVideoWidth, kVideoHeight);
        Graph graph;
        ASSERT_EQ(graph.Open(paths[i], owner, owner), S_OK);
        const Playback playback = Play(graph, owner, cut ? kMjpeg : kFormats[i]);
        ASSERT_EQ(playback.end, EC_COMPLETE);
        // About half the cut movie's frames are left; some may go with the broken end.
        ExpectPlayed(playback, cut ? kFrames / 4 : kFrames / 2, cut ? nullptr : &kFormats[i]);
        // The event's notice may be posted just after GetEvent took the event.
        const Clock::time_point ended = Clock::now();
        while (Got(owner, kGraphNotify, kInstanceData) == nullptr && MsSince(ended) < 1000) {
            graph.NextEvent(5);
            PumpUntilIdle();
        }
        EXPECT_NE(Got(owner, kGraphNotify, kInstanceData), nullptr) << "no notice of the end";
        // As the launcher ends a movie.
        EXPECT_EQ(graph.control->Stop(), S_OK);
        graph.Release();
        DestroyWindow(owner);
    }
}

TEST_F(FilterGraphTest, PlayingMovieFillsItsWindowDrainsInputAndGoesWithRelease) {
    const testing_support::ScratchFolder folder;
    const std::string path = Movie(kMjpeg, "one");
    // Room around the video window, to see where it stops.
    const HWND owner = TopLevel(kVideoWidth + 40, kVideoHeight + 40);
    const HWND drain = TopLevel(100, 100, WS_POPUP);
    Graph graph;
    ASSERT_EQ(graph.Open(path, owner, drain), S_OK);
    ASSERT_GE(Play(graph, owner, kMjpeg, 3).looks.back().frame, 3);

    // The picture fills the video window and no more.
    const int frame = FrameAt(owner, kLookX, kLookY, kMjpeg);
    const int right = kVideoWidth - 2;
    const int bottom = kVideoHeight - 2;
    for (const POINT p : {POINT{1, 1}, POINT{right, 1}, POINT{1, bottom}, POINT{right, bottom}}) {
        EXPECT_EQ(FrameAt(owner, p.x, p.y, kMjpeg), frame) << p.x << "," << p.y;
    }
    EXPECT_EQ(FrameAt(owner, kVideoWidth + 10, kVideoHeight / 2, kMjpeg), -1);
    EXPECT_EQ(FrameAt(owner, kVideoWidth / 2, kVideoHeight + 10, kMjpeg), -1);

    // Mouse input over the video goes to the drain.
    g_received.clear();
    Click(owner, 200, 150);
    MouseMove(owner, 10, 10);
    PumpUntilIdle();
    EXPECT_NE(Got(drain, WM_LBUTTONDOWN, MAKELPARAM(200, 150)), nullptr);
    EXPECT_NE(Got(drain, WM_LBUTTONUP), nullptr);
    EXPECT_EQ(Got(owner, WM_LBUTTONDOWN), nullptr);

    // Release takes the video window along, and nothing is posted to it afterwards. The
    // pointer's window, as the owner learns it, is the video window.
    const Received* cursor = Got(owner, WM_SETCURSOR);
    ASSERT_NE(cursor, nullptr);
    const HWND video = reinterpret_cast<HWND>(cursor->wParam);
    ASSERT_NE(video, owner);
    ASSERT_TRUE(IsWindow(video));
    ASSERT_EQ(graph.NextEvent(0), std::nullopt) << "the movie ended before Release";
    const Clock::time_point release = Clock::now();
    graph.Release();
    EXPECT_LT(MsSince(release), kReleaseMs);
    EXPECT_FALSE(IsWindow(video));
    EXPECT_TRUE(IsWindow(owner));
    // What was posted before Release returned may still wait in the queue; threads that
    // outlived Release would post within this time.
    PumpUntilIdle();
    int late = 0;
    const Clock::time_point after = Clock::now();
    while (MsSince(after) < 200) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == TRUE) {
            late += msg.hwnd == video ? 1 : 0;
            DispatchMessageA(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(late, 0) << "messages for the video window after it went";
}

// What a run of the window's pixels shows of a striped movie: "stripes" (each pixel dark or
// light), "blend" (each pixel grey) or "neither".
constexpr int kStripeTolerance = 24;

std::string Classify(const std::vector<std::uint32_t>& pixels) {
    const auto near = [](std::uint32_t rgb, int level) {
        for (int shift : {0, 8, 16}) {
            if (std::abs(static_cast<int>((rgb >> shift) & 0xFF) - level) > kStripeTolerance) {
                return false;
            }
        }
        return true;
    };
    const auto all = [&pixels](auto test) {
        return std::all_of(pixels.begin(), pixels.end(), test);
    };
    if (all([&](std::uint32_t p) { return near(p, kDarkStripe) || near(p, kLightStripe); })) {
        return "stripes";
    }
    if (all([&](std::uint32_t p) { return near(p, (kDarkStripe + kLightStripe) / 2); })) {
        return "blend";
    }
    return "neither";
}

// The video window is placed after the preroll, as the launcher does: a larger movie's frames
// come scaled down to the window in GStreamer, so that two of the movie's stripes blend into
// each pixel shown, across (columns) and down (rows); a smaller movie's frames come at their
// own size, each stripe shown sharp.
TEST_F(FilterGraphTest, FramesComeNoLargerThanTheVideoWindowAndNeverScaledUp) {
    const testing_support::ScratchFolder folder;
    std::filesystem::create_directories("movies");
    const struct {
        int width, height;
        const char* expected;
    } kCases[] = {{2 * kVideoWidth, 2 * kVideoHeight, "blend"},
                  {kVideoWidth / 2, kVideoHeight / 2, "stripes"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        ASSERT_EQ(WriteStripedMovie("movies/striped.avi", c.width, c.height), "");
        const HWND owner = TopLevel(kVideoWidth, kVideoHeight);
        Graph graph;
        ASSERT_EQ(graph.Open("Movies\\STRIPED.AVI", owner, owner), S_OK);
        // To its end: no look names a frame past kFrames.
        ASSERT_EQ(Play(graph, owner, kMjpeg, kFrames + 1).end, EC_COMPLETE);
        // The last frame stays: columns from the left half, rows from the right half.
        std::vector<std::uint32_t> across;
        std::vector<std::uint32_t> down;
        for (int i = 0; i < 32; ++i) {
            across.push_back(PixelAt(owner, kVideoWidth / 4 + i, kVideoHeight / 2));
            down.push_back(PixelAt(owner, 3 * kVideoWidth / 4, kVideoHeight / 2 + i));
        }
        EXPECT_EQ(Classify(across), c.expected);
        EXPECT_EQ(Classify(down), c.expected);
        graph.Release();
        DestroyWindow(owner);
    }
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
        const Clock::time_point start = Clock::now();
        const HRESULT hr = graph.Open(path, owner, owner);
        EXPECT_LT(MsSince(start), kFailureMs);
        ASSERT_NE(hr, E_POINTER);
        EXPECT_TRUE(FAILED(hr));
        EXPECT_EQ(graph.control->Run(), S_OK);
        EXPECT_EQ(graph.NextEvent(300), std::nullopt);
        PumpUntilIdle();
        EXPECT_EQ(Got(owner, kGraphNotify), nullptr);
        graph.Release();
        DestroyWindow(owner);
    }
}

}  // namespace

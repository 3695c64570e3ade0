// SPDX-License-Identifier: MIT
// The filter-graph tests' fixture: a graph from the module as the launcher loads it, windows
// that record what they receive, and a playback watched in real time.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/dshow.h"
#include "tests/helpers/headless.h"
#include "tests/movie/movie_fixtures.h"

namespace filter_graph_testing {

using Clock = std::chrono::steady_clock;

using movie_fixtures::FrameShown;
using movie_fixtures::kDarkStripe;
using movie_fixtures::kFormats;
using movie_fixtures::kFrames;
using movie_fixtures::kLightStripe;
using movie_fixtures::MovieFormat;
using movie_fixtures::WriteMovie;
using movie_fixtures::WriteStripedMovie;

inline const MovieFormat& kMjpeg = kFormats[0];

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
inline std::vector<Received> g_received;

const Received* Got(HWND hwnd, UINT message, std::optional<LPARAM> lParam = std::nullopt);
double MsSince(Clock::time_point start);

// One filter graph and the interfaces the launcher takes from it.
struct Graph {
    IGraphBuilder* builder = nullptr;
    IMediaControl* control = nullptr;
    IVideoWindow* video = nullptr;
    IMediaEventEx* events = nullptr;

    Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;
    ~Graph() { Release(); }
    void Release();

    // Renders the file and sets up the video window as the launcher does.
    HRESULT Open(const std::string& ansiPath, HWND owner, HWND drain);
    std::optional<long> NextEvent(long timeoutMs);
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
    void SetUp() override;

    static HWND TopLevel(int width, int height, DWORD style = WS_POPUP | WS_VISIBLE);
    // Writes a movie; the path a menu authored on Windows would give it.
    static std::string Movie(const MovieFormat& format, const std::string& name);
    int FrameAt(HWND owner, int x, int y, const MovieFormat& format) const;
    // Runs the graph, looking at the owner between waits for its events, until the movie ends
    // or shows frame `until`. Dispatching stops at each paint: where painting is slower than
    // the frames come the queue never empties.
    Playback Play(Graph& graph, HWND owner, const MovieFormat& format, int until = kFrames);
};

}  // namespace filter_graph_testing

// SPDX-License-Identifier: MIT
// Movies through the filter-graph module as the launcher loads it: CoCreateInstance finds the
// module beside this program, and its pictures land in windows of the headless backend, watched
// in real time. Here: playing to the end, the video window, and files that are no movies.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/helpers/scratch_folder.h"
#include "tests/movie/filter_graph_fixture.h"

namespace {

using namespace filter_graph_testing;

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

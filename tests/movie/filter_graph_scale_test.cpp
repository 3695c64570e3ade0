// SPDX-License-Identifier: MIT
// How the module scales a movie's frames to the video window: down in GStreamer, never up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/helpers/scratch_folder.h"
#include "tests/movie/filter_graph_fixture.h"

namespace {

using namespace filter_graph_testing;

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

}  // namespace

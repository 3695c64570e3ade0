// Test movies made with GStreamer's own encoders. Every frame is one solid grey whose level tells
// its index, so one pixel of the screen says which frame is showing, through any lossy codec.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace movie_fixtures {

struct MovieFormat {
    const char* name;       // for messages
    const char* extension;  // with the dot
    const char* encoder;    // a GStreamer video encoder, with its settings
    const char* muxer;
    int fps;
    bool sound;      // an AAC track as long as the pictures
    bool fullRange;  // decoded luma spans 0-255, so a grey's RGB equals its luma
};

constexpr int kWidth = 320;
constexpr int kHeight = 240;
// More frames would take the grey past the top of the video range.
constexpr int kMostFrames = 49;

// Starts GStreamer (building its plugin registry on a fresh machine); the reason when it cannot.
std::string StartGStreamer();

// Every container and codec a menu's movies may come in.
const std::vector<MovieFormat>& AllFormats();
const MovieFormat& AviMjpeg();

// Writes `frames` frames of `format` to `path`; the reason when it could not.
std::string WriteMovie(const MovieFormat& format, int frames, const std::string& path);

// The frame of a movie in `format` whose grey an 0xRRGGBB pixel shows, or -1 when it shows none.
int FrameShown(std::uint32_t rgb, const MovieFormat& format);

}  // namespace movie_fixtures

// SPDX-License-Identifier: MIT
// Test movies made with GStreamer's own encoders (apart from the tests: GLib's TRUE and FALSE
// clash with the window layer's). Every frame is one solid grey whose level tells its index, so
// one pixel of the screen says which frame is showing, through any lossy codec; or, for a
// picture's scale, a pattern of one-pixel stripes.
#pragma once

#include <cstdint>
#include <string>

namespace movie_fixtures {

struct MovieFormat {
    const char* name;
    const char* extension;
    const char* encoder;  // with its settings
    const char* muxer;
    int fps;
    bool sound;      // an AAC track as long as the pictures
    bool fullRange;  // decoded luma spans 0-255, so a grey's RGB equals its luma
};

// Every container and codec a menu's movies may come in.
inline const MovieFormat kFormats[] = {
    {"AVI/MJPEG", ".avi", "jpegenc", "avimux", 25, false, true},
    // At their default bit rates these drift by whole levels from frame to frame.
    {"AVI/MPEG-4", ".avi", "avenc_mpeg4 pass=quant quantizer=2", "avimux", 25, false, false},
    {"AVI/MS-MPEG4", ".avi", "avenc_msmpeg4 pass=quant quantizer=2", "avimux", 30, false, false},
    {"WMV", ".wmv", "avenc_wmv2 pass=quant quantizer=2", "asfmux", 25, false, false},
    // mpeg2enc takes only the standard rates.
    {"MPEG-1", ".mpg", "mpeg2enc format=0", "avmux_mpeg", 25, false, false},
    {"Ogg/Theora", ".ogv", "theoraenc", "oggmux", 30, false, false},
    {"MP4/H.264+AAC", ".mp4", "x264enc", "mp4mux", 25, true, false},
};
// More frames would take the grey past the top of the video range.
constexpr int kFrames = 48;

// Starts GStreamer, building its plugin registry on a fresh machine.
bool StartGStreamer();
// Writes kFrames frames of `format` to `path`; the reason when it could not.
std::string WriteMovie(const MovieFormat& format, const std::string& path);
// The stripes' two levels (full range: a level is also each of the pixel's R, G and B).
constexpr int kDarkStripe = 32;
constexpr int kLightStripe = 224;
// Writes a short MJPEG movie of `width` x `height` (multiples of 8) whose left half is columns
// one pixel wide, its right half rows one pixel high, dark and light by turns: where frames are
// scaled down in GStreamer, neighbours blend to grey; where they are painted larger or smaller,
// every pixel shown is still dark or light.
std::string WriteStripedMovie(const std::string& path, int width, int height);
// The frame whose grey an 0xRRGGBB pixel shows, or -1 when it shows none.
int FrameShown(std::uint32_t rgb, const MovieFormat& format);

}  // namespace movie_fixtures

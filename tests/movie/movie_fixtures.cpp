// SPDX-License-Identifier: MIT
#include "tests/movie/movie_fixtures.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace movie_fixtures {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kFirstLevel = 40;
constexpr int kLevelStep = 4;
// Lossy codecs move a level a little; half a step still names one frame.
constexpr int kLevelTolerance = 2;

// A few past the first, which comes before the video window is placed.
constexpr int kStripedFrames = 10;

// An I420 frame of `width` x `height` at its time, its luma plane filled by `paint`.
GstBuffer* Frame(int width, int height, int index, int fps,
                 const std::function<void(std::uint8_t* luma)>& paint) {
    const std::size_t luma = static_cast<std::size_t>(width) * height;
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, luma * 3 / 2, nullptr);
    GstMapInfo map;
    gst_buffer_map(buffer, &map, GST_MAP_WRITE);
    paint(map.data);
    std::memset(map.data + luma, 128, luma / 2);
    gst_buffer_unmap(buffer, &map);
    GST_BUFFER_PTS(buffer) =
        gst_util_uint64_scale_int(static_cast<guint64>(index), GST_SECOND, fps);
    GST_BUFFER_DURATION(buffer) = gst_util_uint64_scale_int(1, GST_SECOND, fps);
    return buffer;
}

GstBuffer* GreyFrame(int index, int fps) {
    return Frame(kWidth, kHeight, index, fps, [index](std::uint8_t* luma) {
        std::memset(luma, kFirstLevel + kLevelStep * index,
                    static_cast<std::size_t>(kWidth) * kHeight);
    });
}

// Builds the pipeline `description`, pushes `count` frames made by `frame` through its source
// and waits for the end; the error reported, if any. A missing element (its plugin package not
// installed) is named in the error.
std::string Encode(const std::string& description, int count,
                   const std::function<GstBuffer*(int)>& frame) {
    GError* gerror = nullptr;
    GstElement* pipeline = gst_parse_launch(description.c_str(), &gerror);
    if (gerror != nullptr) {
        std::string error = gerror->message;
        g_clear_error(&gerror);
        if (pipeline != nullptr) {
            gst_object_unref(pipeline);
        }
        return error;
    }
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline), "frames");
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    for (int i = 0; i < count; ++i) {
        gst_app_src_push_buffer(GST_APP_SRC(source), frame(i));
    }
    gst_app_src_end_of_stream(GST_APP_SRC(source));
    gst_object_unref(source);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* end = gst_bus_timed_pop_filtered(
        bus, 60 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    gst_object_unref(bus);
    std::string error = end == nullptr ? "the encoding never ended" : "";
    if (end != nullptr && GST_MESSAGE_TYPE(end) == GST_MESSAGE_ERROR) {
        gst_message_parse_error(end, &gerror, nullptr);
        error = gerror->message;
        g_clear_error(&gerror);
    }
    if (end != nullptr) {
        gst_message_unref(end);
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return error;
}

std::string Source(int width, int height, int fps) {
    return "appsrc name=frames format=time caps=video/x-raw,format=I420,width=" +
           std::to_string(width) + ",height=" + std::to_string(height) +
           ",framerate=" + std::to_string(fps) + "/1";
}

}  // namespace

bool StartGStreamer() {
    return gst_init_check(nullptr, nullptr, nullptr) == TRUE;
}

std::string WriteMovie(const MovieFormat& format, const std::string& path) {
    std::string description = Source(kWidth, kHeight, format.fps) + " ! videoconvert ! " +
                              format.encoder + " ! " + format.muxer +
                              " name=mux ! filesink location=\"" + path + "\"";
    if (format.sound) {
        // 10 ms buffers, as long as the pictures.
        description += " audiotestsrc num-buffers=" + std::to_string(100 * kFrames / format.fps) +
                       " samplesperbuffer=441 volume=0.2 ! audio/x-raw,rate=44100,channels=2 ! "
                       "audioconvert ! avenc_aac ! mux.";
    }
    const std::string error =
        Encode(description, kFrames, [&format](int i) { return GreyFrame(i, format.fps); });
    return error.empty() ? "" : std::string(format.name) + ": " + error;
}

std::string WriteStripedMovie(const std::string& path, int width, int height) {
    const int fps = kFormats[0].fps;
    // At the highest quality one-pixel stripes come through the codec sharp.
    const std::string description = Source(width, height, fps) +
                                    " ! jpegenc quality=100 ! avimux ! filesink location=\"" +
                                    path + "\"";
    const auto paint = [width, height](std::uint8_t* luma) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool light = (x < width / 2 ? x : y) % 2 == 1;
                luma[static_cast<std::size_t>(y) * width + x] =
                    static_cast<std::uint8_t>(light ? kLightStripe : kDarkStripe);
            }
        }
    };
    return Encode(description, kStripedFrames,
                  [&](int i) { return Frame(width, height, i, fps, paint); });
}

int FrameShown(std::uint32_t rgb, const MovieFormat& format) {
    const int red = static_cast<int>((rgb >> 16) & 0xFF);
    const int green = static_cast<int>((rgb >> 8) & 0xFF);
    const int blue = static_cast<int>(rgb & 0xFF);
    if (std::abs(red - green) > kLevelTolerance || std::abs(blue - green) > kLevelTolerance) {
        return -1;
    }
    // Where GStreamer puts a video-range grey (measured): mid-grey stays, the rest widens by
    // 255/219.
    const double luma = format.fullRange ? green : 128.0 + (green - 128) * 219.0 / 255.0;
    const int index = static_cast<int>(std::lround((luma - kFirstLevel) / kLevelStep));
    // Half a level more for the rounding to 8-bit RGB.
    if (index < 0 || index > kFrames ||
        std::abs(luma - kFirstLevel - kLevelStep * index) > kLevelTolerance + 0.5) {
        return -1;
    }
    return index;
}

}  // namespace movie_fixtures
